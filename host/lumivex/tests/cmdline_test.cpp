// Command-line parsing: accepted forms and refused ones.
#include <gtest/gtest.h>

#include "cmdline.h"

using lvhost::Command;
using lvhost::CommandLine;

namespace {

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < line.size()) {
    size_t j = line.find(' ', i);
    if (j == std::string::npos) j = line.size();
    if (j > i) out.push_back(line.substr(i, j - i));
    i = j + 1;
  }
  return out;
}

}  // namespace

TEST(CommandLine, ApplyTakesEveryOption) {
  CommandLine cl;
  std::string error;
  ASSERT_TRUE(lvhost::ParseCommandLine(
      Split("apply gridsplit in.png -o out.bmp --set rows=3 --set=colour=#102030 --params p.prm "
            "--dialog=auto --screenshot s.png"),
      &cl, &error))
      << error;
  EXPECT_EQ(cl.command, Command::Apply);
  EXPECT_EQ(cl.apply.module, "gridsplit");
  EXPECT_EQ(cl.apply.input, "in.png");
  EXPECT_EQ(cl.apply.output, "out.bmp");
  ASSERT_EQ(cl.apply.sets.size(), 2u);
  EXPECT_EQ(cl.apply.sets[0], std::make_pair(std::string("rows"), std::string("3")));
  EXPECT_EQ(cl.apply.sets[1], std::make_pair(std::string("colour"), std::string("#102030")));
  EXPECT_EQ(cl.apply.paramsFile, "p.prm");
  EXPECT_EQ(cl.apply.dialog, "auto");
  EXPECT_EQ(cl.apply.screenshot, "s.png");
}

TEST(CommandLine, OtherCommandsAndHelp) {
  struct Case { const char* line; Command command; const char* topic; bool json; } cases[] = {
      {"", Command::Help, "", false},
      {"--help", Command::Help, "", false},
      {"help apply", Command::Help, "apply", false},
      {"apply --help", Command::Help, "apply", false},
      {"modules -h", Command::Help, "modules", false},
      {"modules", Command::Modules, "", false},
      {"modules --json", Command::Modules, "", true},
      {"params gridsplit", Command::Params, "", false},
  };
  for (const auto& c : cases) {
    CommandLine cl;
    std::string error;
    ASSERT_TRUE(lvhost::ParseCommandLine(Split(c.line), &cl, &error)) << c.line << ": " << error;
    EXPECT_EQ(cl.command, c.command) << c.line;
    EXPECT_EQ(cl.helpTopic, c.topic) << c.line;
    EXPECT_EQ(cl.json, c.json) << c.line;
    if (c.command == Command::Help) {
      EXPECT_FALSE(lvhost::HelpText(cl.helpTopic).empty()) << c.line;
    }
  }
}

TEST(CommandLine, MistakesAreRefusedWithAReason) {
  const char* lines[] = {
      "frobnicate",
      "help frobnicate",
      "modules --xml",
      "params",
      "apply gridsplit in.png",
      "apply gridsplit -o out.png",
      "apply gridsplit in.png extra.png -o out.png",
      "apply gridsplit in.png -o",
      "apply gridsplit in.png -o out.png --set rows",
      "apply gridsplit in.png -o out.png --set =3",
      "apply gridsplit in.png -o out.png --bogus",
      "apply gridsplit in.png -o out.png --dialog",
  };
  for (const char* line : lines) {
    CommandLine cl;
    std::string error;
    EXPECT_FALSE(lvhost::ParseCommandLine(Split(line), &cl, &error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
}
