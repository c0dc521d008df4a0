// The properties dialog driven by a user agent: its texts from the record
// and the intl settings, the path shortening, the buttons and the table of
// open dialogs.
#include <gtest/gtest.h>

#include <useragent.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "module.h"
#include "step_agent.h"

namespace {

using lvtest::ControlText;
using lvtest::StepAgent;
using lvtest::WindowText;
using namespace tpitest;

// A record as the host holds it for an opened file.
HGLOBAL DialogRecord(LONG width, LONG height, LONG type, LONG bits, const std::string& path,
                     LONG fileSize, LONG resolution = 720000, LONG readable = 1) {
  HGLOBAL record = ForeignRecord(width, height, type, bits, 777, 0, resolution);
  char* r = static_cast<char*>(GlobalLock(record));
  std::strcpy(r + TFD_PATH, path.c_str());
  GlobalUnlock(record);
  SetField(record, TFD_FILE_SIZE, fileSize);
  SetField(record, TFD_READABLE, readable);
  return record;
}

void SetIntl(const char* measure, const char* thousand) {
  WriteProfileStringA("intl", "iMeasure", measure);
  WriteProfileStringA("intl", "sThousand", thousand);
}

LONG Show(HGLOBAL record, LONG previous = 0, LONG next = 0, HWND parent = 0) {
  return Tpi().showDlgFileData(77, parent, record, 0, previous, next);
}

TEST(TpiDialog, ShowsTheAttributesOfTheRecord) {
  SetIntl("1", ",");
  HGLOBAL record = DialogRecord(100, 100, 2, 24, "C:\\Bilder\\Rot.TPI", 30054);
  std::vector<std::string> texts;
  StepAgent script({[&](HWND dialog) {
    texts = {WindowText(dialog),       ControlText(dialog, 121), ControlText(dialog, 122),
             ControlText(dialog, 123), ControlText(dialog, 124), ControlText(dialog, 125),
             ControlText(dialog, 126), ControlText(dialog, 127), ControlText(dialog, 128),
             ControlText(dialog, 129), ControlText(dialog, 130), ControlText(dialog, 131)};
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_EQ(Show(record), 1);
  const std::vector<std::string> expected = {
      "Eigenschaften", "RGB Echtfarben (24-Bit)", "100 Pixels", "100 Pixels", "72 Pixels/Zoll",
      "30,000 Bytes",  "c:\\bilder\\rot.tpi",     "Tavik Lumivex", "Keine", "Keine",
      "30,054 Bytes",  "Ja"};
  EXPECT_EQ(texts, expected);
  GlobalFree(record);
}

struct TextCase {
  const char* name;
  LONG width, height, type, bits, fileSize, resolution, readable;
  const char *measure, *thousand;
  int id;
  const char* expected;
};

class TpiDialogTexts : public testing::TestWithParam<TextCase> {};

TEST_P(TpiDialogTexts, ValueText) {
  const TextCase& c = GetParam();
  SetIntl(c.measure, c.thousand);
  HGLOBAL record = DialogRecord(c.width, c.height, c.type, c.bits, "C:\\a.tpi", c.fileSize,
                                c.resolution, c.readable);
  std::string shown;
  StepAgent script({[&](HWND dialog) {
    shown = ControlText(dialog, c.id);
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_EQ(Show(record), 1);
  EXPECT_EQ(shown, c.expected);
  GlobalFree(record);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TpiDialogTexts,
    testing::Values(
        TextCase{"PerCm", 1, 1, 2, 24, 1, 720000, 1, "0", ",", 124, "28 Pixels/Cm"},
        TextCase{"PerInchRounded", 1, 1, 2, 24, 1, 720090, 1, "1", ",", 124, "72 Pixels/Zoll"},
        TextCase{"SixteenBitsOfResolution", 1, 1, 2, 24, 1, 700000000, 1, "1", ",", 124,
                 "4464 Pixels/Zoll"},
        TextCase{"KiloBytes", 1000, 1000, 2, 24, 1, 720000, 1, "1", ",", 125, "2,930 KB"},
        TextCase{"GermanSeparator", 1000, 1000, 2, 24, 1, 720000, 1, "1", ".", 125, "2.930 KB"},
        TextCase{"LimitInBytes", 1, 1, 2, 24, 101376, 720000, 1, "1", ",", 130, "101,376 Bytes"},
        TextCase{"AboveLimitInKb", 1, 1, 2, 24, 101377, 720000, 1, "1", ",", 130, "99 KB"},
        TextCase{"PaddedGroups", 1, 1, 2, 24, 1025024000, 720000, 1, "1", "'", 130, "1'001'000 KB"},
        TextCase{"GroupsWithZeros", 1, 1, 2, 24, 100005, 720000, 1, "1", ".", 130, "100.005 Bytes"},
        TextCase{"BitsImageSize", 9, 2, 64, 1, 1, 720000, 1, "1", ",", 125, "4 Bytes"},
        TextCase{"NotReadable", 1, 1, 2, 24, 1, 720000, 0, "1", ",", 131, "Nein"},
        TextCase{"TypeBw", 1, 1, 64, 1, 1, 720000, 1, "1", ",", 121, "Schwarzwei\xdf(1-Bit)"},
        TextCase{"TypeSixteen", 1, 1, 8, 8, 1, 720000, 1, "1", ",", 121, "16 Indexfarben (4-Bit)"},
        TextCase{"TypeIndexed", 1, 1, 4, 8, 1, 720000, 1, "1", ",", 121, "256 Indexfarben (8-Bit)"},
        TextCase{"TypeHi", 1, 1, 16, 16, 1, 720000, 1, "1", ",", 121, "RGB HiColor (16-Bit)"},
        TextCase{"TypeGrey", 1, 1, 32, 8, 1, 720000, 1, "1", ",", 121, "Graustufen (8-Bit)"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct PathCase {
  const char* name;
  const char* path;
  const char* shown;
};

class TpiDialogPaths : public testing::TestWithParam<PathCase> {};

TEST_P(TpiDialogPaths, ShortenedToThirtyCharacters) {
  const PathCase& c = GetParam();
  HGLOBAL record = DialogRecord(1, 1, 2, 24, c.path, 1);
  std::string shown;
  StepAgent script({[&](HWND dialog) {
    shown = ControlText(dialog, 126);
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_EQ(Show(record), 1);
  EXPECT_EQ(shown, c.shown);
  GlobalFree(record);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TpiDialogPaths,
    testing::Values(
        PathCase{"ThirtyWhole", "C:\\Ordner\\Unterordner\\Bild.TPI", "c:\\ordner\\unterordner\\bild.tpi"},
        PathCase{"OneFolderRemoved", "C:\\Ordner\\Unterordner\\Bild12.tpi", "c:\\...\\unterordner\\bild12.tpi"},
        PathCase{"SeveralRemoved", "D:\\a\\bb\\ccc\\dddd\\eeeeeeeee\\ffff\\bild.tpi",
                 "d:\\...\\eeeeeeeee\\ffff\\bild.tpi"},
        PathCase{"NameTooLong", "C:\\x\\ein_sehr_langer_dateiname_fuer_bilder.tpi",
                 "c:\\...\\ein_sehr_langer_dateiname_fuer_bilder.tpi"}),
    [](const testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

TEST(TpiDialog, WithoutPreviousAndNextOnlyOkShowsInTheNextButtonsPlace) {
  HGLOBAL record = DialogRecord(1, 1, 2, 24, "C:\\a.tpi", 1);
  RECT next = {}, ok = {}, dialogRect = {};
  bool previousVisible = true, nextVisible = true;
  StepAgent script({[&](HWND dialog) {
    previousVisible = IsWindowVisible(lv::FindControl(dialog, 201));
    nextVisible = IsWindowVisible(lv::FindControl(dialog, 202));
    GetWindowRect(lv::FindControl(dialog, 202), &next);
    GetWindowRect(lv::FindControl(dialog, IDOK), &ok);
    GetWindowRect(dialog, &dialogRect);
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_EQ(Show(record), 1);
  EXPECT_FALSE(previousVisible);
  EXPECT_FALSE(nextVisible);
  EXPECT_EQ(std::memcmp(&ok, &next, sizeof ok), 0)
      << ok.left << "," << ok.top << " vs " << next.left << "," << next.top;
  // The set-up service centred the dialog on the screen (no parent).
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_NEAR((dialogRect.left + dialogRect.right) / 2, screenWidth / 2, 1);
  GlobalFree(record);
}

struct ButtonCase {
  const char* name;
  LONG previous, next;
  int click;  // control clicked, or 0 to press Escape
  bool previousEnabled, nextEnabled;
  LONG result;
};

class TpiDialogButtons : public testing::TestWithParam<ButtonCase> {};

TEST_P(TpiDialogButtons, EnabledAsAskedAndEndWithTheirResult) {
  const ButtonCase& c = GetParam();
  HGLOBAL record = DialogRecord(1, 1, 2, 24, "C:\\a.tpi", 1);
  bool previousEnabled = false, nextEnabled = false, bothVisible = false;
  StepAgent script({[&](HWND dialog) {
    HWND previous = lv::FindControl(dialog, 201), next = lv::FindControl(dialog, 202);
    previousEnabled = IsWindowEnabled(previous);
    nextEnabled = IsWindowEnabled(next);
    bothVisible = IsWindowVisible(previous) && IsWindowVisible(next);
    if (c.click)
      lv::Click(lv::FindControl(dialog, c.click));
    else
      lv::PressKey(dialog, VK_ESCAPE);
  }});
  EXPECT_EQ(Show(record, c.previous, c.next), c.result);
  EXPECT_TRUE(bothVisible);
  EXPECT_EQ(previousEnabled, c.previousEnabled);
  EXPECT_EQ(nextEnabled, c.nextEnabled);
  GlobalFree(record);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, TpiDialogButtons,
    testing::Values(ButtonCase{"Previous", 1, 1, 201, true, true, 2},
                    ButtonCase{"Next", 0, 1, 202, false, true, 3},
                    ButtonCase{"Ok", 1, 0, IDOK, true, false, 1},
                    ButtonCase{"Escape", 1, 1, 0, true, true, 1}),
    [](const testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.name); });

// Opens a properties dialog from inside each open one until twenty are
// open, then tries the twenty-first; afterwards closes each with OK.
class Nester : public lv::UserAgent {
 public:
  explicit Nester(HGLOBAL record) : record_(record) { lv::SetUserAgent(this); }
  ~Nester() override { lv::SetUserAgent(nullptr); }
  bool Act(HWND modal) override {
    if (!triedExtra) {
      if (depth < 20) {
        ++depth;
        results.push_back(Show(record_, 0, 0, modal));
        --depth;
        return true;
      }
      ClearReport();
      extraResult = Show(record_, 0, 0, modal);
      extraReport = LastReport();
      triedExtra = true;
    }
    lv::Click(lv::FindControl(modal, IDOK));
    return true;
  }
  int AnswerMessageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }

  int depth = 1;  // the dialog opened by the test
  bool triedExtra = false;
  LONG extraResult = -5;
  Report extraReport;
  std::vector<LONG> results;

 private:
  HGLOBAL record_;
};

TEST(TpiDialog, TwentyFirstOpenDialogFindsTheTableFull) {
  HGLOBAL record = DialogRecord(1, 1, 2, 24, "C:\\a.tpi", 1);
  {
    Nester nester(record);
    EXPECT_EQ(Show(record), 1);
    EXPECT_TRUE(nester.triedExtra);
    EXPECT_EQ(nester.extraResult, 0);
    EXPECT_EQ(nester.extraReport,
              (Report{810, 6, 2, 7024, "Die Tabelle f\xfcr mehrfache Eintragsdialoge ist voll."}));
    EXPECT_EQ(nester.results, std::vector<LONG>(19, 1));
  }
  // Every slot was given back: a dialog opens again.
  StepAgent script({[](HWND dialog) { lv::Click(lv::FindControl(dialog, IDOK)); }});
  EXPECT_EQ(Show(record), 1);
  EXPECT_EQ(script.stepsRun(), 1u);
  GlobalFree(record);
}

TEST(TpiDialog, RecordThatIsNotARecordIsRefused) {
  HGLOBAL small = GlobalAlloc(GHND, 100);
  for (HGLOBAL record : {static_cast<HGLOBAL>(0), small}) {
    ClearReport();
    EXPECT_EQ(Show(record), 0);
    EXPECT_EQ(LastReport(), (Report{811, 2, 1, 7019, "Ung\xfcltiger Parameter."}));
  }
  GlobalFree(small);
}

}  // namespace
