// A scripted user agent for tests: each Act runs the next step.
#pragma once

#include <useragent.h>

#include <functional>
#include <vector>

namespace usertest {

class ScriptAgent : public lv::UserAgent {
 public:
  std::vector<std::function<void(HWND)>> steps;
  std::vector<int> answers;  // message box answers, in order
  std::vector<HWND> actedOn;
  size_t next = 0;
  size_t nextAnswer = 0;
  std::vector<std::string> boxCaptionsSeen;

  bool Act(HWND modal) override {
    actedOn.push_back(modal);
    if (next >= steps.size()) return false;
    steps[next++](modal);
    return true;
  }
  int AnswerMessageBox(HWND, const std::string&, const std::string&, UINT) override {
    char caption[64] = "";
    GetWindowTextA(GetActiveWindow(), caption, sizeof caption);
    boxCaptionsSeen.push_back(caption);
    return nextAnswer < answers.size() ? answers[nextAnswer++] : IDCANCEL;
  }
};

// Installs an agent for the lifetime of the object.
class AgentScope {
 public:
  explicit AgentScope(lv::UserAgent* agent) { lv::SetUserAgent(agent); }
  ~AgentScope() { lv::SetUserAgent(nullptr); }
};

}  // namespace usertest
