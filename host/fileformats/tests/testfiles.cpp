// Files and images for the dispatcher's tests.
#include "testfiles.h"

#include <hostcommon.h>

#include <fstream>
#include <iterator>

#include "testsupport.h"

namespace tftest {

std::string PutFile(const std::string& name, const Bytes& bytes) {
  std::string relative = name;
  for (char& c : relative)
    if (c == '\\') c = '/';
  std::filesystem::path path = lvtest::Prefix() / "C" / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return "C:\\" + name;
}

Bytes GetFile(const std::string& winPath) {
  char unixPath[1024];
  if (!lvWinPathToUnix(winPath.c_str(), unixPath, sizeof unixPath)) return {};
  std::ifstream in(unixPath, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put16(Bytes& b, size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(Bytes& b, size_t at, std::uint32_t v) {
  Put16(b, at, v);
  Put16(b, at + 2, v >> 16);
}

Bytes MakeBmp(const BmpPlan& plan) {
  size_t masksAfter = plan.headerSize == 40 ? plan.masks.size() * 4 : 0;
  size_t pixelOffset = 14 + plan.headerSize + masksAfter + plan.table.size();
  Bytes b(pixelOffset, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(pixelOffset + plan.pixels.size()));
  Put32(b, 10, static_cast<std::uint32_t>(pixelOffset));
  Put32(b, 14, plan.headerSize);
  if (plan.headerSize == 12) {
    Put16(b, 18, static_cast<std::uint32_t>(plan.width));
    Put16(b, 20, static_cast<std::uint32_t>(plan.height));
    Put16(b, 22, 1);
    Put16(b, 24, plan.bits);
  } else {
    Put32(b, 18, static_cast<std::uint32_t>(plan.width));
    Put32(b, 22, static_cast<std::uint32_t>(plan.height));
    Put16(b, 26, 1);
    Put16(b, 28, plan.bits);
    Put32(b, 30, plan.compression);
    Put32(b, 34, static_cast<std::uint32_t>(plan.pixels.size()));
    Put32(b, 38, static_cast<std::uint32_t>(plan.xPerMetre));
    Put32(b, 42, static_cast<std::uint32_t>(plan.yPerMetre));
    Put32(b, 46, plan.colorsUsed);
    for (size_t i = 0; i < plan.masks.size(); ++i) Put32(b, 54 + 4 * i, plan.masks[i]);
  }
  std::copy(plan.table.begin(), plan.table.end(), b.begin() + static_cast<long>(14 + plan.headerSize + masksAfter));
  b.insert(b.end(), plan.pixels.begin(), plan.pixels.end());
  return b;
}

HBUF MakeImage(LONG bits, LONG width, LONG height, std::uint8_t (*fill)(LONG x, LONG y, LONG byte)) {
  HBUF buffer = 0;
  if (!buf32Alloc(&buffer, bits, width, height, BUF_KIND_PLAIN, nullptr)) return 0;
  BUFINFO info;
  buf32GetInfo(buffer, &info);
  void* pixels = nullptr;
  buf32Lock(buffer, 2, &pixels);
  LONG bytesPerPixel = bits == 1 ? 1 : bits / 8;
  for (LONG y = 0; y < height; ++y)
    for (LONG i = 0; i < info.rowBytes; ++i)
      static_cast<std::uint8_t*>(pixels)[y * info.rowBytes + i] = fill(i / bytesPerPixel, y, i % bytesPerPixel);
  buf32Unlock(buffer);
  return buffer;
}

Bytes Pixels(HBUF buffer) {
  BUFINFO info;
  if (!buf32GetInfo(buffer, &info)) return {};
  void* pixels = nullptr;
  buf32Lock(buffer, 1, &pixels);
  Bytes out(static_cast<const std::uint8_t*>(pixels),
            static_cast<const std::uint8_t*>(pixels) + static_cast<size_t>(info.rowBytes) * info.height);
  buf32Unlock(buffer);
  return out;
}

HBUF ReadImage(const std::string& path, HGLOBAL* record) {
  *record = tfFileGetFileData(path.c_str(), nullptr);
  if (!*record) return 0;
  HBUF buffer = 0;
  if (tfFileRead(*record, &buffer, nullptr) != 1) return 0;
  return buffer;
}

HPALETTE MakeTestPalette(const std::vector<COLORREF>& colours) {
  std::vector<std::uint8_t> memory(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colours.size());
  LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(colours.size());
  for (size_t i = 0; i < colours.size(); ++i)
    logical->palPalEntry[i] = {GetRValue(colours[i]), GetGValue(colours[i]), GetBValue(colours[i]), 0};
  return CreatePalette(logical);
}

Slot ErrorSlot() {
  Slot slot;
  slot.error = lvGetDLLErrInfoRecord(&slot.unit, &slot.category, &slot.detail);
  return slot;
}

}  // namespace tftest
