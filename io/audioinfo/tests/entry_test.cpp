// The module's exports as the host calls them: the export list, the format
// records, bad indices, missing files, the error texts and built-in thumbnails.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "../resources/resource.h"
#include "module.h"
#include "testsupport.h"

namespace {

using miotest::Audio;
using miotest::ErrorSlot;
using miotest::TakeGlobal;

class AudioEntryTest : public miotest::ModuleTest {};

void ExpectError(LONG message, LONG category, LONG detail) {
  const miotest::Slot slot = ErrorSlot();
  EXPECT_EQ(slot.error, MIO_ERROR);
  EXPECT_EQ(slot.unit, MIO_UNIT);
  EXPECT_EQ(slot.category, category) << "message " << message;
  EXPECT_EQ(slot.detail, detail) << "message " << message;
}

TEST_F(AudioEntryTest, ExportsResolveByNameAndInternalsDoNot) {
  for (const char* name : {"mioEnumFormats", "mioGetFileInfo", "mioReadThumbnail", "mioShowInfoBox",
                           "InfoDlgProc1", "InfoDlgProc2", "mioPlayViewFile", "mioGetAttrText",
                           "mioEscape"})
    EXPECT_NE(GetProcAddress(Audio().module, name), nullptr) << name;
  for (const char* name : {"ReportError", "_ZN9audioinfo11ReportErrorERKNS_8MioErrorE", "ReadVoc"})
    EXPECT_EQ(GetProcAddress(Audio().module, name), nullptr) << name;
}

struct FormatCase {
  LONG index;
  WORD kind;
  const char* extension;
  const char* description;
};

TEST_F(AudioEntryTest, FormatRecordsForTheFourIndices) {
  const FormatCase cases[] = {{0, 4, "wav", "MIO, Waveform"},
                              {1, 5, "mid", "MIO, Midi"},
                              {2, 5, "rmi", "MIO, Midi"},
                              {3, 4, "voc", "MIO, Waveform"}};
  char expectedPath[MAX_PATH] = {};
  GetModuleFileNameA(Audio().module, expectedPath, sizeof expectedPath);
  CharLowerA(expectedPath);
  for (const FormatCase& c : cases) {
    MIOFORMATRECORD record;
    std::memset(&record, 0xCD, sizeof record);
    record.capabilities = 0xFFFF;
    ASSERT_TRUE(Audio().enumFormats(c.index, &record)) << c.index;
    EXPECT_EQ(record.kind, c.kind);
    EXPECT_EQ(record.index, c.index);
    EXPECT_STREQ(record.extension, c.extension);
    EXPECT_STREQ(record.description, c.description);
    EXPECT_EQ(std::string(record.modulePath), std::string(expectedPath).substr(0, 79));
    EXPECT_EQ(record.capabilities, 0xFC49) << std::hex << record.capabilities;
    for (BYTE b : record.reserved) EXPECT_EQ(b, 0xCD);
  }
  MIOFORMATRECORD cleared;
  std::memset(&cleared, 0, sizeof cleared);
  ASSERT_TRUE(Audio().enumFormats(1, &cleared));
  EXPECT_EQ(cleared.capabilities, 0x0049);
}

TEST_F(AudioEntryTest, UnservedIndexOnlyClearsCapabilityBitTwo) {
  for (LONG index : {4, 5, -1, 0x10000}) {
    MIOFORMATRECORD record;
    std::memset(&record, 0xAB, sizeof record);
    MIOFORMATRECORD expected = record;
    expected.capabilities = static_cast<WORD>(expected.capabilities & ~4);
    EXPECT_FALSE(Audio().enumFormats(index, &record));
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0) << index;
  }
  EXPECT_EQ(ErrorSlot().error, 0);
}

TEST_F(AudioEntryTest, BadIndexReportsMessage10000PerEntryPoint) {
  auto info = std::make_unique<MIOFILEINFO>();
  EXPECT_FALSE(Audio().getFileInfo(4, "Z:\\nothing.wav", 0, info.get()));
  ExpectError(MIO_MSG_BAD_INDEX, 2, 1);
  c32ResetDLLErrInfo();
  EXPECT_EQ(Audio().readThumbnail(7, "Z:\\nothing.wav", 0, 0), 0u);
  ExpectError(MIO_MSG_BAD_INDEX, 5, 1);
  c32ResetDLLErrInfo();
  EXPECT_FALSE(Audio().showInfoBox(-1, 0, "Z:\\nothing.wav"));
  ExpectError(MIO_MSG_BAD_INDEX, 7, 1);
}

TEST_F(AudioEntryTest, MissingFileCannotBeOpenedBeforeAnyReading) {
  const std::string missing = miotest::WinPath(miotest::WorkDir() / "fehlt.voc");
  for (LONG index : {0, 1, 2, 3}) {
    c32ResetDLLErrInfo();
    auto info = std::make_unique<MIOFILEINFO>();
    EXPECT_FALSE(Audio().getFileInfo(index, missing.c_str(), 0, info.get()));
    ExpectError(MIO_MSG_CANNOT_OPEN, 2, 3);
  }
}

TEST_F(AudioEntryTest, MessagesOfTheStringTable) {
  const std::pair<UINT, const char*> texts[] = {
      {10000, "Ung\xfcltige Format-Ordinalzahl."},
      {10001, "Das gew\xfcnschte Dateiformat ist deaktiviert."},
      {10002, "Die Datei kann nicht ge\xf6" "ffnet werden oder der Treiber ist nicht installiert."},
      {10003, "Das angegebene Format unterst\xfctzt keine private Attribute."},
      {10004, "Die Miniatur kann in der Ressource nicht gefunden werden."},
      {10005, "Es kann kein Speicher zugewiesen werden."},
      {10006, "Die Datei kann nicht gelesen werden."},
      {10007, "Unbekanntes Dateiformat."}};
  for (const auto& [id, text] : texts) EXPECT_EQ(miotest::ModuleText(id), text) << id;
}

TEST_F(AudioEntryTest, NoPlayBackNoAttributesNoEscapes) {
  EXPECT_EQ(Audio().playViewFile(1, 2, 3, 4), 0);
  EXPECT_EQ(Audio().getAttrText(1, 2, 3, 4), 0);
  EXPECT_EQ(Audio().escape(1, 2, 3, 4, 5), 0);
}

// The built-in picture of a resource, without its 14-byte file header.
std::vector<BYTE> BuiltIn(int id) {
  HRSRC found = FindResourceA(Audio().module, MAKEINTRESOURCEA(id), "DIB");
  if (!found) return {};
  const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Audio().module, found)));
  const DWORD size = SizeofResource(Audio().module, found);
  return std::vector<BYTE>(bytes + 14, bytes + size);
}

TEST_F(AudioEntryTest, BuiltInThumbnailsAre48By48FourBitPictures) {
  const std::string missing = miotest::WinPath(miotest::WorkDir() / "fehlt.wav");
  const std::pair<LONG, int> cases[] = {{0, IDB_THUMB_WAVE}, {1, IDB_THUMB_MIDI}, {2, IDB_THUMB_MIDI},
                                        {3, IDB_THUMB_VOC}};
  for (const auto& [index, id] : cases) {
    std::vector<BYTE> expected = BuiltIn(id);
    ASSERT_EQ(expected.size(), 40u + 16 * 4 + 24 * 48) << id;
    BITMAPINFOHEADER header;
    std::memcpy(&header, expected.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 48);
    EXPECT_EQ(header.biHeight, 48);
    EXPECT_EQ(header.biBitCount, 4);
    HGLOBAL thumbnail = Audio().readThumbnail(index, missing.c_str(), 0, 0);
    ASSERT_NE(thumbnail, 0u) << index;
    EXPECT_EQ(GlobalFlags(thumbnail) & GMEM_DISCARDED, 0u);
    EXPECT_EQ(TakeGlobal(thumbnail), expected) << index;
  }
  const std::vector<BYTE> wave = BuiltIn(IDB_THUMB_WAVE), midi = BuiltIn(IDB_THUMB_MIDI),
                          voc = BuiltIn(IDB_THUMB_VOC);
  EXPECT_NE(wave, midi);
  EXPECT_NE(wave, voc);
  EXPECT_NE(midi, voc);
}

}  // namespace
