// The four reflection curves of "Glas" and "Metall": 256-entry tables that
// map a mask value to a new one, rising from 0 through one to four peaks
// and falling back to 0, mirrored about the middle.
#pragma once

#include <windows.h>

namespace texfx {

// The table of reflection 1..4 (values outside are clamped into 1..4).
const BYTE* ReflectionCurve(LONG reflection);

}  // namespace texfx
