// An effect plug-in loaded by the host: its entry points and its menu entry.
#pragma once

#include <effect/plugin.h>

#include <string>
#include <vector>

namespace lvhost {

// What t32tPiQueryItems reported, converted to UTF-8.
struct PluginInfo {
  std::string file;        // file name of the module (gridsplit.tpi)
  std::string identifier;  // at most 16 characters: the field need not be terminated
  std::string menuText;
  std::string menuGroup;
  LONG dataTypes = 0;
  LONG paramSize = 0;
};

class Plugin {
 public:
  Plugin() = default;
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;
  ~Plugin();

  // Loads the module at a Unix path, binds the entry points and queries the
  // menu entry. False with an error text when it is not an effect plug-in.
  bool Load(const std::string& unixPath, std::string* error);

  const PluginInfo& Info() const { return info_; }
  // The identifier bytes exactly as the record held them (up to 16), for
  // passing back as the first argument of the other entry points.
  const std::string& RawIdentifier() const { return rawIdentifier_; }
  // The module name: file name without extension, lower case.
  const std::string& Name() const { return name_; }

  // Default parameter block (information request 1) on top of zeroes.
  bool Defaults(std::vector<uint8_t>* block, std::string* error) const;

  // t32tPiAction with the given arguments.
  BOOL Action(HWND parent, LONG mode, std::vector<uint8_t>& params, LONG dataType, HBUF source,
              HBUF* result, T32HOSTOBJECT* host) const;

 private:
  HMODULE module_ = 0;
  T32PIQUERYITEMS query_ = nullptr;
  T32PIGETINFO getInfo_ = nullptr;
  T32PIACTION action_ = nullptr;
  PluginInfo info_;
  std::string rawIdentifier_;
  std::string name_;
};

// The folder the modules are staged in: $LUMIVEX_MODULES, or modules/ next
// to the folder of the running program.
std::string ModulesFolder();

// Every *.tpi file of the modules folder, sorted by name.
std::vector<std::string> FindPluginFiles(const std::string& folder);

// The Unix path of a module given by name (gridsplit, GridSplit.tpi) or by
// path; false with an error text listing what is there when none fits.
bool ResolveModule(const std::string& nameOrPath, std::string* path, std::string* error);

}  // namespace lvhost
