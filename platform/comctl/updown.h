// Internal to the up-down control: its state and the buddy helpers.
#pragma once

#include <commctrl.h>

#include <string>
#include <vector>

namespace lv::ctl::updown {

struct UpDownState {
  int lower = 100;                 // nLower: the position the down arrow moves toward
  int upper = 0;                   // nUpper: the position the up arrow moves toward
  int pos = 0;                     // current position, inside the range
  HWND buddy = 0;                  // the buddy window, or 0
  int base = 10;                   // 10 or 16: how the buddy's text shows the position
  std::vector<UDACCEL> accel{{0, 1}, {2, 5}, {5, 20}};  // steps by seconds held, ascending
  int pressed = 0;                 // +1 up (or right) arrow held, -1 down (or left), 0 none
  DWORD pressTime = 0;             // GetTickCount when the arrow went down
};

// The position written as the buddy shows it ("1.234" with the thousands
// separator unless UDS_NOTHOUSANDS, "0x00FF" in base 16).
std::string FormatPosition(int pos, int base, bool thousands);
// Reads a buddy's text; false when it is not a number.
bool ParsePosition(const std::string& text, int base, int* value);
// Keys of the buddy's own window procedure: the arrows step the up-down
// control when it has UDS_ARROWKEYS.
void SubclassBuddy(HWND updown, HWND buddy);
void ReleaseBuddy(HWND updown, HWND buddy);
// One step of dir (+1 up, -1 down) as a click on an arrow makes it.
void Step(HWND updown, int dir);

}  // namespace lv::ctl::updown
