// The user agent: whoever sits in front of the headless screen. Modal loops
// (dialogs, message boxes, the colour dialog) ask it for the next user action
// when they have nothing left to do; it acts through the input functions
// below, which produce the real message traffic (mouse and keyboard messages,
// BN_CLICKED, EN_CHANGE, ...). Tests give an agent as C++ code; the lumivex
// program reads a dialog script (platform/automation).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lv {

class UserAgent {
 public:
  virtual ~UserAgent() = default;
  // A modal loop whose top window is `modal` is idle. Perform one or more
  // user actions and return true, or return false when the agent has nothing
  // more to do (the loop then ends the way the Escape key would, and the
  // platform records that the agent gave up).
  virtual bool Act(HWND modal) = 0;
  // A message box is up; return the button id chosen (IDOK, IDYES, ...).
  virtual int AnswerMessageBox(HWND owner, const std::string& text, const std::string& caption,
                               UINT type) = 0;
};

// Installs the agent (nullptr: none). Without an agent a modal loop that
// would wait for input ends at once as if cancelled and message boxes answer
// with their default button. While an agent is installed time is virtual.
LVEXPORT void SetUserAgent(UserAgent* agent);
LVEXPORT UserAgent* GetUserAgent();

// Input, as the user would give it. All return false when the target cannot
// take it (no such window, disabled, hidden).
LVEXPORT bool Click(HWND window);                      // left click in the middle of a window
LVEXPORT bool ClickAt(HWND window, int x, int y);       // left click at client coordinates
LVEXPORT bool MouseDown(HWND window, int x, int y);
LVEXPORT bool MouseMove(HWND window, int x, int y);
LVEXPORT bool MouseUp(HWND window, int x, int y);
LVEXPORT bool TypeText(HWND window, const std::string& ansiText);  // focus, then WM_CHAR per character
LVEXPORT bool ReplaceText(HWND edit, const std::string& ansiText); // focus, select all, type
LVEXPORT bool PressKey(HWND window, UINT virtualKey);  // WM_KEYDOWN/WM_KEYUP to the focus (or window)
// The same with modifier keys held down around it (Shift+Tab, Alt+letter).
LVEXPORT bool PressKeyWith(HWND window, UINT virtualKey, bool shift, bool control, bool alt);
LVEXPORT void LetTimePass(DWORD milliseconds);         // advances virtual time, fires due timers
// The dialog's control with this id, or with this text (without '&'), or 0.
LVEXPORT HWND FindControl(HWND dialog, int id);
LVEXPORT HWND FindControlByText(HWND dialog, const std::string& text);
// Paints the window and its children and writes them as PNG (Unix path).
LVEXPORT bool Screenshot(HWND window, const std::string& unixPath);

// What the platform recorded, for tests and scripts.
struct MessageBoxRecord {
  HWND owner;
  std::string text;     // ANSI
  std::string caption;  // ANSI
  UINT type;
  int answer;
};
LVEXPORT const std::vector<MessageBoxRecord>& MessageBoxesShown();
struct HelpRecord {
  std::string file;     // as passed, including a window suffix such as ">d"
  UINT command;
  ULONG_PTR data;
};
LVEXPORT const std::vector<HelpRecord>& HelpRequests();
// Every cursor set with SetCursor, in order (LoadCursorA(0, IDC_WAIT) and so on).
LVEXPORT const std::vector<HCURSOR>& CursorHistory();
// Captions of the modal windows the agent left without acting (the platform
// then ended them as the Escape key would).
LVEXPORT const std::vector<std::string>& AbandonedDialogs();
LVEXPORT void ClearRecords();

}  // namespace lv
