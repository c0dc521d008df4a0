// The module table: one HMODULE per shared object (the program, libraries it
// was linked with, modules loaded by LoadLibraryA), reference counts,
// DllMain notifications and export lookup by name and by ordinal.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstdlib>
#include <lvtext.h>
#include <mutex>
#include <vector>
#include <win/kernel.h>

#include "ansi.h"
#include "errors.h"
#include "handle_table.h"
#include "module_registry.h"
#include "paths.h"

namespace {

using DllEntry = BOOL (*)(HINSTANCE, DWORD, LPVOID);

struct Module {
  void* dl;            // dlopen handle (for lookups; owned when `unloadable`)
  const void* base;    // load address (the registry's key)
  std::string path;    // Unix path of the shared object
  long references;     // LoadLibraryA / GetModuleHandleExA references
  bool unloadable;     // loaded by LoadLibraryA: unloaded at the last reference
};

struct ModuleTable {
  std::recursive_mutex lock;  // DllMain may call back into the table
  lv::HandleTable<Module> modules{lv::kModuleTag};
};

ModuleTable& TheTable() {
  static ModuleTable* table = new ModuleTable;  // lives for the whole process
  return *table;
}

const void* BaseOfAddress(const void* address, std::string* path) {
  Dl_info info{};
  if (!address || !dladdr(address, &info)) return nullptr;
  if (path) *path = info.dli_fname ? info.dli_fname : "";
  return info.dli_fbase;
}

std::string ProgramPath() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string();
}

// An address inside the program's first loaded segment.
const void* ProgramAddress() {
  const void* address = nullptr;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) -> int {
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          if (info->dlpi_phdr[i].p_type == PT_LOAD) {
            *static_cast<const void**>(data) =
                reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
            break;
          }
        }
        return 1;  // the first object is the program
      },
      &address);
  return address;
}

HMODULE FindByBase(ModuleTable& table, const void* base) {
  for (auto& [handle, module] : table.modules.Entries()) {
    if (module.base == base) return handle;
  }
  return 0;
}

// The handle of an object that is already in memory, entered on first use.
HMODULE EnterLoadedObject(ModuleTable& table, const void* address) {
  std::string path;
  const void* base = BaseOfAddress(address, &path);
  if (!base) return 0;
  if (HMODULE existing = FindByBase(table, base)) return existing;
  bool isProgram = base == BaseOfAddress(ProgramAddress(), nullptr);
  if (isProgram || path.empty()) path = ProgramPath();
  void* dl = isProgram ? dlopen(nullptr, RTLD_LAZY) : dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  char* real = realpath(path.c_str(), nullptr);
  if (real) {
    path = real;
    free(real);
  }
  return table.modules.Add(Module{dl, base, path, 0, false});
}

HMODULE ProgramModule(ModuleTable& table) { return EnterLoadedObject(table, ProgramAddress()); }

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EndsWithNoCase(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && lv::AnsiEqualNoCase(s.substr(s.size() - suffix.size()), suffix);
}

// The file names a requested module name may have on disk: as given, with
// ".dll" when it has no extension, and "libNAME.so" for "NAME.dll".
std::vector<std::string> NameVariants(const std::string& name) {
  std::vector<std::string> names{name};
  std::string withExtension = name;
  if (name.find('.') == std::string::npos) {
    withExtension = name + ".dll";
    names.push_back(withExtension);
  }
  if (EndsWithNoCase(withExtension, ".dll"))
    names.push_back("lib" + withExtension.substr(0, withExtension.size() - 4) + ".so");
  return names;
}

// Every shared object in memory, by one address inside it.
std::vector<const void*> LoadedObjects() {
  std::vector<const void*> objects;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) -> int {
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          if (info->dlpi_phdr[i].p_type == PT_LOAD) {
            static_cast<std::vector<const void*>*>(data)->push_back(
                reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr));
            break;
          }
        }
        return 0;
      },
      &objects);
  return objects;
}

// A loaded object whose file name is one of the variants of `name`.
HMODULE FindLoadedByName(ModuleTable& table, const std::string& name) {
  std::vector<std::string> variants = NameVariants(FileNameOf(name));
  for (const void* address : LoadedObjects()) {
    std::string path;
    if (!BaseOfAddress(address, &path)) continue;
    if (path.empty()) path = ProgramPath();
    std::string file = lv::Utf8ToAnsi(FileNameOf(path));
    for (const std::string& variant : variants) {
      if (lv::AnsiEqualNoCase(file, variant)) return EnterLoadedObject(table, address);
    }
  }
  return 0;
}

bool HasFolder(const std::string& name) {
  return name.find_first_of("\\/:") != std::string::npos;
}

bool IsFile(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// The Unix path of the module file `name` names, or "" when there is none.
std::string FindModuleFile(const std::string& name) {
  std::vector<std::string> folders;
  if (HasFolder(name)) {
    size_t slash = name.find_last_of("\\/:");
    folders.push_back(name.substr(0, slash + 1));
  } else {
    std::string programDir = lv::UnixToWin(ProgramPath());
    programDir = programDir.substr(0, programDir.find_last_of('\\') + 1);
    folders = {programDir, programDir + "..\\lib\\", programDir + "..\\modules\\", "",
               "C:\\windows\\system\\", "C:\\windows\\"};
  }
  for (const std::string& folder : folders) {
    for (const std::string& variant : NameVariants(FileNameOf(name))) {
      std::string unixPath;
      if (lv::WinToUnix(folder + variant, unixPath) && IsFile(unixPath)) return unixPath;
    }
  }
  return "";
}

DllEntry EntryPointOf(void* dl, const void* base) {
  void* symbol = dl ? dlsym(dl, "DllMain") : nullptr;
  // dlsym also searches the object's dependencies; only its own entry counts.
  if (!symbol || BaseOfAddress(symbol, nullptr) != base) return nullptr;
  return reinterpret_cast<DllEntry>(symbol);
}

// Closes the object and forgets its registrations once it is really gone.
void Unload(void* dl, const std::string& path, const void* base) {
  dlclose(dl);
  if (void* still = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD)) {
    dlclose(still);
    return;
  }
  lv::EraseRegistration(base);
}

const void* BaseOfHandle(void* dl) {
  link_map* map = nullptr;
  if (dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map) return nullptr;
  return BaseOfAddress(map->l_ld, nullptr);
}

// Opens a module file and gives it a handle, calling its DllMain on first load.
HMODULE OpenModule(ModuleTable& table, const std::string& path) {
  void* dl = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!dl) {
    if (getenv("LUMIVEX_DEBUG")) fprintf(stderr, "LoadLibraryA: %s\n", dlerror());
    SetLastError(ERROR_BAD_EXE_FORMAT);
    return 0;
  }
  const void* base = BaseOfHandle(dl);
  if (HMODULE existing = FindByBase(table, base)) {
    dlclose(dl);  // the table keeps its own reference
    ++table.modules.Find(existing)->references;
    return existing;
  }
  HMODULE handle = table.modules.Add(Module{dl, base, path, 1, true});
  if (!handle) {
    Unload(dl, path, base);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (DllEntry entry = EntryPointOf(dl, base)) {
    if (!entry(handle, DLL_PROCESS_ATTACH, nullptr)) {
      entry(handle, DLL_PROCESS_DETACH, nullptr);
      table.modules.Remove(handle);
      Unload(dl, path, base);
      SetLastError(ERROR_DLL_INIT_FAILED);
      return 0;
    }
  }
  return handle;
}

}  // namespace

HMODULE WINAPI LoadLibraryA(LPCSTR fileName) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ModuleTable& table = TheTable();
  std::lock_guard<std::recursive_mutex> guard(table.lock);
  std::string name = fileName;
  if (!HasFolder(name)) {
    if (HMODULE loaded = FindLoadedByName(table, name)) {
      ++table.modules.Find(loaded)->references;
      return loaded;
    }
  }
  std::string path = FindModuleFile(name);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  return OpenModule(table, path);
}

BOOL WINAPI FreeLibrary(HMODULE handle) {
  ModuleTable& table = TheTable();
  std::lock_guard<std::recursive_mutex> guard(table.lock);
  Module* module = table.modules.Find(handle);
  if (!module) return lv::Fail(ERROR_INVALID_HANDLE);
  if (module->references > 0) --module->references;
  if (module->references > 0 || !module->unloadable) return TRUE;
  Module gone = *module;
  if (DllEntry entry = EntryPointOf(gone.dl, gone.base)) entry(handle, DLL_PROCESS_DETACH, nullptr);
  table.modules.Remove(handle);
  Unload(gone.dl, gone.path, gone.base);
  return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE handle, LPCSTR procName) {
  ModuleTable& table = TheTable();
  std::lock_guard<std::recursive_mutex> guard(table.lock);
  if (!handle) handle = ProgramModule(table);
  Module* module = table.modules.Find(handle);
  if (!module) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!procName || !module->dl) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  std::string name;
  if (IS_INTRESOURCE(procName)) {
    unsigned ordinal = LOWORD(procName);
    for (const LvExportEntry& e : lv::CopyRegistration(module->base).exports) {
      if (ordinal != 0 && e.ordinal == ordinal) name = e.name;
    }
  } else {
    name = procName;
  }
  void* symbol = name.empty() ? nullptr : dlsym(module->dl, name.c_str());
  if (!symbol || BaseOfAddress(symbol, nullptr) != module->base) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  ModuleTable& table = TheTable();
  std::lock_guard<std::recursive_mutex> guard(table.lock);
  HMODULE handle = moduleName ? FindLoadedByName(table, moduleName) : ProgramModule(table);
  if (!handle) SetLastError(ERROR_MOD_NOT_FOUND);
  return handle;
}

BOOL WINAPI GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* result) {
  if (!result) return lv::Fail(ERROR_INVALID_PARAMETER);
  *result = 0;
  ModuleTable& table = TheTable();
  std::lock_guard<std::recursive_mutex> guard(table.lock);
  HMODULE handle;
  if (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) {
    handle = EnterLoadedObject(table, name);
  } else {
    handle = name ? FindLoadedByName(table, name) : ProgramModule(table);
  }
  if (!handle) return lv::Fail(ERROR_MOD_NOT_FOUND);
  Module* module = table.modules.Find(handle);
  if (flags & GET_MODULE_HANDLE_EX_FLAG_PIN) {
    module->unloadable = false;
  } else if (!(flags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT)) {
    ++module->references;
  }
  *result = handle;
  return TRUE;
}

DWORD WINAPI GetModuleFileNameA(HMODULE handle, LPSTR fileName, DWORD size) {
  std::string path;
  {
    ModuleTable& table = TheTable();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    if (!handle) handle = ProgramModule(table);
    Module* module = table.modules.Find(handle);
    if (!module) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    path = module->path;
  }
  if (!fileName || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::string win = lv::UnixToWin(path);
  if (win.size() + 1 > size) {
    memcpy(fileName, win.data(), size - 1);
    fileName[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  memcpy(fileName, win.c_str(), win.size() + 1);
  return static_cast<DWORD>(win.size());
}

size_t lvModuleResourceBlobs(HMODULE handle, size_t i, const unsigned char** data, size_t* size) {
  const void* base;
  {
    ModuleTable& table = TheTable();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    if (!handle) handle = ProgramModule(table);
    Module* module = table.modules.Find(handle);
    if (!module) return 0;
    base = module->base;
  }
  lv::ModuleRegistration registration = lv::CopyRegistration(base);
  size_t count = registration.resourceBlobs.size();
  if (i < count) {
    if (data) *data = registration.resourceBlobs[i].data;
    if (size) *size = registration.resourceBlobs[i].size;
  }
  return count;
}
