// Results on disk: cell names and list, all-or-nothing writing, and the
// conversions between images and host buffers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bufconv.h"
#include "hostrequests.h"
#include "imageio.h"
#include "outputs.h"
#include "testsupport.h"

namespace fs = std::filesystem;
using lvhost::Image;

namespace {

Image Gradient(int w, int h) {
  Image image;
  std::string error;
  lvhost::MakeImage(w, h, 3, &image, &error);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &image.pixels[(y * w + x) * 3];
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(y);
      p[2] = 7;
    }
  return image;
}

fs::path Fresh(const char* name) {
  fs::path dir = lvtest::Prefix() / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace

TEST(Outputs, CellNamesFollowRowsAndColumns) {
  std::vector<RECT> cells = {{0, 0, 5, 4}, {6, 0, 10, 4}, {0, 5, 5, 8}, {6, 5, 10, 8}};
  std::vector<std::string> names = lvhost::CellFileNames(cells, ".png");
  EXPECT_EQ(names, (std::vector<std::string>{"cell-1-1.png", "cell-1-2.png", "cell-2-1.png", "cell-2-2.png"}));
  std::string json = lvhost::CellsJson("grid.png", 10, 8, cells, names);
  EXPECT_NE(json.find("\"image\": \"grid.png\""), std::string::npos) << json;
  EXPECT_NE(json.find("{\"file\": \"cell-2-1.png\", \"left\": 0, \"top\": 5, \"right\": 5, \"bottom\": 8}"),
            std::string::npos)
      << json;
  EXPECT_EQ(lvhost::CellsFolderFor("out/grid.png"), "out/grid-cells");
}

TEST(Outputs, CellsOutsideTheImageAreRefused) {
  struct Case { RECT r; bool ok; } cases[] = {
      {{0, 0, 10, 8}, true},  {{-1, 0, 5, 5}, false}, {{0, 0, 11, 5}, false},
      {{3, 3, 3, 5}, false},  {{0, 6, 5, 9}, false},  {{5, 2, 4, 3}, false},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(lvhost::CheckCells({c.r}, 10, 8, &error), c.ok)
        << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom << ": " << error;
  }
}

TEST(Outputs, ImageAndCellsAreWrittenTogether) {
  fs::path dir = Fresh("outputs-ok");
  Image image = Gradient(10, 8);
  std::vector<RECT> cells = {{0, 0, 5, 4}, {6, 5, 10, 8}};
  std::string error;
  ASSERT_TRUE(lvhost::WriteOutputs((dir / "grid.png").string(), image, &cells, &error)) << error;
  Image cell;
  ASSERT_TRUE(lvhost::ReadImageFile((dir / "grid-cells" / "cell-2-1.png").string(), &cell, &error)) << error;
  EXPECT_EQ(cell.width, 4);
  EXPECT_EQ(cell.height, 3);
  EXPECT_EQ(cell.pixels[0], 6);  // x of the cell's first pixel
  EXPECT_EQ(cell.pixels[1], 5);  // y
  EXPECT_TRUE(fs::exists(dir / "grid-cells" / "cells.json"));
  // A second run replaces the cells of the first.
  std::vector<RECT> one = {{0, 0, 10, 8}};
  ASSERT_TRUE(lvhost::WriteOutputs((dir / "grid.png").string(), image, &one, &error)) << error;
  EXPECT_FALSE(fs::exists(dir / "grid-cells" / "cell-2-1.png"));
  EXPECT_TRUE(fs::exists(dir / "grid-cells" / "cell-1-1.png"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST(Outputs, BadCellsLeaveNothing) {
  fs::path dir = Fresh("outputs-bad");
  std::vector<RECT> cells = {{0, 0, 5, 4}, {6, 5, 99, 8}};
  std::string error;
  EXPECT_FALSE(lvhost::WriteOutputs((dir / "grid.png").string(), Gradient(10, 8), &cells, &error));
  EXPECT_NE(error.find("cell 2"), std::string::npos) << error;
  EXPECT_TRUE(fs::is_empty(dir));
}

TEST(BufferConversion, ImagesSurviveTheTripThroughBuffers) {
  for (int channels : {1, 3}) {
    Image in, out, part;
    std::string error;
    ASSERT_TRUE(lvhost::MakeImage(7, 5, channels, &in, &error));
    for (size_t i = 0; i < in.pixels.size(); ++i) in.pixels[i] = static_cast<uint8_t>(i * 3);
    HBUF buffer = 0;
    ASSERT_TRUE(lvhost::ImageToBuffer(in, &buffer, &error)) << error;
    ASSERT_TRUE(lvhost::BufferToImage(buffer, &out, &error)) << error;
    EXPECT_EQ(out.pixels, in.pixels) << channels;
    EXPECT_EQ(lvhost::DataTypeOf(in), channels == 3 ? 2 : 32);
    RECT r = {2, 1, 4, 3};
    ASSERT_TRUE(lvhost::BufferRectToImage(buffer, r, &part, &error)) << error;
    EXPECT_EQ(part.pixels[0], in.pixels[(1 * 7 + 2) * channels]);
    RECT outside = {5, 0, 8, 2};
    EXPECT_FALSE(lvhost::BufferRectToImage(buffer, outside, &part, &error));
    buf32Free(buffer);
  }
  Image none;
  std::string error;
  EXPECT_FALSE(lvhost::BufferToImage(0, &none, &error));
}

TEST(HostRequests, AnswersAsTheHostDoes) {
  lvhost::RunState run;
  T32HOSTOBJECT host = {};
  HBUF result = 0;
  run.source = 42;
  run.result = &result;
  lvhost::BeginRun(&run, &host);
  EXPECT_EQ(host.request, &lvhost::HostRequest);
  EXPECT_EQ(host.progressStart, 0);
  EXPECT_EQ(host.progressEnd, 100);
  LONG count = 0;
  EXPECT_EQ(host.request(T32_REQ_OBJECT_COUNT, 0, 0, reinterpret_cast<LONG_PTR>(&count)), 1);
  EXPECT_EQ(count, 1);
  T32OBJECTENTRY entry = {};
  EXPECT_EQ(host.request(T32_REQ_OBJECT_LIST, 0, 0, reinterpret_cast<LONG_PTR>(&entry)), 1);
  EXPECT_EQ(entry.source, 42u);
  EXPECT_EQ(entry.result, &result);
  HPALETTE palette = 99;
  EXPECT_EQ(host.request(T32_REQ_PALETTE, 0, 0, reinterpret_cast<LONG_PTR>(&palette)), 1);
  EXPECT_EQ(palette, 0u);
  EXPECT_EQ(host.request(T32_REQ_DIALOG_NOTICE, 272, 0, 0), 1);
  EXPECT_EQ(host.request(T32_REQ_PROGRESS_BEGIN, 0, 0, 0), 1);
  EXPECT_EQ(host.request(T32_REQ_PROGRESS_STEP, 50, 0, 0), 1);
  EXPECT_EQ(host.request(T32_REQ_PROGRESS_END, 100, 0, 0), 1);
  EXPECT_EQ(host.request(T32_REQ_OBJECT_COUNT, 0, 0, 0), 0);  // no place to write
  EXPECT_EQ(host.request(4711, 0, 0, 0), 0);
  // No cells: count -1.
  T32CELLLIST none = {-1, {}};
  EXPECT_EQ(host.request(T32_REQ_CELLS, 0, 0, reinterpret_cast<LONG_PTR>(&none)), 1);
  EXPECT_FALSE(run.hasCells);
  // Two cells.
  std::vector<LONG> memory = {2, 0, 0, 5, 4, 6, 0, 10, 4};
  EXPECT_EQ(host.request(T32_REQ_CELLS, 0, 0, reinterpret_cast<LONG_PTR>(memory.data())), 1);
  ASSERT_TRUE(run.hasCells);
  ASSERT_EQ(run.cells.size(), 2u);
  EXPECT_EQ(run.cells[1].left, 6);
  // An absurd count is refused without reading past the list.
  LONG huge[1] = {lvhost::kMaxCells + 1};
  EXPECT_EQ(host.request(T32_REQ_CELLS, 0, 0, reinterpret_cast<LONG_PTR>(huge)), 0);
  EXPECT_FALSE(run.cellError.empty());
  EXPECT_EQ(run.notices, (std::vector<LONG>{272}));
  lvhost::EndRun();
  EXPECT_EQ(lvhost::HostRequest(T32_REQ_OBJECT_COUNT, 0, 0, reinterpret_cast<LONG_PTR>(&count)), 0);
}
