// A scripted user agent for dialog tests, and small helpers that read what
// a dialog shows.
#pragma once

#include <useragent.h>
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace lvtest {

// Runs one scripted step per idle moment of a modal loop; once every step
// has run it has nothing more to do (the loop then ends as Escape would).
// Message boxes are answered with `answer` and their texts recorded. The
// agent installs itself on construction and removes itself on destruction,
// so it must outlive the modal calls it drives.
class StepAgent : public lv::UserAgent {
 public:
  using Step = std::function<void(HWND)>;
  explicit StepAgent(std::vector<Step> steps, int answer = IDOK);
  ~StepAgent() override;
  StepAgent(const StepAgent&) = delete;
  StepAgent& operator=(const StepAgent&) = delete;

  bool Act(HWND modal) override;
  int AnswerMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT type) override;

  // How many steps have run so far.
  size_t stepsRun() const { return next_; }
  // The texts of the message boxes answered, in order.
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<Step> steps_;
  size_t next_ = 0;
  int answer_;
  std::vector<std::string> messages_;
};

// The window's text (a dialog's caption, a control's contents); "" for no
// window.
std::string WindowText(HWND window);
// The text of the dialog's control with this id; "" when there is none.
std::string ControlText(HWND dialog, int id);

}  // namespace lvtest
