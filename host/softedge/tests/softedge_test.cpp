// CreateSoftEdgeMask: values at known distances, range, monotony, and the
// distance transform against brute force.
#include "softedge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "distance.h"
#include "imgcore.h"
#include "mask_buffers.h"

namespace {

using lvtest::BytesOf;
using lvtest::MaskOf;

// Columns 10..29 of a 40 x 3 mask are the object: along a row the
// distance to the edge is exact.
std::vector<BYTE> Stripe() {
  std::vector<BYTE> m(120, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 10; x < 30; ++x) m[static_cast<size_t>(y * 40 + x)] = 255;
  }
  return m;
}

std::vector<BYTE> SoftRow(LONG radius, LONG mode, LONG profile) {
  HBUF src = MaskOf(40, 3, Stripe()), out = 0;
  EXPECT_EQ(CreateSoftEdgeMask(src, radius, mode, profile, &out, 1), SOFTEDGE_OK);
  std::vector<BYTE> all = BytesOf(out);
  buf32Free(out);
  buf32Free(src);
  // The middle row: above and below lies the image's edge, which counts as
  // outside, so take the row whose nearest outside is along the row only
  // at distances below 1.5.
  return std::vector<BYTE>(all.begin() + 40, all.begin() + 80);
}

TEST(SoftEdge, RampValuesAcrossTheEdge) {
  // Column 9 is 0.5 outside the edge, column 10 is 0.5 inside.
  struct Case {
    LONG mode;
    int column;
    BYTE expected;
  };
  const Case cases[] = {
      {SOFTEDGE_CENTRED, 9, 112},   // 255 (4 - 0.5) / 8 = 111.6
      {SOFTEDGE_CENTRED, 10, 143},  // 255 (4 + 0.5) / 8 = 143.4
      {SOFTEDGE_CENTRED, 6, 16},    // 3.5 out: 255 x 0.5 / 8 = 15.9
      {SOFTEDGE_CENTRED, 5, 0},    {SOFTEDGE_INSIDE, 9, 0},
      {SOFTEDGE_INSIDE, 10, 32},                                // 255 x 0.5 / 4 = 31.9
      {SOFTEDGE_OUTSIDE, 10, 255}, {SOFTEDGE_OUTSIDE, 9, 223},  // 255 x 3.5 / 4 = 223.1
      {SOFTEDGE_OUTSIDE, 6, 32},
  };
  // Only one row is tested, and its nearest outside pixel is above or
  // below (1 away) except near the stripe's ends: use radius 4 on the
  // edge columns, where the horizontal distance 0.5 is the nearest.
  for (const Case& c : cases) {
    std::vector<BYTE> row = SoftRow(4, c.mode, SOFTEDGE_LINEAR);
    EXPECT_EQ(row[static_cast<size_t>(c.column)], c.expected)
        << "mode " << c.mode << " column " << c.column;
  }
}

TEST(SoftEdge, EdgePixelsFollowTheirCoverage) {
  // The stripe's left edge column with values 255, 200, 128, 100: the
  // edge moves with the coverage, d = (v - 127.5) / 255.
  struct Case {
    BYTE inner, outer;  // columns 10 and 9
    BYTE expected10, expected9;
  };
  const Case cases[] = {
      {255, 0, 143, 112},    // 0.5 and -0.5: 255 (4 +- 0.5) / 8
      {200, 0, 137, 112},    // 0.284: 255 x 4.284 / 8 = 136.6
      {128, 0, 128, 112},    // 0.002
      {255, 100, 143, 124},  // -0.108: 255 x 3.892 / 8 = 124.1
  };
  for (const Case& c : cases) {
    std::vector<BYTE> m = Stripe();
    for (int y = 0; y < 3; ++y) {
      m[static_cast<size_t>(y * 40 + 10)] = c.inner;
      m[static_cast<size_t>(y * 40 + 9)] = c.outer;
    }
    HBUF src = MaskOf(40, 3, m), out = 0;
    ASSERT_EQ(CreateSoftEdgeMask(src, 4, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, &out, 1), SOFTEDGE_OK);
    std::vector<BYTE> v = BytesOf(out);
    EXPECT_EQ(v[50], c.expected10) << int(c.inner) << "/" << int(c.outer);
    EXPECT_EQ(v[49], c.expected9) << int(c.inner) << "/" << int(c.outer);
    buf32Free(out);
    buf32Free(src);
  }
}

TEST(SoftEdge, RadiusZeroIsTheHardObject) {
  std::vector<BYTE> in = {0, 127, 128, 255, 10, 200};
  HBUF src = MaskOf(3, 2, in), out = 0;
  ASSERT_EQ(CreateSoftEdgeMask(src, 0, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, &out, 1), SOFTEDGE_OK);
  EXPECT_EQ(BytesOf(out), (std::vector<BYTE>{0, 0, 255, 255, 0, 255}));
  buf32Free(out);
  buf32Free(src);
}

// A random blob mask: a few discs.
std::vector<BYTE> Blobs(std::mt19937& rng, int w, int h, int count) {
  std::vector<BYTE> m(static_cast<size_t>(w * h), 0);
  std::uniform_int_distribution<int> px(0, w - 1), py(0, h - 1), pr(1, 8);
  for (int i = 0; i < count; ++i) {
    int cx = px(rng), cy = py(rng), r = pr(rng);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
          m[static_cast<size_t>(y * w + x)] = 255;
      }
    }
  }
  return m;
}

TEST(SoftEdge, InRangeAndMonotonicInTheObject) {
  std::mt19937 rng(99);
  const int w = 50, h = 40;
  for (LONG mode : {SOFTEDGE_OUTSIDE, SOFTEDGE_INSIDE, SOFTEDGE_CENTRED}) {
    for (LONG profile : {SOFTEDGE_LINEAR, SOFTEDGE_SMOOTH}) {
      std::vector<BYTE> small = Blobs(rng, w, h, 4);
      std::vector<BYTE> large = small;
      std::vector<BYTE> extra = Blobs(rng, w, h, 3);
      for (size_t i = 0; i < large.size(); ++i) large[i] = std::max(large[i], extra[i]);
      HBUF a = MaskOf(w, h, small), b = MaskOf(w, h, large), sa = 0, sb = 0;
      ASSERT_EQ(CreateSoftEdgeMask(a, 6, mode, profile, &sa, 1), SOFTEDGE_OK);
      ASSERT_EQ(CreateSoftEdgeMask(b, 6, mode, profile, &sb, 1), SOFTEDGE_OK);
      std::vector<BYTE> va = BytesOf(sa), vb = BytesOf(sb);
      for (size_t i = 0; i < va.size(); ++i) {
        ASSERT_LE(va[i], vb[i]) << "a larger object never gets less, pixel " << i;
        if (small[i] == 0 && mode == SOFTEDGE_INSIDE) {
          ASSERT_EQ(va[i], 0) << "nothing outside the object, pixel " << i;
        }
        if (small[i] == 255 && mode == SOFTEDGE_OUTSIDE) {
          ASSERT_EQ(va[i], 255) << "the object stays whole, pixel " << i;
        }
      }
      buf32Free(a);
      buf32Free(b);
      buf32Free(sa);
      buf32Free(sb);
    }
  }
}

TEST(SoftEdge, RowFromOutsideInwardNeverFalls) {
  std::vector<BYTE> row = SoftRow(6, SOFTEDGE_CENTRED, SOFTEDGE_SMOOTH);
  for (int x = 1; x <= 19; ++x)
    EXPECT_LE(row[static_cast<size_t>(x - 1)], row[static_cast<size_t>(x)]) << x;
  for (int x = 20; x < 39; ++x)
    EXPECT_GE(row[static_cast<size_t>(x)], row[static_cast<size_t>(x + 1)]) << x;
}

TEST(SoftEdge, InPlaceAndBadCalls) {
  HBUF src = MaskOf(40, 3, Stripe()), rgb = 0;
  ASSERT_TRUE(buf32Alloc(&rgb, 24, 4, 4, BUF_KIND_PLAIN, nullptr));
  LONG live = buf32LiveCount();
  HBUF out = 5;
  EXPECT_EQ(CreateSoftEdgeMask(src, -1, 2, 0, &out, 1), SOFTEDGE_ERR_ARGUMENT);
  EXPECT_EQ(out, 0u);
  EXPECT_EQ(CreateSoftEdgeMask(src, 3, 3, 0, &out, 1), SOFTEDGE_ERR_ARGUMENT);
  EXPECT_EQ(CreateSoftEdgeMask(src, 3, 2, 2, &out, 1), SOFTEDGE_ERR_ARGUMENT);
  EXPECT_EQ(CreateSoftEdgeMask(src, 3, 2, 0, nullptr, 1), SOFTEDGE_ERR_ARGUMENT);
  EXPECT_EQ(CreateSoftEdgeMask(src, 3, 2, 0, &out, 2), SOFTEDGE_ERR_ARGUMENT);
  EXPECT_EQ(CreateSoftEdgeMask(rgb, 3, 2, 0, &out, 1), SOFTEDGE_ERR_ARGUMENT);
  EXPECT_EQ(CreateSoftEdgeMask(0, 3, 2, 0, &out, 1), SOFTEDGE_ERR_ARGUMENT);
  EXPECT_EQ(buf32LiveCount(), live);
  EXPECT_EQ(BytesOf(src), Stripe());
  ASSERT_EQ(CreateSoftEdgeMask(src, 4, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, nullptr, 0), SOFTEDGE_OK);
  std::vector<BYTE> inPlace = BytesOf(src);
  EXPECT_EQ(std::vector<BYTE>(inPlace.begin() + 40, inPlace.begin() + 80),
            SoftRow(4, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR));
  buf32Free(rgb);
  buf32Free(src);
}

// Brute force: the squared distance from (x, y) to the nearest site of a
// `w` wide field, or `limit` when every site lies farther.
long NearestSiteSquared(const std::vector<uint8_t>& sites, size_t w, size_t x, size_t y, long limit) {
  long best = limit;
  for (size_t s = 0; s < sites.size(); ++s) {
    if (!sites[s]) continue;
    const long dx = static_cast<long>(x) - static_cast<long>(s % w);
    const long dy = static_cast<long>(y) - static_cast<long>(s / w);
    best = std::min(best, dx * dx + dy * dy);
  }
  return best;
}

TEST(DistanceTransform, CappedMatchesBruteForce) {
  std::mt19937 rng(5);
  const size_t w = 40, h = 23;
  std::bernoulli_distribution site(0.02);
  for (long cap : {1L, 3L, 9L, 64L}) {
    std::vector<uint8_t> sites(w * h);
    for (size_t i = 0; i < sites.size(); ++i) sites[i] = site(rng);
    std::vector<float> d = softedge::CappedSquaredDistances(sites, w, h, cap);
    for (size_t y = 0; y < h; ++y) {
      for (size_t x = 0; x < w; ++x) {
        ASSERT_EQ(d[y * w + x], static_cast<float>(NearestSiteSquared(sites, w, x, y, cap * cap)))
            << x << "," << y << " cap " << cap;
      }
    }
  }
}

TEST(SoftEdge, LargeRadiusTakesTheExactTransformAlike) {
  // Radius 70 takes the uncapped transform, 63 the capped one; on a mask
  // whose distances all stay below 63 both give the same ramp scaled.
  std::vector<BYTE> m(60 * 50, 0);
  for (int y = 10; y < 40; ++y) {
    for (int x = 5 + y / 3; x < 45; ++x) m[static_cast<size_t>(y * 60 + x)] = 255;
  }
  HBUF src = MaskOf(60, 50, m), a = 0, b = 0;
  ASSERT_EQ(CreateSoftEdgeMask(src, 63, SOFTEDGE_INSIDE, SOFTEDGE_LINEAR, &a, 1), SOFTEDGE_OK);
  ASSERT_EQ(CreateSoftEdgeMask(src, 70, SOFTEDGE_INSIDE, SOFTEDGE_LINEAR, &b, 1), SOFTEDGE_OK);
  std::vector<BYTE> va = BytesOf(a), vb = BytesOf(b);
  for (size_t i = 0; i < va.size(); ++i) {
    // 255 d / 63 against 255 d / 70 from the same distance d.
    double d = va[i] * 63.0 / 255.0;
    ASSERT_NEAR(vb[i], 255.0 * d / 70.0, 1.0) << i;
  }
  buf32Free(a);
  buf32Free(b);
  buf32Free(src);
}

TEST(DistanceTransform, MatchesBruteForce) {
  std::mt19937 rng(3);
  const size_t w = 31, h = 17;
  std::bernoulli_distribution site(0.03);
  std::vector<uint8_t> sites(w * h);
  for (size_t i = 0; i < sites.size(); ++i) sites[i] = site(rng);
  sites[5] = 1;
  std::vector<float> d = softedge::SquaredDistances(sites, w, h);
  for (size_t y = 0; y < h; ++y) {
    for (size_t x = 0; x < w; ++x) {
      const long unlimited = std::numeric_limits<long>::max();
      ASSERT_EQ(d[y * w + x], static_cast<float>(NearestSiteSquared(sites, w, x, y, unlimited)))
          << x << "," << y;
    }
  }
}

}  // namespace
