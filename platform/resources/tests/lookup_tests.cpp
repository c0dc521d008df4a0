// Resource lookup on this test program's own compiled resources (test.rc).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct StringCase {
  UINT id;
  int bufferMax;
  int result;
  const char* text;
};

TEST(LoadStringA, CopiesConvertsAndTruncates) {
  const StringCase cases[] = {
      {1, 64, 12, "Gr\xf6\xdf" "e \xe4ndern"},
      {1, 13, 12, "Gr\xf6\xdf" "e \xe4ndern"},
      {1, 5, 4, "Gr\xf6\xdf"},
      {1, 1, 0, ""},
      {2, 64, 5, "100 \x80"},
      {3, 64, 3, "a?b"},
      {4, 64, 3, "x?y"},
      {1000, 64, 8, "Weit weg"},
      {5, 64, 0, ""},     // empty slot of an existing block
      {999, 64, 0, ""},   // no such block
      {70000, 64, 0, ""},
  };
  for (const StringCase& k : cases) {
    char buffer[64];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(LoadStringA(0, k.id, buffer, k.bufferMax), k.result) << "id " << k.id << " max " << k.bufferMax;
    EXPECT_STREQ(buffer, k.text) << "id " << k.id << " max " << k.bufferMax;
  }
}

TEST(LoadStringA, RejectsMissingBufferWithoutWriting) {
  char buffer[4] = {'a', 'b', 'c', 0};
  EXPECT_EQ(LoadStringA(0, 1, buffer, 0), 0);
  EXPECT_EQ(LoadStringA(0, 1, buffer, -3), 0);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(LoadStringA(0, 1, nullptr, 10), 0);
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, 0u);
  EXPECT_EQ(LoadStringA(program, 1, buffer, 4), 3);
  EXPECT_STREQ(buffer, "Gr\xf6");
}

std::vector<unsigned char> DataOf(HRSRC r) {
  HGLOBAL h = LoadResource(0, r);
  const auto* p = static_cast<const unsigned char*>(LockResource(h));
  if (!p) return {};
  return std::vector<unsigned char>(p, p + SizeofResource(0, r));
}

TEST(FindResourceA, FindsByOrdinalNumberStringAndNameWithoutCase) {
  EXPECT_EQ(DataOf(FindResourceA(0, MAKEINTRESOURCEA(123), RT_RCDATA)), (std::vector<unsigned char>{1, 0, 2, 0, 3, 0}));
  EXPECT_EQ(DataOf(FindResourceA(0, "#123", RT_RCDATA)), (std::vector<unsigned char>{1, 0, 2, 0, 3, 0}));
  EXPECT_EQ(DataOf(FindResourceA(0, "muster", MAKEINTRESOURCEA(10))), (std::vector<unsigned char>{'M', 'u', 's', 't', 'e', 'r'}));
  HRSRC again = FindResourceA(0, "MUSTER", RT_RCDATA);
  EXPECT_EQ(again, FindResourceA(0, "Muster", "#10"));
  EXPECT_EQ(FreeResource(LoadResource(0, again)), FALSE);
}

TEST(FindResourceA, BitmapIsPackedAndDialogIsATemplate) {
  std::vector<unsigned char> dib = DataOf(FindResourceA(0, MAKEINTRESOURCEA(42), RT_BITMAP));
  ASSERT_EQ(dib.size(), 44u);
  EXPECT_EQ(dib[0], 40);
  EXPECT_EQ(dib[40], 0x10);
  std::vector<unsigned char> dlg = DataOf(FindResourceA(0, MAKEINTRESOURCEA(100), RT_DIALOG));
  ASSERT_GT(dlg.size(), 18u);
  EXPECT_EQ(dlg[8], 1);  // one control
}

TEST(FindResourceA, MissingResourcesReportWhy) {
  SetLastError(0);
  EXPECT_EQ(FindResourceA(0, MAKEINTRESOURCEA(77), RT_RCDATA), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceA(0, MAKEINTRESOURCEA(1), RT_ICON), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceA(0, "#0", RT_RCDATA), 0u);
  EXPECT_EQ(FindResourceA(0, "", RT_RCDATA), 0u);
  EXPECT_EQ(FindResourceA(0, nullptr, RT_RCDATA), 0u);
  EXPECT_EQ(FindResourceA(0x12345, MAKEINTRESOURCEA(123), RT_RCDATA), 0u);
  EXPECT_EQ(LockResource(0), nullptr);
  EXPECT_EQ(LoadResource(0, 0x1234), 0u);
  EXPECT_EQ(SizeofResource(0, 0xFFFFFFFF), 0u);
}

TEST(FindResourceExA, PrefersTheLanguageAskedFor) {
  auto byte = [](WORD lang) {
    std::vector<unsigned char> d = DataOf(FindResourceExA(0, RT_RCDATA, "MIXED", lang));
    return d.empty() ? -1 : d[0];
  };
  EXPECT_EQ(byte(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)), 0x10);
  EXPECT_EQ(byte(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), 0x20);
  EXPECT_EQ(byte(MAKELANGID(LANG_ENGLISH, 2)), 0x20);  // same primary language
  EXPECT_EQ(byte(0), 0x10);
  EXPECT_EQ(byte(MAKELANGID(0x0c, 1)), 0x10);  // none in that language: any
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(param);
  names->push_back(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name);
  return TRUE;
}

TEST(EnumResourceNamesA, ListsEveryResourceOfAType) {
  std::vector<std::string> names;
  EXPECT_TRUE(EnumResourceNamesA(0, RT_RCDATA, CollectName, reinterpret_cast<LONG_PTR>(&names)));
  EXPECT_EQ(names, (std::vector<std::string>{"#123", "MUSTER", "MIXED", "MIXED"}));
  EXPECT_FALSE(EnumResourceNamesA(0, RT_ICON, CollectName, reinterpret_cast<LONG_PTR>(&names)));
}

TEST(ModuleResources, LookupsUseTheModuleAskedFor) {
  char path[MAX_PATH];
  ASSERT_TRUE(lvUnixPathToWin(RESOURCES_TEST_MODULE, path, sizeof path));
  HMODULE m = LoadLibraryA(path);
  ASSERT_NE(m, 0u) << "error " << GetLastError();
  char buffer[32];
  EXPECT_EQ(LoadStringA(m, 1, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "Modul \xc4");
  EXPECT_EQ(LoadStringA(0, 1, buffer, sizeof buffer), 12);
  EXPECT_EQ(DataOf(FindResourceA(m, MAKEINTRESOURCEA(123), RT_RCDATA)), (std::vector<unsigned char>{9, 0}));
  EXPECT_EQ(DataOf(FindResourceA(0, MAKEINTRESOURCEA(123), RT_RCDATA)), (std::vector<unsigned char>{1, 0, 2, 0, 3, 0}));
  EXPECT_EQ(FindResourceA(m, MAKEINTRESOURCEA(42), RT_BITMAP), 0u);
  EXPECT_TRUE(FreeLibrary(m));
  EXPECT_EQ(LoadStringA(m, 1, buffer, sizeof buffer), 0);
}

}  // namespace
