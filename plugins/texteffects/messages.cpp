// The module's registered window messages.
#include "messages.h"

namespace texfx {

namespace {

UINT g_messages[3] = {};

}  // namespace

void RegisterModuleMessages(const char* key) {
  for (int i = 0; i < 3; ++i) {
    char name[64] = {};
    wsprintfA(name, "%s-%d", key, i + 1);
    g_messages[i] = RegisterWindowMessageA(name);
  }
}

UINT NotNumberMessage() { return g_messages[0]; }
UINT RangeMessage() { return g_messages[1]; }
UINT ValidateMessage() { return g_messages[2]; }

}  // namespace texfx
