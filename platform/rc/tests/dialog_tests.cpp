// Dialog templates, checked byte by byte against hand-assembled templates.
#include "script_fixture.h"

namespace lvrctest {
namespace {

using Dialogs = ScriptTest;

TEST_F(Dialogs, DialogWithFontAndControls) {
  auto c = Compile(
      "#include <windows.h>\n"
      "100 DIALOG DISCARDABLE 10, 20, 186, 95\n"
      "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
      "CAPTION \"Hi\"\n"
      "FONT 8, \"MS Sans Serif\"\n"
      "BEGIN\n"
      "  DEFPUSHBUTTON \"OK\", IDOK, 129, 7, 50, 14\n"
      "  LTEXT \"Größe\", IDC_STATIC, 7, 7, 40, 8\n"
      "  CONTROL \"\", 1005, \"msctls_trackbar32\", TBS_AUTOTICKS | WS_TABSTOP, 7, 20, 100, 15\n"
      "END\n");
  const auto* d = FindData(c, 5, 100);
  ASSERT_NE(d, nullptr);
  Bytes w;
  w.u32(0x80C800C0).u32(0).u16(3).u16(10).u16(20).u16(186).u16(95);
  w.u16(0).u16(0).wstr(u"Hi").u16(8).wstr(u"MS Sans Serif").pad4();
  w.u32(0x50010001).u32(0).u16(129).u16(7).u16(50).u16(14).u16(1);
  w.u16(0xFFFF).u16(0x80).wstr(u"OK").u16(0).pad4();
  w.u32(0x50020000).u32(0).u16(7).u16(7).u16(40).u16(8).u16(0xFFFF);
  w.u16(0xFFFF).u16(0x82).wstr(u"Größe").u16(0).pad4();
  w.u32(0x50010001).u32(0).u16(7).u16(20).u16(100).u16(15).u16(1005);
  w.wstr(u"msctls_trackbar32").wstr(u"").u16(0);
  EXPECT_EQ(*d, w.b);
}

TEST_F(Dialogs, DialogExWithFontWeightHelpIdsAndNotStyles) {
  auto c = Compile(
      "200 DIALOGEX 0, 0, 100, 50, 77\n"
      "CAPTION \"T\"\n"
      "FONT 9, \"Arial\", 700, 1, 0\n"
      "MENU 5\n"
      "CLASS \"ClrBox\"\n"
      "BEGIN\n"
      "  EDITTEXT 1001, 1, 2, 3, 4, ES_NUMBER | NOT WS_BORDER, WS_EX_CLIENTEDGE, 5\n"
      "  CONTROL \"x\", 7, Button, BS_AUTORADIOBUTTON | NOT WS_VISIBLE, 1, 1, 1, 1\n"
      "END\n");
  const auto* d = FindData(c, 5, 200);
  ASSERT_NE(d, nullptr);
  Bytes w;
  w.u16(1).u16(0xFFFF).u32(77).u32(0).u32(0x80C80040).u16(2).u16(0).u16(0).u16(100).u16(50);
  w.u16(0xFFFF).u16(5).wstr(u"ClrBox").wstr(u"T").u16(9).u16(700).u8(1).u8(0).wstr(u"Arial").pad4();
  w.u32(5).u32(0x200).u32(0x50012000).u16(1).u16(2).u16(3).u16(4).u32(1001);
  w.u16(0xFFFF).u16(0x81).wstr(u"").u16(0).pad4();
  w.u32(0).u32(0).u32(0x40000009).u16(1).u16(1).u16(1).u16(1).u32(7);
  w.u16(0xFFFF).u16(0x80).wstr(u"x").u16(0);
  EXPECT_EQ(*d, w.b);
}

TEST_F(Dialogs, DefaultDialogStyleAndControlData) {
  auto c = Compile(
      "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"\", 2, \"Custom\", 0, 0, 0, 1, 1 BEGIN 0x1234, 2L END\nEND\n");
  const auto* d = FindData(c, 5, 1);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ((*d)[12] | (*d)[13] << 8 | (*d)[14] << 16 | static_cast<uint32_t>((*d)[15]) << 24, 0x80880000u);  // WS_POPUP|WS_BORDER|WS_SYSMENU
  std::vector<uint8_t> tail(d->end() - 8, d->end());
  EXPECT_EQ(tail, (std::vector<uint8_t>{6, 0, 0x34, 0x12, 2, 0, 0, 0}));
}

TEST_F(Dialogs, SetFontStyleWithoutFontStatementStillCarriesAFont) {
  auto c = Compile("1 DIALOG 0, 0, 10, 10\nSTYLE DS_SETFONT | WS_POPUP\nBEGIN\nEND\n");
  const auto* d = FindData(c, 5, 1);
  ASSERT_NE(d, nullptr);
  Bytes w;
  w.u32(0x80000040).u32(0).u16(0).u16(0).u16(0).u16(10).u16(10).u16(0).u16(0).u16(0).u16(8).wstr(u"MS Shell Dlg");
  EXPECT_EQ(*d, w.b);
}

struct ControlCase {
  const char* statement;
  uint32_t style;
  uint16_t classOrdinal;
};

class ControlDefaults : public ScriptTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlDefaults, StatementGetsTheStandardStyleAndClass) {
  const ControlCase& k = GetParam();
  auto c = Compile(std::string("1 DIALOG 0, 0, 10, 10\nBEGIN\n  ") + k.statement + "\nEND\n");
  const auto* d = FindData(c, 5, 1);
  ASSERT_NE(d, nullptr);
  ASSERT_GT(d->size(), 46u);
  // No menu, class, caption or font: the one item starts at offset 24.
  uint32_t style = (*d)[24] | (*d)[25] << 8 | (*d)[26] << 16 | static_cast<uint32_t>((*d)[27]) << 24;
  EXPECT_EQ(style, k.style) << k.statement;
  EXPECT_EQ((*d)[42] | (*d)[43] << 8, 0xFFFF) << k.statement;
  EXPECT_EQ((*d)[44] | (*d)[45] << 8, k.classOrdinal) << k.statement;
}

INSTANTIATE_TEST_SUITE_P(
    AllStatements, ControlDefaults,
    ::testing::Values(ControlCase{"LTEXT \"a\", 1, 0, 0, 1, 1", 0x50020000, 0x82},
                      ControlCase{"RTEXT \"a\", 1, 0, 0, 1, 1", 0x50020002, 0x82},
                      ControlCase{"CTEXT \"a\", 1, 0, 0, 1, 1", 0x50020001, 0x82},
                      ControlCase{"PUSHBUTTON \"a\", 1, 0, 0, 1, 1", 0x50010000, 0x80},
                      ControlCase{"DEFPUSHBUTTON \"a\", 1, 0, 0, 1, 1", 0x50010001, 0x80},
                      ControlCase{"PUSHBOX \"a\", 1, 0, 0, 1, 1", 0x5001000A, 0x80},
                      ControlCase{"CHECKBOX \"a\", 1, 0, 0, 1, 1", 0x50010002, 0x80},
                      ControlCase{"AUTOCHECKBOX \"a\", 1, 0, 0, 1, 1", 0x50010003, 0x80},
                      ControlCase{"STATE3 \"a\", 1, 0, 0, 1, 1", 0x50010005, 0x80},
                      ControlCase{"AUTO3STATE \"a\", 1, 0, 0, 1, 1", 0x50010006, 0x80},
                      ControlCase{"RADIOBUTTON \"a\", 1, 0, 0, 1, 1", 0x50000004, 0x80},
                      ControlCase{"AUTORADIOBUTTON \"a\", 1, 0, 0, 1, 1", 0x50000009, 0x80},
                      ControlCase{"GROUPBOX \"a\", 1, 0, 0, 1, 1", 0x50000007, 0x80},
                      ControlCase{"EDITTEXT 1, 0, 0, 1, 1", 0x50810000, 0x81},
                      ControlCase{"LISTBOX 1, 0, 0, 1, 1", 0x50800001, 0x83},
                      ControlCase{"COMBOBOX 1, 0, 0, 1, 1", 0x50010001, 0x85},
                      ControlCase{"SCROLLBAR 1, 0, 0, 1, 1", 0x50000000, 0x84},
                      ControlCase{"ICON 1, 1, 0, 0", 0x50000003, 0x82},
                      ControlCase{"PUSHBUTTON \"a\", 1, 0, 0, 1, 1, NOT WS_TABSTOP | WS_DISABLED", 0x58000000, 0x80},
                      ControlCase{"LTEXT \"a\", 1, 0, 0, 1, 1, SS_NOPREFIX | NOT WS_GROUP", 0x50000080, 0x82},
                      ControlCase{"CONTROL \"a\", 1, \"Static\", SS_ETCHEDHORZ, 0, 0, 1, 1", 0x50000010, 0x82},
                      ControlCase{"CONTROL \"a\", 1, \"COMBOBOX\", CBS_DROPDOWNLIST, 0, 0, 1, 1", 0x50000003, 0x85},
                      ControlCase{"CONTROL \"a\", 1, \"listbox\", 0, 0, 0, 1, 1", 0x50000000, 0x83},
                      ControlCase{"CONTROL \"a\", 1, \"Edit\", 0, 0, 0, 1, 1", 0x50000000, 0x81},
                      ControlCase{"CONTROL \"a\", 1, \"ScrollBar\", SBS_VERT, 0, 0, 1, 1", 0x50000001, 0x84}));

}  // namespace
}  // namespace lvrctest
