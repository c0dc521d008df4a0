// The clipboard: ownership of blocks, formats, and text kept in the prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "testsupport.h"

namespace {

HGLOBAL TextBlock(const char* text) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::memcpy(GlobalLock(mem), text, std::strlen(text) + 1);
  GlobalUnlock(mem);
  return mem;
}

std::string ReadText() {
  std::string text;
  if (!OpenClipboard(0)) return "<not opened>";
  if (HGLOBAL mem = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(mem));
    GlobalUnlock(mem);
  }
  CloseClipboard();
  return text;
}

TEST(Clipboard, TextRoundTripsAndIsKeptInThePrefix) {
  ASSERT_TRUE(OpenClipboard(0));
  EXPECT_FALSE(OpenClipboard(0));  // one opener at a time
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_TRUE(SetClipboardData(CF_TEXT, TextBlock("<IMG SRC=\"bild.gif\">\n\r")));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(EnumClipboardFormats(0), static_cast<UINT>(CF_TEXT));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  EXPECT_EQ(ReadText(), "<IMG SRC=\"bild.gif\">\n\r");
  std::ifstream file(lvtest::Prefix() / "C" / "windows" / "clipboard.txt", std::ios::binary);
  ASSERT_TRUE(file) << "clipboard text not kept in the prefix";
  std::stringstream kept;
  kept << file.rdbuf();
  EXPECT_EQ(kept.str(), "<IMG SRC=\"bild.gif\">\n\r");
  // Replacing the text frees the old block and keeps the new text.
  ASSERT_TRUE(OpenClipboard(0));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, TextBlock("neu"));
  CloseClipboard();
  EXPECT_EQ(ReadText(), "neu");
  HGLOBAL unused = TextBlock("closed");
  EXPECT_FALSE(SetClipboardData(CF_TEXT, unused));  // not open: refused
  GlobalFree(unused);
}

}  // namespace
