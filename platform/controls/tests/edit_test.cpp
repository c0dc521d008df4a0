// Edit controls driven by typing, keys and the EM_* messages.
#include <cstring>

#include "ctltest.h"
#include "step_agent.h"

namespace {

using ctltest::ControlTest;
using lvtest::WindowText;

DWORD SelectionOf(HWND edit) {
  DWORD start = 99, end = 99;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return MAKELONG(start, end);
}

TEST_F(ControlTest, TypingStopsAtTheLimitWithMaxTextNotifications) {
  HWND edit = Child("Edit", "", WS_BORDER | ES_AUTOHSCROLL, 100);
  SendMessageA(edit, EM_LIMITTEXT, 5, 0);
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 5);
  ASSERT_TRUE(lv::TypeText(edit, "abcdefg"));
  EXPECT_EQ(WindowText(edit), "abcde");
  EXPECT_EQ(Count(100, EN_CHANGE), 5);
  EXPECT_EQ(Count(100, EN_UPDATE), 5);
  EXPECT_EQ(Count(100, EN_MAXTEXT), 2);
  EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
  // A selection makes room again: typing replaces it.
  SendMessageA(edit, EM_SETSEL, 1, 3);
  ASSERT_TRUE(lv::TypeText(edit, "X"));
  EXPECT_EQ(WindowText(edit), "aXde");
}

struct FilterCase {
  const char* name;
  DWORD style;
  const char* typed;
  const char* expected;
};

class EditFilterTest : public ControlTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(EditFilterTest, StyleFiltersTypedText) {
  const FilterCase& c = GetParam();
  HWND edit = Child("Edit", "", c.style | ES_AUTOHSCROLL, 101, 10, 10, 300, 20);
  ASSERT_TRUE(lv::TypeText(edit, c.typed));
  EXPECT_EQ(WindowText(edit), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Styles, EditFilterTest,
                         ::testing::Values(FilterCase{"number", ES_NUMBER, "1a2-b3 ", "123"},
                                           FilterCase{"upper", ES_UPPERCASE, "Gr\xfcn stra\xdf" "e", "GR\xdcN STRA\xdf" "E"},
                                           FilterCase{"lower", ES_LOWERCASE, "\xc4PFEL Xy", "\xe4pfel xy"},
                                           FilterCase{"readonly", ES_READONLY, "abc", ""},
                                           FilterCase{"plain", 0, "a\tb", "ab"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTest, SetSelAllNoneAndReplace) {
  HWND edit = Child("Edit", "Hello World", ES_AUTOHSCROLL, 102, 10, 10, 300, 20);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(0, 11)));
  SendMessageA(edit, EM_SETSEL, 6, 3);  // reversed: the caret ends at 3
  EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(3, 6)));
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(3, 3))) << "-1 removes the selection, caret stays";
  SendMessageA(edit, EM_SETSEL, 0, 5);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Hallo"));
  EXPECT_EQ(WindowText(edit), "Hallo World");
  EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(5, 5)));
  SendMessageA(edit, EM_SETSEL, 100, 200);
  EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(11, 11))) << "positions are clamped to the text";
}

TEST_F(ControlTest, EditingKeys) {
  HWND edit = Child("Edit", "", ES_AUTOHSCROLL, 103, 10, 10, 300, 20);
  ASSERT_TRUE(lv::TypeText(edit, "abcd"));
  ASSERT_TRUE(lv::PressKey(edit, VK_LEFT));
  ASSERT_TRUE(lv::PressKey(edit, VK_LEFT));
  ASSERT_TRUE(lv::TypeText(edit, "\b"));
  EXPECT_EQ(WindowText(edit), "acd");
  ASSERT_TRUE(lv::PressKey(edit, VK_DELETE));
  EXPECT_EQ(WindowText(edit), "ad");
  ASSERT_TRUE(lv::PressKey(edit, VK_HOME));
  ASSERT_TRUE(lv::TypeText(edit, "<"));
  ASSERT_TRUE(lv::PressKey(edit, VK_END));
  ASSERT_TRUE(lv::TypeText(edit, ">"));
  EXPECT_EQ(WindowText(edit), "<ad>");
  ASSERT_TRUE(lv::PressKey(edit, VK_HOME));
  ASSERT_TRUE(lv::TypeText(edit, "\b"));
  EXPECT_EQ(WindowText(edit), "<ad>") << "backspace at the start changes nothing";
}

TEST_F(ControlTest, SetTextNotifiesAndClearsModify) {
  HWND edit = Child("Edit", "", ES_AUTOHSCROLL, 104);
  ASSERT_TRUE(lv::TypeText(edit, "x"));
  recorder_.commands.clear();
  SetWindowTextA(edit, "12");
  EXPECT_EQ(Count(104, EN_CHANGE), 1);
  EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(GetWindowTextLengthA(edit), 2);
  // The limit holds for the user only, not for WM_SETTEXT.
  SendMessageA(edit, EM_LIMITTEXT, 1, 0);
  SetWindowTextA(edit, "123");
  EXPECT_EQ(WindowText(edit), "123");
}

TEST_F(ControlTest, ReplaceSelIsCutToTheLimit) {
  HWND edit = Child("Edit", "ab", ES_AUTOHSCROLL, 105);
  SendMessageA(edit, EM_LIMITTEXT, 4, 0);
  SendMessageA(edit, EM_SETSEL, 2, 2);
  SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("cdef"));
  EXPECT_EQ(WindowText(edit), "abcd");
  EXPECT_EQ(Count(105, EN_MAXTEXT), 1);
}

TEST_F(ControlTest, GetTextNeverWritesPastTheBuffer) {
  HWND edit = Child("Edit", "abcdef", ES_AUTOHSCROLL, 106);
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(buffer[4], '#');
  EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
}

TEST_F(ControlTest, ReadOnlyAndUndo) {
  HWND edit = Child("Edit", "", ES_AUTOHSCROLL, 107);
  ASSERT_TRUE(lv::TypeText(edit, "ab"));
  SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
  ASSERT_TRUE(lv::TypeText(edit, "c"));
  EXPECT_EQ(WindowText(edit), "ab");
  SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
  ASSERT_TRUE(lv::TypeText(edit, "c"));
  EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
  EXPECT_TRUE(SendMessageA(edit, EM_UNDO, 0, 0));
  EXPECT_EQ(WindowText(edit), "ab");
}

TEST_F(ControlTest, PasswordEditKeepsTheRealText) {
  HWND edit = Child("Edit", "", ES_PASSWORD | ES_AUTOHSCROLL, 108);
  ASSERT_TRUE(lv::TypeText(edit, "geheim"));
  EXPECT_EQ(WindowText(edit), "geheim");
  EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
}

TEST_F(ControlTest, MultiLineLines) {
  HWND edit = Child("Edit", "eins\r\nzwei\r\ndrei", ES_MULTILINE | ES_AUTOVSCROLL, 109, 10, 10, 200, 80);
  EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 2, 0), 12);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 3, 0), -1);
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 7, 0), 1);
  EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 7, 0), 4);
  char line[16] = {};
  *reinterpret_cast<WORD*>(line) = 3;
  EXPECT_EQ(SendMessageA(edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 3);
  EXPECT_EQ(std::string(line, 3), "zwe");
  SendMessageA(edit, EM_SETSEL, 4, 4);
  ASSERT_TRUE(lv::TypeText(edit, "\r"));
  EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 4);
  ASSERT_TRUE(lv::TypeText(edit, "\b"));
  EXPECT_EQ(WindowText(edit), "eins\r\nzwei\r\ndrei") << "backspace removes a line break as one character";
}

TEST_F(ControlTest, ClickPlacesTheCaretAndFocusNotifies) {
  HWND edit = Child("Edit", "abc", ES_AUTOHSCROLL, 110, 10, 10, 200, 20);
  ASSERT_TRUE(lv::ClickAt(edit, 190, 10));
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(3, 3)));
  EXPECT_EQ(Count(110, EN_SETFOCUS), 1);
  ASSERT_TRUE(lv::ClickAt(edit, 0, 10));
  EXPECT_EQ(SelectionOf(edit), static_cast<DWORD>(MAKELONG(0, 0)));
  EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(ControlTest, OnlyWantReturnEditsKeepTheEnterKey) {
  HWND plain = Child("Edit", "", ES_MULTILINE, 111, 10, 10, 100, 60);
  HWND wants = Child("Edit", "", ES_MULTILINE | ES_WANTRETURN, 112, 10, 80, 100, 60);
  MSG enter{};
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  const LPARAM msg = reinterpret_cast<LPARAM>(&enter);
  EXPECT_FALSE(SendMessageA(plain, WM_GETDLGCODE, VK_RETURN, msg) & DLGC_WANTALLKEYS);
  EXPECT_TRUE(SendMessageA(wants, WM_GETDLGCODE, VK_RETURN, msg) & DLGC_WANTALLKEYS);
  enter.wParam = VK_ESCAPE;
  EXPECT_FALSE(SendMessageA(wants, WM_GETDLGCODE, VK_ESCAPE, msg) & DLGC_WANTALLKEYS);
}

}  // namespace
