// Loading effect plug-ins and asking them for their menu entries.
#include "plugin.h"

#include <lvtext.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace lvhost {

namespace fs = std::filesystem;

namespace {

// Binds an entry point; FARPROC is a generic function pointer.
template <typename F>
F Bind(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::string FieldText(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

}  // namespace

Plugin::~Plugin() {
  if (module_) FreeLibrary(module_);
}

bool Plugin::Load(const std::string& unixPath, std::string* error) {
  std::string file = fs::path(unixPath).filename().string();
  module_ = LoadLibraryA(unixPath.c_str());
  if (!module_) {
    *error = "cannot load the module '" + unixPath + "' (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  query_ = Bind<T32PIQUERYITEMS>(module_, "t32tPiQueryItems");
  getInfo_ = Bind<T32PIGETINFO>(module_, "t32tPiGetInfo");
  action_ = Bind<T32PIACTION>(module_, "t32tPiAction");
  if (!query_ || !getInfo_ || !action_) {
    *error = "'" + file + "' is not an effect plug-in (entry points missing)";
    return false;
  }
  T32QUERYRECORD* record = nullptr;
  if (!query_(&record) || !record) {
    *error = "'" + file + "' did not answer the query for its menu entry";
    return false;
  }
  info_.file = file;
  rawIdentifier_ = FieldText(record->identifier, sizeof record->identifier);
  info_.identifier = lv::AnsiToUtf8(rawIdentifier_);
  info_.menuText = lv::AnsiToUtf8(FieldText(record->menuText, sizeof record->menuText));
  info_.menuGroup = lv::AnsiToUtf8(FieldText(record->menuGroup, sizeof record->menuGroup));
  info_.dataTypes = record->dataTypes;
  info_.paramSize = record->paramSize;
  // The record is the host's now: give its memory back.
  if (HGLOBAL handle = GlobalHandle(record)) {
    GlobalUnlock(handle);
    GlobalFree(handle);
  }
  name_ = Lower(fs::path(unixPath).stem().string());
  if (info_.paramSize < 0 || info_.paramSize > (1 << 20)) {
    *error = "'" + file + "' announces an impossible parameter block size " + std::to_string(info_.paramSize);
    return false;
  }
  return true;
}

bool Plugin::Defaults(std::vector<uint8_t>* block, std::string* error) const {
  block->assign(static_cast<size_t>(info_.paramSize), 0);
  if (block->empty()) return true;
  if (!getInfo_(rawIdentifier_.c_str(), 0, 1, block->data())) {
    *error = "'" + info_.file + "' gave no default parameters";
    return false;
  }
  return true;
}

BOOL Plugin::Action(HWND parent, LONG mode, std::vector<uint8_t>& params, LONG dataType, HBUF source,
                    HBUF* result, T32HOSTOBJECT* host) const {
  return action_(rawIdentifier_.c_str(), parent, mode, 0, params.empty() ? nullptr : params.data(), dataType,
                 source, 0, result, host);
}

std::string ModulesFolder() {
  if (const char* env = std::getenv("LUMIVEX_MODULES"); env && *env) return env;
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "modules";
  return (exe.parent_path().parent_path() / "modules").string();
}

std::vector<std::string> FindPluginFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
    if (e.is_regular_file(ec) && Lower(e.path().extension().string()) == ".tpi") files.push_back(e.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool ResolveModule(const std::string& nameOrPath, std::string* path, std::string* error) {
  std::error_code ec;
  if (nameOrPath.find('/') != std::string::npos) {
    if (fs::is_regular_file(nameOrPath, ec)) {
      *path = nameOrPath;
      return true;
    }
    *error = "no module file '" + nameOrPath + "'";
    return false;
  }
  std::string want = Lower(nameOrPath);
  if (fs::path(want).extension().empty()) want += ".tpi";
  std::string folder = ModulesFolder(), known;
  for (const std::string& file : FindPluginFiles(folder)) {
    std::string name = fs::path(file).filename().string();
    if (Lower(name) == want) {
      *path = file;
      return true;
    }
    known += (known.empty() ? "" : ", ") + fs::path(file).stem().string();
  }
  *error = "unknown module '" + nameOrPath + "' in " + folder + " (" +
           (known.empty() ? "no modules there" : "known: " + known) + ")";
  return false;
}

}  // namespace lvhost
