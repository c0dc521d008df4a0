// The audio module loaded as the host loads it, and files made for tests.
#pragma once

#include <windows.h>

#include <audioinfo.h>

#include "bytes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace miotest {

// The module's entry points, bound by name.
struct AudioModule {
  HMODULE module = 0;
  MIOENUMFORMATS enumFormats = nullptr;
  MIOGETFILEINFO getFileInfo = nullptr;
  MIOREADTHUMBNAIL readThumbnail = nullptr;
  MIOSHOWINFOBOX showInfoBox = nullptr;
  MIOPLAYVIEWFILE playViewFile = nullptr;
  MIOGETATTRTEXT getAttrText = nullptr;
  MIOESCAPE escape = nullptr;
};

// Loads audioinfo.mio from the staged modules folder once per test program.
const AudioModule& Audio();

// A folder of this test run for files made by the tests.
std::filesystem::path WorkDir();
// Writes bytes to a file in WorkDir(); returns its Windows path.
std::string WriteFile(const std::string& name, const std::vector<BYTE>& bytes);
// The Windows path of a Unix path.
std::string WinPath(const std::filesystem::path& path);
// Runs sox with the arguments (output file names inside WorkDir()); false
// when it fails.
bool RunSox(const std::string& arguments);

// The error slot after a failed call: error, message, unit, category, detail.
struct Slot {
  LONG error, unit, category, detail;
};
Slot ErrorSlot();

// The module's text for a message identifier, ANSI.
std::string ModuleText(UINT id);

}  // namespace miotest
