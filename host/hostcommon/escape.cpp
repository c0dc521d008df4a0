// The host's Escape test.
#include <hostcommon.h>

namespace {
LONG (*g_probe)(void) = nullptr;
}  // namespace

void t32SetEscapeProbe(LONG (*probe)(void)) { g_probe = probe; }

LONG t32IsEscPressed(void) {
  if (g_probe && g_probe()) return 1;
  // High bit: held down now; low bit: pressed since the last query.
  return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) ? 1 : 0;
}
