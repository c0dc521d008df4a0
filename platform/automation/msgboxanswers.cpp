// Buttons of message box types, by the numbers of the platform.
#include "msgboxanswers.h"

#include <vector>

namespace lv::msgbox {

namespace {

// Button ids (IDOK = 1 ... IDNO = 7) of each MB_ type 0..5, in order.
std::vector<int> Buttons(UINT type) {
  switch (type & 0x0F) {
    case 1: return {1, 2};     // MB_OKCANCEL
    case 2: return {3, 4, 5};  // MB_ABORTRETRYIGNORE
    case 3: return {6, 7, 2};  // MB_YESNOCANCEL
    case 4: return {6, 7};     // MB_YESNO
    case 5: return {4, 2};     // MB_RETRYCANCEL
    default: return {1};       // MB_OK
  }
}

}  // namespace

bool Offers(UINT type, int answer) {
  for (int b : Buttons(type))
    if (b == answer) return true;
  return false;
}

int DefaultAnswer(UINT type) {
  std::vector<int> buttons = Buttons(type);
  size_t index = (type >> 8) & 0x0F;  // MB_DEFBUTTON2 = 0x100, ...
  return buttons[index < buttons.size() ? index : 0];
}

int CancelAnswer(UINT type) {
  if (Offers(type, 2)) return 2;
  if (Offers(type, 7)) return 7;
  if (Offers(type, 3)) return 3;
  return 1;
}

std::string AnswerName(int answer) {
  static const char* names[] = {"?", "ok", "cancel", "abort", "retry", "ignore", "yes", "no"};
  return answer >= 1 && answer <= 7 ? names[answer] : "?";
}

std::string ButtonNames(UINT type) {
  std::string out;
  for (int b : Buttons(type)) out += (out.empty() ? "" : ", ") + AnswerName(b);
  return out;
}

}  // namespace lv::msgbox
