// The colour dialog's template, written as DLGTEMPLATE bytes: the basic and
// custom colour grids with OK, Abbrechen and Hilfe on the left, the colour
// mixer (hue/saturation field, luminance bar, sample, HLS and RGB edits,
// "Farben hinzufügen") on the right.
#include <colordlg.h>

#include <cstring>
#include <string>

#include "colordlg_internal.h"

namespace lv::dlg {
namespace {

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

// Appends words to a DWORD-aligned byte image of the template.
class TemplateWriter {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(static_cast<WORD>(d & 0xFFFF));
    Word(static_cast<WORD>(d >> 16));
  }
  void Text(const std::u16string& text) {
    for (char16_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  void AlignDword() {
    if (words_.size() % 2) Word(0);
  }
  std::vector<DWORD> Finish() {
    AlignDword();
    std::vector<DWORD> out(words_.size() / 2);
    std::memcpy(out.data(), words_.data(), out.size() * sizeof(DWORD));
    return out;
  }

 private:
  std::vector<WORD> words_;
};

struct Item {
  DWORD style;
  short x, y, cx, cy;
  int id;
  WORD atom;              // predefined class, or 0 for className
  const char* className;  // private class name
  std::u16string text;
};

void WriteItem(TemplateWriter& w, const Item& item) {
  w.AlignDword();
  w.Dword(item.style | WS_CHILD | WS_VISIBLE);
  w.Dword(0);
  w.Word(static_cast<WORD>(item.x));
  w.Word(static_cast<WORD>(item.y));
  w.Word(static_cast<WORD>(item.cx));
  w.Word(static_cast<WORD>(item.cy));
  w.Word(static_cast<WORD>(item.id));
  if (item.atom) {
    w.Word(0xFFFF);
    w.Word(item.atom);
  } else {
    w.Text(std::u16string(item.className, item.className + std::strlen(item.className)));
  }
  w.Text(item.text);
  w.Word(0);  // no creation data
}

constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kRightLabel = SS_RIGHT;
constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

std::vector<Item> Items() {
  return {
      {kLabel, 4, 4, 140, 9, -1, kStaticAtom, nullptr, u"&Grundfarben:"},
      {WS_TABSTOP | WS_GROUP, 4, 14, 140, 86, COLOR_BOX1, 0, LV_COLOR_SWATCHES_CLASS, u""},
      {kLabel, 4, 106, 140, 9, -1, kStaticAtom, nullptr, u"&Benutzerdefinierte Farben:"},
      {WS_TABSTOP | WS_GROUP, 4, 116, 140, 28, COLOR_CUSTOM1, 0, LV_COLOR_SWATCHES_CLASS, u""},
      {kButton | WS_GROUP, 4, 150, 138, 14, COLOR_MIX, kButtonAtom, nullptr, u"Farben &definieren >>"},
      {BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 4, 166, 44, 14, IDOK, kButtonAtom, nullptr, u"OK"},
      {kButton, 52, 166, 44, 14, IDCANCEL, kButtonAtom, nullptr, u"Abbrechen"},
      {kButton, 100, 166, 44, 14, pshHelp, kButtonAtom, nullptr, u"&Hilfe"},
      {WS_GROUP, 152, 4, 118, 116, COLOR_RAINBOW, 0, LV_COLOR_RAINBOW_CLASS, u""},
      {0, 280, 4, 8, 116, COLOR_LUMSCROLL, 0, LV_COLOR_LUMINANCE_CLASS, u""},
      {0, 152, 124, 38, 26, COLOR_CURRENT, 0, LV_COLOR_SWATCHES_CLASS, u""},
      {SS_CENTER, 150, 152, 40, 9, COLOR_SOLID_LEFT, kStaticAtom, nullptr, u"Farbe|Bas&is"},
      {kRightLabel, 190, 126, 30, 9, COLOR_HUEACCEL, kStaticAtom, nullptr, u"&Farbton:"},
      {kEdit | WS_GROUP, 221, 124, 18, 12, COLOR_HUE, kEditAtom, nullptr, u""},
      {kRightLabel, 190, 140, 30, 9, COLOR_SATACCEL, kStaticAtom, nullptr, u"&S\u00e4tt.:"},
      {kEdit | WS_GROUP, 221, 138, 18, 12, COLOR_SAT, kEditAtom, nullptr, u""},
      {kRightLabel, 190, 154, 30, 9, COLOR_LUMACCEL, kStaticAtom, nullptr, u"&Hell.:"},
      {kEdit | WS_GROUP, 221, 152, 18, 12, COLOR_LUM, kEditAtom, nullptr, u""},
      {kRightLabel, 241, 126, 25, 9, COLOR_REDACCEL, kStaticAtom, nullptr, u"&Rot:"},
      {kEdit | WS_GROUP, 268, 124, 18, 12, COLOR_RED, kEditAtom, nullptr, u""},
      {kRightLabel, 241, 140, 25, 9, COLOR_GREENACCEL, kStaticAtom, nullptr, u"&Gr\u00fcn:"},
      {kEdit | WS_GROUP, 268, 138, 18, 12, COLOR_GREEN, kEditAtom, nullptr, u""},
      {kRightLabel, 241, 154, 25, 9, COLOR_BLUEACCEL, kStaticAtom, nullptr, u"Bl&au:"},
      {kEdit | WS_GROUP, 268, 152, 18, 12, COLOR_BLUE, kEditAtom, nullptr, u""},
      {kButton | WS_GROUP, 152, 166, 142, 14, COLOR_ADD, kButtonAtom, nullptr, u"Farben &hinzuf\u00fcgen"},
  };
}

}  // namespace

std::vector<DWORD> BuildColorTemplate() {
  const std::vector<Item> items = Items();
  TemplateWriter w;
  w.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
  w.Dword(0);
  w.Word(static_cast<WORD>(items.size()));
  w.Word(2);
  w.Word(0);
  w.Word(kFullWidth);
  w.Word(184);
  w.Word(0);  // no menu
  w.Word(0);  // the dialog class
  w.Text(u"Farbe");
  w.Word(8);
  w.Text(u"MS Sans Serif");
  for (const Item& item : items) WriteItem(w, item);
  return w.Finish();
}

}  // namespace lv::dlg
