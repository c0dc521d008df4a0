// cvt32BufType in convert mode: every target from every source type, by
// value, and palette quality.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <imgconvert.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "dib_builder.h"

namespace {

using cvttest::Colours;
using cvttest::Image;
using cvttest::MakeBuffer;
using cvttest::MakePalette;
using cvttest::Pixels;

// A source buffer with its palette (owned).
struct Source {
  HBUF buffer = 0;
  HPALETTE palette = 0;
  Source(LONG format, LONG width, LONG height, const std::vector<uint8_t>& rows,
         const std::vector<uint32_t>& colours = {})
      : buffer(MakeBuffer(format, width, height, rows)),
        palette(colours.empty() ? 0 : MakePalette(colours)) {}
  Source(const Source&) = delete;
  Source& operator=(const Source&) = delete;
  ~Source() {
    buf32Free(buffer);
    if (palette) DeleteObject(palette);
  }
};

bool Convert(const Source& s, LONG target, Image* out, CVT32OPTIONS* options = nullptr) {
  out->type = target;
  return cvt32BufType(CVT32_MODE_CONVERT, 0, s.buffer, target, s.palette, &out->buffer,
                      &out->palette, options, 0, 0, 0) != 0;
}

CVT32OPTIONS Defaults(LONG target) {
  CVT32OPTIONS o{};
  EXPECT_TRUE(cvt32GetDefOptionsEx(target, &o));
  return o;
}

// Four pixels of known colours in every source type: red, green, blue, a
// grey (the hi-colour source holds the nearest 5-5-5 values).
struct SourceCase {
  const char* name;
  LONG format;
  std::vector<uint8_t> rows;
  std::vector<uint32_t> palette;
  std::vector<uint8_t> asRgb;   // the four pixels as RGB
  std::vector<uint8_t> asGrey;  // and as grey
};

void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name; }

std::vector<SourceCase> Sources() {
  return {
      {"rgb", 24, {255, 0, 0, 0, 255, 0, 0, 0, 255, 100, 100, 100}, {},
       {255, 0, 0, 0, 255, 0, 0, 0, 255, 100, 100, 100}, {76, 150, 29, 100}},
      {"hicolour", 16, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x8C, 0x31}, {},
       {255, 0, 0, 0, 255, 0, 0, 0, 255, 99, 99, 99}, {76, 150, 29, 99}},
      {"indexed", 8, {2, 0, 1, 3}, {0x00FF00, 0x0000FF, 0xFF0000, 0x646464},
       {255, 0, 0, 0, 255, 0, 0, 0, 255, 100, 100, 100}, {76, 150, 29, 100}},
      {"grey", 8, {0, 76, 255, 100}, {}, {0, 0, 0, 76, 76, 76, 255, 255, 255, 100, 100, 100},
       {0, 76, 255, 100}},
      {"bw", 1, {0x50}, {}, {0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255}, {0, 255, 0, 255}},
  };
}

class FromEverySource : public testing::TestWithParam<SourceCase> {};

TEST_P(FromEverySource, ToTrueColour) {
  const SourceCase& c = GetParam();
  Source s(c.format, 4, 1, c.rows, c.palette);
  Image out;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_RGB, &out));
  EXPECT_EQ(Pixels(out.buffer), c.asRgb);
  EXPECT_EQ(out.palette, 0u);
  EXPECT_EQ(Pixels(s.buffer), c.rows) << "source changed";
}

TEST_P(FromEverySource, ToGrey) {
  const SourceCase& c = GetParam();
  Source s(c.format, 4, 1, c.rows, c.palette);
  Image out;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_GREY, &out));
  EXPECT_EQ(Pixels(out.buffer), c.asGrey);
}

TEST_P(FromEverySource, ToHiColour) {
  const SourceCase& c = GetParam();
  Source s(c.format, 4, 1, c.rows, c.palette);
  Image out;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_HICOLOR, &out));
  std::vector<uint8_t> expected;
  for (size_t i = 0; i < 12; i += 3) {
    unsigned v = (c.asRgb[i] >> 3) << 10 | (c.asRgb[i + 1] >> 3) << 5 | (c.asRgb[i + 2] >> 3);
    expected.push_back(static_cast<uint8_t>(v & 0xFF));
    expected.push_back(static_cast<uint8_t>(v >> 8));
  }
  EXPECT_EQ(Pixels(out.buffer), expected);
}

TEST_P(FromEverySource, ToIndexedLosslessly) {
  const SourceCase& c = GetParam();
  Source s(c.format, 4, 1, c.rows, c.palette);
  for (LONG target : {CVT32_TYPE_INDEXED256, CVT32_TYPE_INDEXED16}) {
    Image out;
    ASSERT_TRUE(Convert(s, target, &out)) << target;
    ASSERT_NE(out.palette, 0u);
    std::vector<uint32_t> colours = Colours(out.palette);
    std::vector<uint8_t> indices = Pixels(out.buffer);
    for (size_t x = 0; x < 4; ++x) {
      ASSERT_LT(indices[x], colours.size());
      uint32_t want = static_cast<uint32_t>(c.asRgb[3 * x]) << 16 | c.asRgb[3 * x + 1] << 8 |
                      c.asRgb[3 * x + 2];
      EXPECT_EQ(colours[indices[x]], want) << "pixel " << x << " to " << target;
    }
  }
}

TEST_P(FromEverySource, ToBlackAndWhiteByThreshold) {
  const SourceCase& c = GetParam();
  Source s(c.format, 4, 1, c.rows, c.palette);
  CVT32OPTIONS o = Defaults(CVT32_TYPE_BW);
  o.threshold = 90;
  Image out;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_BW, &out, &o));
  uint8_t expected = 0;
  for (int x = 0; x < 4; ++x) {
    if (c.asGrey[x] >= 90) expected = static_cast<uint8_t>(expected | (0x80 >> x));
  }
  EXPECT_EQ(Pixels(out.buffer), std::vector<uint8_t>{expected});
  EXPECT_EQ(Colours(out.palette), (std::vector<uint32_t>{0x000000, 0xFFFFFF}));
}

INSTANTIATE_TEST_SUITE_P(Types, FromEverySource, testing::ValuesIn(Sources()),
                         [](const testing::TestParamInfo<SourceCase>& info) {
                           return std::string(info.param.name);
                         });

struct ThresholdCase {
  LONG threshold;
  uint8_t bits;  // of the greys 0, 127, 128, 200, 255
};

TEST(ToBlackAndWhite, ThresholdIsInclusiveAndZeroMeans128) {
  const ThresholdCase cases[] = {{0, 0x38}, {128, 0x38}, {1, 0x78}, {200, 0x18}, {255, 0x08}};
  Source s(8, 5, 1, {0, 127, 128, 200, 255});
  for (const ThresholdCase& c : cases) {
    CVT32OPTIONS o = Defaults(CVT32_TYPE_BW);
    o.threshold = c.threshold;
    Image out;
    ASSERT_TRUE(Convert(s, CVT32_TYPE_BW, &out, &o));
    EXPECT_EQ(Pixels(out.buffer), std::vector<uint8_t>{c.bits}) << "threshold " << c.threshold;
  }
}

// Share of white pixels of a 1-bit buffer.
double WhiteShare(HBUF buffer, LONG width, LONG height) {
  std::vector<uint8_t> bits = Pixels(buffer);
  LONG rowBytes = (width + 7) / 8, white = 0;
  for (LONG y = 0; y < height; ++y)
    for (LONG x = 0; x < width; ++x) white += (bits[y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
  return static_cast<double>(white) / (width * height);
}

TEST(ToBlackAndWhite, DitheringKeepsTheMeanGrey) {
  for (uint8_t grey : {64, 128, 191}) {
    Source s(8, 32, 32, std::vector<uint8_t>(32 * 32, grey));
    CVT32OPTIONS o = Defaults(CVT32_TYPE_BW);
    o.dither = CVT32_DITHER_FLOYD_STEINBERG;
    Image out;
    ASSERT_TRUE(Convert(s, CVT32_TYPE_BW, &out, &o));
    EXPECT_NEAR(WhiteShare(out.buffer, 32, 32), grey / 255.0, 0.03) << int(grey);
  }
}

TEST(ToBlackAndWhite, KeepsTwoColourSourceAndItsPalette) {
  Source s(1, 8, 1, {0x96}, {0x102030, 0xE0D0C0});
  Image out;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_BW, &out));
  EXPECT_EQ(Pixels(out.buffer), std::vector<uint8_t>{0x96});
  EXPECT_EQ(Colours(out.palette), (std::vector<uint32_t>{0x102030, 0xE0D0C0}));
}

// An RGB image of n distinct colours, each repeated in a block of 3 pixels.
std::vector<uint8_t> DistinctColours(int n) {
  std::vector<uint8_t> rows;
  for (int i = 0; i < n; ++i) {
    uint8_t r = static_cast<uint8_t>(i * 37), g = static_cast<uint8_t>(255 - i * 11),
            b = static_cast<uint8_t>((i * 91) % 256);
    for (int k = 0; k < 3; ++k) rows.insert(rows.end(), {r, g, b});
  }
  return rows;
}

// Sum of squared channel differences between an RGB image and the RGB
// image that an indexed result shows.
double SquaredError(const std::vector<uint8_t>& rgb, const Image& indexed) {
  std::vector<uint32_t> colours = Colours(indexed.palette);
  std::vector<uint8_t> idx = Pixels(indexed.buffer);
  double sum = 0;
  for (size_t i = 0; i < idx.size(); ++i) {
    uint32_t c = colours.at(idx[i]);
    int d[3] = {rgb[3 * i] - int(c >> 16), rgb[3 * i + 1] - int((c >> 8) & 0xFF),
                rgb[3 * i + 2] - int(c & 0xFF)};
    sum += d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  }
  return sum;
}

TEST(ToIndexed, SixteenDistinctColoursConvertLosslessly) {
  std::vector<uint8_t> rgb = DistinctColours(16);
  Source s(24, 48, 1, rgb);
  for (LONG target : {CVT32_TYPE_INDEXED16, CVT32_TYPE_INDEXED256}) {
    Image out;
    ASSERT_TRUE(Convert(s, target, &out));
    EXPECT_EQ(Colours(out.palette).size(), 16u);
    EXPECT_EQ(SquaredError(rgb, out), 0.0) << target;
  }
}

TEST(ToIndexed, PaletteSizeFromOptionsIsKept) {
  std::vector<uint8_t> rgb = DistinctColours(40);
  Source s(24, 120, 1, rgb);
  for (LONG colours : {2, 7, 16}) {
    CVT32OPTIONS o = Defaults(CVT32_TYPE_INDEXED16);
    o.colours = colours;
    Image out;
    ASSERT_TRUE(Convert(s, CVT32_TYPE_INDEXED16, &out, &o));
    EXPECT_EQ(static_cast<LONG>(Colours(out.palette).size()), colours);
    for (uint8_t i : Pixels(out.buffer)) ASSERT_LT(i, colours);
  }
}

// A smooth two-dimensional colour ramp.
std::vector<uint8_t> Ramp(int w, int h) {
  std::vector<uint8_t> rows;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      rows.insert(rows.end(), {static_cast<uint8_t>(x * 255 / (w - 1)),
                               static_cast<uint8_t>(y * 255 / (h - 1)),
                               static_cast<uint8_t>((x + y) * 255 / (w + h - 2))});
    }
  return rows;
}

TEST(ToIndexed, OptimisedPalettesBeatTheFixedOne) {
  const int w = 64, h = 64;
  std::vector<uint8_t> rgb = Ramp(w, h);
  Source s(24, w, h, rgb);
  for (LONG target : {CVT32_TYPE_INDEXED16, CVT32_TYPE_INDEXED256}) {
    CVT32OPTIONS fixed = Defaults(target);
    fixed.palette = CVT32_PALETTE_FIXED;
    CVT32OPTIONS cut = Defaults(target);
    CVT32OPTIONS popular = Defaults(target);
    popular.method = CVT32_METHOD_POPULARITY;
    Image a, b, c;
    ASSERT_TRUE(Convert(s, target, &a, &fixed));
    ASSERT_TRUE(Convert(s, target, &b, &cut));
    ASSERT_TRUE(Convert(s, target, &c, &popular));
    double fixedError = SquaredError(rgb, a), cutError = SquaredError(rgb, b);
    EXPECT_LT(cutError, fixedError * 0.8) << target;
    EXPECT_LE(cutError, SquaredError(rgb, c)) << target;
    // Mean channel error of the median-cut palette stays small.
    double perChannel = std::sqrt(cutError / (w * h * 3));
    EXPECT_LT(perChannel, target == CVT32_TYPE_INDEXED16 ? 24.0 : 6.0) << target;
  }
}

TEST(ToIndexed, FixedPalettesAreTheCubeAndTheStandardColours) {
  Source s(24, 1, 1, {10, 200, 30});
  CVT32OPTIONS o16 = Defaults(CVT32_TYPE_INDEXED16), o256 = Defaults(CVT32_TYPE_INDEXED256);
  o16.palette = o256.palette = CVT32_PALETTE_FIXED;
  Image a, b;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_INDEXED16, &a, &o16));
  ASSERT_TRUE(Convert(s, CVT32_TYPE_INDEXED256, &b, &o256));
  std::vector<uint32_t> standard = Colours(a.palette), cube = Colours(b.palette);
  ASSERT_EQ(standard.size(), 16u);
  EXPECT_EQ(standard[0], 0x000000u);
  EXPECT_EQ(standard[15], 0xFFFFFFu);
  EXPECT_EQ(standard.at(Pixels(a.buffer)[0]), 0x00FF00u);  // nearest: lime
  ASSERT_EQ(cube.size(), 256u);
  EXPECT_EQ(cube.at(Pixels(b.buffer)[0]), 0x00CC33u);      // cube levels 0, 204, 51
}

// Mean absolute difference between column means of a grey ramp and of the
// grey values that a two-colour result shows.
double ColumnMeanError(const Image& out, int w, int h) {
  std::vector<uint32_t> colours = Colours(out.palette);
  std::vector<uint8_t> idx = Pixels(out.buffer);
  double total = 0;
  for (int x = 0; x < w; ++x) {
    double sum = 0;
    for (int y = 0; y < h; ++y) sum += colours.at(idx[y * w + x]) & 0xFF;
    total += std::fabs(sum / h - x * 255.0 / (w - 1));
  }
  return total / w;
}

TEST(ToIndexed, DitheringFollowsAGradientCloser) {
  const int w = 64, h = 16;
  std::vector<uint8_t> rows;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rows.push_back(static_cast<uint8_t>(x * 255 / (w - 1)));
  Source s(8, w, h, rows);
  CVT32OPTIONS plain = Defaults(CVT32_TYPE_INDEXED16);
  plain.colours = 2;
  CVT32OPTIONS dithered = plain;
  dithered.dither = CVT32_DITHER_FLOYD_STEINBERG;
  Image a, b;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_INDEXED16, &a, &plain));
  ASSERT_TRUE(Convert(s, CVT32_TYPE_INDEXED16, &b, &dithered));
  EXPECT_LT(ColumnMeanError(b, w, h) * 1.4, ColumnMeanError(a, w, h));
}

TEST(ToIndexed, IndexedSourceKeepsItsPaletteAndIndices) {
  std::vector<uint32_t> palette = {0x010203, 0x040506, 0x070809};
  Source s(8, 3, 1, {2, 0, 1}, palette);
  Image out;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_INDEXED16, &out));
  EXPECT_EQ(Pixels(out.buffer), (std::vector<uint8_t>{2, 0, 1}));
  EXPECT_EQ(Colours(out.palette), palette);
}

TEST(ToIndexed, IndicesPastThePaletteReadAsBlack) {
  Source s(8, 2, 1, {0, 9}, {0xFFFFFF});
  Image out;
  ASSERT_TRUE(Convert(s, CVT32_TYPE_RGB, &out));
  EXPECT_EQ(Pixels(out.buffer), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
}

struct RefusedCase {
  const char* name;
  LONG target;
  LONG field;  // index into the options record changed, -1 none
  LONG value;
};

TEST(BufType, RefusesBadRequestsWith3200) {
  Source s(24, 1, 1, {1, 2, 3});
  const RefusedCase cases[] = {
      {"unknown_type", 3, -1, 0},        {"type_zero", 0, -1, 0},
      {"size", 4, 0, 20},                {"palette_kind", 4, 1, 5},
      {"method", 4, 2, 0},               {"dither", 4, 3, 2},
      {"too_many_for_16", 8, 4, 17},     {"too_many_for_256", 4, 4, 257},
      {"one_colour", 4, 4, 1},           {"threshold", 64, 5, 256},
  };
  for (const RefusedCase& c : cases) {
    CVT32OPTIONS o = Defaults(c.target > 0 && c.target != 3 ? c.target : 2);
    if (c.field >= 0) reinterpret_cast<LONG*>(&o)[c.field] = c.value;
    c32ResetDLLErrInfo();
    Image out;
    out.buffer = 77;
    EXPECT_FALSE(Convert(s, c.target, &out, &o)) << c.name;
    EXPECT_EQ(out.buffer, 0u) << c.name;
    LONG unit = 0, category = 0;
    EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, &category, nullptr), 3200) << c.name;
    EXPECT_EQ(unit, CVT32_UNIT);
    EXPECT_EQ(category, CVT32_FN_BUFTYPE);
  }
}

TEST(BufType, RefusesDeadBuffersAndUnknownModes) {
  Source s(24, 1, 1, {1, 2, 3});
  HBUF dead = 0;
  ASSERT_TRUE(buf32DupBuf(s.buffer, &dead));
  buf32Free(dead);
  HBUF out = 0;
  c32ResetDLLErrInfo();
  EXPECT_FALSE(cvt32BufType(CVT32_MODE_CONVERT, 0, dead, 2, 0, &out, nullptr, nullptr, 0, 0, 0));
  EXPECT_EQ(c32GetDLLErrorInfo(nullptr, 0, 0, 0, 0, 0), 3200);
  EXPECT_FALSE(cvt32BufType(7, 0, s.buffer, 2, 0, &out, nullptr, nullptr, 0, 0, 0));
  EXPECT_FALSE(cvt32BufType(CVT32_MODE_CONVERT, 0, s.buffer, 2, 0, nullptr, nullptr, nullptr, 0,
                            0, 0));
  // A warp map (64 bits a pixel) has no data type.
  HBUF map = 0;
  ASSERT_TRUE(buf32Alloc(&map, 64, 1, 1, 0, nullptr));
  EXPECT_FALSE(cvt32BufType(CVT32_MODE_CONVERT, 0, map, 2, 0, &out, nullptr, nullptr, 0, 0, 0));
  buf32Free(map);
}

TEST(Options, DefaultsAndWhichConversionsHaveADialog) {
  CVT32OPTIONS o{};
  ASSERT_TRUE(cvt32GetDefOptionsEx(CVT32_TYPE_INDEXED256, &o));
  EXPECT_EQ(o.size, 24);
  EXPECT_EQ(o.palette, CVT32_PALETTE_OPTIMISED);
  EXPECT_EQ(o.method, CVT32_METHOD_MEDIANCUT);
  EXPECT_EQ(o.dither, 0);
  EXPECT_EQ(o.colours, 256);
  ASSERT_TRUE(cvt32GetDefOptionsEx(CVT32_TYPE_INDEXED16, &o));
  EXPECT_EQ(o.colours, 16);
  EXPECT_FALSE(cvt32GetDefOptionsEx(5, &o));
  EXPECT_FALSE(cvt32GetDefOptionsEx(CVT32_TYPE_RGB, nullptr));

  const LONG types[] = {2, 4, 8, 16, 32, 64};
  // Rows: source; columns: target in the order of `types`.
  const int has[6][6] = {
      {0, 1, 1, 0, 0, 1},  // from 2
      {0, 0, 1, 0, 0, 1},  // from 4
      {0, 0, 0, 0, 0, 1},  // from 8
      {0, 1, 1, 0, 0, 1},  // from 16
      {0, 0, 1, 0, 0, 1},  // from 32
      {0, 0, 0, 0, 0, 0},  // from 64
  };
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      EXPECT_EQ(cvt32IfHasDlgBox(types[i], types[j]) != 0, has[i][j] != 0)
          << types[i] << " to " << types[j];
    }
  EXPECT_FALSE(cvt32IfHasDlgBox(3, 64));
}

}  // namespace
