// File information of VOC files written by sox and by hand, read through
// the module's export: every field of the record, byte for byte.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "module.h"

namespace {

using miotest::Audio;
using miotest::ErrorSlot;
using miotest::Info;
using miotest::RawRecord;

// Size and packed local creation time of a file, through the file attributes.
void FileFacts(const std::string& file, DWORD* size, WORD* date, WORD* time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
  *size = data.nFileSizeLow;
  FILETIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&data.ftCreationTime, &local));
  ASSERT_TRUE(FileTimeToDosDateTime(&local, date, time));
}

class VocFileTest : public miotest::ModuleTest {};

struct SoxCase {
  const char* name;
  const char* arguments;  // sox options before the output file
  uint32_t rate, bits, channels;
  double seconds;
};

// Writes the file with sox and reads it through the module.
void MakeAndRead(const SoxCase& c, RawRecord* raw, bool* read) {
  ASSERT_TRUE(miotest::RunSox(std::string("-n ") + c.arguments + " " + c.name + " synth " +
                              std::to_string(c.seconds) + " sine 440"))
      << "sox is needed for these tests";
  *read = Info(3, miotest::WinPath(miotest::WorkDir() / c.name), raw);
}

// 8-bit files: sound data blocks, with an extended block before them for stereo.
TEST_F(VocFileTest, EightBitFilesWrittenBySox) {
  const SoxCase cases[] = {
      {"mono8_8000.voc", "-r 8000 -c 1 -b 8 -e unsigned", 8000, 8, 1, 0.5},
      {"mono8_11025.voc", "-r 11025 -c 1 -b 8 -e unsigned", 11025, 8, 1, 0.3},
      {"stereo8_16000.voc", "-r 16000 -c 2 -b 8 -e unsigned", 16000, 8, 2, 0.2},
      {"stereo8_22050.voc", "-r 22050 -c 2 -b 8 -e unsigned", 22050, 8, 2, 0.1},
  };
  for (const SoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawRecord raw;
    bool read = false;
    MakeAndRead(c, &raw, &read);
    ASSERT_TRUE(read);
    const std::string file = miotest::WinPath(miotest::WorkDir() / c.name);
    DWORD size = 0;
    WORD date = 0, time = 0;
    FileFacts(file, &size, &date, &time);
    EXPECT_EQ(raw.U32(0), size);
    EXPECT_EQ(raw.U16(4), date);
    EXPECT_EQ(raw.U16(6), time);
    EXPECT_EQ(raw.U16(8), 48);
    EXPECT_EQ(raw.U16(10), 48);
    EXPECT_EQ(raw.U16(12), 3);
    EXPECT_EQ(raw.bytes[14], 0);
    for (size_t at = 4110; at < 5134; ++at) ASSERT_EQ(raw.bytes[at], 0) << at;
    // The rate comes from a time constant, so it is as near as that can get.
    EXPECT_NEAR(raw.U16(5134), c.rate, c.rate * 0.02);
    EXPECT_EQ(raw.bytes[5136], c.bits);
    EXPECT_EQ(raw.bytes[5137], c.channels);
    EXPECT_NEAR(static_cast<double>(raw.U32(5138)), c.seconds * c.rate, 8.0);
    EXPECT_EQ(raw.U16(5142), 48);
    EXPECT_EQ(raw.U16(5144), 48);
  }
}

// sox gives its 16-bit new-sound-data blocks a length 8 bytes short of the
// block, so the walk meets sample bytes where the next block should start:
// such files are reported as an unknown format.
TEST_F(VocFileTest, SixteenBitFilesOfSoxEndInAnUnknownBlock) {
  const SoxCase cases[] = {
      {"stereo16_22050.voc", "-r 22050 -c 2 -b 16", 22050, 16, 2, 0.25},
      {"mono16_44100.voc", "-r 44100 -c 1 -b 16", 44100, 16, 1, 0.2},
  };
  for (const SoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    c32ResetDLLErrInfo();
    RawRecord raw;
    bool read = true;
    MakeAndRead(c, &raw, &read);
    EXPECT_FALSE(read);
    const miotest::Slot slot = ErrorSlot();
    EXPECT_EQ(slot.error, MIO_ERROR);
    EXPECT_EQ(slot.category, 2);
    EXPECT_EQ(slot.detail, 6);
  }
}

std::vector<BYTE> VocHeader(uint16_t check) {
  std::vector<BYTE> out;
  miotest::PutText(out, "Creative Voice File");
  out.push_back(0x1A);
  miotest::Put16(out, 26);
  miotest::Put16(out, 0x010A);
  miotest::Put16(out, check);
  return out;
}

TEST_F(VocFileTest, TextBlockBecomesTheSubject) {
  std::vector<BYTE> file = VocHeader(0x1129);
  const std::string text = "Gr\xfc\xdf" "e aus der Datei";
  file.push_back(5);
  miotest::Put24(file, static_cast<uint32_t>(text.size() + 1));
  miotest::PutText(file, text);
  file.push_back(0);
  file.push_back(1);
  miotest::Put24(file, 2 + 100);
  file.push_back(131);
  file.push_back(0);
  file.resize(file.size() + 100, 0x80);
  file.push_back(0);
  RawRecord raw;
  ASSERT_TRUE(Info(3, miotest::WriteFile("text.voc", file), &raw));
  EXPECT_EQ(raw.Text(14), text);
  EXPECT_EQ(raw.U16(5134), 8000);
  EXPECT_EQ(raw.U32(5138), 100u);
}

TEST_F(VocFileTest, WrongCheckValueIsAnUnknownFormat) {
  std::vector<BYTE> file = VocHeader(0x1128);
  file.push_back(0);
  RawRecord raw;
  EXPECT_FALSE(Info(3, miotest::WriteFile("check.voc", file), &raw));
  const miotest::Slot slot = ErrorSlot();
  EXPECT_EQ(slot.error, MIO_ERROR);
  EXPECT_EQ(slot.unit, MIO_UNIT);
  EXPECT_EQ(slot.category, 2);
  EXPECT_EQ(slot.detail, 6);
  EXPECT_EQ(miotest::ModuleText(MIO_MSG_UNKNOWN_FORMAT), "Unbekanntes Dateiformat.");
}

TEST_F(VocFileTest, TruncatedAndEmptyFilesAreUnknownFormats) {
  std::vector<BYTE> truncated = VocHeader(0x1129);
  truncated.push_back(1);
  miotest::Put24(truncated, 5000);
  truncated.resize(truncated.size() + 100, 0x80);
  for (const auto& [name, bytes] :
       {std::pair<const char*, std::vector<BYTE>>{"truncated.voc", truncated}, {"empty.voc", {}}}) {
    c32ResetDLLErrInfo();
    RawRecord raw;
    EXPECT_FALSE(Info(3, miotest::WriteFile(name, bytes), &raw)) << name;
    const miotest::Slot slot = ErrorSlot();
    EXPECT_EQ(slot.category, 2) << name;
    EXPECT_EQ(slot.detail, 6) << name;
  }
}

}  // namespace
