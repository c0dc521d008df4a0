// The dispatcher's own module handle, found from an address inside it.
#include "ownmodule.h"

namespace tf {

HMODULE OwnModule() {
  HMODULE module = 0;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&OwnModule), &module);
  return module;
}

}  // namespace tf
