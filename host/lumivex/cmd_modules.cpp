// lumivex modules: the plug-ins of the modules folder and their menu entries.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "commands.h"
#include "exitcodes.h"
#include "json.h"
#include "plugin.h"

#include <windows.h>

namespace lvhost {

namespace {

std::string Join(const std::vector<std::string>& items, const std::string& sep, bool quote) {
  std::string out;
  for (const std::string& s : items) out += (out.empty() ? "" : sep) + (quote ? JsonString(s) : s);
  return out;
}

void PrintText(const std::vector<PluginInfo>& infos) {
  for (const PluginInfo& p : infos) {
    std::printf("%s\n", p.file.c_str());
    std::printf("  identifier:  %s\n", p.identifier.c_str());
    std::printf("  menu text:   %s\n", p.menuText.c_str());
    std::printf("  menu group:  %s\n", p.menuGroup.empty() ? "(none)" : p.menuGroup.c_str());
    std::printf("  data types:  %s (%ld)\n", Join(DataTypeNames(p.dataTypes), ", ", false).c_str(),
                static_cast<long>(p.dataTypes));
    std::printf("  parameters:  %ld bytes\n", static_cast<long>(p.paramSize));
  }
}

void PrintJson(const std::vector<PluginInfo>& infos) {
  std::printf("[");
  for (size_t i = 0; i < infos.size(); ++i) {
    const PluginInfo& p = infos[i];
    std::printf("%s\n  {\"file\": %s, \"identifier\": %s, \"menuText\": %s, \"menuGroup\": %s, "
                "\"dataTypes\": [%s], \"dataTypeBits\": %ld, \"paramSize\": %ld}",
                i ? "," : "", JsonString(p.file).c_str(), JsonString(p.identifier).c_str(), JsonString(p.menuText).c_str(),
                JsonString(p.menuGroup).c_str(), Join(DataTypeNames(p.dataTypes), ", ", true).c_str(),
                static_cast<long>(p.dataTypes), static_cast<long>(p.paramSize));
  }
  std::printf("%s]\n", infos.empty() ? "" : "\n");
}

// The text-effects module has entry points of its own (run by "lumivex
// text"), so it is listed by name instead of as an effect plug-in.
bool IsTextEffectsModule(const std::string& unixPath) {
  HMODULE module = LoadLibraryA(unixPath.c_str());
  if (!module) return false;
  bool found = GetProcAddress(module, "TavikPlugInGetInfo") != nullptr;
  FreeLibrary(module);
  return found;
}

}  // namespace

std::vector<std::string> DataTypeNames(LONG dataTypes) {
  static const struct { LONG bit; const char* name; } kNames[] = {
      {T32_DT_RGB, "RGB"},       {T32_DT_INDEXED256, "indexed-256"}, {T32_DT_INDEXED16, "indexed-16"},
      {T32_DT_HICOLOR, "hi-colour"}, {T32_DT_GREY, "grey"},          {T32_DT_BW, "black-and-white"}};
  std::vector<std::string> names;
  for (const auto& n : kNames)
    if (dataTypes & n.bit) names.push_back(n.name);
  return names;
}

int RunModulesCommand(bool json) {
  std::string folder = ModulesFolder();
  std::vector<PluginInfo> infos;
  int status = kExitOk;
  std::vector<std::string> textModules;
  for (const std::string& file : FindPluginFiles(folder)) {
    if (IsTextEffectsModule(file)) {
      textModules.push_back(std::filesystem::path(file).filename().string());
      continue;
    }
    auto plugin = std::make_unique<Plugin>();
    std::string error;
    if (!plugin->Load(file, &error)) {
      PrintError(error);
      status = kExitFailed;
      continue;
    }
    infos.push_back(plugin->Info());
  }
  if (infos.empty() && status == kExitOk && !json) {
    std::fprintf(stderr, "lumivex: no effect plug-ins in %s\n", folder.c_str());
  }
  if (json) {
    PrintJson(infos);
  } else {
    PrintText(infos);
    for (const std::string& name : textModules) std::printf("%s\n  text effects (lumivex text)\n", name.c_str());
  }
  return status;
}

}  // namespace lvhost
