// Error reporting and module messages.
#include <effect/common.h>

#include <hostcommon.h>

#include <cstdio>

namespace effect {

void SetError(LONG error, LONG unit, LONG category, LONG detail) {
  c32SetDLLErrInfo(0, error, 0, unit, category, detail);
}

LONG ShowModuleMessage(HINSTANCE instance, HWND owner, UINT id, LONG arg1, LONG arg2) {
  char pattern[256] = {};
  if (LoadStringA(instance, id, pattern, sizeof pattern) <= 0) pattern[0] = '\0';
  char text[256] = {};
  // The module's own texts use %d placeholders for 32-bit values.
  std::snprintf(text, sizeof text, pattern, static_cast<int>(arg1), static_cast<int>(arg2));
  C32MBRECORD record = {};
  record.owner = owner;
  record.text = text;
  LONG answer = c32ShowMb(&record);
  c32ResetDLLErrInfo();
  return answer;
}

}  // namespace effect
