// The command strings of the media control interface and the error texts.
#include <gtest/gtest.h>
#include <mmsystem.h>

#include "mmfiles.h"

using namespace mmtest;

namespace {

std::string Send(const std::string& command, MCIERROR* error = nullptr) {
  char ret[128];
  MCIERROR e = mciSendStringA(command.c_str(), ret, sizeof ret, 0);
  if (error) *error = e;
  EXPECT_TRUE(error || e == 0) << command << ": " << e;
  return ret;
}

// Format 1, 480 ticks per quarter, 90 beats per minute, 1440 ticks: 2 s.
Bytes Song() {
  Track conductor, melody;
  conductor.Tempo(0, 666667).End(0);
  melody.Note(1440, 60).End(0);
  return Smf(1, 480, {conductor, melody});
}

TEST(MciString, OpenStatusSetCloseByAlias) {
  std::string name = WriteFile("Mein Lied.mid", Song());
  std::string id = Send("open \"" + name + "\" type sequencer alias lied");
  EXPECT_NE(std::stoi(id), 0);
  EXPECT_EQ(Send("status lied length"), "2000");
  EXPECT_EQ(Send("status lied tempo"), "90");
  EXPECT_EQ(Send("status lied division type"), "PPQN");
  EXPECT_EQ(Send("status lied time format"), "milliseconds");
  EXPECT_EQ(Send("status LIED mode wait"), "stopped");
  Send("set lied time format song pointer");
  EXPECT_EQ(Send("status lied length"), "12");
  Send("set lied time format ms");
  EXPECT_EQ(Send("status lied length"), "2000");
  Send("close lied");
  MCIERROR e;
  Send("status lied length", &e);
  EXPECT_EQ(e, static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_NAME));
}

TEST(MciString, DeviceNamedByItsFileAndCompoundForm) {
  std::string name = WriteFile("song.mid", Song());
  Send("open " + name);
  EXPECT_EQ(Send("status " + name + " length"), "2000");
  Send("close " + name);
  Send("open sequencer!" + name + " alias s");
  EXPECT_EQ(Send("status s number of tracks"), "1");
  Send("close all");
}

TEST(MciString, ErrorsOfCommandsAndBuffers) {
  struct Case {
    const char* command;
    MCIERROR error;
  } cases[] = {
      {"", MCIERR_MISSING_COMMAND_STRING},
      {"status", MCIERR_MISSING_DEVICE_NAME},
      {"open \"C:\\no closing quote", MCIERR_NO_CLOSING_QUOTE},
      {"open C:\\missing.mid", MCIERR_FILE_NOT_FOUND},
      {"open C:\\sound.wav", MCIERR_EXTENSION_NOT_FOUND},
      {"status nobody length", MCIERR_INVALID_DEVICE_NAME},
  };
  for (const Case& c : cases) {
    MCIERROR e;
    Send(c.command, &e);
    EXPECT_EQ(e, c.error) << c.command;
  }
  std::string name = WriteFile("song.mid", Song());
  Send("open " + name + " alias x");
  const Case onDevice[] = {
      {"play x", MCIERR_UNSUPPORTED_FUNCTION},
      {"dance x", MCIERR_UNRECOGNIZED_COMMAND},
      {"status x colour", MCIERR_UNRECOGNIZED_KEYWORD},
      {"set x time format frames", MCIERR_BAD_TIME_FORMAT},
      {"set x volume 3", MCIERR_UNRECOGNIZED_KEYWORD},
  };
  for (const Case& c : onDevice) {
    MCIERROR e;
    Send(c.command, &e);
    EXPECT_EQ(e, c.error) << c.command;
  }
  MCIERROR e;
  Send("open " + name + " alias x", &e);
  EXPECT_EQ(e, static_cast<MCIERROR>(MCIERR_DUPLICATE_ALIAS));
  char small[3];
  EXPECT_EQ(mciSendStringA("status x length", small, sizeof small, 0), static_cast<MCIERROR>(MCIERR_PARAM_OVERFLOW));
  EXPECT_STREQ(small, "20");
  Send("close x");
}

TEST(MciErrors, TextsForKnownCodesOnly) {
  char text[256];
  ASSERT_TRUE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, text, sizeof text));
  EXPECT_STREQ(text, "Die angegebene Datei wurde nicht gefunden.");
  ASSERT_TRUE(mciGetErrorStringA(MCIERR_INVALID_FILE, text, sizeof text));
  EXPECT_NE(std::string(text).find("besch\xE4""digt"), std::string::npos) << "Windows-1252 text";
  char small[5];
  ASSERT_TRUE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, small, sizeof small));
  EXPECT_STREQ(small, "Die ");
  EXPECT_FALSE(mciGetErrorStringA(12345, text, sizeof text));
  EXPECT_STREQ(text, "");
}

}  // namespace
