// Parsing of dialog scripts: one command a line, words and "quoted texts".
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "dialogscript.h"

namespace lv {

namespace {

constexpr size_t kMaxScriptSize = 1 << 20;

struct Token {
  std::string text;
  bool quoted = false;
};

struct LineReader {
  const std::string& fileName;
  int line;
  std::string* error;

  bool Fail(const std::string& what) const {
    *error = fileName + ":" + std::to_string(line) + ": " + what;
    return false;
  }
};

// Splits a line into words and quoted texts. A word starting with '#' begins
// a comment, except the colour right after "colour".
bool Tokenize(const std::string& s, const LineReader& at, std::vector<Token>* tokens) {
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '"') {
      Token t;
      t.quoted = true;
      ++i;
      bool closed = false;
      while (i < s.size()) {
        char d = s[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\' && i < s.size()) {
          char e = s[i++];
          t.text.push_back(e == 'n' ? '\n' : e == 't' ? '\t' : e);
        } else {
          t.text.push_back(d);
        }
      }
      if (!closed) return at.Fail("the text has no closing quote");
      tokens->push_back(t);
      continue;
    }
    bool colourValue = tokens->size() == 1 && !(*tokens)[0].quoted &&
                       ((*tokens)[0].text == "colour" || (*tokens)[0].text == "color");
    if (c == '#' && !colourValue) break;  // comment
    Token t;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r' && s[i] != '"')
      t.text.push_back(s[i++]);
    tokens->push_back(t);
  }
  return true;
}

bool ParseInt(const Token& t, long min, long max, int* value) {
  if (t.quoted || t.text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(t.text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < min || v > max) return false;
  *value = static_cast<int>(v);
  return true;
}

// A control: a number is an id, anything else (word or quoted) its text.
ScriptControl ControlOf(const Token& t) {
  ScriptControl c;
  int id = 0;
  if (!t.quoted && ParseInt(t, 0, 0xffff, &id)) {
    c.byId = true;
    c.id = id;
  } else {
    c.text = t.text;
  }
  return c;
}

struct Named {
  const char* name;
  int value;
};

// Message box answers, as the button ids of the platform (IDOK ...).
const Named kAnswers[] = {{"ok", 1},    {"cancel", 2}, {"abort", 3}, {"retry", 4},
                          {"ignore", 5}, {"yes", 6},    {"no", 7}};

// Key names and their virtual-key codes.
const Named kKeys[] = {
    {"enter", 0x0D},  {"return", 0x0D}, {"escape", 0x1B}, {"esc", 0x1B},     {"tab", 0x09},
    {"space", 0x20},  {"backspace", 0x08}, {"delete", 0x2E}, {"insert", 0x2D}, {"home", 0x24},
    {"end", 0x23},    {"pageup", 0x21}, {"pagedown", 0x22}, {"left", 0x25},    {"up", 0x26},
    {"right", 0x27},  {"down", 0x28},   {"f1", 0x70},     {"f2", 0x71},       {"f3", 0x72},
    {"f4", 0x73},     {"f5", 0x74},
};

template <size_t N>
bool Lookup(const Named (&table)[N], const std::string& word, int* value) {
  std::string lower;
  for (unsigned char c : word) lower.push_back(static_cast<char>(std::tolower(c)));
  for (const Named& n : table)
    if (lower == n.name) {
      *value = n.value;
      return true;
    }
  return false;
}

bool ParseColour(const std::string& text, int* colourRef) {
  if (text.size() != 7 || text[0] != '#') return false;
  unsigned value = 0;
  for (size_t i = 1; i < 7; ++i) {
    char c = text[i];
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10
              : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  unsigned r = value >> 16, g = (value >> 8) & 0xff, b = value & 0xff;
  *colourRef = static_cast<int>(r | (g << 8) | (b << 16));
  return true;
}

// Checks the number of arguments after the command's words.
bool Arity(const std::vector<Token>& args, size_t count, const std::string& usage,
           const LineReader& at) {
  if (args.size() == count) return true;
  return at.Fail("'" + usage + "' expected");
}

bool ParseExpect(const std::vector<Token>& w, const LineReader& at, ScriptCommand* cmd) {
  if (w.size() < 2) return at.Fail("'expect' needs what to expect (text, checked, message, ...)");
  std::string what = w[1].text;
  std::vector<Token> args(w.begin() + 2, w.end());
  struct Simple { const char* word; ScriptOp op; } simple[] = {
      {"checked", ScriptOp::ExpectChecked}, {"unchecked", ScriptOp::ExpectUnchecked},
      {"enabled", ScriptOp::ExpectEnabled}, {"disabled", ScriptOp::ExpectDisabled},
      {"focus", ScriptOp::ExpectFocus}};
  for (const Simple& s : simple) {
    if (what != s.word) continue;
    if (!Arity(args, 1, std::string("expect ") + s.word + " <control>", at)) return false;
    cmd->op = s.op;
    cmd->control = ControlOf(args[0]);
    return true;
  }
  if (what == "text") {
    if (!Arity(args, 2, "expect text <control> \"text\"", at)) return false;
    cmd->op = ScriptOp::ExpectText;
    cmd->control = ControlOf(args[0]);
    cmd->text = args[1].text;
    return true;
  }
  if (what == "message") {
    if (!Arity(args, 1, "expect message \"text\"", at)) return false;
    cmd->op = ScriptOp::ExpectMessage;
    cmd->text = args[0].text;
    return true;
  }
  if (what == "selection") {
    if (!Arity(args, 3, "expect selection <control> <start> <end>", at)) return false;
    cmd->op = ScriptOp::ExpectSelection;
    cmd->control = ControlOf(args[0]);
    if (!ParseInt(args[1], -1, 1 << 30, &cmd->number[0]) || !ParseInt(args[2], -1, 1 << 30, &cmd->number[1]))
      return at.Fail("selection start and end must be numbers");
    return true;
  }
  return at.Fail("unknown expectation '" + what + "'");
}

bool ParseMouse(const std::vector<Token>& w, const LineReader& at, ScriptCommand* cmd) {
  std::string usage = "mouse down|move|up <control> <x> <y>";
  if (w.size() != 5) return at.Fail("'" + usage + "' expected");
  if (w[1].text == "down") cmd->op = ScriptOp::MouseDown;
  else if (w[1].text == "move") cmd->op = ScriptOp::MouseMove;
  else if (w[1].text == "up") cmd->op = ScriptOp::MouseUp;
  else return at.Fail("'" + usage + "' expected");
  cmd->control = ControlOf(w[2]);
  if (!ParseInt(w[3], -32768, 32767, &cmd->number[0]) || !ParseInt(w[4], -32768, 32767, &cmd->number[1]))
    return at.Fail("mouse coordinates must be numbers");
  return true;
}

bool ParseCommand(const std::vector<Token>& w, const LineReader& at, ScriptCommand* cmd) {
  const std::string& verb = w[0].text;
  std::vector<Token> args(w.begin() + 1, w.end());
  if (w[0].quoted) return at.Fail("a line must start with a command, not a text");
  if (verb == "type" || verb == "choose") {
    if (!Arity(args, 2, verb + " <control> \"text\"", at)) return false;
    cmd->op = verb == "type" ? ScriptOp::Type : ScriptOp::Choose;
    cmd->control = ControlOf(args[0]);
    cmd->text = args[1].text;
    return true;
  }
  if (verb == "click" || verb == "check" || verb == "uncheck") {
    if (!Arity(args, 1, verb + " <control>", at)) return false;
    cmd->op = verb == "click" ? ScriptOp::Click : verb == "check" ? ScriptOp::Check : ScriptOp::Uncheck;
    cmd->control = ControlOf(args[0]);
    return true;
  }
  if (verb == "colour" || verb == "color") {
    if (!Arity(args, 1, "colour #rrggbb", at)) return false;
    cmd->op = ScriptOp::Colour;
    if (!ParseColour(args[0].text, &cmd->number[0])) return at.Fail("colour must be #rrggbb");
    return true;
  }
  if (verb == "answer") {
    if (!Arity(args, 1, "answer ok|cancel|yes|no|abort|retry|ignore", at)) return false;
    cmd->op = ScriptOp::Answer;
    if (!Lookup(kAnswers, args[0].text, &cmd->number[0]))
      return at.Fail("unknown answer '" + args[0].text + "' (ok, cancel, yes, no, abort, retry, ignore)");
    return true;
  }
  if (verb == "key") {
    if (!Arity(args, 1, "key <name>", at)) return false;
    cmd->op = ScriptOp::Key;
    if (!Lookup(kKeys, args[0].text, &cmd->number[0])) return at.Fail("unknown key '" + args[0].text + "'");
    return true;
  }
  if (verb == "wait") {
    if (!Arity(args, 1, "wait <milliseconds>", at)) return false;
    cmd->op = ScriptOp::Wait;
    if (!ParseInt(args[0], 0, 3600000, &cmd->number[0]))
      return at.Fail("wait needs milliseconds from 0 to 3600000");
    return true;
  }
  if (verb == "screenshot") {
    if (!Arity(args, 1, "screenshot <file.png>", at)) return false;
    cmd->op = ScriptOp::Screenshot;
    cmd->text = args[0].text;
    return true;
  }
  if (verb == "drag") {
    if (!Arity(args, 5, "drag <control> <x1> <y1> <x2> <y2>", at)) return false;
    cmd->op = ScriptOp::Drag;
    cmd->control = ControlOf(args[0]);
    for (int i = 0; i < 4; ++i)
      if (!ParseInt(args[1 + i], -32768, 32767, &cmd->number[i])) return at.Fail("drag coordinates must be numbers");
    return true;
  }
  if (verb == "mouse") return ParseMouse(w, at, cmd);
  if (verb == "expect") return ParseExpect(w, at, cmd);
  return at.Fail("unknown command '" + verb + "'");
}

}  // namespace

bool ParseDialogScript(const std::string& text, const std::string& fileName, DialogScript* script,
                       std::string* error) {
  script->fileName = fileName;
  script->commands.clear();
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    LineReader at{fileName, number, error};
    if (line.find('\0') != std::string::npos) return at.Fail("the line holds a zero byte");
    std::vector<Token> tokens;
    if (!Tokenize(line, at, &tokens)) return false;
    if (tokens.empty()) continue;
    ScriptCommand cmd;
    cmd.line = number;
    if (!ParseCommand(tokens, at, &cmd)) return false;
    script->commands.push_back(cmd);
  }
  return true;
}

bool LoadDialogScript(const std::string& unixPath, DialogScript* script, std::string* error) {
  std::ifstream in(unixPath, std::ios::binary);
  if (!in) {
    *error = "cannot read the dialog script '" + unixPath + "'";
    return false;
  }
  std::string text;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    text.append(chunk, static_cast<size_t>(in.gcount()));
    if (text.size() > kMaxScriptSize) {
      *error = "the dialog script '" + unixPath + "' is larger than 1 MiB";
      return false;
    }
  }
  return ParseDialogScript(text, unixPath, script, error);
}

std::string ScriptOpName(ScriptOp op) {
  switch (op) {
    case ScriptOp::Type: return "type";
    case ScriptOp::Click: return "click";
    case ScriptOp::Check: return "check";
    case ScriptOp::Uncheck: return "uncheck";
    case ScriptOp::Choose: return "choose";
    case ScriptOp::Colour: return "colour";
    case ScriptOp::Answer: return "answer";
    case ScriptOp::Key: return "key";
    case ScriptOp::Wait: return "wait";
    case ScriptOp::ExpectText: return "expect text";
    case ScriptOp::ExpectChecked: return "expect checked";
    case ScriptOp::ExpectUnchecked: return "expect unchecked";
    case ScriptOp::ExpectEnabled: return "expect enabled";
    case ScriptOp::ExpectDisabled: return "expect disabled";
    case ScriptOp::ExpectFocus: return "expect focus";
    case ScriptOp::ExpectMessage: return "expect message";
    case ScriptOp::ExpectSelection: return "expect selection";
    case ScriptOp::Screenshot: return "screenshot";
    case ScriptOp::MouseDown: return "mouse down";
    case ScriptOp::MouseMove: return "mouse move";
    case ScriptOp::MouseUp: return "mouse up";
    case ScriptOp::Drag: return "drag";
  }
  return "?";
}

}  // namespace lv
