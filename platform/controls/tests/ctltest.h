// A parent window for control tests that records what its children tell it.
#pragma once

#include <commctrl.h>
#include <gtest/gtest.h>
#include <useragent.h>
#include <windows.h>

#include <string>
#include <vector>

namespace ctltest {

struct Notification {
  int id;
  int code;
};

struct ScrollEvent {
  UINT message;  // WM_VSCROLL or WM_HSCROLL
  int code;      // SB_*
  int pos;
};

// Everything the test parent received.
struct Recorder {
  std::vector<Notification> commands;
  std::vector<NMUPDOWN> deltas;
  std::vector<ScrollEvent> scrolls;
  LRESULT deltaResult = 0;  // what UDN_DELTAPOS answers (non-zero cancels)
};

inline Recorder* g_recorder = nullptr;

inline LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_recorder) {
    if (msg == WM_COMMAND) {
      g_recorder->commands.push_back({LOWORD(wParam), HIWORD(wParam)});
      return 0;
    }
    if (msg == WM_NOTIFY) {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->code == UDN_DELTAPOS) {
        g_recorder->deltas.push_back(*reinterpret_cast<const NMUPDOWN*>(lParam));
        return g_recorder->deltaResult;
      }
    }
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
      g_recorder->scrolls.push_back({msg, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam))});
      return 0;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A top-level window with controls as children.
class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lvRegisterStandardControls();
    static bool registered = false;
    if (!registered) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = ParentProc;
      wc.lpszClassName = "LvControlTestParent";
      wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
      ASSERT_NE(RegisterClassA(&wc), 0);
      registered = true;
    }
    g_recorder = &recorder_;
    parent_ = CreateWindowExA(0, "LvControlTestParent", "Test", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, 0, 0, 0,
                              nullptr);
    ASSERT_NE(parent_, 0u);
  }

  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
    g_recorder = nullptr;
  }

  HWND Child(const char* className, const char* text, DWORD style, int id, int x = 10, int y = 10, int cx = 120,
             int cy = 20) {
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent_,
                                 static_cast<HMENU>(id), 0, nullptr);
    EXPECT_NE(child, 0u) << "cannot create a " << className;
    return child;
  }

  int Count(int id, int code) const {
    int n = 0;
    for (const Notification& c : recorder_.commands) n += (c.id == id && c.code == code) ? 1 : 0;
    return n;
  }

  HWND parent_ = 0;
  Recorder recorder_;
};

}  // namespace ctltest
