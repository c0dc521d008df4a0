// List boxes and combo boxes: items, selection, keys, notifications and
// the drop-down list.
#include <cstring>

#include "ctltest.h"
#include "step_agent.h"

namespace {

using ctltest::ControlTest;
using lvtest::WindowText;

void Add(HWND control, UINT message, std::initializer_list<const char*> texts) {
  for (const char* text : texts) SendMessageA(control, message, 0, reinterpret_cast<LPARAM>(text));
}

std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
  const LRESULT length = SendMessageA(control, lengthMessage, index, 0);
  if (length < 0) return "<error>";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

TEST_F(ControlTest, SortedListBoxItemsAndSearch) {
  HWND list = Child("ListBox", "", LBS_SORT | LBS_NOTIFY | WS_BORDER, 500, 10, 10, 150, 100);
  Add(list, LB_ADDSTRING, {"Rechts", "links", "Zentrieren", "Mitte"});
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
  const char* expected[] = {"links", "Mitte", "Rechts", "Zentrieren"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, i), expected[i]);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("RE")), 2);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("mitte")), 1);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 2, reinterpret_cast<LPARAM>("l")), 0) << "the search goes round";
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("x")), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 3, 77), 0);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 3, 0), 77);
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 3);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), 77) << "data moves with its item";
}

TEST_F(ControlTest, ListBoxSelectionByProgramClickAndKeys) {
  HWND list = Child("ListBox", "", LBS_NOTIFY, 501, 10, 10, 150, 100);
  Add(list, LB_ADDSTRING, {"eins", "zwei", "drei"});
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(Count(501, LBN_SELCHANGE), 0) << "the program's selection is not reported";
  RECT item{};
  ASSERT_EQ(SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)), 0);
  ASSERT_TRUE(lv::ClickAt(list, item.left + 5, (item.top + item.bottom) / 2));
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Count(501, LBN_SELCHANGE), 1);
  ASSERT_TRUE(lv::PressKey(list, VK_HOME));
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
  ASSERT_TRUE(lv::TypeText(list, "d"));
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2) << "typing jumps to the item with that letter";
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 7, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ControlTest, MultipleSelectionListBox) {
  HWND list = Child("ListBox", "", LBS_MULTIPLESEL, 502, 10, 10, 150, 100);
  Add(list, LB_ADDSTRING, {"a", "b", "c", "d"});
  SendMessageA(list, LB_SETSEL, TRUE, 1);
  SendMessageA(list, LB_SETSEL, TRUE, 3);
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 2);
  int selected[4] = {-1, -1, -1, -1};
  EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(selected)), 2);
  EXPECT_EQ(selected[0], 1);
  EXPECT_EQ(selected[1], 3);
  SendMessageA(list, LB_SETSEL, FALSE, -1);
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 0, 0), LB_ERR) << "single selection only";
}

TEST_F(ControlTest, DropDownListByKeysTypingAndText) {
  HWND combo = Child("ComboBox", "", CBS_DROPDOWNLIST | WS_TABSTOP, 510, 10, 10, 150, 120);
  Add(combo, CB_ADDSTRING, {"Zentrieren", "Links", "Rechts"});
  EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 0, 0), 0);
  EXPECT_EQ(WindowText(combo), "Zentrieren");
  SetFocus(combo);
  ASSERT_TRUE(lv::PressKey(combo, VK_DOWN));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Count(510, CBN_SELCHANGE), 1);
  ASSERT_TRUE(lv::TypeText(combo, "r"));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, 2), "Rechts");
  EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("links")), TRUE);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Oben")), CB_ERR);
  RECT rc{};
  GetWindowRect(combo, &rc);
  EXPECT_LT(rc.bottom - rc.top, 120) << "only the selection field shows";
}

TEST_F(ControlTest, DroppedListChoosesWithAClick) {
  HWND combo = Child("ComboBox", "", CBS_DROPDOWNLIST, 511, 10, 10, 150, 120);
  Add(combo, CB_ADDSTRING, {"Normal", "1  [8pt]", "2  [10pt]"});
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  ASSERT_TRUE(lv::Click(combo));
  EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Count(511, CBN_DROPDOWN), 1);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  ASSERT_NE(info.hwndList, 0u);
  RECT item{};
  ASSERT_EQ(SendMessageA(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)), 0);
  ASSERT_TRUE(lv::ClickAt(info.hwndList, item.left + 4, (item.top + item.bottom) / 2));
  EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_FALSE(IsWindow(info.hwndList));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
  const std::vector<int> expected{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE};
  std::vector<int> seen;
  for (const auto& c : recorder_.commands)
    if (c.id == 511 && c.code != CBN_SETFOCUS && c.code != CBN_KILLFOCUS) seen.push_back(c.code);
  EXPECT_EQ(seen, expected);
}

TEST_F(ControlTest, EditableComboForwardsItsEdit) {
  HWND combo = Child("ComboBox", "", CBS_DROPDOWN | CBS_SORT, 512, 10, 10, 150, 120);
  Add(combo, CB_ADDSTRING, {"b", "a"});
  SendMessageA(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(WindowText(combo), "b");
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  ASSERT_NE(info.hwndItem, combo);
  ASSERT_TRUE(lv::ReplaceText(info.hwndItem, "frei"));
  EXPECT_EQ(WindowText(combo), "frei");
  EXPECT_GE(Count(512, CBN_EDITCHANGE), 1);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1) << "typing does not change the list's selection";
}

}  // namespace
