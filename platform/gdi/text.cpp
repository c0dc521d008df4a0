// Text output: TextOutA, ExtTextOutA and the formatting of DrawTextA.
#include <algorithm>
#include <cstring>
#include <string>

#include "gdi_internal.h"

using namespace lvgdi;

namespace {

// Left edge and top of a string of the given width for the DC's alignment.
void AlignedOrigin(const Dc* dc, const Font& f, int x, int y, int width, int* left, int* top) {
  UINT a = dc->st.textAlign;
  if ((a & TA_CENTER) == TA_CENTER)
    *left = x - width / 2;
  else if (a & TA_RIGHT)
    *left = x - width;
  else
    *left = x;
  if ((a & TA_BASELINE) == TA_BASELINE)
    *top = y - FontAscent(f);
  else if (a & TA_BOTTOM)
    *top = y - FontHeight(f);
  else
    *top = y;
}

// A line of DrawText output: its characters and which one is underlined.
struct Line {
  std::string text;
  int underline = -1;  // index into text, -1 none
};

// Removes '&' prefixes: "&&" is a literal '&', '&x' underlines x.
Line StripPrefix(const std::string& s, bool process) {
  Line line;
  if (!process) {
    line.text = s;
    return line;
  }
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != '&') line.underline = (int)line.text.size();
    } else if (s[i] == '&') {
      continue;
    }
    line.text += s[i];
  }
  return line;
}

std::string ExpandTabs(const std::string& s, const Font& f, int tabChars) {
  int tabWidth = std::max(1, tabChars) * CharAdvance(f, ' ');
  std::string out;
  int w = 0;
  for (char c : s) {
    if (c == '\t') {
      int next = (w / tabWidth + 1) * tabWidth;
      while (w < next) {
        out += ' ';
        w += CharAdvance(f, ' ');
      }
    } else {
      out += c;
      w += CharAdvance(f, (unsigned char)c);
    }
  }
  return out;
}

// Splits text into lines at line breaks and, with DT_WORDBREAK, at spaces
// so that each line fits maxWidth (a word longer than the width stays whole).
std::vector<std::string> SplitLines(const std::string& text, UINT format, const Font& f,
                                    int maxWidth) {
  std::vector<std::string> paragraphs;
  if (format & DT_SINGLELINE) {
    std::string one;
    for (char c : text)
      if (c != '\r' && c != '\n') one += c;
    paragraphs.push_back(one);
  } else {
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (c == '\r' || c == '\n') {
        paragraphs.push_back(cur);
        cur.clear();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      } else {
        cur += c;
      }
    }
    paragraphs.push_back(cur);
  }
  if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) return paragraphs;
  std::vector<std::string> lines;
  bool prefix = !(format & DT_NOPREFIX);
  auto width = [&](const std::string& s) {
    Line l = StripPrefix(s, prefix);
    return TextWidth(f, l.text.data(), (int)l.text.size());
  };
  for (const std::string& p : paragraphs) {
    if (p.empty()) {
      lines.push_back(p);
      continue;
    }
    size_t pos = 0;
    while (pos < p.size()) {
      // The longest run of whole words from pos that fits; at least one word.
      size_t best = std::string::npos;
      size_t from = pos;
      while (true) {
        size_t end = p.find(' ', from);
        if (end == std::string::npos) end = p.size();
        if (best != std::string::npos && width(p.substr(pos, end - pos)) > maxWidth) break;
        best = end;
        if (end >= p.size()) break;
        from = end + 1;
      }
      std::string piece = p.substr(pos, best - pos);
      while (!piece.empty() && piece.back() == ' ') piece.pop_back();
      lines.push_back(piece);
      pos = best;
      while (pos < p.size() && p[pos] == ' ') ++pos;
    }
  }
  return lines;
}

// Shortens a line with "..." so that it fits maxWidth.
void AddEllipsis(Line& line, const Font& f, int maxWidth) {
  if (TextWidth(f, line.text.data(), (int)line.text.size()) <= maxWidth) return;
  int dots = TextWidth(f, "...", 3);
  std::string s = line.text;
  while (!s.empty() && TextWidth(f, s.data(), (int)s.size()) + dots > maxWidth) s.pop_back();
  if (line.underline >= (int)s.size()) line.underline = -1;
  line.text = s + "...";
}

void DrawLine(Target& t, const Font& f, const Line& line, int x, int y, const RECT* clip,
              bool underlinePrefix) {
  Dc* dc = t.dc;
  uint32_t fg = ResolveColor(dc, dc->st.textColor);
  int width = TextWidth(f, line.text.data(), (int)line.text.size());
  if (dc->st.bkMode == OPAQUE) {
    Target local = t;
    Ink bk;
    bk.rgb = ResolveColor(dc, dc->st.bkColor);
    RECT box{x, y, x + width, y + FontHeight(f)};
    if (clip) {
      box.left = std::max(box.left, clip->left);
      box.top = std::max(box.top, clip->top);
      box.right = std::min(box.right, clip->right);
      box.bottom = std::min(box.bottom, clip->bottom);
    }
    FillCanvasRect(local, box.left, box.top, box.right, box.bottom, bk);
  }
  DrawGlyphRun(t, x, y, line.text.data(), (int)line.text.size(), nullptr, fg, clip, f);
  if (underlinePrefix && line.underline >= 0) {
    int ux = x + TextWidth(f, line.text.data(), line.underline);
    int uw = CharAdvance(f, (unsigned char)line.text[(size_t)line.underline]) - f.scale;
    Target local = t;
    if (clip) {
      local.clips.clear();
      for (const RECT& r : t.clips) {
        RECT c{std::max(r.left, clip->left), std::max(r.top, clip->top),
               std::min(r.right, clip->right), std::min(r.bottom, clip->bottom)};
        if (c.left < c.right && c.top < c.bottom) local.clips.push_back(c);
      }
    }
    Ink ink;
    ink.rgb = fg;
    FillCanvasRect(local, ux, y + (kFontAscent + 1) * f.scale, ux + uw,
                   y + (kFontAscent + 2) * f.scale, ink);
  }
}

int DrawTextImpl(HDC hdc, const char* text, int count, LPRECT rect, UINT format,
                 DRAWTEXTPARAMS* params) {
  Target t = MakeTarget(hdc);
  if (!t.dc || !rect || (!text && count != 0)) return 0;
  if (count < 0) count = text ? (int)strlen(text) : 0;
  const Font& f = CurrentFont(t.dc);
  int leftMargin = params ? params->iLeftMargin : 0;
  int rightMargin = params ? params->iRightMargin : 0;
  int tabChars = params && params->iTabLength > 0 ? params->iTabLength : 8;
  if ((format & DT_TABSTOP) && !params) tabChars = (int)((format >> 8) & 0xFF);
  RECT area{rect->left + leftMargin, rect->top, rect->right - rightMargin, rect->bottom};
  int areaWidth = area.right - area.left;
  std::string s(text ? text : "", (size_t)count);
  if (format & DT_EXPANDTABS) s = ExpandTabs(s, f, tabChars);
  std::vector<std::string> raw = SplitLines(s, format, f, areaWidth);
  bool prefix = !(format & DT_NOPREFIX);
  std::vector<Line> lines;
  int maxWidth = 0;
  for (const std::string& r : raw) {
    Line l = StripPrefix(r, prefix);
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) AddEllipsis(l, f, areaWidth);
    maxWidth = std::max(maxWidth, TextWidth(f, l.text.data(), (int)l.text.size()));
    lines.push_back(std::move(l));
  }
  int lineHeight = FontHeight(f);
  int textHeight = lineHeight * (int)lines.size();
  if (params) params->uiLengthDrawn = (UINT)count;
  if (format & DT_CALCRECT) {
    rect->right = rect->left + leftMargin + maxWidth + rightMargin;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }
  int y = area.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      y = area.top + ((area.bottom - area.top) - textHeight) / 2;
    else if (format & DT_BOTTOM)
      y = area.bottom - textHeight;
  }
  if (t.ok()) {
    RECT clip{rect->left + t.dx, rect->top + t.dy, rect->right + t.dx, rect->bottom + t.dy};
    const RECT* clipPtr = (format & DT_NOCLIP) ? nullptr : &clip;
    for (size_t i = 0; i < lines.size(); ++i) {
      const Line& l = lines[i];
      int w = TextWidth(f, l.text.data(), (int)l.text.size());
      int x = area.left;
      if (format & DT_CENTER)
        x = area.left + (areaWidth - w) / 2;
      else if (format & DT_RIGHT)
        x = area.right - w;
      int ly = y + (int)i * lineHeight;
      DrawLine(t, f, l, x + t.dx, ly + t.dy, clipPtr, !(format & DT_HIDEPREFIX));
    }
  }
  if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
    return y + textHeight - rect->top;
  return textHeight;
}

}  // namespace

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                        UINT count, const INT* dx) {
  Target t = MakeTarget(hdc);
  if (!t.dc || (!text && count > 0) || count > 0x7FFFFFF) return FALSE;
  Dc* dc = t.dc;
  const Font& f = CurrentFont(dc);
  int width = 0;
  if (dx)
    for (UINT i = 0; i < count; ++i) width += dx[i];
  else
    width = TextWidth(f, text, (int)count);
  if (dc->st.textAlign & TA_UPDATECP) {
    x = dc->st.curPos.x;
    y = dc->st.curPos.y;
  }
  int left, top;
  AlignedOrigin(dc, f, x, y, width, &left, &top);
  if (dc->st.textAlign & TA_UPDATECP) {
    if ((dc->st.textAlign & TA_CENTER) == TA_CENTER)
      ;  // the current position stays
    else if (dc->st.textAlign & TA_RIGHT)
      dc->st.curPos.x = left;
    else
      dc->st.curPos.x = left + width;
  }
  if (!t.ok()) return TRUE;
  uint32_t bk = ResolveColor(dc, dc->st.bkColor);
  RECT clip{};
  const RECT* clipPtr = nullptr;
  if (rect) {
    clip = RECT{rect->left + t.dx, rect->top + t.dy, rect->right + t.dx, rect->bottom + t.dy};
    Ink ink;
    ink.rgb = bk;
    if (options & ETO_OPAQUE) FillCanvasRect(t, clip.left, clip.top, clip.right, clip.bottom, ink);
    if (options & ETO_CLIPPED) clipPtr = &clip;
  }
  int cx = left + t.dx, cy = top + t.dy;
  if (dc->st.bkMode == OPAQUE && count > 0) {
    Ink ink;
    ink.rgb = bk;
    RECT box{cx, cy, cx + width, cy + FontHeight(f)};
    if (clipPtr) {
      box.left = std::max(box.left, clip.left);
      box.top = std::max(box.top, clip.top);
      box.right = std::min(box.right, clip.right);
      box.bottom = std::min(box.bottom, clip.bottom);
    }
    FillCanvasRect(t, box.left, box.top, box.right, box.bottom, ink);
  }
  DrawGlyphRun(t, cx, cy, text, (int)count, dx, ResolveColor(dc, dc->st.textColor), clipPtr, f);
  return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutA(hdc, x, y, 0, nullptr, text, (UINT)count, nullptr);
}

int WINAPI DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
  return DrawTextImpl(hdc, text, count, rect, format, nullptr);
}

int WINAPI DrawTextExA(HDC hdc, LPSTR text, int count, LPRECT rect, UINT format,
                       LPDRAWTEXTPARAMS params) {
  if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  return DrawTextImpl(hdc, text, count, rect, format, params);
}
