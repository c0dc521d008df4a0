// The module's instance, kept from DllMain for loading resources.
#pragma once

#include <windows.h>

namespace audioinfo {

void StoreModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();

}  // namespace audioinfo
