// The script agent driving a small dialog: typing, check boxes, message
// boxes, expectations that hold and ones that fail, and a script that ends
// too early.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogscript.h"

namespace {

constexpr WORD kEdit = 100, kOption = 101;

// A dialog template in memory: DLGTEMPLATE, then one DLGITEMTEMPLATE per control.
class Template {
 public:
  Template(const char* title, WORD count) {
    Dword(WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME);
    Dword(0);
    Word(count);
    for (short v : {10, 10, 160, 80}) Word(static_cast<WORD>(v));
    Word(0);  // no menu
    Word(0);  // standard dialog class
    Text(title);
    Word(8);
    Text("MS Sans Serif");
  }
  // classAtom: 0x80 button, 0x81 edit, 0x82 static.
  Template& Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const char* text) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
    Word(id);
    Word(0xFFFF);
    Word(classAtom);
    Text(text);
    Word(0);
    return *this;
  }
  const DLGTEMPLATE* Get() {
    while (bytes_.size() % 4) bytes_.push_back(0);
    return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
  }

 private:
  void Word(WORD w) {
    bytes_.push_back(static_cast<uint8_t>(w));
    bytes_.push_back(static_cast<uint8_t>(w >> 8));
  }
  void Dword(DWORD d) {
    Word(static_cast<WORD>(d));
    Word(static_cast<WORD>(d >> 16));
  }
  void Text(const char* s) {
    for (; *s; ++s) Word(static_cast<unsigned char>(*s));
    Word(0);
  }
  std::vector<uint8_t> bytes_;
};

// What the dialog saw when OK was accepted.
struct Accepted {
  std::string text;
  bool option = false;
  int refusals = 0;
};
Accepted* g_accepted = nullptr;

// OK refuses the value "0" with a message and selects the field again.
INT_PTR CALLBACK TestDialog(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) {
    char text[64] = {0};
    GetDlgItemTextA(dlg, kEdit, text, sizeof text);
    if (std::strcmp(text, "0") == 0) {
      ++g_accepted->refusals;
      // The dialog texts are ANSI (Windows-1252), the script is UTF-8.
      MessageBoxA(dlg, "Der Wert mu\xdf gr\xf6\xdf" "er sein.", "Test", MB_OK);
      SetFocus(GetDlgItem(dlg, kEdit));
      SendDlgItemMessageA(dlg, kEdit, EM_SETSEL, 0, -1);
      return TRUE;
    }
    g_accepted->text = text;
    g_accepted->option = IsDlgButtonChecked(dlg, kOption) == BST_CHECKED;
    EndDialog(dlg, 1);
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(dlg, 2);
    return TRUE;
  }
  return FALSE;
}

struct Outcome {
  INT_PTR result;
  Accepted accepted;
};

Outcome RunDialog(lv::UserAgent& agent, const char* initial = "1") {
  Template t("Testdialog", 4);
  t.Item(ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 7, 7, 50, 12, kEdit, 0x81, initial)
      .Item(BS_AUTOCHECKBOX | WS_TABSTOP, 7, 25, 80, 10, kOption, 0x80, "&Option")
      .Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 60, 50, 14, IDOK, 0x80, "OK")
      .Item(BS_PUSHBUTTON | WS_TABSTOP, 60, 60, 50, 14, IDCANCEL, 0x80, "Abbrechen");
  Outcome outcome{};
  g_accepted = &outcome.accepted;
  lv::SetUserAgent(&agent);
  outcome.result = DialogBoxIndirectParamA(0, t.Get(), 0, TestDialog, 0);
  lv::SetUserAgent(nullptr);
  g_accepted = nullptr;
  return outcome;
}

lv::ScriptAgent Agent(const std::string& text) {
  lv::DialogScript script;
  std::string error;
  EXPECT_TRUE(lv::ParseDialogScript(text, "t.dlg", &script, &error)) << error;
  return lv::ScriptAgent(script);
}

}  // namespace

TEST(ScriptAgent, TypesChecksAndPressesOk) {
  lv::ScriptAgent agent = Agent(
      "expect text 100 \"1\"\n"
      "expect unchecked Option\n"
      "type 100 \"42\"\n"
      "check Option\n"
      "check Option\n"  // already checked: stays checked
      "expect checked 101\n"
      "expect enabled OK\n"
      "click OK\n");
  Outcome o = RunDialog(agent);
  EXPECT_FALSE(agent.Failed()) << agent.Error();
  EXPECT_EQ(o.result, 1);
  EXPECT_EQ(o.accepted.text, "42");
  EXPECT_TRUE(o.accepted.option);
  EXPECT_EQ(agent.Remaining(), 0u);
}

TEST(ScriptAgent, MessageBoxesAreExpectedAndAnswered) {
  lv::ScriptAgent agent = Agent(
      "type 100 \"0\"\n"
      "click OK\n"
      "expect message \"Der Wert muß größer sein.\"\n"
      "answer ok\n"
      "expect focus 100\n"
      "expect selection 100 0 -1\n"
      "type 100 \"7\"\n"
      "key enter\n");
  Outcome o = RunDialog(agent);
  EXPECT_FALSE(agent.Failed()) << agent.Error();
  EXPECT_EQ(o.accepted.refusals, 1);
  EXPECT_EQ(o.accepted.text, "7");
  EXPECT_TRUE(agent.Notes().empty());
}

TEST(ScriptAgent, FailuresStopTheScriptAndCancel) {
  struct Case { const char* script; const char* error; } cases[] = {
      {"type 100 \"5\"\nexpect text 100 \"6\"\nclick OK\n", "t.dlg:2: expected control 100 to read \"6\", saw \"5\""},
      {"expect checked Option\n", "t.dlg:1: expected control \"Option\" checked, saw it unchecked"},
      {"click 999\n", "t.dlg:1: click: no control 999"},
      {"type 100 \"0\"\nclick OK\nanswer yes\n", "t.dlg:3: answer yes does not fit the message box"},
      {"type 100 \"0\"\nclick OK\nexpect message \"anders\"\n", "t.dlg:3: expected the message \"anders\", saw"},
      {"expect message \"x\"\n", "t.dlg:1: expected the message \"x\", but no message box was shown"},
      {"expect focus OK\n", "t.dlg:1: expected the focus in control \"OK\""},
  };
  for (const Case& c : cases) {
    lv::ClearRecords();
    lv::ScriptAgent agent = Agent(c.script);
    Outcome o = RunDialog(agent);
    EXPECT_TRUE(agent.Failed()) << c.script;
    EXPECT_EQ(agent.Error().rfind(c.error, 0), 0u) << c.script << "\n  got: " << agent.Error();
    EXPECT_NE(o.result, 1) << c.script;
  }
}

TEST(ScriptAgent, AScriptThatEndsEarlyCancelsTheDialog) {
  lv::ScriptAgent agent = Agent("type 100 \"3\"\n");
  Outcome o = RunDialog(agent);
  EXPECT_FALSE(agent.Failed());
  EXPECT_TRUE(agent.RanOut());
  EXPECT_EQ(o.result, 2);
  ASSERT_EQ(agent.Notes().size(), 1u);
  EXPECT_NE(agent.Notes()[0].find("Testdialog"), std::string::npos) << agent.Notes()[0];
}

TEST(OkAgent, PressesOkAndGivesUpOnARefusingDialog) {
  lv::OkAgent agent;
  Outcome o = RunDialog(agent);
  EXPECT_EQ(o.result, 1);
  EXPECT_EQ(o.accepted.text, "1");
  // A dialog that keeps refusing is cancelled after a few tries; its
  // message boxes are noted.
  lv::OkAgent stubborn;
  o = RunDialog(stubborn, "0");
  EXPECT_EQ(o.result, 2);
  EXPECT_EQ(o.accepted.refusals, 3);
  ASSERT_FALSE(stubborn.Notes().empty());
  EXPECT_NE(stubborn.Notes()[0].find("größer"), std::string::npos) << stubborn.Notes()[0];
}
