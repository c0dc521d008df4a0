// What a shared object registered with the platform when it was loaded.
#pragma once

#include <win/lvmodule.h>

#include <vector>

namespace lv {

struct ResourceBlob {
  const unsigned char* data;
  size_t size;
};

struct ModuleRegistration {
  std::vector<ResourceBlob> resourceBlobs;  // in order of registration
  std::vector<LvExportEntry> exports;       // the module's export list
};

// The registration of the shared object loaded at `base`, or nullptr.
ModuleRegistration* FindRegistration(const void* base);
// A copy of what the object at `base` registered (empty when nothing).
ModuleRegistration CopyRegistration(const void* base);
// Forgets what the object at `base` registered, once it is unloaded, so an
// object loaded later at the same address starts afresh.
void EraseRegistration(const void* base);

}  // namespace lv
