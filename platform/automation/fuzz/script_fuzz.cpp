// Fuzz target: the dialog script parser takes any text without crashing,
// and whatever it accepts has commands with line numbers inside the text.
#include <dialogscript.h>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  lv::DialogScript script;
  std::string error;
  if (lv::ParseDialogScript(text, "fuzz.script", &script, &error)) {
    int lines = 1;
    for (char c : text) lines += c == '\n';
    for (const auto& command : script.commands)
      if (command.line < 1 || command.line > lines) std::abort();
  }
  return 0;
}
