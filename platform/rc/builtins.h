// The standard constants of the platform headers (<windows.h>, "winres.h",
// <commctrl.h> and the like) with their real values. A script's include of
// such a header is satisfied from this table instead of a file.
#pragma once

#include <span>
#include <string_view>

namespace lvrc {

struct BuiltinMacro {
  std::string_view name;
  std::string_view replacement;  // the macro's replacement text
};

// Every built-in macro, in no particular order.
std::span<const BuiltinMacro> BuiltinMacros();

// True when `header` (as written in #include, without quotes or brackets)
// names one of the platform headers the built-in table stands for.
bool IsPlatformHeader(std::string_view header);

}  // namespace lvrc
