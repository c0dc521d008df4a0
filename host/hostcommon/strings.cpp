// The host's own string table.
#include <hostcommon.h>

#include "strings_internal.h"

namespace hostcommon {

HMODULE OwnModule() {
  static HMODULE module = 0;
  if (!module) {
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
  }
  return module;
}

LONG LoadHostString(LONG id, LPSTR buffer, LONG size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  if (id < 0 || id > 0xFFFF) return 0;
  int length = LoadStringA(OwnModule(), static_cast<UINT>(id), buffer, size);
  if (length <= 0) {
    buffer[0] = '\0';
    return 0;
  }
  return length;
}

}  // namespace hostcommon

LONG c32GetString(LONG id, LPSTR buffer, LONG size) {
  return hostcommon::LoadHostString(id, buffer, size);
}
