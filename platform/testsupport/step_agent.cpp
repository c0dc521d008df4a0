// The scripted user agent and the window-text helpers of the dialog tests.
#include "step_agent.h"

#include <utility>

namespace lvtest {

StepAgent::StepAgent(std::vector<Step> steps, int answer)
    : steps_(std::move(steps)), answer_(answer) {
  lv::SetUserAgent(this);
}

StepAgent::~StepAgent() { lv::SetUserAgent(nullptr); }

bool StepAgent::Act(HWND modal) {
  if (next_ >= steps_.size()) return false;
  steps_[next_++](modal);
  return true;
}

int StepAgent::AnswerMessageBox(HWND, const std::string& text, const std::string&, UINT) {
  messages_.push_back(text);
  return answer_;
}

std::string WindowText(HWND window) {
  if (!window) return std::string();
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ControlText(HWND dialog, int id) { return WindowText(lv::FindControl(dialog, id)); }

}  // namespace lvtest
