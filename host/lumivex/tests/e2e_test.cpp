// End-to-end: the staged lumivex program run as a user would, with the
// staged grid plug-in.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "imageio.h"
#include "run_program.h"
#include "testsupport.h"

namespace fs = std::filesystem;
using lvhost::Image;

namespace {

using Result = lvhosttest::ProgramResult;
using lvhosttest::Slurp;

class LumivexRun : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = lvtest::Prefix() / "e2e" / info->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    prefix_ = dir_ / "prefix";  // each test keeps its own parameter blocks
    fs::create_directories(prefix_);
  }

  // Runs lumivex in the test's folder with stdin from /dev/null.
  Result Run(const std::string& args) { return lvhosttest::RunLumivex(dir_, prefix_, args); }

  // A white RGB image file in the test's folder.
  void MakeInput(const std::string& name, int w, int h) {
    Image image;
    std::string error;
    ASSERT_TRUE(lvhost::MakeImage(w, h, 3, &image, &error));
    std::fill(image.pixels.begin(), image.pixels.end(), 255);
    ASSERT_TRUE(lvhost::WriteImageFile((dir_ / name).string(), image, &error)) << error;
  }

  Image Read(const std::string& name) {
    Image image;
    std::string error;
    EXPECT_TRUE(lvhost::ReadImageFile((dir_ / name).string(), &image, &error)) << error;
    return image;
  }

  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }

  // Files in the test's folder besides the inputs and the prefix.
  std::vector<std::string> Outputs(std::vector<std::string> inputs) {
    inputs.push_back("prefix");
    return lvhosttest::FilesIn(dir_, inputs);
  }

  fs::path dir_;
  fs::path prefix_;
};

// Columns of the first row that are not white.
std::vector<int> ColouredColumns(const Image& image, int row) {
  std::vector<int> xs;
  for (int x = 0; x < image.width; ++x) {
    const uint8_t* p = &image.pixels[(row * image.width + x) * 3];
    if (p[0] != 255 || p[1] != 255 || p[2] != 255) xs.push_back(x);
  }
  return xs;
}

}  // namespace

TEST_F(LumivexRun, HelpIsAManual) {
  Result r = Run("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("lumivex apply MODULE IMAGE -o OUT"), std::string::npos) << r.out;
  r = Run("apply --help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("--screenshot"), std::string::npos) << r.out;
  r = Run("frobnicate");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("unknown command"), std::string::npos) << r.err;
}

TEST_F(LumivexRun, ModulesAreListed) {
  Result r = Run("modules");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("gridsplit.tpi"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("identifier:  Gitter und Aufte\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("&Gitter und Aufteilung..."), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("RGB (2)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("32 bytes"), std::string::npos) << r.out;
  r = Run("modules --json");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"identifier\": \"Gitter und Aufte\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"dataTypes\": [\"RGB\"]"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"paramSize\": 32"), std::string::npos) << r.out;
}

TEST_F(LumivexRun, ApplyDrawsTheGridAndKeepsTheSettings) {
  MakeInput("in.png", 100, 10);
  Result r = Run("apply gridsplit in.png -o out.png --set rows=1 --set columns=3 --set width=1 "
                 "--set colour=#ff0000 --set border=0");
  ASSERT_EQ(r.status, 0) << r.err;
  Image out = Read("out.png");
  EXPECT_EQ(ColouredColumns(out, 0), (std::vector<int>{33, 67}));
  EXPECT_EQ(out.pixels[33 * 3], 255);
  EXPECT_EQ(out.pixels[33 * 3 + 1], 0);
  // The next run without values repeats the settings, here into a BMP.
  r = Run("apply gridsplit in.png -o again.bmp");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Read("again.bmp").pixels, out.pixels);
  r = Run("params gridsplit");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("columns  = 3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("colour   = #ff0000"), std::string::npos) << r.out;
  // A raw block file works as well: the stored one is 32 bytes.
  fs::path stored = prefix_ / "C" / "lumivex" / "params" / "gridsplit.prm";
  ASSERT_EQ(fs::file_size(stored), 32u);
  fs::copy_file(stored, dir_ / "saved.prm");
  r = Run("apply gridsplit in.png -o raw.png --params saved.prm");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Read("raw.png").pixels, out.pixels);
}

TEST_F(LumivexRun, CellsBecomeImagesOfTheirOwn) {
  MakeInput("in.png", 41, 21);
  Result r = Run("apply gridsplit in.png -o grid.png --set rows=2 --set columns=2 --set width=1 "
                 "--set border=0 --set cells=1");
  ASSERT_EQ(r.status, 0) << r.err;
  fs::path cells = dir_ / "grid-cells";
  for (const char* name : {"cell-1-1.png", "cell-1-2.png", "cell-2-1.png", "cell-2-2.png", "cells.json"})
    EXPECT_TRUE(fs::exists(cells / name)) << name;
  Image first = Read("grid-cells/cell-1-1.png");
  EXPECT_EQ(first.width, 20);
  EXPECT_EQ(first.height, 10);
  std::string json = Slurp(cells / "cells.json");
  EXPECT_NE(json.find("\"left\": 21, \"top\": 11, \"right\": 41, \"bottom\": 21"), std::string::npos) << json;
}

TEST_F(LumivexRun, BadRunsExplainAndWriteNothing) {
  MakeInput("in.png", 50, 20);
  Write("text.png", "not an image at all");
  struct Case { const char* args; int status; const char* mention; } cases[] = {
      {"apply nosuch in.png -o out.png", 2, "unknown module 'nosuch'"},
      {"apply gridsplit in.png -o out.png --set rows=0", 2, "1..99"},
      {"apply gridsplit in.png -o out.png --set colour=blue", 2, "#rrggbb"},
      {"apply gridsplit in.png -o out.png --set height=3", 2, "unknown parameter 'height'"},
      {"apply gridsplit in.png -o out.png --set cells=1 --set rows=21 --set columns=50", 2, "1000"},
      {"apply gridsplit missing.png -o out.png", 4, "missing.png"},
      {"apply gridsplit text.png -o out.png", 4, "not an image of a known format"},
      // Unwritable even for the superuser: found out only when writing.
      {"apply gridsplit in.png -o /proc/lumivex-out.png", 4, "cannot write"},
      {"apply gridsplit in.png -o nodir/out.png", 4, "does not exist"},
      {"apply gridsplit in.png -o out.jpg", 4, ".png or .bmp"},
      {"apply gridsplit in.png -o out.png --params missing.prm", 4, "missing.prm"},
      {"apply gridsplit in.png -o out.png --dialog missing.dlg", 2, "missing.dlg"},
      // The plug-in itself refuses: the cells would be narrower than a pixel.
      {"apply gridsplit in.png -o out.png --set columns=40 --set width=5", 3, "unit 72201"},
      // Outputs never replace the input or each other; single options once.
      {"apply gridsplit in.png -o in.png", 2, "must not replace"},
      {"apply gridsplit in.png -o ./in.png", 2, "must not replace"},
      {"apply gridsplit in.png -o out.png --dialog auto --screenshot out.png", 2, "must not replace"},
  };
  for (const Case& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.mention), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << "\n" << r.err;
    EXPECT_EQ(Outputs({"in.png", "text.png"}), std::vector<std::string>()) << c.args;
  }
  // Command lines refused while parsing add the usage hint.
  for (const char* args : {"apply gridsplit in.png -o out.png -o other.png",
                           "apply gridsplit in.png -o out.png --dialog auto --dialog auto"}) {
    Result r = Run(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("given twice"), std::string::npos) << args << "\n" << r.err;
    EXPECT_EQ(Outputs({"in.png", "text.png"}), std::vector<std::string>()) << args;
  }
  // None of the refused runs changed the stored settings: there are none.
  EXPECT_FALSE(fs::exists(prefix_ / "C" / "lumivex" / "params" / "gridsplit.prm"));
}

TEST_F(LumivexRun, ScriptDrivesTheDialogThroughARangeError) {
  MakeInput("in.png", 60, 30);
  Write("grid.dlg",
        "# three rows, after a refused zero\n"
        "type 71 \"0\"\n"
        "click OK\n"
        "expect message \"Der Wert muß innerhalb des Bereiches (1..99) liegen.\"\n"
        "answer ok\n"
        "expect focus 71\n"
        "type 71 \"3\"\n"
        "type 72 \"1\"\n"
        "expect text 71 \"3\"\n"
        "screenshot edited.png\n"
        "click OK\n");
  Result r = Run("apply gridsplit in.png -o out.png --dialog grid.dlg --screenshot first.png");
  ASSERT_EQ(r.status, 0) << r.err;
  Image out = Read("out.png");
  EXPECT_EQ(ColouredColumns(out, 0), std::vector<int>());  // one column: no vertical line
  Image shot = Read("first.png");
  EXPECT_GT(shot.width, 100);
  EXPECT_GT(shot.height, 50);
  EXPECT_TRUE(fs::exists(dir_ / "edited.png"));
  r = Run("params gridsplit");
  EXPECT_NE(r.out.find("rows     = 3"), std::string::npos) << r.out;
}

TEST_F(LumivexRun, ScriptFailuresAndCancelsWriteNothing) {
  MakeInput("in.png", 60, 30);
  Write("wrong.dlg", "type 71 \"4\"\nexpect text 71 \"5\"\nclick OK\n");
  Write("short.dlg", "type 71 \"4\"\n");
  Write("cancel.dlg", "click Abbrechen\n");
  Write("bad.dlg", "click\n");
  Write("leftover.dlg", "click OK\nexpect text 71 \"2\"\n");
  struct Case { const char* script; int status; const char* mention; } cases[] = {
      {"wrong.dlg", 3, "wrong.dlg:2: expected control 71 to read \"5\", saw \"4\""},
      {"short.dlg", 1, "cancelled"},
      {"cancel.dlg", 1, "cancelled"},
      {"bad.dlg", 2, "bad.dlg:1:"},
      {"leftover.dlg", 3, "leftover.dlg:2: the dialog closed before this command ran"},
  };
  for (const Case& c : cases) {
    Result r = Run(std::string("apply gridsplit in.png -o out.png --dialog ") + c.script);
    EXPECT_EQ(r.status, c.status) << c.script << "\n" << r.err;
    EXPECT_NE(r.err.find(c.mention), std::string::npos) << c.script << "\n" << r.err;
    EXPECT_FALSE(fs::exists(dir_ / "out.png")) << c.script;
  }
  EXPECT_FALSE(fs::exists(prefix_ / "C" / "lumivex" / "params" / "gridsplit.prm"));
}

TEST_F(LumivexRun, ScriptPicksTheColourInTheColourDialog) {
  MakeInput("in.png", 60, 30);
  Write("colour.dlg",
        "type 71 \"1\"\n"
        "type 72 \"2\"\n"
        "uncheck 51\n"
        "click 221\n"
        "colour #ff0000\n"
        "click OK\n");
  Result r = Run("apply gridsplit in.png -o out.png --set width=1 --dialog colour.dlg");
  ASSERT_EQ(r.status, 0) << r.err;
  Image out = Read("out.png");
  ASSERT_EQ(ColouredColumns(out, 0), (std::vector<int>{30}));
  EXPECT_EQ(out.pixels[30 * 3], 255);
  EXPECT_EQ(out.pixels[30 * 3 + 1], 0);
  EXPECT_EQ(out.pixels[30 * 3 + 2], 0);
}
