// End-to-end: the file commands (convert, info, preview) and image input in
// every format, run through the staged lumivex program as a user would, with
// the staged TPI module.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "imageio.h"
#include "run_program.h"
#include "testsupport.h"

namespace fs = std::filesystem;
using lvhost::Image;

namespace {

using Result = lvhosttest::ProgramResult;
using lvhosttest::Slurp;

class FileCommands : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = lvhosttest::FreshTestFolder("files");
    fs::create_directories(dir_ / "prefix");
    MakeBlocks("in.png");
  }

  // Runs lumivex in the test's folder.
  Result Run(const std::string& args) { return lvhosttest::RunLumivex(dir_, dir_ / "prefix", args); }

  // A 64 x 48 RGB image of twelve flat 16 x 16 blocks in four colours, which
  // every format keeps (JPEG nearly).
  void MakeBlocks(const std::string& name) {
    Image image;
    std::string error;
    ASSERT_TRUE(lvhost::MakeImage(64, 48, 3, &image, &error));
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        const uint8_t* c = kColours[(x / 16 + y / 16) % 4];
        std::copy(c, c + 3, &image.pixels[static_cast<size_t>((y * 64 + x) * 3)]);
      }
    }
    ASSERT_TRUE(lvhost::WriteImageFile((dir_ / name).string(), image, &error)) << error;
  }

  // A 64 x 64 RGB image of varied pixels, where JPEG quality shows in size.
  void MakeNoise(const std::string& name) {
    Image image;
    std::string error;
    ASSERT_TRUE(lvhost::MakeImage(64, 64, 3, &image, &error));
    unsigned seed = 12345;
    for (auto& v : image.pixels) {
      seed = seed * 1103515245u + 12345u;
      v = static_cast<uint8_t>(seed >> 16);
    }
    ASSERT_TRUE(lvhost::WriteImageFile((dir_ / name).string(), image, &error)) << error;
  }

  Image Read(const std::string& name) {
    Image image;
    std::string error;
    EXPECT_TRUE(lvhost::ReadImageFile((dir_ / name).string(), &image, &error)) << error;
    return image;
  }

  static constexpr uint8_t kColours[4][3] = {{255, 0, 0}, {0, 128, 255}, {250, 250, 250}, {20, 90, 30}};
  fs::path dir_;
};

// Largest difference of a sample inside the blocks (two pixels away from
// their edges, where JPEG smooths colour).
int WorstInsideBlocks(const Image& a, const Image& b) {
  int worst = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (x % 16 < 2 || x % 16 > 13 || y % 16 < 2 || y % 16 > 13) continue;
      for (int c = 0; c < 3; ++c) {
        size_t i = static_cast<size_t>((y * a.width + x) * 3 + c);
        worst = std::max(worst, std::abs(a.pixels[i] - b.pixels[i]));
      }
    }
  }
  return worst;
}

struct ConvertCase {
  const char* output;
  int tolerance;
};

class ConvertFormats : public FileCommands, public testing::WithParamInterface<ConvertCase> {};

TEST_P(ConvertFormats, ImageSurvivesTheRoundTrip) {
  const ConvertCase& c = GetParam();
  Result r = Run(std::string("convert in.png ") + c.output);
  ASSERT_EQ(r.status, 0) << r.err;
  r = Run(std::string("convert ") + c.output + " back.png");
  ASSERT_EQ(r.status, 0) << r.err;
  Image original = Read("in.png"), back = Read("back.png");
  ASSERT_EQ(back.width, 64);
  ASSERT_EQ(back.height, 48);
  ASSERT_EQ(back.channels, 3);
  EXPECT_LE(WorstInsideBlocks(original, back), c.tolerance);
  if (c.tolerance == 0) {
    EXPECT_EQ(back.pixels, original.pixels);
  }
  // Reading the converted file directly gives the same image.
  Image direct = Read(c.output);
  EXPECT_EQ(direct.pixels, back.pixels);
}

INSTANTIATE_TEST_SUITE_P(Outputs, ConvertFormats,
                         testing::Values(ConvertCase{"out.bmp", 0}, ConvertCase{"out.png", 0},
                                         ConvertCase{"out.gif", 0}, ConvertCase{"out.tpi", 0},
                                         ConvertCase{"out.jpg", 12}, ConvertCase{"out.JPEG", 12}));

struct TypeCase {
  const char* type;
  int channels;
  size_t maxColours;
};

class ConvertTypes : public FileCommands, public testing::WithParamInterface<TypeCase> {};

TEST_P(ConvertTypes, DataTypeIsConvertedBeforeWriting) {
  const TypeCase& c = GetParam();
  for (const char* output : {"t.tpi", "t.png"}) {
    Result r = Run(std::string("convert in.png ") + output + " --type " + c.type);
    ASSERT_EQ(r.status, 0) << output << ": " << r.err;
    Image image = Read(output);
    EXPECT_EQ(image.channels, c.channels) << output;
    std::set<std::vector<uint8_t>> colours;
    for (size_t i = 0; i < image.pixels.size(); i += static_cast<size_t>(image.channels)) {
      colours.insert(std::vector<uint8_t>(image.pixels.begin() + static_cast<long>(i),
                                          image.pixels.begin() + static_cast<long>(i) + image.channels));
    }
    EXPECT_LE(colours.size(), c.maxColours) << output;
    EXPECT_GE(colours.size(), 2u) << output;
  }
}

INSTANTIATE_TEST_SUITE_P(Types, ConvertTypes,
                         testing::Values(TypeCase{"grey", 1, 4}, TypeCase{"32", 1, 4}, TypeCase{"bw", 1, 2},
                                         TypeCase{"palette16", 3, 16}, TypeCase{"palette256", 3, 4},
                                         TypeCase{"hicolor", 3, 4}, TypeCase{"rgb", 3, 4}));

TEST_F(FileCommands, SaveOptionsReachTheFile) {
  MakeNoise("noise.png");
  ASSERT_EQ(Run("convert noise.png low.jpg --option quality=5").status, 0);
  ASSERT_EQ(Run("convert noise.png high.jpg --option quality=100 --option progressive=1").status, 0);
  EXPECT_LT(fs::file_size(dir_ / "low.jpg"), fs::file_size(dir_ / "high.jpg"));
  Result r = Run("info high.jpg --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"progressive\": true"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"colourModel\": 3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"jfifMarker\": true"), std::string::npos) << r.out;

  ASSERT_EQ(Run("convert in.png t.gif --option interlace=1 --option transparent=2").status, 0);
  r = Run("info t.gif --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"interlaced\": true"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"transparentIndex\": 2"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"compression\": \"LZW\""), std::string::npos) << r.out;

  ASSERT_EQ(Run("convert in.png i.png --option interlace=1").status, 0);
  r = Run("info i.png --json");
  EXPECT_NE(r.out.find("\"interlaced\": true"), std::string::npos) << r.out;
}

TEST_F(FileCommands, InfoDescribesTheRecord) {
  ASSERT_EQ(Run("convert in.png g.png --type grey").status, 0);
  Result r = Run("info g.png --json");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* expected : {"\"format\": \"PNG\"", "\"width\": 64", "\"height\": 48", "\"dataType\": \"grey\"",
                               "\"dataTypeCode\": 32", "\"bitsPerPixel\": 8", "\"compression\": \"Deflate\"",
                               "\"interlaced\": false", "\"transparentIndex\": -1"}) {
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << " in " << r.out;
  }
  EXPECT_NE(r.out.find("\"fileSize\": " + std::to_string(fs::file_size(dir_ / "g.png"))), std::string::npos)
      << r.out;
}

TEST_F(FileCommands, InfoOfTpiShowsThePropertiesDialog) {
  ASSERT_EQ(Run("convert in.png t.tpi").status, 0);
  Result r = Run("info t.tpi --screenshot dialog.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("format:            TPI"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("properties dialog:"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Breite:"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("64 Pixels"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("48 Pixels"), std::string::npos) << r.out;
  Image shot = Read("dialog.png");
  EXPECT_GT(shot.width, 100);
  r = Run("info t.tpi --json");
  EXPECT_NE(r.out.find("\"dialog\": [{\"id\": "), std::string::npos) << r.out;
}

TEST_F(FileCommands, PreviewOfModuleAndBuiltInFormats) {
  ASSERT_EQ(Run("convert in.png t.tpi").status, 0);
  for (const char* input : {"t.tpi", "in.png"}) {
    Result r = Run(std::string("preview ") + input + " 16x12 -o p.png");
    ASSERT_EQ(r.status, 0) << input << ": " << r.err;
    Image preview = Read("p.png");
    ASSERT_EQ(preview.width, 16);
    ASSERT_EQ(preview.height, 12);
    // Every fourth pixel of the blocks: the colours of the blocks.
    for (int y = 0; y < 12; y += 4) {
      for (int x = 0; x < 16; x += 4) {
        const uint8_t* expected = kColours[(x / 4 + y / 4) % 4];
        const uint8_t* seen = &preview.pixels[static_cast<size_t>((y * 16 + x) * 3)];
        EXPECT_EQ(std::vector<uint8_t>(seen, seen + 3), std::vector<uint8_t>(expected, expected + 3))
            << input << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(FileCommands, ApplyReadsEveryFormat) {
  for (const char* input : {"in.tpi", "in.gif", "in.jpg"}) {
    ASSERT_EQ(Run(std::string("convert in.png ") + input).status, 0);
    Result r = Run(std::string("apply gridsplit ") + input + " -o out.png --set rows=2 --set columns=2");
    ASSERT_EQ(r.status, 0) << input << ": " << r.err;
    Image out = Read("out.png");
    EXPECT_EQ(out.width, 64) << input;
    EXPECT_EQ(out.height, 48) << input;
  }
}

TEST_F(FileCommands, MistakesAreReportedWithTheirExitStatus) {
  std::ofstream(dir_ / "text.gif") << "not an image";
  struct {
    const char* args;
    int status;
    const char* message;
  } cases[] = {
      {"convert in.png", 2, "convert needs IN and OUT"},
      {"convert in.png a.png b.png", 2, "extra argument"},
      {"convert in.png out.xyz", 2, "no format is known for the extension 'xyz'"},
      {"convert in.png out.png --type purple", 2, "unknown data type 'purple'"},
      {"convert in.png out.jpg --option quality=0", 2, "bad value '0' for the save option quality"},
      {"convert in.png out.jpg --option speed=3", 2, "unknown save option 'speed'"},
      {"convert in.png out.jpg --option", 2, "needs a value"},
      {"convert missing.png out.png", 4, "missing.png"},
      {"convert text.gif out.png", 4, "text.gif"},
      {"convert in.png nodir/out.png", 4, "cannot write"},
      {"info", 2, "info needs one FILE"},
      {"info in.png --screenshot s.png", 2, "no properties dialog"},
      {"info text.gif", 4, "text.gif"},
      {"preview in.png 16x12", 2, "preview needs -o OUT"},
      {"preview in.png 16by12 -o p.png", 2, "is not WIDTHxHEIGHT"},
      {"preview in.png 0x12 -o p.png", 2, "is not WIDTHxHEIGHT"},
      {"preview in.png 65x12 -o p.png", 2, "larger than the image"},
      {"preview missing.png 4x4 -o p.png", 4, "missing.png"},
  };
  for (const auto& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
  }
  EXPECT_FALSE(fs::exists(dir_ / "out.png"));
  EXPECT_FALSE(fs::exists(dir_ / "p.png"));
}

// Command lines that would replace an input, repeat an option or name a
// folder are refused with one line, and leave every file as it was.
TEST_F(FileCommands, OddCommandLinesChangeNothing) {
  ASSERT_EQ(Run("convert in.png t.tpi").status, 0);
  fs::create_directories(dir_ / "folder");
  const std::string png = Slurp(dir_ / "in.png"), tpi = Slurp(dir_ / "t.tpi");
  struct {
    const char* args;
    int status;
    const char* message;
  } cases[] = {
      {"convert in.png in.png", 2, "is the input file"},
      {"convert in.png ./folder/../in.png", 2, "is the input file"},
      {"convert t.tpi t.tpi --type grey", 2, "is the input file"},
      {"preview in.png 16x12 -o in.png", 2, "is the input file"},
      {"preview t.tpi 16x12 --output=./t.tpi", 2, "is the input file"},
      {"convert in.png out.png --type grey --type bw", 2, "--type given twice"},
      {"convert in.png out.jpg --option quality=5 --option Quality=90", 2, "save option quality is given twice"},
      {"preview in.png 16x12 -o p.png -o q.png", 2, "-o given twice"},
      {"info t.tpi --screenshot a.png --screenshot b.png", 2, "--screenshot given twice"},
      {"info t.tpi --screenshot t.tpi", 2, "a screenshot is a .png file"},
      {"info t.tpi --screenshot shot.jpg", 2, "a screenshot is a .png file"},
      {"info in.png --screenshot ./in.png", 2, "is the input file"},
      {"info t.tpi --screenshot nodir/s.png", 4, "nodir/s.png"},
      {"convert folder out.png", 4, "it is a folder"},
      {"info folder", 4, "it is a folder"},
      {"preview folder 4x4 -o p.png", 4, "it is a folder"},
      {"convert in.png folder", 2, "it is a folder"},
      {"preview in.png 99999999x1 -o p.png", 2, "is not WIDTHxHEIGHT"},
      {"convert in.png nodir/out.tpi", 4, "the folder 'nodir' does not exist"},
      {"preview t.tpi 4x4 -o nodir/p.gif", 4, "the folder 'nodir' does not exist"},
      {"convert missing.png nodir/out.png", 4, "the folder 'nodir' does not exist"},
  };
  for (const auto& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    EXPECT_EQ(r.err.find("lumivex: "), r.err.rfind("lumivex: ")) << c.args << ": one error line: " << r.err;
  }
  EXPECT_EQ(Slurp(dir_ / "in.png"), png);
  EXPECT_EQ(Slurp(dir_ / "t.tpi"), tpi);
  for (const char* name : {"out.png", "p.png", "q.png", "a.png", "b.png", "shot.jpg", "nodir"}) EXPECT_FALSE(fs::exists(dir_ / name)) << name;
}

// Grey, palette and black-and-white inputs of every reader go through each
// file command.
TEST_F(FileCommands, GreyPaletteAndBlackWhiteInputsGoThroughEveryCommand) {
  std::vector<std::string> inputs;
  for (const char* type : {"grey", "bw", "palette16", "palette256", "hicolor"}) {
    for (const char* ext : {"tpi", "png", "bmp", "gif"}) {
      std::string name = std::string(type) + "." + ext;
      if (Run("convert in.png " + name + " --type " + type).status == 0) inputs.push_back(name);
    }
  }
  ASSERT_GE(inputs.size(), 15u);
  for (const std::string& input : inputs) {
    for (const char* args : {"info IN --json", "preview IN 16x12 -o p.png", "preview IN 16x12 -o p.tpi",
                             "convert IN c.jpg", "convert IN c.tpi", "convert IN c.png --type bw"}) {
      std::string line = args;
      line.replace(line.find("IN"), 2, input);
      Result r = Run(line);
      EXPECT_EQ(r.status, 0) << line << ": " << r.err;
    }
    Image preview = Read("p.png");
    EXPECT_EQ(preview.width, 16) << input;
    EXPECT_EQ(preview.height, 12) << input;
  }
}

}  // namespace
