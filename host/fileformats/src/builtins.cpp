// The built-in formats in the order of their format indices.
#include "builtins.h"

#include <fileformats.h>

#include <cstring>

#include "bmp.h"
#include "bmp_layout.h"
#include "codec_format.h"
#include "record.h"

namespace tf {

namespace {

void BmpDefaults(TFFILEDATA* record) { SetFormatTag(record, "BMPF", TF_FORMAT_NUMBER_BMP); }

FormatEntry BmpEntry() {
  FormatEntry entry;
  SetFormatInfo(&entry.info, "BMP", "Windows Bitmap", "bmp;dib;rle", TF_DT_ALL, false);
  entry.getFileData = BmpGetFileData;
  entry.fileRead = BmpFileRead;
  entry.fileWrite = BmpFileWrite;
  entry.defaults = BmpDefaults;
  entry.sniff = SniffBmp;
  entry.writesBands = true;
  return entry;
}

}  // namespace

namespace {

void CopyText(char* out, size_t size, const char* text) {
  size_t n = std::strlen(text);
  if (n >= size) n = size - 1;
  std::memcpy(out, text, n);
  out[n] = '\0';
}

}  // namespace

void SetFormatInfo(TFFORMATINFO* info, const char* shortName, const char* description, const char* extensions,
                   LONG dataTypes, bool hasOptions) {
  std::memset(info, 0, sizeof *info);
  info->value0 = 63;
  info->value2 = 63;
  info->formatClass = 1;
  info->value80 = 1;
  CopyText(info->shortName, sizeof info->shortName, shortName);
  CopyText(info->description, sizeof info->description, description);
  CopyText(info->extensions, sizeof info->extensions, extensions);
  info->dataTypes = dataTypes;
  info->capabilities = TF_CAN_READ | TF_CAN_WRITE | (hasOptions ? TF_HAS_SAVE_OPTIONS : 0);
}

std::vector<FormatEntry> BuiltinFormats() {
  std::vector<FormatEntry> formats;
  formats.push_back(BmpEntry());
  formats.push_back(PngEntry());
  formats.push_back(JpegEntry());
  formats.push_back(GifEntry());
  return formats;
}

}  // namespace tf
