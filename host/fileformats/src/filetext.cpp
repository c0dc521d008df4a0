// Texts and file tests the host's dialogs use: sizes with thousands
// separators, compression names, whether a file exists.
#include <fileformats.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "fileio.h"

namespace {

// Above this many bytes sizes are given in KB.
constexpr DWORD kBytesLimit = 101376;

// value grouped by threes from the right with separator.
std::string Grouped(DWORD value, const std::string& separator) {
  std::string digits = std::to_string(value);
  std::string out;
  size_t lead = digits.size() % 3;
  if (lead == 0) lead = 3;
  out = digits.substr(0, lead);
  for (size_t at = lead; at < digits.size(); at += 3) out += separator + digits.substr(at, 3);
  return out;
}

LONG CopyOut(const std::string& text, LPSTR out, LONG size) {
  if (!out || size <= 0) return 0;
  size_t n = text.size() < static_cast<size_t>(size - 1) ? text.size() : static_cast<size_t>(size - 1);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return static_cast<LONG>(n);
}

}  // namespace

LONG t32FileSizeToAscii(DWORD size, LPSTR text, LONG mode) {
  char separator[8] = {};
  GetProfileStringA("intl", "sThousand", ",", separator, sizeof separator);
  std::string result;
  if (mode == 0) {
    result = Grouped(size, separator);
  } else if (size <= kBytesLimit) {
    result = Grouped(size, separator) + " Bytes";
  } else {
    result = Grouped(static_cast<DWORD>((static_cast<uint64_t>(size) + 512) / 1024), separator) + " KB";
  }
  return CopyOut(result, text, 32);
}

BOOL tfIsFileExist(LPCSTR path) {
  if (!path || !*path) return FALSE;
  DWORD attributes = GetFileAttributesA(tf::WinPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

LONG tfFileGetCompressionText(LONG code, LPSTR text, LONG size) {
  const char* name = "Keine";
  switch (code) {
    case TF_COMPRESS_RLE8: name = "RLE8"; break;
    case TF_COMPRESS_RLE4: name = "RLE4"; break;
    case TF_COMPRESS_LZW: name = "LZW"; break;
    case TF_COMPRESS_DEFLATE: name = "Deflate"; break;
    case TF_COMPRESS_JPEG: name = "JPEG"; break;
    case TF_COMPRESS_BITFIELDS: name = "Bitfelder"; break;
    default: break;
  }
  return CopyOut(name, text, size);
}
