// Running a dialog script: the ScriptAgent carries out one action per idle
// moment of the modal loop and checks expectations in between.
#include <colordlg.h>

#include "dialogscript.h"
#include "msgboxanswers.h"
#include <lvtext.h>

namespace lv {

namespace {

using lv::AnsiToUtf8;
using lv::Utf8ToAnsi;

std::string Quoted(const std::string& utf8) { return "\"" + utf8 + "\""; }

std::string Describe(const ScriptControl& control) {
  return control.byId ? "control " + std::to_string(control.id) : "control " + Quoted(control.text);
}

std::string WindowText(HWND window) {
  char buffer[1024] = {0};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

// The control's id and text, to say which control was seen.
std::string Identify(HWND window) {
  if (!window) return "no control";
  return "control " + std::to_string(GetDlgCtrlID(window)) + " " + Quoted(AnsiToUtf8(WindowText(window)));
}

std::string ClassOf(HWND window) {
  char name[64] = {0};
  GetClassNameA(window, name, sizeof name);
  std::string lower;
  for (unsigned char c : std::string(name)) lower.push_back(static_cast<char>(std::tolower(c)));
  return lower;
}

// Selects the item in a list box or combo box and tells the owner, as a
// click on the item would.
bool ChooseItem(HWND control, const std::string& ansiItem) {
  bool combo = ClassOf(control) == "combobox";
  UINT find = combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT;
  UINT select = combo ? CB_SETCURSEL : LB_SETCURSEL;
  LRESULT index = SendMessageA(control, find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(ansiItem.c_str()));
  if (index < 0) return false;
  SendMessageA(control, select, static_cast<WPARAM>(index), 0);
  WORD notify = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), notify),
               static_cast<LPARAM>(control));
  return true;
}

}  // namespace

ScriptAgent::ScriptAgent(DialogScript script) : script_(std::move(script)) {}

bool ScriptAgent::Fail(const ScriptCommand& command, const std::string& what) {
  if (error_.empty())
    error_ = script_.fileName + ":" + std::to_string(command.line) + ": " + what;
  return false;
}

HWND ScriptAgent::Resolve(HWND modal, const ScriptCommand& command) {
  const ScriptControl& c = command.control;
  HWND window = c.byId ? FindControl(modal, c.id) : FindControlByText(modal, Utf8ToAnsi(c.text));
  if (!window) Fail(command, ScriptOpName(command.op) + ": no " + Describe(c) + " in the window " +
                             Quoted(AnsiToUtf8(WindowText(modal))));
  return window;
}

bool ScriptAgent::Act(HWND modal) {
  if (Failed()) return false;
  if (!firstScreenshot_.empty()) {
    std::string path = firstScreenshot_;
    firstScreenshot_.clear();
    if (!Screenshot(modal, path)) {
      error_ = "cannot write the screenshot '" + path + "'";
      return false;
    }
  }
  while (next_ < script_.commands.size()) {
    const ScriptCommand& command = script_.commands[next_++];
    switch (command.op) {
      case ScriptOp::Answer:
        pendingAnswer_ = command.number[0];
        continue;
      case ScriptOp::Screenshot:
        if (!Screenshot(modal, command.text)) return Fail(command, "cannot write the screenshot '" + command.text + "'");
        continue;
      case ScriptOp::ExpectText: case ScriptOp::ExpectChecked: case ScriptOp::ExpectUnchecked:
      case ScriptOp::ExpectEnabled: case ScriptOp::ExpectDisabled: case ScriptOp::ExpectFocus:
      case ScriptOp::ExpectMessage: case ScriptOp::ExpectSelection:
        if (!RunExpectation(modal, command)) return false;
        continue;
      default:
        return RunAction(modal, command);
    }
  }
  ranOut_ = true;
  notes_.push_back("the dialog script ended while the window " + Quoted(AnsiToUtf8(WindowText(modal))) +
                   " was open; it was cancelled");
  return false;
}

bool ScriptAgent::RunAction(HWND modal, const ScriptCommand& command) {
  std::string name = ScriptOpName(command.op);
  const int* n = command.number;
  if (command.op == ScriptOp::Key) {
    if (!PressKey(modal, static_cast<UINT>(n[0]))) return Fail(command, "the key could not be pressed");
    return true;
  }
  if (command.op == ScriptOp::Wait) {
    LetTimePass(static_cast<DWORD>(n[0]));
    return true;
  }
  if (command.op == ScriptOp::Colour) {
    HWND red = FindControl(modal, COLOR_RED), green = FindControl(modal, COLOR_GREEN),
         blue = FindControl(modal, COLOR_BLUE), ok = FindControl(modal, IDOK);
    if (!red || !green || !blue || !ok) return Fail(command, "colour: no colour dialog is open");
    COLORREF c = static_cast<COLORREF>(n[0]);
    if (!ReplaceText(red, std::to_string(GetRValue(c))) || !ReplaceText(green, std::to_string(GetGValue(c))) ||
        !ReplaceText(blue, std::to_string(GetBValue(c))) || !Click(ok))
      return Fail(command, "colour: the colour dialog did not take the colour");
    return true;
  }
  HWND control = Resolve(modal, command);
  if (!control) return false;
  bool done = true;
  switch (command.op) {
    case ScriptOp::Type: done = ReplaceText(control, Utf8ToAnsi(command.text)); break;
    case ScriptOp::Click: done = Click(control); break;
    case ScriptOp::Check:
    case ScriptOp::Uncheck: {
      bool want = command.op == ScriptOp::Check;
      bool is = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (want != is) done = Click(control);
      break;
    }
    case ScriptOp::Choose:
      if (!ChooseItem(control, Utf8ToAnsi(command.text)))
        return Fail(command, "choose: " + Identify(control) + " has no item " + Quoted(command.text));
      break;
    case ScriptOp::MouseDown: done = MouseDown(control, n[0], n[1]); break;
    case ScriptOp::MouseMove: done = MouseMove(control, n[0], n[1]); break;
    case ScriptOp::MouseUp: done = MouseUp(control, n[0], n[1]); break;
    case ScriptOp::Drag:
      done = MouseDown(control, n[0], n[1]) && MouseMove(control, n[2], n[3]) && MouseUp(control, n[2], n[3]);
      break;
    default: break;
  }
  if (!done) return Fail(command, name + ": " + Identify(control) + " does not take it (disabled or hidden?)");
  return true;
}

bool ScriptAgent::RunExpectation(HWND modal, const ScriptCommand& command) {
  if (command.op == ScriptOp::ExpectMessage) {
    std::string seen = sawMessage_ ? lastMessage_
                       : MessageBoxesShown().empty() ? std::string() : MessageBoxesShown().back().text;
    if (!sawMessage_ && MessageBoxesShown().empty())
      return Fail(command, "expected the message " + Quoted(command.text) + ", but no message box was shown");
    if (seen != Utf8ToAnsi(command.text))
      return Fail(command, "expected the message " + Quoted(command.text) + ", saw " + Quoted(AnsiToUtf8(seen)));
    return true;
  }
  HWND control = Resolve(modal, command);
  if (!control) return false;
  std::string what = Describe(command.control);
  switch (command.op) {
    case ScriptOp::ExpectText: {
      std::string seen = WindowText(control);
      if (seen != Utf8ToAnsi(command.text))
        return Fail(command, "expected " + what + " to read " + Quoted(command.text) + ", saw " + Quoted(AnsiToUtf8(seen)));
      return true;
    }
    case ScriptOp::ExpectChecked:
    case ScriptOp::ExpectUnchecked: {
      bool want = command.op == ScriptOp::ExpectChecked;
      bool is = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (want != is)
        return Fail(command, "expected " + what + (want ? " checked" : " unchecked") + ", saw it " + (is ? "checked" : "unchecked"));
      return true;
    }
    case ScriptOp::ExpectEnabled:
    case ScriptOp::ExpectDisabled: {
      bool want = command.op == ScriptOp::ExpectEnabled;
      bool is = IsWindowEnabled(control) != 0;
      if (want != is)
        return Fail(command, "expected " + what + (want ? " enabled" : " disabled") + ", saw it " + (is ? "enabled" : "disabled"));
      return true;
    }
    case ScriptOp::ExpectFocus: {
      HWND focus = GetFocus();
      if (focus != control) return Fail(command, "expected the focus in " + what + ", saw it in " + Identify(focus));
      return true;
    }
    case ScriptOp::ExpectSelection: {
      DWORD start = 0, end = 0;
      SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      int wantEnd = command.number[1] < 0 ? GetWindowTextLengthA(control) : command.number[1];
      if (static_cast<int>(start) != command.number[0] || static_cast<int>(end) != wantEnd)
        return Fail(command, "expected the selection " + std::to_string(command.number[0]) + ".." +
                                 std::to_string(wantEnd) + " in " + what + ", saw " + std::to_string(start) + ".." +
                                 std::to_string(end));
      return true;
    }
    default: return true;
  }
}

int ScriptAgent::AnswerMessageBox(HWND, const std::string& text, const std::string&, UINT type) {
  lastMessage_ = text;
  sawMessage_ = true;
  int fallback = msgbox::DefaultAnswer(type);
  if (Failed()) return msgbox::CancelAnswer(type);
  while (next_ < script_.commands.size() && script_.commands[next_].op == ScriptOp::ExpectMessage) {
    const ScriptCommand& command = script_.commands[next_++];
    if (text != Utf8ToAnsi(command.text)) {
      Fail(command, "expected the message " + Quoted(command.text) + ", saw " + Quoted(AnsiToUtf8(text)));
      return msgbox::CancelAnswer(type);
    }
  }
  int answer = 0;
  const ScriptCommand* from = nullptr;
  if (next_ < script_.commands.size() && script_.commands[next_].op == ScriptOp::Answer) {
    from = &script_.commands[next_++];
    answer = from->number[0];
  } else if (pendingAnswer_) {
    answer = pendingAnswer_;
  }
  pendingAnswer_ = 0;
  if (!answer) {
    notes_.push_back("message box " + Quoted(AnsiToUtf8(text)) + " answered with its default button");
    return fallback;
  }
  if (!msgbox::Offers(type, answer)) {
    ScriptCommand where;
    where.line = from ? from->line : 0;
    Fail(from ? *from : where, "answer " + msgbox::AnswerName(answer) + " does not fit the message box " +
                                   Quoted(AnsiToUtf8(text)) + " (buttons: " + msgbox::ButtonNames(type) + ")");
    return msgbox::CancelAnswer(type);
  }
  return answer;
}

}  // namespace lv
