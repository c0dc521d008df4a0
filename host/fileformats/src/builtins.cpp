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

void SetInfo(TFFORMATINFO* info, const char* shortName, const char* description, const char* extensions,
             LONG dataTypes, LONG capabilities) {
  std::memset(info, 0, sizeof *info);
  info->value0 = 63;
  info->value2 = 63;
  info->formatClass = 1;
  info->value80 = 1;
  std::strncpy(info->shortName, shortName, sizeof info->shortName - 1);
  std::strncpy(info->description, description, sizeof info->description - 1);
  std::strncpy(info->extensions, extensions, sizeof info->extensions - 1);
  info->dataTypes = dataTypes;
  info->capabilities = capabilities;
}

void BmpDefaults(TFFILEDATA* record) { SetFormatTag(record, "BMPF", TF_FORMAT_NUMBER_BMP); }

FormatEntry BmpEntry() {
  FormatEntry entry;
  SetInfo(&entry.info, "BMP", "Windows Bitmap", "bmp;dib;rle", TF_DT_ALL, TF_CAN_READ | TF_CAN_WRITE);
  entry.getFileData = BmpGetFileData;
  entry.fileRead = BmpFileRead;
  entry.fileWrite = BmpFileWrite;
  entry.defaults = BmpDefaults;
  entry.sniff = SniffBmp;
  entry.writesBands = true;
  return entry;
}

}  // namespace

std::vector<FormatEntry> BuiltinFormats() {
  std::vector<FormatEntry> formats;
  formats.push_back(BmpEntry());
  formats.push_back(PngEntry());
  formats.push_back(JpegEntry());
  formats.push_back(GifEntry());
  return formats;
}

}  // namespace tf
