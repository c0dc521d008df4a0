// The error slot and the host's string table.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <cstring>
#include <string>

namespace {

class ErrorSlotTest : public testing::Test {
 protected:
  void SetUp() override { c32ResetDLLErrInfo(); }
  void TearDown() override { c32ResetDLLErrInfo(); }
};

TEST_F(ErrorSlotTest, RecordKeepsAllFieldsUntilReset) {
  c32SetDLLErrInfo(0, C32ERR_CANNOT_SERVE, 0, 72201, 3, 4);
  LONG unit = 0, category = 0, detail = 0;
  EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, &category, &detail), C32ERR_CANNOT_SERVE);
  EXPECT_EQ(unit, 72201);
  EXPECT_EQ(category, 3);
  EXPECT_EQ(detail, 4);
  EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), C32ERR_CANNOT_SERVE);

  c32ResetDLLErrInfo();
  EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, &category, &detail), 0);
  EXPECT_EQ(unit, 0);
  char text[64] = "stale";
  EXPECT_EQ(c32GetDLLErrorInfo(text, sizeof text, 0, 0, 0, 0), 0);
  EXPECT_STREQ(text, "");
}

TEST_F(ErrorSlotTest, LaterErrorReplacesEarlier) {
  c32SetDLLErrInfo(0, C32ERR_OUT_OF_MEMORY, 0, 1, 1, 1);
  c32SetDLLErrInfo(0, C32ERR_CANCELLED, 0, 2, 2, 2);
  LONG unit = 0;
  EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, nullptr, nullptr), C32ERR_CANCELLED);
  EXPECT_EQ(unit, 2);
}

TEST_F(ErrorSlotTest, ModuleMessageTravelsWithTheError) {
  char own[300];
  std::memset(own, 'm', sizeof own);
  own[sizeof own - 1] = '\0';
  std::strcpy(own, "Datei kann nicht ge\xf6""ffnet werden.");
  c32SetDLLErrInfo(reinterpret_cast<LONG_PTR>(own), 20001, 10002, 8100, 2, 3);
  std::strcpy(own, "overwritten later by the module");  // the slot keeps its own copy

  char text[256] = {};
  EXPECT_EQ(lvGetDLLErrInfoMessage(text, sizeof text), 10002);
  EXPECT_STREQ(text, "Datei kann nicht ge\xf6""ffnet werden.");
  EXPECT_EQ(c32GetDLLErrorInfo(text, sizeof text, 0, 0, 0, 0), 20001);
  EXPECT_STREQ(text, "Datei kann nicht ge\xf6""ffnet werden.");

  // A text longer than the slot keeps its first 255 bytes.
  std::memset(own, 'm', sizeof own - 1);
  c32SetDLLErrInfo(reinterpret_cast<LONG_PTR>(own), 20001, 10002, 8100, 2, 3);
  EXPECT_EQ(lvGetDLLErrInfoMessage(text, sizeof text), 10002);
  EXPECT_EQ(std::strlen(text), 255u);

  c32ResetDLLErrInfo();
  EXPECT_EQ(lvGetDLLErrInfoMessage(text, sizeof text), 0);
  EXPECT_STREQ(text, "");
}

struct ErrorTextCase {
  LONG error;
  const char* expected;
};

class ErrorTextTest : public ErrorSlotTest, public testing::WithParamInterface<ErrorTextCase> {};

TEST_P(ErrorTextTest, TextOfPendingError) {
  c32SetDLLErrInfo(0, GetParam().error, 0, 1, 1, 1);
  char text[256] = {};
  EXPECT_EQ(c32GetDLLErrorInfo(text, sizeof text, 0, 0, 0, 0), GetParam().error);
  EXPECT_STREQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Host, ErrorTextTest,
    testing::Values(
        ErrorTextCase{1001, "Nicht gen\xfcgend Arbeitsspeicher, um den Vorgang auszuf\xfchren."},
        ErrorTextCase{3200, "Dieser Aufruf kann vom Modul nicht ausgef\xfchrt werden."},
        ErrorTextCase{5200, "Der Vorgang wurde vom Benutzer abgebrochen."},
        // Texts made for a file name are given without it.
        ErrorTextCase{4027, "Die Datei wurde nicht gefunden."},
        ErrorTextCase{987654, "Unbekannter Fehler (Nummer 987654)."}));

TEST_F(ErrorSlotTest, TextIsCutToBufferAndTerminated) {
  c32SetDLLErrInfo(0, C32ERR_CANCELLED, 0, 0, 0, 0);
  char text[12];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(c32GetDLLErrorInfo(text, 8, 0, 0, 0, 0), C32ERR_CANCELLED);
  EXPECT_STREQ(text, "Der Vor");
  EXPECT_EQ(text[8], 'x');
  EXPECT_EQ(c32GetDLLErrorInfo(nullptr, 0, 0, 0, 0, 0), C32ERR_CANCELLED);
}

TEST(HostStringTest, LoadsGermanTextsByNumber) {
  char text[128] = {};
  LONG length = c32GetString(16019, text, sizeof text);
  EXPECT_STREQ(text, "Der Effekt konnte nicht angewendet werden.");
  EXPECT_EQ(length, static_cast<LONG>(std::strlen(text)));
  EXPECT_GT(c32GetString(4214, text, sizeof text), 0);
  EXPECT_GT(c32GetString(3203, text, sizeof text), 0);
  EXPECT_GT(c32GetString(4008, text, sizeof text), 0);
  EXPECT_GT(c32GetString(4003, text, sizeof text), 0);
  EXPECT_NE(std::strstr(text, "%s"), nullptr) << text;
}

TEST(HostStringTest, MissingTextAndTinyBuffers) {
  char text[8] = "stale";
  EXPECT_EQ(c32GetString(12, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(c32GetString(16019, nullptr, 10), 0);
  EXPECT_EQ(c32GetString(16019, text, 0), 0);
  EXPECT_EQ(c32GetString(-5, text, sizeof text), 0);
  EXPECT_EQ(c32GetString(16019, text, 4), 3);
  EXPECT_STREQ(text, "Der");
}

}  // namespace
