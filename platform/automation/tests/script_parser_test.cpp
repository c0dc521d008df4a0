// Dialog script parsing: every command form, comments and quoting, and the
// errors for lines that are not understood.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dialogscript.h"
#include "testsupport.h"

using lv::DialogScript;
using lv::ScriptOp;

namespace {

lv::ScriptCommand ParseOne(const std::string& line) {
  DialogScript script;
  std::string error;
  EXPECT_TRUE(lv::ParseDialogScript(line, "t.dlg", &script, &error)) << line << ": " << error;
  EXPECT_EQ(script.commands.size(), 1u) << line;
  return script.commands.empty() ? lv::ScriptCommand() : script.commands[0];
}

}  // namespace

TEST(DialogScriptParser, EveryCommandForm) {
  struct Case {
    const char* line;
    ScriptOp op;
    int id;            // control id, or -1 when the control is given by text
    const char* text;  // control text (by text) or the command's text
    int n0, n1;
  } cases[] = {
      {"type 71 \"12\"", ScriptOp::Type, 71, "12", 0, 0},
      {"type \"Reihe:\" 3", ScriptOp::Type, -1, "Reihe:", 0, 0},
      {"click OK", ScriptOp::Click, -1, "OK", 0, 0},
      {"click \"Rand ziehen\"", ScriptOp::Click, -1, "Rand ziehen", 0, 0},
      {"check 51", ScriptOp::Check, 51, "", 0, 0},
      {"uncheck 52", ScriptOp::Uncheck, 52, "", 0, 0},
      {"choose 300 \"Zweites\"", ScriptOp::Choose, 300, "Zweites", 0, 0},
      {"colour #1e3c78", ScriptOp::Colour, 0, "", 0x783c1e, 0},
      {"color #FFFFFF", ScriptOp::Colour, 0, "", 0xffffff, 0},
      {"answer ok", ScriptOp::Answer, 0, "", 1, 0},
      {"answer No", ScriptOp::Answer, 0, "", 7, 0},
      {"key enter", ScriptOp::Key, 0, "", 0x0D, 0},
      {"key escape", ScriptOp::Key, 0, "", 0x1B, 0},
      {"key tab", ScriptOp::Key, 0, "", 0x09, 0},
      {"wait 1500", ScriptOp::Wait, 0, "", 1500, 0},
      {"expect text 71 \"2\"", ScriptOp::ExpectText, 71, "2", 0, 0},
      {"expect checked 51", ScriptOp::ExpectChecked, 51, "", 0, 0},
      {"expect unchecked 51", ScriptOp::ExpectUnchecked, 51, "", 0, 0},
      {"expect enabled OK", ScriptOp::ExpectEnabled, -1, "OK", 0, 0},
      {"expect disabled 200", ScriptOp::ExpectDisabled, 200, "", 0, 0},
      {"expect focus 71", ScriptOp::ExpectFocus, 71, "", 0, 0},
      {"expect message \"Der Wert muß\"", ScriptOp::ExpectMessage, 0, "Der Wert muß", 0, 0},
      {"expect selection 71 0 -1", ScriptOp::ExpectSelection, 71, "", 0, -1},
      {"screenshot out/dialog.png", ScriptOp::Screenshot, 0, "out/dialog.png", 0, 0},
      {"screenshot \"with space.png\"", ScriptOp::Screenshot, 0, "with space.png", 0, 0},
      {"mouse down 500 10 20", ScriptOp::MouseDown, 500, "", 10, 20},
      {"mouse move 500 -3 4", ScriptOp::MouseMove, 500, "", -3, 4},
      {"mouse up 500 0 0", ScriptOp::MouseUp, 500, "", 0, 0},
      {"drag 500 1 2 3 4", ScriptOp::Drag, 500, "", 1, 2},
      {"  click 1   # press OK", ScriptOp::Click, 1, "", 0, 0},
      {"type 71 \"a \\\"quoted\\\" \\\\ text # not a comment\"", ScriptOp::Type, 71,
       "a \"quoted\" \\ text # not a comment", 0, 0},
  };
  for (const Case& c : cases) {
    lv::ScriptCommand cmd = ParseOne(c.line);
    EXPECT_EQ(cmd.op, c.op) << c.line << " parsed as " << lv::ScriptOpName(cmd.op);
    EXPECT_EQ(cmd.line, 1) << c.line;
    if (c.id > 0) {
      EXPECT_TRUE(cmd.control.byId) << c.line;
      EXPECT_EQ(cmd.control.id, c.id) << c.line;
    }
    if (c.id == -1) {
      EXPECT_FALSE(cmd.control.byId) << c.line;
      EXPECT_EQ(cmd.control.text, c.text) << c.line;
    } else {
      EXPECT_EQ(cmd.text, c.text) << c.line;
    }
    EXPECT_EQ(cmd.number[0], c.n0) << c.line;
    EXPECT_EQ(cmd.number[1], c.n1) << c.line;
  }
}

TEST(DialogScriptParser, CommentsBlankLinesAndLineNumbers) {
  DialogScript script;
  std::string error;
  ASSERT_TRUE(lv::ParseDialogScript("# grid dialog\n\n  \ntype 71 \"3\"\r\n# done\nclick OK\n", "g.dlg",
                                    &script, &error))
      << error;
  ASSERT_EQ(script.commands.size(), 2u);
  EXPECT_EQ(script.commands[0].line, 4);
  EXPECT_EQ(script.commands[1].line, 6);
  EXPECT_EQ(script.fileName, "g.dlg");
  ASSERT_TRUE(lv::ParseDialogScript("", "empty.dlg", &script, &error));
  EXPECT_TRUE(script.commands.empty());
}

TEST(DialogScriptParser, ErrorsNameFileLineAndProblem) {
  struct Case { const char* text; const char* error; } cases[] = {
      {"frobnicate 1", "s.dlg:1: unknown command 'frobnicate'"},
      {"click OK\ntype 71", "s.dlg:2: 'type <control> \"text\"' expected"},
      {"click", "s.dlg:1: 'click <control>' expected"},
      {"type 71 \"open", "s.dlg:1: the text has no closing quote"},
      {"colour red", "s.dlg:1: colour must be #rrggbb"},
      {"colour #12345", "s.dlg:1: colour must be #rrggbb"},
      {"answer maybe", "s.dlg:1: unknown answer 'maybe'"},
      {"key hyper", "s.dlg:1: unknown key 'hyper'"},
      {"wait soon", "s.dlg:1: wait needs milliseconds"},
      {"wait -5", "s.dlg:1: wait needs milliseconds"},
      {"expect", "s.dlg:1: 'expect' needs what"},
      {"expect colour 5", "s.dlg:1: unknown expectation 'colour'"},
      {"expect selection 71 a b", "s.dlg:1: selection start and end must be numbers"},
      {"expect message", "s.dlg:1: 'expect message \"text\"' expected"},
      {"mouse press 1 2 3", "s.dlg:1: 'mouse down|move|up"},
      {"drag 1 2 3", "s.dlg:1: 'drag <control>"},
      {"\"click\" OK", "s.dlg:1: a line must start with a command"},
      {"click OK extra", "s.dlg:1: 'click <control>' expected"},
  };
  for (const Case& c : cases) {
    DialogScript script;
    std::string error;
    EXPECT_FALSE(lv::ParseDialogScript(c.text, "s.dlg", &script, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << "\n  got: " << error;
  }
}

TEST(DialogScriptParser, LoadsFilesAndRefusesMissingOnes) {
  std::filesystem::path p = lvtest::Prefix() / "script.dlg";
  std::ofstream(p) << "type 71 \"4\"\nclick OK\n";
  DialogScript script;
  std::string error;
  ASSERT_TRUE(lv::LoadDialogScript(p.string(), &script, &error)) << error;
  EXPECT_EQ(script.commands.size(), 2u);
  EXPECT_EQ(script.fileName, p.string());
  EXPECT_FALSE(lv::LoadDialogScript((lvtest::Prefix() / "missing.dlg").string(), &script, &error));
  EXPECT_NE(error.find("missing.dlg"), std::string::npos);
}
