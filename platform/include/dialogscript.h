// Dialog scripts: a small line language that drives modal dialogs as a user
// would (typing, clicking, answering message boxes) and checks what they
// show. A script is parsed once into commands; a ScriptAgent (a user agent)
// then runs them in order whenever the current modal window is idle. The
// language is described in docs/dialog-script.md.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "useragent.h"

namespace lv {

// A control of the current modal window: by id, or by its text without '&'.
struct ScriptControl {
  bool byId = false;
  int id = 0;
  std::string text;  // UTF-8 as written in the script
};

enum class ScriptOp {
  Type,             // type <control> "text": replaces the control's text
  Click,            // click <control>
  Check,            // check <control>: click when not checked
  Uncheck,          // uncheck <control>: click when checked
  Choose,           // choose <control> "item": selects a list or combo box item
  Colour,           // colour #rrggbb: picks the colour in an open colour dialog
  Answer,           // answer <button>: the answer to the current or next message box
  Key,              // key <name>: presses a key in the modal window
  Wait,             // wait <ms>: lets virtual time pass
  ExpectText,       // expect text <control> "text"
  ExpectChecked,    // expect checked <control>
  ExpectUnchecked,  // expect unchecked <control>
  ExpectEnabled,    // expect enabled <control>
  ExpectDisabled,   // expect disabled <control>
  ExpectFocus,      // expect focus <control>
  ExpectMessage,    // expect message "text": the last message box's text
  ExpectSelection,  // expect selection <control> <start> <end>
  Screenshot,       // screenshot <file.png>: the modal window as PNG
  MouseDown,        // mouse down <control> <x> <y>
  MouseMove,        // mouse move <control> <x> <y>
  MouseUp,          // mouse up <control> <x> <y>
  Drag,             // drag <control> <x1> <y1> <x2> <y2>
};

struct ScriptCommand {
  ScriptOp op = ScriptOp::Click;
  int line = 0;           // line number in the script, from 1
  ScriptControl control;  // the control the command acts on, where it has one
  std::string text;       // UTF-8 text, item, message or file name
  int number[4] = {0, 0, 0, 0};  // milliseconds, button id (answer), virtual key,
                                 // colour reference, selection, coordinates
};

struct DialogScript {
  std::string fileName;  // for messages ("file:line: ...")
  std::vector<ScriptCommand> commands;
};

// Parses script text. False with an error "file:line: what is wrong" for the
// first line that is not understood; *script then holds nothing useful.
LVEXPORT bool ParseDialogScript(const std::string& text, const std::string& fileName,
                                DialogScript* script, std::string* error);

// Reads and parses a script file (Unix path, UTF-8, at most 1 MiB).
LVEXPORT bool LoadDialogScript(const std::string& unixPath, DialogScript* script,
                               std::string* error);

// The name of a command as written in scripts ("expect text"), for messages.
LVEXPORT std::string ScriptOpName(ScriptOp op);

// A user agent that runs a dialog script. Actions are carried out one per
// idle moment of the modal loop; expectations, screenshots and answers run
// without waiting. A failed expectation or an action on a missing control
// stops the script: the agent gives up (the dialog closes as with Escape)
// and Failed() reports what happened.
class LVEXPORT ScriptAgent : public UserAgent {
 public:
  explicit ScriptAgent(DialogScript script);
  bool Act(HWND modal) override;
  int AnswerMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT type) override;

  // Takes a screenshot of the first modal window the agent sees, before
  // any command runs (Unix path; empty for none).
  void SetFirstScreenshot(const std::string& unixPath) { firstScreenshot_ = unixPath; }

  bool Failed() const { return !error_.empty(); }
  // "file:line: expected ..., saw ..." for the failure, or empty.
  const std::string& Error() const { return error_; }
  // True when the script ran out while a modal window was still open (the
  // agent then gave up and the window was cancelled).
  bool RanOut() const { return ranOut_; }
  // Things worth telling the user: message boxes answered without an
  // "answer" command, and their texts (UTF-8).
  const std::vector<std::string>& Notes() const { return notes_; }
  // Commands not run yet, and the line of the first of them (0 when none).
  size_t Remaining() const { return script_.commands.size() - next_; }
  int NextLine() const { return Remaining() ? script_.commands[next_].line : 0; }
  const std::string& FileName() const { return script_.fileName; }

 private:
  bool RunExpectation(HWND modal, const ScriptCommand& command);
  bool RunAction(HWND modal, const ScriptCommand& command);
  HWND Resolve(HWND modal, const ScriptCommand& command);
  bool Fail(const ScriptCommand& command, const std::string& what);

  DialogScript script_;
  size_t next_ = 0;
  int pendingAnswer_ = 0;      // from an "answer" met outside a message box
  std::string lastMessage_;    // ANSI text of the last message box
  bool sawMessage_ = false;
  std::string firstScreenshot_;
  std::string error_;
  bool ranOut_ = false;
  std::vector<std::string> notes_;
};

// A user agent that presses OK (or Enter) in every dialog and answers every
// message box with its default button.
class LVEXPORT OkAgent : public UserAgent {
 public:
  bool Act(HWND modal) override;
  int AnswerMessageBox(HWND owner, const std::string& text, const std::string& caption,
                       UINT type) override;
  void SetFirstScreenshot(const std::string& unixPath) { firstScreenshot_ = unixPath; }
  bool ScreenshotFailed() const { return screenshotFailed_; }
  const std::vector<std::string>& Notes() const { return notes_; }

 private:
  std::string firstScreenshot_;
  bool screenshotFailed_ = false;
  int presses_ = 0;
  std::vector<std::string> notes_;
};

}  // namespace lv
