// The save-options dialogs driven by a user agent: what they show, range
// checks, OK and Cancel, and what reaches the record.
#include <gtest/gtest.h>

#include <fileformats.h>
#include <hostcommon.h>
#include <useragent.h>

#include <functional>
#include <string>
#include <vector>

#include "../resources/resource.h"
#include "testfiles.h"
#include "step_agent.h"

namespace {

using lvtest::StepAgent;
using lvtest::WindowText;
HWND Control(HWND dialog, int id) { return lv::FindControl(dialog, id); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

struct Options {
  LONG quality, jpegFlags, interlaced, transparentIndex;
};

Options Read(HGLOBAL record) {
  const TFFILEDATA* data = static_cast<const TFFILEDATA*>(GlobalLock(record));
  Options o = {data->jpegQuality, data->jpegFlags, data->interlaced, data->transparentIndex};
  GlobalUnlock(record);
  return o;
}

TEST(SaveOptions, JpegQualityIsCheckedThenStoredWithProgressive) {
  HGLOBAL record = tfFileNewFileData("C:\\options.jpg", TF_FORMAT_JPEG);
  std::string caption, shownQuality;
  bool shownProgressive = true;
  StepAgent script({[&](HWND d) {
                      caption = WindowText(d);
                      shownQuality = WindowText(Control(d, IDC_QUALITY));
                      shownProgressive = Checked(d, IDC_PROGRESSIVE);
                      lv::ReplaceText(Control(d, IDC_QUALITY), "150");
                    },
                    [](HWND d) { lv::Click(Control(d, IDOK)); },
                    [](HWND d) { lv::ReplaceText(Control(d, IDC_QUALITY), "90"); },
                    [](HWND d) { lv::Click(Control(d, IDC_PROGRESSIVE)); },
                    [](HWND d) { lv::Click(Control(d, IDOK)); }});
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_JPEG), 0, record, TF_SAVE_OPTIONS_DIALOG), 1);
  EXPECT_EQ(caption, "JPEG Speicheroptionen");
  EXPECT_EQ(shownQuality, "75");
  EXPECT_FALSE(shownProgressive);
  ASSERT_EQ(script.messages().size(), 1u);
  EXPECT_EQ(script.messages()[0], "Der Wert mu\xdf innerhalb des Bereiches (1..100) liegen.");
  Options o = Read(record);
  EXPECT_EQ(o.quality, 90);
  EXPECT_EQ(o.jpegFlags, TF_JPEG_FLAG_PROGRESSIVE);
  tfFileFreeFileData(record);
}

TEST(SaveOptions, CancelKeepsTheRecordAndClearsTheSlot) {
  HGLOBAL record = tfFileNewFileData("C:\\options.jpg", TF_FORMAT_JPEG);
  c32SetDLLErrInfo(0, 4004, 0, 1, 1, 1);
  StepAgent script({[](HWND d) { lv::ReplaceText(Control(d, IDC_QUALITY), "10"); },
                    [](HWND d) { lv::Click(Control(d, IDCANCEL)); }});
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_JPEG), 0, record, TF_SAVE_OPTIONS_DIALOG), 0);
  EXPECT_EQ(Read(record).quality, 75);
  EXPECT_EQ(tftest::ErrorSlot().error, 0);
  tfFileFreeFileData(record);
}

TEST(SaveOptions, PngInterlace) {
  HGLOBAL record = tfFileNewFileData("C:\\options.png", TF_FORMAT_PNG);
  std::string caption;
  StepAgent script({[&](HWND d) {
                      caption = WindowText(d);
                      lv::Click(Control(d, IDC_INTERLACED));
                    },
                    [](HWND d) { lv::Click(Control(d, IDOK)); }});
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_PNG), 0, record, TF_SAVE_OPTIONS_DIALOG), 1);
  EXPECT_EQ(caption, "PNG Speicheroptionen");
  EXPECT_EQ(Read(record).interlaced, 1);
  tfFileFreeFileData(record);
}

TEST(SaveOptions, GifTransparentIndexIsEnabledByItsCheckBox) {
  HGLOBAL record = tfFileNewFileData("C:\\options.gif", TF_FORMAT_GIF);
  bool indexEnabledAtStart = true, indexEnabledAfterCheck = false;
  StepAgent script({[&](HWND d) {
                      indexEnabledAtStart = IsWindowEnabled(Control(d, IDC_TRANSPARENT_INDEX));
                      lv::Click(Control(d, IDC_TRANSPARENT));
                    },
                    [&](HWND d) {
                      indexEnabledAfterCheck = IsWindowEnabled(Control(d, IDC_TRANSPARENT_INDEX));
                      lv::ReplaceText(Control(d, IDC_TRANSPARENT_INDEX), "7");
                    },
                    [](HWND d) { lv::Click(Control(d, IDC_INTERLACED)); },
                    [](HWND d) { lv::Click(Control(d, IDOK)); }});
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_GIF), 0, record, TF_SAVE_OPTIONS_DIALOG), 1);
  EXPECT_FALSE(indexEnabledAtStart);
  EXPECT_TRUE(indexEnabledAfterCheck);
  Options o = Read(record);
  EXPECT_EQ(o.transparentIndex, 7);
  EXPECT_EQ(o.interlaced, 1);

  std::string shownIndex;
  StepAgent again({[&](HWND d) {
                     shownIndex = WindowText(Control(d, IDC_TRANSPARENT_INDEX));
                     lv::Click(Control(d, IDC_TRANSPARENT));
                   },
                   [](HWND d) { lv::Click(Control(d, IDOK)); }});
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_GIF), 0, record, TF_SAVE_OPTIONS_DIALOG), 1);
  EXPECT_EQ(shownIndex, "7");
  EXPECT_EQ(Read(record).transparentIndex, -1);
  tfFileFreeFileData(record);
}

TEST(SaveOptions, FormatsWithoutOptionsAndBadRequests) {
  HGLOBAL record = tfFileNewFileData("C:\\options.bmp", TF_FORMAT_BMP);
  StepAgent script({});
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_BMP), 0, record, TF_SAVE_OPTIONS_DIALOG), 0);
  LONG tpi = tfFileFindFormat("TPI");
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(tpi), 0, record, TF_SAVE_OPTIONS_DIALOG), 0);
  EXPECT_TRUE(lv::AbandonedDialogs().empty());
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_PNG), 0, record, 999), 0);
  EXPECT_EQ(tftest::ErrorSlot().error, 3200);
  EXPECT_EQ(tfFileShowDlgSaveOption(nullptr, 0, record, TF_SAVE_OPTIONS_DIALOG), 0);
  EXPECT_EQ(tfFileShowDlgSaveOption(tfFileGetFormatInfo(TF_FORMAT_PNG), 0, 0, TF_SAVE_OPTIONS_DIALOG), 0);
  tfFileFreeFileData(record);
}

}  // namespace
