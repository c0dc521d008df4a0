// Lists in files: round trip through the platform's files, missing and
// broken files, replacing an existing file.
#include <string>
#include <vector>

#include "list_fixture.h"

namespace {

std::string TempName(const char* name) {
  char folder[MAX_PATH] = {};
  EXPECT_GT(GetTempPathA(MAX_PATH, folder), 0u);
  return std::string(folder) + name;
}

void WriteBytes(const std::string& name, const std::vector<BYTE>& bytes) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_TRUE(CloseHandle(f));
}

std::vector<BYTE> ReadBytes(const std::string& name) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, 0);
  EXPECT_NE(f, INVALID_HANDLE_VALUE);
  std::vector<BYTE> bytes(GetFileSize(f, nullptr));
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr));
  CloseHandle(f);
  return bytes;
}

int g_seen = 0;
BOOL CountItems(LONG, IIITEM*) { return ++g_seen > 0; }

TEST(ListFile, SaveAndLoadRoundTrip) {
  const std::string file = TempName("Presets.pst");
  const std::string payload = "effect data";
  {
    OwnedList list(t32CreateIIO(0));
    OwnedImage image(24, 120, 60, RGB(40, 80, 120));
    IIITEM add = Record(image.get(), "Glas", payload, 5);
    ASSERT_TRUE(t32IIAction(list.get(), II_ADD, 0, &add));
    ASSERT_TRUE(t32SaveIIO(file.c_str(), list.get(), 0));
  }
  g_seen = 0;
  OwnedList loaded(t32LoadIIO(file.c_str(), CountItems));
  ASSERT_NE(loaded.get(), 0u);
  EXPECT_EQ(g_seen, 1);
  IIITEM got{};
  ASSERT_TRUE(t32IIAction(loaded.get(), II_GET, 0, &got));
  EXPECT_STREQ(got.name, "Glas");
  EXPECT_EQ(Payload(got), payload);
  EXPECT_EQ(got.userValue, 5);
  LONG w = 0, h = 0;
  ASSERT_TRUE(buf32GetWHU(got.image, &w, &h, nullptr));
  EXPECT_EQ(w, 64);
  EXPECT_EQ(h, 32);
  // Names resolve case-insensitively, as every platform file name does.
  OwnedList again(t32LoadIIO(TempName("PRESETS.PST").c_str(), nullptr));
  EXPECT_NE(again.get(), 0u);
  EXPECT_EQ(GetFileAttributesA((file + ".~new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ListFile, SaveReplacesAnExistingFile) {
  const std::string file = TempName("replace.pst");
  WriteBytes(file, std::vector<BYTE>(5000, 0x55));
  OwnedList list(t32CreateIIO(0));
  ASSERT_TRUE(t32SaveIIO(file.c_str(), list.get(), 0));
  EXPECT_EQ(ReadBytes(file).size(), 32u);
}

TEST(ListFile, MissingAndBrokenFilesGiveNoList) {
  EXPECT_EQ(t32LoadIIO(TempName("missing.pst").c_str(), nullptr), 0u);
  EXPECT_EQ(t32LoadIIO(nullptr, nullptr), 0u);
  const std::string broken = TempName("broken.pst");
  for (const std::vector<BYTE>& bytes :
       {std::vector<BYTE>{}, std::vector<BYTE>{'I', 'I', 'O', 'L'},
        std::vector<BYTE>(100, 0xFF), std::vector<BYTE>{'I', 'I', 'O', 'L', 1, 0, 0, 0}}) {
    WriteBytes(broken, bytes);
    EXPECT_EQ(t32LoadIIO(broken.c_str(), nullptr), 0u) << bytes.size() << " bytes";
  }
}

TEST(ListFile, FailedSaveLeavesNothingBehind) {
  OwnedList list(t32CreateIIO(0));
  std::string inMissingFolder = TempName("no-such-folder\\list.pst");
  EXPECT_FALSE(t32SaveIIO(inMissingFolder.c_str(), list.get(), 0));
  EXPECT_FALSE(t32SaveIIO(TempName("x.pst").c_str(), 0, 0));
  EXPECT_FALSE(t32SaveIIO(nullptr, list.get(), 0));
  EXPECT_FALSE(t32SaveIIO("", list.get(), 0));
  EXPECT_EQ(GetFileAttributesA(TempName("x.pst").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
