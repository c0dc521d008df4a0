// The host's open dialog driven by a user agent: listing by filter, folders,
// a missing file, patterns typed as names, the filter list, Cancel.
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
HWND Control(HWND dialog, int id) { return lv::FindControl(dialog, id); }

std::vector<std::string> ListItems(HWND dialog) {
  HWND list = Control(dialog, IDC_FILE_LIST);
  std::vector<std::string> items;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[MAX_PATH] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

void TypeAndConfirm(HWND dialog, const std::string& text) {
  lv::ReplaceText(Control(dialog, IDC_FILE_NAME), text);
  lv::Click(Control(dialog, IDOK));
}

class OpenDialog : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"pics\\a.bmp", "pics\\b.BMP", "pics\\c.png", "pics\\sub\\d.bmp"})
      tftest::PutFile(name, {'x'});
    request_.size = sizeof request_;
    request_.file = file_;
    request_.fileSize = sizeof file_;
    request_.initialFolder = "C:\\pics";
  }
  TFOPENREQUEST request_ = {};
  char file_[MAX_PATH] = {};
};

TEST_F(OpenDialog, ListsMatchesEntersFoldersAndRefusesMissingFiles) {
  request_.filter = "Bitmap file\0*.bmp\0";
  std::vector<std::string> first, inSub;
  std::string caption;
  StepAgent script({[&](HWND d) {
                      caption = lvtest::WindowText(d);
                      first = ListItems(d);
                      TypeAndConfirm(d, "missing.bmp");
                    },
                    [](HWND d) { TypeAndConfirm(d, "sub"); },
                    [&](HWND d) {
                      inSub = ListItems(d);
                      TypeAndConfirm(d, "d.bmp");
                    }});
  ASSERT_EQ(t32FileGetOpenFileName(&request_), 1);
  EXPECT_EQ(caption, "\xd6" "ffnen");
  EXPECT_EQ(first, (std::vector<std::string>{"[..]", "[sub]", "a.bmp", "b.BMP"}));
  EXPECT_EQ(inSub, (std::vector<std::string>{"[..]", "d.bmp"}));
  ASSERT_EQ(script.messages().size(), 1u);
  EXPECT_EQ(script.messages()[0], "Die Datei C:\\pics\\missing.bmp wurde nicht gefunden.");
  EXPECT_STREQ(file_, "C:\\pics\\sub\\d.bmp");
  EXPECT_EQ(request_.filterIndex, 1);
}

TEST_F(OpenDialog, PatternsAndTheFormatFilters) {
  std::vector<std::string> byPattern, byPng;
  StepAgent script({[&](HWND d) { TypeAndConfirm(d, "*.png"); },
                    [&](HWND d) {
                      byPattern = ListItems(d);
                      // Choose the PNG filter as the drop-down list would.
                      SendMessageA(Control(d, IDC_FILTER), CB_SETCURSEL, TF_FORMAT_PNG, 0);
                      SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_FILTER, CBN_SELCHANGE),
                                   static_cast<LPARAM>(Control(d, IDC_FILTER)));
                    },
                    [&](HWND d) {
                      byPng = ListItems(d);
                      // Choose "c.png" in the list as a click would.
                      SendMessageA(Control(d, IDC_FILE_LIST), LB_SETCURSEL, 2, 0);
                      SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, LBN_SELCHANGE),
                                   static_cast<LPARAM>(Control(d, IDC_FILE_LIST)));
                    },
                    [](HWND d) { lv::Click(Control(d, IDOK)); }});
  ASSERT_EQ(t32FileGetOpenFileName(&request_), 1);
  EXPECT_EQ(byPattern, (std::vector<std::string>{"[..]", "[sub]", "c.png"}));
  EXPECT_EQ(byPng, (std::vector<std::string>{"[..]", "[sub]", "c.png"}));
  EXPECT_EQ(request_.filterIndex, TF_FORMAT_PNG + 1);
  EXPECT_STREQ(file_, "C:\\pics\\c.png");
}

TEST_F(OpenDialog, CancelAndBadRequests) {
  c32SetDLLErrInfo(0, 4004, 0, 1, 1, 1);
  StepAgent script({[](HWND d) { lv::Click(Control(d, IDCANCEL)); }});
  EXPECT_EQ(t32FileGetOpenFileName(&request_), 0);
  EXPECT_EQ(tftest::ErrorSlot().error, 0);
  EXPECT_STREQ(file_, "");
  TFOPENREQUEST wrongSize = request_;
  wrongSize.size = 4;
  EXPECT_EQ(t32FileGetOpenFileName(&wrongSize), 0);
  EXPECT_EQ(tftest::ErrorSlot().error, 3200);
  EXPECT_EQ(t32FileGetOpenFileName(nullptr), 0);
}

}  // namespace
