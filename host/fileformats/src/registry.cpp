// The dispatcher's list of formats: built-in ones, then one per file-I/O
// module (*.fio) found in the modules folder, loaded by file name and bound
// by export name.
#include "registry.h"

#include <fileformats.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "builtins.h"
#include "errors.h"
#include "fileio.h"

namespace tf {

namespace {

bool g_loaded = false;
std::vector<FormatEntry> g_formats;
std::string g_folderChoice;  // tfFileSetModulesFolder; empty for the default

template <typename Function>
Function Bind(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(GetProcAddress(module, name));
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The default modules folder: $LUMIVEX_MODULES, or modules/ beside the
// folder of this library.
std::string DefaultModulesFolder() {
  if (const char* env = std::getenv("LUMIVEX_MODULES"); env && *env) return WinPath(env);
  Dl_info info;
  if (!dladdr(reinterpret_cast<void*>(&DefaultModulesFolder), &info) || !info.dli_fname) return "";
  std::string lib = info.dli_fname;
  size_t slash = lib.rfind('/');
  if (slash == std::string::npos) return "";
  std::string libDir = lib.substr(0, slash);
  size_t up = libDir.rfind('/');
  std::string root = up == std::string::npos ? "." : libDir.substr(0, up);
  return WinPath((root + "/modules").c_str());
}

// The format of one module, or false when it lacks what the dispatcher needs.
bool DescribeModule(HMODULE module, FormatEntry* entry) {
  auto count = Bind<TFDLLGETFILEFMTNUM>(module, "tfDLLGetFileFmtNum");
  auto formatInfo = Bind<TFBMPGETFORMATINFO>(module, "tfBmpGetFormatInfo");
  entry->getFileData = Bind<TFBMPGETFILEDATA>(module, "tfBmpGetFileData");
  entry->fileRead = Bind<TFBMPFILEREAD>(module, "tfBmpFileRead");
  entry->fileWrite = Bind<TFBMPFILEWRITE>(module, "tfBmpFileWrite");
  entry->showSaveOption = Bind<TFBMPSHOWDLGSAVEOPTION>(module, "tfBmpShowDlgSaveOption");
  if (!count || !formatInfo || !entry->getFileData || !entry->fileRead) return false;
  if (count() < 1) return false;
  HGLOBAL handle = formatInfo();
  if (!handle) return false;
  const void* data = GlobalLock(handle);
  bool ok = data && GlobalSize(handle) >= offsetof(TFFORMATINFO, dataTypes);
  if (ok) std::memcpy(&entry->info, data, offsetof(TFFORMATINFO, dataTypes));
  if (data) GlobalUnlock(handle);
  GlobalFree(handle);
  if (!ok) return false;
  entry->info.shortName[3] = '\0';
  entry->info.description[47] = '\0';
  entry->info.dataTypes = TF_DT_ALL;
  entry->info.capabilities = TF_CAN_READ | (entry->fileWrite ? TF_CAN_WRITE : 0);
  std::string extension = Lower(entry->info.shortName);
  std::strncpy(entry->info.extensions, extension.c_str(), sizeof entry->info.extensions - 1);
  entry->module = module;
  entry->writesBands = true;
  return true;
}

void LoadModules(const std::string& folder) {
  if (folder.empty()) return;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*.fio").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
  for (const std::string& name : names) {
    HMODULE module = LoadLibraryA((folder + "\\" + name).c_str());
    if (!module) continue;
    FormatEntry entry;
    if (DescribeModule(module, &entry)) {
      g_formats.push_back(entry);
    } else {
      FreeLibrary(module);
    }
  }
}

}  // namespace

std::vector<FormatEntry>& Formats() {
  if (!g_loaded) {
    g_loaded = true;
    g_formats = BuiltinFormats();
    std::string folder = g_folderChoice.empty() ? DefaultModulesFolder() : g_folderChoice;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    LoadModules(folder);
  }
  return g_formats;
}

const FormatEntry* FormatAt(LONG index) {
  std::vector<FormatEntry>& formats = Formats();
  if (index < 0 || static_cast<size_t>(index) >= formats.size()) return nullptr;
  return &formats[static_cast<size_t>(index)];
}

LONG FindFormatByName(const std::string& name) {
  std::string wanted = Lower(name);
  if (!wanted.empty() && wanted[0] == '.') wanted.erase(0, 1);
  if (wanted.empty()) return -1;
  std::vector<FormatEntry>& formats = Formats();
  for (size_t i = 0; i < formats.size(); ++i) {
    const TFFORMATINFO& info = formats[i].info;
    if (Lower(std::string(info.shortName, strnlen(info.shortName, 4))) == wanted)
      return static_cast<LONG>(i);
    std::string list = Lower(std::string(info.extensions, strnlen(info.extensions, 12)));
    size_t start = 0;
    while (start <= list.size()) {
      size_t end = list.find(';', start);
      if (end == std::string::npos) end = list.size();
      if (list.compare(start, end - start, wanted) == 0 && end - start == wanted.size())
        return static_cast<LONG>(i);
      start = end + 1;
    }
  }
  return -1;
}

std::string ExtensionOf(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot + 1);
}

void UnloadModules() {
  for (FormatEntry& entry : g_formats)
    if (entry.module) FreeLibrary(entry.module);
  g_formats.clear();
  g_loaded = false;
}

void ChooseModulesFolder(const char* folder) {
  UnloadModules();
  g_folderChoice = folder ? WinPath(folder) : std::string();
}

}  // namespace tf

LONG tfFileGetFileFmtNum(void) { return static_cast<LONG>(tf::Formats().size()); }

const TFFORMATINFO* tfFileGetFormatInfo(LONG formatIndex) {
  const tf::FormatEntry* entry = tf::FormatAt(formatIndex);
  if (!entry) tf::Report(tf::kErrCannotServe, TF_OP_LOAD, 1);
  return entry ? &entry->info : nullptr;
}

LONG tfFileFindFormat(LPCSTR name) { return name ? tf::FindFormatByName(name) : -1; }

HMODULE tfFileGetFormatModule(LONG formatIndex) {
  const tf::FormatEntry* entry = tf::FormatAt(formatIndex);
  return entry ? entry->module : 0;
}

void tfFileSetModulesFolder(LPCSTR folder) { tf::ChooseModulesFolder(folder); }

void tfFileUnloadModules(void) { tf::UnloadModules(); }
