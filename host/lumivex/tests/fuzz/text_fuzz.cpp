// Fuzz target: the text command's outside data. The first byte chooses what
// the rest is: text to draw (any bytes, checked as UTF-8 first) or an object
// file (read as PNG with its alpha as the mask). Either gives an object
// whose mask and colour match its size, or a clean refusal.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "textrender.h"

namespace {

// Inputs beyond this are refused before anything is read.
constexpr size_t kMaxInput = 1 << 16;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckObject(const lvhost::ObjectImage& o) {
  const size_t pixels = static_cast<size_t>(o.colour.width) * o.colour.height;
  Check(pixels > 0 && o.mask.size() == pixels && o.colour.pixels.size() == pixels * 3);
}

void DrawText(const uint8_t* data, size_t size) {
  lvhost::ObjectImage object;
  std::string error;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (lvhost::RenderTextObject(text, lvhost::kDefaultFontFile, 12, 0x102030, &object, &error) ==
      lvhost::TextRenderFault::None) {
    CheckObject(object);
  } else {
    Check(!error.empty());
  }
}

void ReadObjectFile(const uint8_t* data, size_t size) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder ? folder : "/tmp") + "/lumivex-text-fuzz-" + std::to_string(getpid()) + ".png";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  const bool written = std::fwrite(data, 1, size, f) == size;
  std::fclose(f);
  lvhost::ObjectImage object;
  std::string error;
  if (written && lvhost::ReadObjectPng(path, &object, &error)) CheckObject(object);
  std::remove(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > kMaxInput) return 0;
  if (data[0] & 1) {
    ReadObjectFile(data + 1, size - 1);
  } else {
    DrawText(data + 1, size - 1);
  }
  return 0;
}
