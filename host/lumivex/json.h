// Text as a JSON string literal, for the program's JSON outputs.
#pragma once

#include <string>

namespace lvhost {

// s in double quotes, with quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& s);

}  // namespace lvhost
