// The registry of what each shared object (module, library or program)
// registered from its static constructors: compiled resource blobs and its
// export list. Entries are keyed by the object's load address, found from
// any address inside it.
#include "module_registry.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace lv {
namespace {

struct Registry {
  std::mutex lock;
  std::map<const void*, ModuleRegistration> byBase;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // lives for the whole process
  return *registry;
}

const void* BaseOf(const void* anchor) {
  Dl_info info{};
  if (!dladdr(anchor, &info)) return nullptr;
  return info.dli_fbase;
}

}  // namespace

ModuleRegistration* FindRegistration(const void* base) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto it = r.byBase.find(base);
  return it == r.byBase.end() ? nullptr : &it->second;
}

ModuleRegistration CopyRegistration(const void* base) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto it = r.byBase.find(base);
  return it == r.byBase.end() ? ModuleRegistration{} : it->second;
}

void EraseRegistration(const void* base) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.byBase.erase(base);
}

}  // namespace lv

void lvRegisterModuleResources(const void* anchor, const unsigned char* data, size_t size) {
  lv::Registry& r = lv::TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.byBase[lv::BaseOf(anchor)].resourceBlobs.push_back({data, size});
}

void lvRegisterModuleExports(const void* anchor, const LvExportEntry* table, size_t count) {
  lv::Registry& r = lv::TheRegistry();
  std::lock_guard<std::mutex> guard(r.lock);
  auto& exports = r.byBase[lv::BaseOf(anchor)].exports;
  exports.assign(table, table + count);
}
