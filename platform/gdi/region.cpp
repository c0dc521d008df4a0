// Regions as lists of disjoint rectangles, and the region functions.
#include <algorithm>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

bool RectEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r;
}

// Pieces of a that lie outside b (at most four).
void Subtract(const RECT& a, const RECT& b, std::vector<RECT>& out) {
  RECT i = Intersect(a, b);
  if (RectEmpty(i)) {
    out.push_back(a);
    return;
  }
  if (a.top < i.top) out.push_back(RECT{a.left, a.top, a.right, i.top});
  if (i.bottom < a.bottom) out.push_back(RECT{a.left, i.bottom, a.right, a.bottom});
  if (a.left < i.left) out.push_back(RECT{a.left, i.top, i.left, i.bottom});
  if (i.right < a.right) out.push_back(RECT{i.right, i.top, a.right, i.bottom});
}

// Joins rectangles that share a full edge, so simple shapes stay simple.
void Coalesce(std::vector<RECT>& rects) {
  bool merged = true;
  while (merged) {
    merged = false;
    for (size_t i = 0; i < rects.size() && !merged; ++i) {
      for (size_t j = i + 1; j < rects.size(); ++j) {
        RECT& a = rects[i];
        const RECT& b = rects[j];
        bool vertical = a.left == b.left && a.right == b.right &&
                        (a.bottom == b.top || b.bottom == a.top);
        bool horizontal = a.top == b.top && a.bottom == b.bottom &&
                          (a.right == b.left || b.right == a.left);
        if (vertical || horizontal) {
          a = RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
          rects.erase(rects.begin() + (ptrdiff_t)j);
          merged = true;
          break;
        }
      }
    }
  }
}

}  // namespace

RECT Region::box() const {
  if (rects.empty()) return RECT{0, 0, 0, 0};
  RECT b = rects[0];
  for (const RECT& r : rects) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

int Region::kind() const {
  if (rects.empty()) return NULLREGION;
  return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

Region RegionFromRect(const RECT& r) {
  Region g;
  RECT n{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
         std::max(r.top, r.bottom)};
  if (!RectEmpty(n)) g.rects.push_back(n);
  return g;
}

Region RegionAnd(const Region& a, const Region& b) {
  Region g;
  for (const RECT& x : a.rects)
    for (const RECT& y : b.rects) {
      RECT i = Intersect(x, y);
      if (!RectEmpty(i)) g.rects.push_back(i);
    }
  Coalesce(g.rects);
  return g;
}

Region RegionDiff(const Region& a, const Region& b) {
  std::vector<RECT> cur = a.rects;
  for (const RECT& y : b.rects) {
    std::vector<RECT> next;
    for (const RECT& x : cur) Subtract(x, y, next);
    cur.swap(next);
  }
  Region g;
  g.rects = std::move(cur);
  Coalesce(g.rects);
  return g;
}

Region RegionOr(const Region& a, const Region& b) {
  Region g = RegionDiff(a, b);
  g.rects.insert(g.rects.end(), b.rects.begin(), b.rects.end());
  Coalesce(g.rects);
  return g;
}

Region RegionXor(const Region& a, const Region& b) {
  Region g = RegionDiff(a, b);
  Region h = RegionDiff(b, a);
  g.rects.insert(g.rects.end(), h.rects.begin(), h.rects.end());
  Coalesce(g.rects);
  return g;
}

void RegionOffset(Region& r, int dx, int dy) {
  for (RECT& x : r.rects) {
    x.left += dx;
    x.right += dx;
    x.top += dy;
    x.bottom += dy;
  }
}

bool RegionContains(const Region& r, int x, int y) {
  for (const RECT& q : r.rects)
    if (x >= q.left && x < q.right && y >= q.top && y < q.bottom) return true;
  return false;
}

}  // namespace lvgdi

using namespace lvgdi;

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom) {
  auto obj = std::make_unique<RegionObject>();
  obj->rgn = RegionFromRect(RECT{left, top, right, bottom});
  return AddObject(std::move(obj));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return 0;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int WINAPI CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  RegionObject* d = LookupRegion(dest);
  RegionObject* a = LookupRegion(src1);
  if (!d || !a) return ERROR;
  if (mode == RGN_COPY) {
    d->rgn = a->rgn;
    return d->rgn.kind();
  }
  RegionObject* b = LookupRegion(src2);
  if (!b) return ERROR;
  Region r;
  switch (mode) {
    case RGN_AND: r = RegionAnd(a->rgn, b->rgn); break;
    case RGN_OR: r = RegionOr(a->rgn, b->rgn); break;
    case RGN_XOR: r = RegionXor(a->rgn, b->rgn); break;
    case RGN_DIFF: r = RegionDiff(a->rgn, b->rgn); break;
    default: return ERROR;
  }
  d->rgn = std::move(r);
  return d->rgn.kind();
}

BOOL WINAPI SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  RegionObject* r = LookupRegion(rgn);
  if (!r) return FALSE;
  r->rgn = RegionFromRect(RECT{left, top, right, bottom});
  return TRUE;
}

int WINAPI OffsetRgn(HRGN rgn, int dx, int dy) {
  RegionObject* r = LookupRegion(rgn);
  if (!r) return ERROR;
  RegionOffset(r->rgn, dx, dy);
  return r->rgn.kind();
}

int WINAPI GetRgnBox(HRGN rgn, LPRECT rect) {
  RegionObject* r = LookupRegion(rgn);
  if (!r || !rect) return ERROR;
  *rect = r->rgn.box();
  return r->rgn.kind();
}

BOOL WINAPI PtInRegion(HRGN rgn, int x, int y) {
  RegionObject* r = LookupRegion(rgn);
  return r && RegionContains(r->rgn, x, y);
}

BOOL WINAPI RectInRegion(HRGN rgn, const RECT* rect) {
  RegionObject* r = LookupRegion(rgn);
  if (!r || !rect) return FALSE;
  return !RegionAnd(r->rgn, RegionFromRect(*rect)).empty();
}

BOOL WINAPI EqualRgn(HRGN a, HRGN b) {
  RegionObject* x = LookupRegion(a);
  RegionObject* y = LookupRegion(b);
  if (!x || !y) return FALSE;
  return RegionXor(x->rgn, y->rgn).empty();
}
