// The audio module loaded as the host loads it, and files made for tests.
#pragma once

#include <windows.h>

#include <audioinfo.h>
#include <gtest/gtest.h>

#include "bytes.h"
#include "module_binding.h"

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

// A test of the loaded module: stops at once when the module is not loaded,
// and starts with an empty error slot.
class ModuleTest : public testing::Test {
 protected:
  void SetUp() override;
};

// A folder of this test run for files made by the tests.
std::filesystem::path WorkDir();
// Writes bytes to a file in WorkDir(); returns its Windows path.
std::string WriteFile(const std::string& name, const std::vector<BYTE>& bytes);
// The Windows path of a Unix path.
using lvtest::WinPath;
// Runs sox with the arguments (output file names inside WorkDir()); false
// when it fails.
bool RunSox(const std::string& arguments);

// The error slot after a failed call: error, message, unit, category, detail.
struct Slot {
  LONG error, unit, category, detail;
};
Slot ErrorSlot();

// The information record as the host sees it: raw bytes at their offsets.
struct RawRecord {
  std::vector<BYTE> bytes;
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)); }
  uint32_t U32(size_t at) const { return U16(at) | (static_cast<uint32_t>(U16(at + 2)) << 16); }
  std::string Text(size_t at) const { return reinterpret_cast<const char*>(bytes.data() + at); }
};
// Calls mioGetFileInfo on a record full of 0xCD; false when the call fails.
bool Info(LONG index, const std::string& file, RawRecord* raw);
// The bytes of movable memory, which is freed.
std::vector<BYTE> TakeGlobal(HGLOBAL memory);
// Expects the error slot to hold the module's error with this category and detail.
void ExpectError(LONG category, LONG detail);

// The module's text for a message identifier, ANSI.
std::string ModuleText(UINT id);

}  // namespace miotest
