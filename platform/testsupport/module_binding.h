// Helpers for tests that load modules as the host does: Windows paths of
// staged files and exports bound by name.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace lvtest {

// The Windows path (drive letter, backslashes) of a Unix path; "" when the
// platform cannot name it.
std::string WinPath(const std::filesystem::path& unixPath);

// The Windows path of `fileName` in the modules folder of the staged build.
std::string StagedModulePath(const std::string& fileName);

// The export `name` of `module` as a pointer of type Function; nullptr when
// the module does not export it.
template <typename Function>
Function Bind(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace lvtest
