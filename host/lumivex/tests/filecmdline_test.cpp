// Command lines of the file commands: accepted forms and refused ones.
#include <gtest/gtest.h>

#include "cmdline.h"

using lvhost::Command;
using lvhost::CommandLine;

namespace {

TEST(FileCommandLine, ConvertTakesTypeAndOptions) {
  CommandLine cl;
  std::string error;
  ASSERT_TRUE(lvhost::ParseCommandLine({"convert", "a.png", "--type=grey", "b.jpg", "--option", "quality=80",
                                        "--option=progressive=1"},
                                       &cl, &error))
      << error;
  EXPECT_EQ(cl.command, Command::Convert);
  EXPECT_EQ(cl.file.input, "a.png");
  EXPECT_EQ(cl.file.output, "b.jpg");
  EXPECT_EQ(cl.file.type, "grey");
  ASSERT_EQ(cl.file.options.size(), 2u);
  EXPECT_EQ(cl.file.options[0], std::make_pair(std::string("quality"), std::string("80")));
  EXPECT_EQ(cl.file.options[1], std::make_pair(std::string("progressive"), std::string("1")));
}

TEST(FileCommandLine, InfoAndPreview) {
  CommandLine cl;
  std::string error;
  ASSERT_TRUE(lvhost::ParseCommandLine({"info", "x.tpi", "--json", "--screenshot", "s.png"}, &cl, &error));
  EXPECT_EQ(cl.command, Command::Info);
  EXPECT_TRUE(cl.file.json);
  EXPECT_EQ(cl.file.screenshot, "s.png");
  ASSERT_TRUE(lvhost::ParseCommandLine({"preview", "x.tpi", "120X90", "-o", "p.png"}, &cl, &error));
  EXPECT_EQ(cl.command, Command::Preview);
  EXPECT_EQ(cl.file.width, 120);
  EXPECT_EQ(cl.file.height, 90);
  EXPECT_EQ(cl.file.output, "p.png");
}

TEST(FileCommandLine, EachCommandHasItsManual) {
  for (const char* command : {"convert", "info", "preview"}) {
    CommandLine cl;
    std::string error;
    ASSERT_TRUE(lvhost::ParseCommandLine({command, "--help"}, &cl, &error)) << command;
    EXPECT_EQ(cl.command, Command::Help);
    EXPECT_EQ(cl.helpTopic, command);
    EXPECT_EQ(lvhost::HelpText(command).rfind(std::string("lumivex ") + command, 0), 0u) << command;
    EXPECT_NE(lvhost::HelpText("").find(std::string("lumivex ") + command), std::string::npos) << command;
  }
}

TEST(FileCommandLine, MistakesAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {"convert", "a.png"},
      {"convert", "a.png", "b.png", "c.png"},
      {"convert", "a.png", "b.png", "--option", "quality"},
      {"convert", "a.png", "b.png", "--type"},
      {"convert", "a.png", "b.png", "--json"},
      {"info"},
      {"info", "a.png", "--type", "rgb"},
      {"preview", "a.png", "10x10"},
      {"preview", "a.png", "x10", "-o", "p.png"},
      {"preview", "a.png", "10x", "-o", "p.png"},
      {"preview", "a.png", "10x10x3", "-o", "p.png"},
      {"preview", "a.png", "70000x10", "-o", "p.png"},
      {"preview", "a.png", "-5x10", "-o", "p.png"},
  };
  for (const auto& args : bad) {
    CommandLine cl;
    std::string error;
    EXPECT_FALSE(lvhost::ParseCommandLine(args, &cl, &error)) << args[0] << " " << args[1];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
