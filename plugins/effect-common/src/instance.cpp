// The module instance handle of the plug-in that links this library.
#include <effect/common.h>

namespace effect {

namespace {
HINSTANCE g_instance = 0;
}  // namespace

void StoreModuleInstance(HINSTANCE instance) { g_instance = instance; }

HINSTANCE ModuleInstance() { return g_instance; }

}  // namespace effect
