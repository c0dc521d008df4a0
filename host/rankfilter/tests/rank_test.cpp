// Maximum and Minimum against a brute-force disk on random masks, and the
// handling of bad calls.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imgcore.h"
#include "mask_buffers.h"
#include "rank_rows.h"
#include "rankfilter.h"

namespace {

struct Mask {
  LONG width, height;
  std::vector<BYTE> bytes;
};

HBUF Upload(const Mask& m) { return lvtest::MaskOf(m.width, m.height, m.bytes); }

// Every pixel takes the extreme over the element's offsets that stay in
// the image.
std::vector<BYTE> BruteForce(const Mask& m, LONG r, LONG shape, bool greatest) {
  std::vector<BYTE> out(m.bytes.size());
  for (LONG y = 0; y < m.height; ++y) {
    for (LONG x = 0; x < m.width; ++x) {
      int best = greatest ? 0 : 255;
      for (LONG dy = -r; dy <= r; ++dy) {
        for (LONG dx = -r; dx <= r; ++dx) {
          if (shape == RANK_DISK && dx * dx + dy * dy > r * r) continue;
          LONG sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= m.width || sy >= m.height) continue;
          int v = m.bytes[static_cast<size_t>(sy * m.width + sx)];
          best = greatest ? std::max(best, v) : std::min(best, v);
        }
      }
      out[static_cast<size_t>(y * m.width + x)] = static_cast<BYTE>(best);
    }
  }
  return out;
}

// Sparse blobs and noise: grey values, large empty and full areas.
Mask RandomMask(std::mt19937& rng, LONG width, LONG height) {
  Mask m{width, height, std::vector<BYTE>(static_cast<size_t>(width * height))};
  std::uniform_int_distribution<int> kind(0, 9), value(0, 255);
  for (BYTE& b : m.bytes) {
    int k = kind(rng);
    b = static_cast<BYTE>(k == 0 ? value(rng) : (k < 4 ? 255 : 0));
  }
  return m;
}

TEST(RankFilter, MatchesBruteForceDiskForRadii0To25) {
  std::mt19937 rng(20261208);
  const LONG sizes[][2] = {{37, 23}, {1, 9}, {9, 1}, {60, 41}};
  for (LONG r = 0; r <= 25; ++r) {
    const LONG* size = sizes[r % 4];
    Mask m = RandomMask(rng, size[0], size[1]);
    HBUF src = Upload(m);
    for (bool greatest : {true, false}) {
      HBUF out = 0;
      LONG result =
          greatest ? Maximum(src, &out, r, RANK_DISK, 0) : Minimum(src, &out, r, RANK_DISK, 0);
      ASSERT_EQ(result, RANK_OK);
      EXPECT_EQ(lvtest::BytesOf(out), BruteForce(m, r, RANK_DISK, greatest))
          << (greatest ? "Maximum" : "Minimum") << " radius " << r << " on " << size[0] << "x"
          << size[1];
      buf32Free(out);
    }
    buf32Free(src);
  }
}

TEST(RankFilter, SquareElementAndRadiusBeyondTheImage) {
  std::mt19937 rng(7);
  const LONG radii[] = {1, 4, 100, 0x7FFFFFFF};
  for (LONG r : radii) {
    Mask m = RandomMask(rng, 13, 11);
    HBUF src = Upload(m);
    for (LONG shape : {RANK_DISK, RANK_SQUARE}) {
      HBUF grown = 0, shrunk = 0;
      ASSERT_EQ(Maximum(src, &grown, r, shape, 0), RANK_OK);
      ASSERT_EQ(Minimum(src, &shrunk, r, shape, 0), RANK_OK);
      LONG brute = std::min<LONG>(r, 30);  // beyond the diagonal all is one
      EXPECT_EQ(lvtest::BytesOf(grown), BruteForce(m, brute, shape, true)) << r << " shape " << shape;
      EXPECT_EQ(lvtest::BytesOf(shrunk), BruteForce(m, brute, shape, false)) << r << " shape " << shape;
      buf32Free(grown);
      buf32Free(shrunk);
    }
    buf32Free(src);
  }
}

TEST(RankFilter, RadiusTwoDiskHasItsExactShape) {
  // A single dot grows into the 13 offsets with dx^2 + dy^2 <= 4.
  Mask m{5, 5, std::vector<BYTE>(25, 0)};
  m.bytes[12] = 200;
  HBUF src = Upload(m), out = 0;
  ASSERT_EQ(Maximum(src, &out, 2, RANK_DISK, 0), RANK_OK);
  const std::vector<BYTE> disk = {0,   0,   200, 0,   0,   0,   200, 200, 200, 0,   200, 200, 200,
                                  200, 200, 0,   200, 200, 200, 0,   0,   0,   200, 0,   0};
  EXPECT_EQ(lvtest::BytesOf(out), disk);
  buf32Free(out);
  buf32Free(src);
}

TEST(RankFilter, RingAndScatterWaysAgreeWithBruteForce) {
  // Maximum picks one way by memory; both are checked here directly.
  std::mt19937 rng(11);
  for (LONG r : {0, 1, 2, 3, 7, 12}) {
    Mask m = RandomMask(rng, 29, 19);
    for (LONG shape : {RANK_DISK, RANK_SQUARE}) {
      rankfilter::Element e = rankfilter::MakeElement(r, shape, m.width, m.height);
      std::vector<BYTE> ring(m.bytes.size()), scatter(m.bytes.size());
      rankfilter::RunRing<rankfilter::Lesser>(m.bytes.data(), ring.data(), m.width, m.height, e);
      rankfilter::RunScatter<rankfilter::Lesser>(m.bytes.data(), scatter.data(), m.width, m.height,
                                                 e);
      std::vector<BYTE> expected = BruteForce(m, r, shape, false);
      EXPECT_EQ(ring, expected) << "ring, radius " << r << " shape " << shape;
      EXPECT_EQ(scatter, expected) << "scatter, radius " << r << " shape " << shape;
    }
  }
}

TEST(RankFilter, BadCallsFailCleanly) {
  Mask m{4, 4, std::vector<BYTE>(16, 9)};
  HBUF src = Upload(m), rgb = 0;
  ASSERT_TRUE(buf32Alloc(&rgb, 24, 4, 4, BUF_KIND_PLAIN, nullptr));
  LONG live = buf32LiveCount();
  HBUF out = 77;
  EXPECT_EQ(Maximum(src, &out, -1, RANK_DISK, 0), RANK_ERR_ARGUMENT);
  EXPECT_EQ(out, 0u);
  EXPECT_EQ(Maximum(src, &out, 1, 2, 0), RANK_ERR_ARGUMENT);
  EXPECT_EQ(Minimum(src, &out, 1, RANK_DISK, 5), RANK_ERR_ARGUMENT);
  EXPECT_EQ(Minimum(rgb, &out, 1, RANK_DISK, 0), RANK_ERR_ARGUMENT);
  EXPECT_EQ(Minimum(0, &out, 1, RANK_DISK, 0), RANK_ERR_ARGUMENT);
  EXPECT_EQ(Minimum(src, nullptr, 1, RANK_DISK, 0), RANK_ERR_ARGUMENT);
  EXPECT_EQ(buf32LiveCount(), live);
  EXPECT_EQ(lvtest::BytesOf(src), m.bytes);
  buf32Free(rgb);
  buf32Free(src);
}

}  // namespace
