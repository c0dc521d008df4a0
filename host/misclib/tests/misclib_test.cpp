// misclib: the error report into the host slot, the palette copy, the row
// services and the binding by ordinal.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <misclib.h>

#include <string>
#include <vector>

namespace {

std::string LastText() {
  char text[256];
  misGetLastErrorText(text, sizeof text);
  return text;
}

TEST(MiscErrorReport, FourNumbersFillTheSlotAndTheTextIsKept) {
  c32ResetDLLErrInfo();
  EXPECT_EQ(misReportError(811, 1, 2, 7020, "Unbekanntes Dateiformat."), 7020);
  LONG unit = 0, category = 0, detail = 0;
  EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, &category, &detail), 7020);
  EXPECT_EQ(unit, 811);
  EXPECT_EQ(category, 1);
  EXPECT_EQ(detail, 2);
  EXPECT_EQ(LastText(), "Unbekanntes Dateiformat.");
}

TEST(MiscErrorReport, TextIsDroppedOnceTheSlotChanges) {
  misReportError(813, 5, 4, 7022, "Dateischreibfehler.");
  c32ResetDLLErrInfo();
  EXPECT_EQ(LastText(), "");
  misReportError(813, 5, 4, 7022, "Dateischreibfehler.");
  c32SetDLLErrInfo(0, 1001, 0, 72201, 1, 1);
  EXPECT_EQ(LastText(), "");
}

TEST(MiscPalette, CopyHasTheSameEntriesAndIsIndependent) {
  std::vector<BYTE> block(sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = 3;
  logical->palPalEntry[0] = {1, 2, 3, 0};
  logical->palPalEntry[1] = {40, 50, 60, 0};
  logical->palPalEntry[2] = {255, 0, 128, 0};
  HPALETTE original = CreatePalette(logical);
  ASSERT_NE(original, 0u);
  HPALETTE copy = misCopyPalette(original);
  ASSERT_NE(copy, 0u);
  EXPECT_NE(copy, original);
  DeleteObject(original);
  PALETTEENTRY entries[3] = {};
  ASSERT_EQ(GetPaletteEntries(copy, 0, 3, entries), 3u);
  EXPECT_EQ(entries[1].peRed, 40);
  EXPECT_EQ(entries[2].peBlue, 128);
  DeleteObject(copy);
  EXPECT_EQ(misCopyPalette(0), 0u);
}

TEST(MiscRows, InvertExpandAndCopy) {
  const BYTE bits[2] = {0xA5, 0x80};
  BYTE inverted[2];
  misInvertBits(inverted, bits, 2);
  EXPECT_EQ(inverted[0], 0x5A);
  EXPECT_EQ(inverted[1], 0x7F);
  BYTE expanded[10];
  misExpandBits(expanded, bits, 10);
  const BYTE expected[10] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 0};
  EXPECT_EQ(std::vector<BYTE>(expanded, expanded + 10), std::vector<BYTE>(expected, expected + 10));
  BYTE copy[4] = {9, 9, 9, 9};
  misCopyRow(copy, bits, 2);
  EXPECT_EQ(copy[0], 0xA5);
  EXPECT_EQ(copy[2], 9);
}

struct GreenCase {
  WORD word;
  BYTE red, green, blue;
};

TEST(MiscRows, GreenWordsToRgbWidensEveryChannel) {
  // word layout: blue bits 3-7, red 8-12, green high bits 0-2, low bits 13-15
  const GreenCase cases[] = {
      {0x0000, 0, 0, 0},
      {0xFFFF, 255, 255, 255},
      {0x1F00, 255, 0, 0},
      {0x00F8, 0, 0, 255},
      {0xE007, 0, 255, 0},
      {0x0004, 0, 130, 0},  // green 100000
  };
  for (const GreenCase& c : cases) {
    const BYTE in[2] = {static_cast<BYTE>(c.word), static_cast<BYTE>(c.word >> 8)};
    BYTE out[3] = {};
    misGreenWordsToRgb(out, in, 1);
    EXPECT_EQ(out[0], c.red) << std::hex << c.word;
    EXPECT_EQ(out[1], c.green) << std::hex << c.word;
    EXPECT_EQ(out[2], c.blue) << std::hex << c.word;
  }
}

TEST(MiscBinding, ExactlyTheOrdinalsResolve) {
  HMODULE library = LoadLibraryA("misclib.dll");
  ASSERT_NE(library, 0u);
  const int ordinals[] = {44, 15, 20, 21, 24, 27, 30};
  for (int ordinal : ordinals)
    EXPECT_NE(GetProcAddress(library, MAKEINTRESOURCE(ordinal)), nullptr) << ordinal;
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCE(44))),
            reinterpret_cast<void*>(&misReportError));
  EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCE(45)), nullptr);
  FreeLibrary(library);
}

TEST(MiscDialogSetup, RefusesUnknownWindowsAndModes) {
  EXPECT_FALSE(misDialogSetup(0, 1));
  EXPECT_FALSE(misDialogSetup(0, 2));
}

}  // namespace
