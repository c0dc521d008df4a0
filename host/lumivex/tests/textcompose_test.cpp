// Objects laid over images, combined, written with alpha and set out on a
// contact sheet.
#include <gtest/gtest.h>

#include "testsupport.h"
#include "textcompose.h"

namespace {

using lvhost::Image;
using lvhost::ObjectImage;

Image Canvas(int width, int height, uint8_t grey) {
  Image image;
  std::string error;
  EXPECT_TRUE(lvhost::MakeImage(width, height, 3, &image, &error));
  std::fill(image.pixels.begin(), image.pixels.end(), grey);
  return image;
}

ObjectImage Object(int width, int height, uint32_t rgb, std::vector<uint8_t> mask, int x, int y) {
  ObjectImage o;
  std::string error;
  EXPECT_TRUE(lvhost::MakeObject(width, height, rgb, &o, &error));
  o.mask = std::move(mask);
  o.x = x, o.y = y;
  return o;
}

const uint8_t* Pixel(const Image& image, int x, int y) {
  return &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
}

TEST(TextCompose, ObjectBlendsByItsMaskAndIsCutAtTheEdges) {
  const struct {
    int x, y;                // object position on a 4 x 3 white canvas
    int cx, cy;              // a canvas pixel
    uint8_t red, green;      // expected there
  } cases[] = {
      {0, 0, 0, 0, 255, 0},     // mask 255: the object's red
      {0, 0, 1, 0, 255, 127},   // mask 128: half way
      {0, 0, 0, 1, 255, 255},   // mask 0: the canvas
      {3, 2, 3, 2, 255, 0},     // only the top left pixel lands on the canvas
      {-1, -1, 0, 0, 255, 0},   // only the bottom right pixel lands
      {-1, -1, 1, 1, 255, 255}, // and nothing else changes
      {5, 5, 0, 0, 255, 255},   // wholly outside
  };
  for (const auto& c : cases) {
    Image canvas = Canvas(4, 3, 255);
    lvhost::CompositeOnto(&canvas, Object(2, 2, 0xff0000, {255, 128, 0, 255}, c.x, c.y));
    const uint8_t* p = Pixel(canvas, c.cx, c.cy);
    EXPECT_EQ(p[0], c.red) << c.x << "," << c.y << " at " << c.cx << "," << c.cy;
    EXPECT_EQ(p[1], c.green) << c.x << "," << c.y << " at " << c.cx << "," << c.cy;
    EXPECT_EQ(p[1], p[2]);
  }
}

TEST(TextCompose, CombinedObjectsSpanTheirBoxAndAddCoverage) {
  std::vector<ObjectImage> objects = {Object(3, 2, 0x0000ff, std::vector<uint8_t>(6, 128), -2, 1),
                                      Object(2, 2, 0x0000ff, std::vector<uint8_t>(4, 128), 0, 2)};
  ObjectImage combined;
  std::string error;
  ASSERT_TRUE(lvhost::CombineObjects(objects, &combined, &error)) << error;
  EXPECT_EQ(combined.x, -2);
  EXPECT_EQ(combined.y, 1);
  EXPECT_EQ(combined.colour.width, 4);
  EXPECT_EQ(combined.colour.height, 3);
  const int w = combined.colour.width;
  EXPECT_EQ(combined.mask[0], 128);             // first object alone
  EXPECT_EQ(combined.mask[3], 0);               // neither
  EXPECT_EQ(combined.mask[1 * w + 2], 192);     // both: 128 over 128
  EXPECT_EQ(combined.mask[2 * w + 3], 128);     // second alone
  const uint8_t* overlap = Pixel(combined.colour, 2, 1);
  EXPECT_EQ(overlap[2], 255) << "partly covered pixels keep the objects' own colour";
  EXPECT_EQ(overlap[0], 0);
}

TEST(TextCompose, ObjectPngKeepsColourAndMaskExactly) {
  ObjectImage o = Object(3, 2, 0, {0, 1, 127, 128, 254, 255}, 0, 0);
  for (size_t i = 0; i < o.colour.pixels.size(); ++i) o.colour.pixels[i] = static_cast<uint8_t>(i * 13);
  std::string path = (lvtest::Prefix() / "object.png").string(), error;
  ASSERT_TRUE(lvhost::WriteObjectPng(path, o, &error)) << error;
  ObjectImage back;
  ASSERT_TRUE(lvhost::ReadObjectPng(path, &back, &error)) << error;
  EXPECT_EQ(back.mask, o.mask);
  EXPECT_EQ(back.colour.pixels, o.colour.pixels);
  EXPECT_FALSE(lvhost::ReadObjectPng((lvtest::Prefix() / "none.png").string(), &back, &error));
}

TEST(TextCompose, ContactSheetCellsAndTheFrameOfTheCurrentOne) {
  std::vector<ObjectImage> results;
  for (int i = 0; i < 9; ++i) results.push_back(Object(20 + i, 10 + i % 3, 0x00ff00, std::vector<uint8_t>((20 + i) * (10 + i % 3), 255), 0, 0));
  Image sheet;
  std::string error;
  ASSERT_TRUE(lvhost::MakeContactSheet(results, 3, 4, 0xffffff, &sheet, &error)) << error;
  const int cellW = 28 + 2 * lvhost::kSheetPadding, cellH = 12 + 2 * lvhost::kSheetPadding;
  EXPECT_EQ(sheet.width, 3 * cellW);
  EXPECT_EQ(sheet.height, 3 * cellH);
  // The frame of cell 4 (row 1, column 1), and no frame around cell 0.
  EXPECT_EQ(Pixel(sheet, cellW, cellH)[0], 255);
  EXPECT_EQ(Pixel(sheet, cellW, cellH)[1], 0);
  EXPECT_EQ(Pixel(sheet, 2 * cellW - 1, 2 * cellH - 1)[1], 0);
  EXPECT_EQ(Pixel(sheet, 0, 0)[1], 255);
  // Each result centred in its cell: the middle of cell 8 is green.
  const uint8_t* middle = Pixel(sheet, 2 * cellW + cellW / 2, 2 * cellH + cellH / 2);
  EXPECT_EQ(middle[0], 0);
  EXPECT_EQ(middle[1], 255);
  // Three variations make one row.
  results.resize(3);
  ASSERT_TRUE(lvhost::MakeContactSheet(results, 3, 0, 0, &sheet, &error));
  EXPECT_EQ(sheet.width, 3 * (22 + 2 * lvhost::kSheetPadding));
  EXPECT_EQ(sheet.height, 12 + 2 * lvhost::kSheetPadding);
}

}  // namespace
