// The text command's command line.
#include <gtest/gtest.h>

#include <sstream>

#include "textoptions.h"

namespace {

using lvhost::ParseTextArgs;
using lvhost::TextOptions;

std::vector<std::string> Split(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

TEST(TextOptions, TextRunWithEveryOption) {
  TextOptions o;
  std::string error;
  ASSERT_TRUE(ParseTextArgs(Split("Hallo --font f.ttf --size 40 --color #102030 --effect Relief-Umriss "
                                  "--set thickness=3 --set=amount=9 --on base.jpg --at -5,7 --background #ffeedd "
                                  "-o out.png --object-out obj.png --variations sheet.bmp --json"),
                            &o, &error))
      << error;
  EXPECT_EQ(o.text, "Hallo");
  EXPECT_EQ(o.font, "f.ttf");
  EXPECT_EQ(o.size, 40);
  EXPECT_EQ(o.colour, 0x102030u);
  EXPECT_EQ(o.effect, 5);
  ASSERT_EQ(o.sets.size(), 2u);
  EXPECT_EQ(o.sets[1], (std::pair<std::string, std::string>{"amount", "9"}));
  EXPECT_EQ(o.base, "base.jpg");
  EXPECT_TRUE(o.hasAt);
  EXPECT_EQ(o.atX, -5);
  EXPECT_EQ(o.atY, 7);
  EXPECT_TRUE(o.hasBackground);
  EXPECT_EQ(o.background, 0xffeeddu);
  EXPECT_EQ(o.output, "out.png");
  EXPECT_EQ(o.objectOut, "obj.png");
  EXPECT_EQ(o.variations, "sheet.bmp");
  EXPECT_TRUE(o.json);
}

TEST(TextOptions, ObjectsCarryTheirPositions) {
  TextOptions o;
  std::string error;
  ASSERT_TRUE(ParseTextArgs(Split("--object a.png@10,20 --object b@c.png --object d.png@-3,-4 --effect neon -o o.png"),
                            &o, &error))
      << error;
  ASSERT_EQ(o.objects.size(), 3u);
  EXPECT_EQ(o.objects[0].path, "a.png");
  EXPECT_TRUE(o.objects[0].hasPosition);
  EXPECT_EQ(o.objects[0].x, 10);
  EXPECT_EQ(o.objects[0].y, 20);
  EXPECT_EQ(o.objects[1].path, "b@c.png");
  EXPECT_FALSE(o.objects[1].hasPosition);
  EXPECT_EQ(o.objects[2].x, -3);
  EXPECT_EQ(o.objects[2].y, -4);
}

TEST(TextOptions, TextAfterDoubleDashMayStartWithADash) {
  TextOptions o;
  std::string error;
  ASSERT_TRUE(ParseTextArgs({"--effect", "seal", "-o", "x.png", "--", "-1-"}, &o, &error)) << error;
  EXPECT_EQ(o.text, "-1-");
}

TEST(TextOptions, RefusedCommandLinesSayWhy) {
  const struct {
    const char* line;
    const char* says;
  } cases[] = {
      {"Hi -o o.png", "--effect"},
      {"Hi --effect wobble -o o.png", "unknown effect 'wobble'"},
      {"--effect relief -o o.png", "either TEXT or --object"},
      {"Hi --object a.png --effect relief -o o.png", "either TEXT or --object"},
      {"Hi Ho --effect relief -o o.png", "one TEXT"},
      {"Hi --effect relief", "-o OUT"},
      {"Hi --effect relief --size 3 -o o.png", "--size"},
      {"Hi --effect relief --size 1001 -o o.png", "--size"},
      {"Hi --effect relief --color red -o o.png", "#rrggbb"},
      {"Hi --effect relief --background #12345 -o o.png", "#rrggbb"},
      {"Hi --effect relief --at 5 -o o.png", "X,Y"},
      {"Hi --effect relief --at 1,99999 -o o.png", "X,Y"},
      {"Hi --effect relief -o o.jpg", ".png or .bmp"},
      {"Hi --effect relief -o o.bmp", "transparency"},
      {"Hi --effect relief -o o.png --object-out o.bmp", "--object-out"},
      {"--object a.png --object b.png --effect relief --variations s.png", "one object"},
      {"--object a.png --size 20 --effect relief -o o.png", "TEXT only"},
      {"Hi --effect relief -o o.png --set thickness", "NAME=VALUE"},
      {"Hi --effect relief -o", "needs a value"},
      {"Hi --effect relief -o o.png --frobnicate 1", "unknown option"},
  };
  for (const auto& c : cases) {
    TextOptions o;
    std::string error;
    EXPECT_FALSE(ParseTextArgs(Split(c.line), &o, &error)) << c.line;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.line << " -> " << error;
  }
  // With a base or a background, BMP outputs are fine.
  TextOptions o;
  std::string error;
  EXPECT_TRUE(ParseTextArgs(Split("Hi --effect relief -o o.bmp --background #000000"), &o, &error)) << error;
  EXPECT_TRUE(ParseTextArgs(Split("Hi --effect relief -o o.bmp --on b.png"), &o, &error)) << error;
}

TEST(TextOptions, ManualNamesEveryOption) {
  std::string manual = lvhost::TextHelpText();
  for (const char* option : {"--effect", "--set", "--font", "--size", "--color", "--object", "--on", "--at",
                             "--background", "--object-out", "--variations", "--json", "Exit status"})
    EXPECT_NE(manual.find(option), std::string::npos) << option;
}

}  // namespace
