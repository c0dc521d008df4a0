// The "auto" agent: presses OK and takes the default answers.
#include "dialogscript.h"
#include "msgboxanswers.h"
#include <lvtext.h>

namespace lv {

namespace {
// Presses of OK in the same dialog before the agent gives up (a dialog that
// refuses its values keeps coming back).
constexpr int kMaxPresses = 3;
}  // namespace

bool OkAgent::Act(HWND modal) {
  if (!firstScreenshot_.empty()) {
    std::string path = firstScreenshot_;
    firstScreenshot_.clear();
    if (!Screenshot(modal, path)) {
      screenshotFailed_ = true;
      return false;
    }
  }
  if (++presses_ > kMaxPresses) {
    notes_.push_back("the dialog did not close on OK; it was cancelled");
    return false;
  }
  HWND ok = FindControl(modal, IDOK);
  if (ok && IsWindowEnabled(ok)) return Click(ok);
  return PressKey(modal, VK_RETURN);
}

int OkAgent::AnswerMessageBox(HWND, const std::string& text, const std::string&, UINT type) {
  notes_.push_back("message box \"" + AnsiToUtf8(text) + "\" answered with its default button");
  return msgbox::DefaultAnswer(type);
}

}  // namespace lv
