// Fuzz target of the BMP reader: the input as a file, described and, when
// its size is modest, read into a buffer through the dispatcher.
#include <fileformats.h>
#include <hostcommon.h>

#include <cstddef>
#include <cstdint>

#include "fuzzsupport.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;
constexpr int64_t kMaxPixels = 1 << 22;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  static bool setUp = [] {
    // Only the built-in formats: no modules folder.
    tfFileSetModulesFolder((lvfuzz::Prefix() + "/no-modules").c_str());
    return true;
  }();
  (void)setUp;
  std::string path = lvfuzz::WriteInput(data, size);
  HGLOBAL record = tfFileGetFileData(path.c_str(), "BMP");
  if (!record) return 0;
  const TFFILEDATA* facts = static_cast<const TFFILEDATA*>(GlobalLock(record));
  int64_t pixels = static_cast<int64_t>(facts->width) * facts->height;
  GlobalUnlock(record);
  if (pixels <= kMaxPixels) {
    HBUF image = 0;
    if (tfFileRead(record, &image, nullptr) == 1) buf32Free(image);
  }
  tfFileFreeFileData(record);
  c32ResetDLLErrInfo();
  return 0;
}
