// The audio module loaded as the host loads it, and files made for tests.
#include "module.h"

#include <gtest/gtest.h>
#include <hostcommon.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "module_binding.h"
#include "testsupport.h"

namespace miotest {

namespace {

using lvtest::Bind;

}  // namespace

const AudioModule& Audio() {
  static AudioModule audio = [] {
    AudioModule loaded;
    const std::string path = lvtest::StagedModulePath("audioinfo.mio");
    loaded.module = LoadLibraryA(path.c_str());
    if (!loaded.module) std::fprintf(stderr, "cannot load %s (error %u)\n", path.c_str(), GetLastError());
    if (!loaded.module) return loaded;
    loaded.enumFormats = Bind<MIOENUMFORMATS>(loaded.module, "mioEnumFormats");
    loaded.getFileInfo = Bind<MIOGETFILEINFO>(loaded.module, "mioGetFileInfo");
    loaded.readThumbnail = Bind<MIOREADTHUMBNAIL>(loaded.module, "mioReadThumbnail");
    loaded.showInfoBox = Bind<MIOSHOWINFOBOX>(loaded.module, "mioShowInfoBox");
    loaded.playViewFile = Bind<MIOPLAYVIEWFILE>(loaded.module, "mioPlayViewFile");
    loaded.getAttrText = Bind<MIOGETATTRTEXT>(loaded.module, "mioGetAttrText");
    loaded.escape = Bind<MIOESCAPE>(loaded.module, "mioEscape");
    return loaded;
  }();
  return audio;
}

void ModuleTest::SetUp() {
  ASSERT_NE(Audio().module, 0u) << "audioinfo.mio not loaded";
  c32ResetDLLErrInfo();
}

std::filesystem::path WorkDir() {
  std::filesystem::path dir = lvtest::Prefix() / "audiofiles";
  std::filesystem::create_directories(dir);
  return dir;
}

std::string WriteFile(const std::string& name, const std::vector<BYTE>& bytes) {
  const std::filesystem::path path = WorkDir() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return WinPath(path);
}

bool RunSox(const std::string& arguments) {
  const std::string command = "cd '" + WorkDir().string() + "' && sox " + arguments + " 2>/dev/null";
  return std::system(command.c_str()) == 0;
}

Slot ErrorSlot() {
  Slot slot = {};
  slot.error = lvGetDLLErrInfoRecord(&slot.unit, &slot.category, &slot.detail);
  return slot;
}

bool Info(LONG index, const std::string& file, RawRecord* raw) {
  raw->bytes.assign(sizeof(MIOFILEINFO), 0xCD);
  return Audio().getFileInfo(index, file.c_str(), 0, reinterpret_cast<MIOFILEINFO*>(raw->bytes.data()));
}

std::vector<BYTE> TakeGlobal(HGLOBAL memory) {
  const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(memory));
  std::vector<BYTE> copy(bytes, bytes + GlobalSize(memory));
  GlobalUnlock(memory);
  GlobalFree(memory);
  return copy;
}

void ExpectError(LONG category, LONG detail) {
  const Slot slot = ErrorSlot();
  EXPECT_EQ(slot.error, MIO_ERROR);
  EXPECT_EQ(slot.unit, MIO_UNIT);
  EXPECT_EQ(slot.category, category);
  EXPECT_EQ(slot.detail, detail);
  // The slot also carries the module's own message: its identifier and text.
  char text[256] = {};
  const LONG message = lvGetDLLErrInfoMessage(text, sizeof text);
  EXPECT_GE(message, 10000);
  EXPECT_LE(message, 10007);
  EXPECT_EQ(std::string(text), ModuleText(static_cast<UINT>(message)));
  EXPECT_NE(text[0], '\0');
}

std::string ModuleText(UINT id) {
  char text[512] = {};
  LoadStringA(Audio().module, id, text, sizeof text);
  return text;
}

}  // namespace miotest
