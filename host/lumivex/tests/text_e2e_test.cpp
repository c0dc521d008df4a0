// End-to-end: `lumivex text` run as a user would, with the staged
// text-effects module.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include "imageio.h"
#include "run_program.h"
#include "testsupport.h"
#include "textcompose.h"

namespace fs = std::filesystem;
using lvhost::Image;
using lvhost::ObjectImage;

namespace {

using Result = lvhosttest::ProgramResult;
using lvhosttest::Slurp;

// Positions and sizes of --json's results, in order.
struct Placed {
  int x, y, width, height;
  bool operator==(const Placed& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

std::vector<Placed> JsonResults(const std::string& json) {
  std::vector<Placed> found;
  std::regex entry(R"(\{"x": (-?\d+), "y": (-?\d+), "width": (\d+), "height": (\d+)\})");
  for (std::sregex_iterator it(json.begin(), json.end(), entry), end; it != end; ++it)
    found.push_back({std::stoi((*it)[1]), std::stoi((*it)[2]), std::stoi((*it)[3]), std::stoi((*it)[4])});
  return found;
}

class TextCommand : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = lvhosttest::FreshTestFolder("text");
    fs::create_directories(dir_ / "prefix");
  }

  Result Run(const std::string& args) { return lvhosttest::RunLumivex(dir_, dir_ / "prefix", "text " + args); }

  // A 30 x 20 object: a filled ellipse-like blob of one colour.
  void MakeObjectFile(const std::string& name, uint32_t rgb) {
    ObjectImage o;
    std::string error;
    ASSERT_TRUE(lvhost::MakeObject(30, 20, rgb, &o, &error));
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x) {
        double dx = (x - 14.5) / 12, dy = (y - 9.5) / 7;
        o.mask[static_cast<size_t>(y) * 30 + x] = dx * dx + dy * dy < 1 ? 255 : 0;
      }
    ASSERT_TRUE(lvhost::WriteObjectPng((dir_ / name).string(), o, &error)) << error;
  }

  // A 160 x 100 base of stripes.
  void MakeBase(const std::string& name) {
    Image image;
    std::string error;
    ASSERT_TRUE(lvhost::MakeImage(160, 100, 3, &image, &error));
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>((i / 3 % 160) / 20 * 30);
    ASSERT_TRUE(lvhost::WriteImageFile((dir_ / name).string(), image, &error)) << error;
  }

  ObjectImage ReadObject(const std::string& name) {
    ObjectImage o;
    std::string error;
    EXPECT_TRUE(lvhost::ReadObjectPng((dir_ / name).string(), &o, &error)) << error;
    return o;
  }

  Image ReadImage(const std::string& name) {
    Image image;
    std::string error;
    EXPECT_TRUE(lvhost::ReadImageFile((dir_ / name).string(), &image, &error)) << error;
    return image;
  }

  // Files in the test's folder other than those it made itself.
  std::vector<std::string> Files() { return lvhosttest::FilesIn(dir_, {"prefix"}); }

  fs::path dir_;
};

size_t Covered(const ObjectImage& o) {
  size_t n = 0;
  for (uint8_t m : o.mask) n += m > 0;
  return n;
}

TEST_F(TextCommand, EveryEffectRendersOrFailsWithTheModulesMessage) {
  const char* effects[] = {"gradient", "Loch", "glass", "Metall", "relief", "Relief-Umriß", "relief-texture",
                           "concrete", "Sand", "lightning", "Feuer", "snow", "Neon", "seal"};
  int rendered = 0;
  for (const char* effect : effects) {
    std::string out = std::string("out-") + std::to_string(rendered) + ".png";
    Result r = Run(std::string("Lumivex --size 32 --color '#3050c0' --effect '") + effect + "' -o " + out);
    if (r.status == 3) {
      // An effect whose renderer this build lacks: the module's error, no file.
      EXPECT_NE(r.err.find("text-effects module failed"), std::string::npos) << effect << ": " << r.err;
      EXPECT_FALSE(fs::exists(dir_ / out)) << effect;
      continue;
    }
    ASSERT_EQ(r.status, 0) << effect << ": " << r.err;
    ObjectImage result = ReadObject(out);
    EXPECT_GT(result.colour.width, 100) << effect;
    EXPECT_GT(Covered(result), result.mask.size() / 50) << effect << ": the text shows";
    EXPECT_LT(Covered(result), result.mask.size()) << effect << ": around the text is transparent";
    EXPECT_NE(r.out.find("wrote " + out), std::string::npos);
    ++rendered;
  }
  EXPECT_GE(rendered, 7) << "effects 0 to 6 have renderers";
}

TEST_F(TextCommand, ResultOnBaseSitsWhereJsonSaysAndMatchesTheObjectOut) {
  MakeBase("base.png");
  Result r = Run("Hi --size 40 --color '#e02020' --effect relief --set thickness=4 --on base.png --at 30,20 "
                 "-o out.png --object-out obj.png --json");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<Placed> placed = JsonResults(r.out);
  ASSERT_EQ(placed.size(), 1u) << r.out;
  ObjectImage object = ReadObject("obj.png");
  EXPECT_EQ(placed[0].width, object.colour.width);
  EXPECT_EQ(placed[0].height, object.colour.height);
  EXPECT_LE(placed[0].x, 30);  // the effect may pad the object, never push it away
  EXPECT_LE(placed[0].y, 20);
  // The output is the base with the object laid on at the reported place.
  Image base = ReadImage("base.png"), out = ReadImage("out.png");
  ASSERT_EQ(out.width, 160);
  ASSERT_EQ(out.height, 100);
  object.x = placed[0].x, object.y = placed[0].y;
  lvhost::CompositeOnto(&base, object);
  EXPECT_EQ(out.pixels, base.pixels);
  EXPECT_NE(r.out.find("\"effect\": \"Relief\""), std::string::npos);
}

TEST_F(TextCommand, BackgroundReplacesTransparency) {
  Result r = Run("Hi --size 30 --effect gradient --background '#204060' -o out.bmp");
  ASSERT_EQ(r.status, 0) << r.err;
  Image out = ReadImage("out.bmp");
  ASSERT_EQ(out.channels, 3);
  EXPECT_EQ(out.pixels[0], 0x20);
  EXPECT_EQ(out.pixels[1], 0x40);
  EXPECT_EQ(out.pixels[2], 0x60);
}

TEST_F(TextCommand, SeveralObjectsRunTogetherEachAtItsPlace) {
  MakeObjectFile("a.png", 0xff0000);
  MakeObjectFile("b.png", 0x0000ff);
  Result r = Run("--object a.png@10,20 --object b.png@70,5 --effect glass -o out.png --object-out res.png --json");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<Placed> placed = JsonResults(r.out);
  ASSERT_GE(placed.size(), 2u) << r.out;
  const Placed starts[2] = {{10, 20, 30, 20}, {70, 5, 30, 20}};
  for (int i = 0; i < 2; ++i) {
    ObjectImage result = ReadObject("res-" + std::to_string(i + 1) + ".png");
    EXPECT_EQ(placed[i].width, result.colour.width);
    EXPECT_EQ(placed[i].height, result.colour.height);
    // Without a base the objects lie on a plain canvas: glass has room to
    // pad, and the object stays centred where it was.
    EXPECT_GT(placed[i].width, starts[i].width) << i;
    EXPECT_EQ(placed[i].x * 2 + placed[i].width, starts[i].x * 2 + starts[i].width) << i;
    EXPECT_EQ(placed[i].y * 2 + placed[i].height, starts[i].y * 2 + starts[i].height) << i;
  }
  // The output spans both results.
  ObjectImage out = ReadObject("out.png");
  EXPECT_EQ(out.colour.width, placed[1].x + placed[1].width - placed[0].x);
  EXPECT_EQ(out.colour.height, placed[0].y + placed[0].height - placed[1].y);
}

TEST_F(TextCommand, VariationSheetHoldsEveryVariationAndFramesTheCurrent) {
  MakeObjectFile("a.png", 0x00a000);
  const struct {
    const char* effect;
    int columns, rows;
  } cases[] = {{"gradient", 3, 3}, {"relief-texture", 3, 1}};
  for (const auto& c : cases) {
    std::string sheet = std::string("sheet-") + c.effect + ".png";
    // These effects' variations do not change the result's size: one run
    // tells the cells' size.
    Result one = Run(std::string("--object a.png --effect ") + c.effect + " -o one.png --json");
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(JsonResults(one.out).size(), 1u);
    const Placed single = JsonResults(one.out)[0];
    Result r = Run(std::string("--object a.png --effect ") + c.effect + " --variations " + sheet + " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    Image image = ReadImage(sheet);
    const int cellW = single.width + 2 * lvhost::kSheetPadding, cellH = single.height + 2 * lvhost::kSheetPadding;
    EXPECT_EQ(image.width, c.columns * cellW) << c.effect;
    EXPECT_EQ(image.height, c.rows * cellH) << c.effect;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.out, m, std::regex(R"("count": (\d+), "current": (\d+))"))) << r.out;
    EXPECT_EQ(std::stoi(m[1]), c.columns * c.rows);
    const int current = std::stoi(m[2]);
    const uint8_t* corner = &image.pixels[((current / 3) * cellH * image.width + (current % 3) * cellW) * 3];
    EXPECT_EQ(corner[0], 255);
    EXPECT_EQ(corner[1], 0);
    EXPECT_EQ(image.pixels[current == 0 ? (cellW * 3) : 0], 255) << "white outside the current cell";
    EXPECT_EQ(image.pixels[current == 0 ? (cellW * 3 + 1) : 1], 255);
  }
}

TEST_F(TextCommand, BadInputIsRefusedBeforeAnythingIsWritten) {
  MakeBase("base.png");
  const struct {
    const char* args;
    int status;
    const char* says;
  } cases[] = {
      {"Hi --effect wobble -o out.png", 2, "unknown effect"},
      {"Hi --effect relief --set thickness=99 -o out.png", 2, "thickness takes 1..10"},
      {"Hi --effect relief --set depth=3 -o out.png", 2, "no parameter 'depth'"},
      {"Hi --effect neon --set side=left -o out.png", 2, "side takes inside, outside or both"},
      {"'' --effect relief -o out.png", 2, "the text is empty"},
      {"'   ' --effect relief -o out.png", 2, "no visible characters"},
      {"Hi --effect relief --font missing.ttf -o out.png", 4, "missing.ttf"},
      {"Hi --effect relief --font base.png -o out.png", 4, "not a font"},
      {"Hi --effect relief --on missing.png -o out.png", 4, "missing.png"},
      {"--object missing.png --effect relief -o out.png", 4, "missing.png"},
      {"--object base.png@1 --effect relief -o out.png", 4, "base.png@1"},
      {"Hi --effect relief -o nofolder/out.png", 4, "does not exist"},
      {"Hi --effect relief -o out.jpg", 2, ".png or .bmp"},
  };
  for (const auto& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
    EXPECT_EQ(Files(), std::vector<std::string>{"base.png"}) << c.args;
  }
}

// Outputs that would replace an input or each other, repeated options and
// folders are refused with one line; the inputs stay as they were.
TEST_F(TextCommand, OutputsNeverReplaceInputsOrEachOther) {
  MakeBase("base.png");
  MakeObjectFile("a.png", 0x2080c0);
  MakeObjectFile("b.png", 0xc08020);
  MakeObjectFile("c-2.png", 0x40c040);
  fs::create_directories(dir_ / "folder");
  const std::string base = Slurp(dir_ / "base.png"), a = Slurp(dir_ / "a.png");
  const struct {
    const char* args;
    int status;
    const char* says;
  } cases[] = {
      {"Hi --effect neon --on base.png -o base.png", 2, "is the input file 'base.png'"},
      {"Hi --effect neon --on base.png -o ./folder/../base.png", 2, "is the input file"},
      {"--object a.png --effect neon -o out.png --object-out a.png", 2, "is the input file 'a.png'"},
      {"--object a.png --object c-2.png@9,9 --effect neon -o out.png --object-out c.png", 2,
       "'c-2.png' is the input file"},
      {"--object a.png --object b.png@5,5 --effect neon -o r-1.png --object-out r.png", 2, "named for two outputs"},
      {"Hi --effect neon -o out.png --object-out out.png", 2, "named for two outputs"},
      {"Hi --effect neon -o v.png --variations v.png", 2, "named for two outputs"},
      {"Hi --effect neon --font base.png -o base.png", 2, "is the input file"},
      {"Hi --effect neon -o x.png -o y.png", 2, "-o given twice"},
      {"Hi --effect neon --output=x.png -o y.png", 2, "-o given twice"},
      {"Hi --effect neon --effect glass -o x.png", 2, "--effect given twice"},
      {"Hi --effect neon --color '#ff0000' --colour '#00ff00' -o x.png", 2, "--colour given twice"},
      {"Hi --effect neon --on base.png --on base.png -o x.png", 2, "--on given twice"},
      {"Hi --effect neon --set width=10 --set width=20 -o x.png", 2, "--set width: the parameter is given twice"},
      {"Hi --effect neon -o folder", 2, ".png or .bmp"},
      {"Hi --effect neon -o folder.png/", 2, ".png or .bmp"},
      {"Hi --effect neon --font folder -o x.png", 4, "is a folder"},
      {"Hi --effect neon --on folder -o x.png", 4, "it is a folder"},
  };
  for (const auto& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.png", "b.png", "base.png", "c-2.png", "folder"})) << c.args;
  }
  EXPECT_EQ(Slurp(dir_ / "base.png"), base);
  EXPECT_EQ(Slurp(dir_ / "a.png"), a);
}

TEST_F(TextCommand, ManualListsEffectsAndTheirParameters) {
  Result r = Run("--help");
  ASSERT_EQ(r.status, 0);
  for (const char* text : {"relief-outline (Relief-Umriß, Relief-Umriss)", "thickness=1..10", "side=inside",
                           "style=linear, rectangular or circular", "shapePath=", "--variations", "--object-out"})
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

}  // namespace
