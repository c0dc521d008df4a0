// Errors of the resource compiler: every failure names the file and line of
// the script it comes from and stops the compilation.
#pragma once

#include <stdexcept>
#include <string>

namespace lvrc {

// Where a piece of script text came from.
struct Location {
  std::string file;  // as opened (the script, an included file)
  int line = 0;      // 1-based; 0 when no line applies
};

// A compilation error; what() is "file:line: message".
class RcError : public std::runtime_error {
 public:
  RcError(const Location& where, const std::string& message)
      : std::runtime_error(Format(where, message)) {}

 private:
  static std::string Format(const Location& where, const std::string& message) {
    if (where.file.empty()) return message;
    if (where.line <= 0) return where.file + ": " + message;
    return where.file + ":" + std::to_string(where.line) + ": " + message;
  }
};

}  // namespace lvrc
