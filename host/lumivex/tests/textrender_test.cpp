// Text drawn into objects with FreeType.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testsupport.h"
#include "textrender.h"

namespace {

using lvhost::ObjectImage;
using lvhost::RenderTextObject;
using lvhost::TextRenderFault;

// Rows and columns of the mask that hold ink: first and last of each.
struct InkBox {
  int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
};

InkBox FindInk(const ObjectImage& o) {
  InkBox box;
  for (int y = 0; y < o.colour.height; ++y)
    for (int x = 0; x < o.colour.width; ++x)
      if (o.mask[static_cast<size_t>(y) * o.colour.width + x]) {
        box.left = std::min(box.left, x), box.top = std::min(box.top, y);
        box.right = std::max(box.right, x), box.bottom = std::max(box.bottom, y);
      }
  return box;
}

TEST(TextRender, InkSitsInsideTheBorderOfATightBox) {
  ObjectImage o;
  std::string error;
  ASSERT_EQ(RenderTextObject("Lumivex", lvhost::kDefaultFontFile, 48, 0x3050c0, &o, &error), TextRenderFault::None)
      << error;
  ASSERT_EQ(o.mask.size(), static_cast<size_t>(o.colour.width) * o.colour.height);
  InkBox ink = FindInk(o);
  const int b = lvhost::kTextBorder;
  EXPECT_EQ(ink.left, b);
  EXPECT_EQ(ink.top, b);
  EXPECT_EQ(ink.right, o.colour.width - 1 - b);
  EXPECT_EQ(ink.bottom, o.colour.height - 1 - b);
  EXPECT_GT(o.colour.width, o.colour.height * 3);  // seven letters on one line
  for (size_t i = 0; i < o.mask.size(); ++i) {
    ASSERT_EQ(o.colour.pixels[i * 3], 0x30);
    ASSERT_EQ(o.colour.pixels[i * 3 + 1], 0x50);
    ASSERT_EQ(o.colour.pixels[i * 3 + 2], 0xc0);
  }
  size_t full = 0;
  for (uint8_t m : o.mask) full += m == 255;
  EXPECT_GT(full, o.mask.size() / 10) << "bold letters have solid stems";
}

TEST(TextRender, SizeScalesTheObjectAndUmlautsAreDrawn) {
  ObjectImage small, large, umlaut;
  std::string error;
  ASSERT_EQ(RenderTextObject("Größe", lvhost::kDefaultFontFile, 20, 0, &small, &error), TextRenderFault::None);
  ASSERT_EQ(RenderTextObject("Größe", lvhost::kDefaultFontFile, 80, 0, &large, &error), TextRenderFault::None);
  const int b = 2 * lvhost::kTextBorder;
  EXPECT_NEAR(double(large.colour.width - b) / (small.colour.width - b), 4.0, 0.4);
  EXPECT_NEAR(double(large.colour.height - b) / (small.colour.height - b), 4.0, 0.4);
  // The dots of the ö reach above an o.
  ObjectImage plain;
  ASSERT_EQ(RenderTextObject("o", lvhost::kDefaultFontFile, 40, 0, &plain, &error), TextRenderFault::None);
  ASSERT_EQ(RenderTextObject("ö", lvhost::kDefaultFontFile, 40, 0, &umlaut, &error), TextRenderFault::None);
  EXPECT_GT(umlaut.colour.height, plain.colour.height);
}

TEST(TextRender, BadTextAndFontsAreRefused) {
  namespace fs = std::filesystem;
  fs::path notFont = lvtest::Prefix() / "notafont.ttf";
  std::ofstream(notFont) << "this is not a font";
  const struct {
    std::string text;
    std::string font;
    TextRenderFault fault;
  } cases[] = {
      {"", lvhost::kDefaultFontFile, TextRenderFault::BadText},
      {"   ", lvhost::kDefaultFontFile, TextRenderFault::BadText},
      {"\xff", lvhost::kDefaultFontFile, TextRenderFault::BadText},
      {"a\xc3", lvhost::kDefaultFontFile, TextRenderFault::BadText},
      {"\xc0\xaf", lvhost::kDefaultFontFile, TextRenderFault::BadText},  // overlong '/'
      {"\xed\xa0\x80", lvhost::kDefaultFontFile, TextRenderFault::BadText},  // surrogate
      {std::string(lvhost::kMaxTextChars + 1, 'x'), lvhost::kDefaultFontFile, TextRenderFault::BadText},
      {"Hi", (lvtest::Prefix() / "missing.ttf").string(), TextRenderFault::BadFont},
      {"Hi", notFont.string(), TextRenderFault::BadFont},
      {"Hi", lvtest::Prefix().string(), TextRenderFault::BadFont},
  };
  for (const auto& c : cases) {
    ObjectImage o;
    std::string error;
    EXPECT_EQ(RenderTextObject(c.text, c.font, 30, 0, &o, &error), c.fault) << c.text.substr(0, 10) << " " << c.font;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
