// Image files through the host's format dispatcher.
#include "formatfiles.h"

#include <hostcommon.h>
#include <imgconvert.h>
#include <lvtext.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace lvhost {

namespace {

// A copy of PALETTE (0 for none or on failure).
HPALETTE CopyPalette(HPALETTE palette) {
  if (!palette) return 0;
  UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
  if (count == 0 || count > 256) return 0;
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(count);
  GetPaletteEntries(palette, 0, count, logical->palPalEntry);
  return CreatePalette(logical);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// An integer option value within [low, high].
bool IntegerIn(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 6) return false;
  size_t start = text[0] == '-' ? 1 : 0;
  if (start == text.size() || text.find_first_not_of("0123456789", start) != std::string::npos) return false;
  *value = std::atoi(text.c_str());
  return *value >= low && *value <= high;
}

// Sets the save options the user gave into the record.
void ApplySaveOptions(const SaveOptions& options, TFFILEDATA* record) {
  if (options.quality >= 0) record->jpegQuality = options.quality;
  if (options.progressive == 1) record->jpegFlags |= TF_JPEG_FLAG_PROGRESSIVE;
  if (options.progressive == 0) record->jpegFlags &= ~TF_JPEG_FLAG_PROGRESSIVE;
  if (options.interlace >= 0) record->interlaced = options.interlace;
  if (options.transparent >= -1) record->transparentIndex = options.transparent;
}

// Bands of this many rows go to a module at a time.
constexpr LONG kBandRows = 64;

// Writes IMAGE band by band through the writer of the record.
bool WriteBands(HGLOBAL record, const HostImage& image, LONG width, LONG height, std::string* error) {
  LONG writer = tfFileWriteBegin(record);
  if (!writer) {
    *error = DispatcherError();
    return false;
  }
  for (LONG top = 0; top < height; top += kBandRows) {
    LONG rows = std::min(kBandRows, height - top);
    HBUF band = 0;
    bool ok = buf32GetBuf(image.buffer, 0, top, width, rows, &band) &&
              tfFileWriteBand(writer, band, top, rows, nullptr) == 1;
    if (band) buf32Free(band);
    if (!ok) {
      *error = DispatcherError();
      tfFileWriteEnd(writer, FALSE);
      return false;
    }
  }
  if (tfFileWriteEnd(writer, TRUE) != 1) {
    *error = DispatcherError();
    return false;
  }
  return true;
}

}  // namespace

FileRecord::~FileRecord() { Reset(0); }

void FileRecord::Reset(HGLOBAL handle) {
  if (handle_) tfFileFreeFileData(handle_);
  handle_ = handle;
}

TFFILEDATA FileRecord::Facts() const {
  TFFILEDATA facts;
  std::memset(&facts, 0, sizeof facts);
  void* locked = handle_ ? GlobalLock(handle_) : nullptr;
  if (locked) {
    std::memcpy(&facts, locked, sizeof facts);
    GlobalUnlock(handle_);
  }
  return facts;
}

void FileRecord::DetachPalette() {
  auto* record = handle_ ? static_cast<TFFILEDATA*>(GlobalLock(handle_)) : nullptr;
  if (!record) return;
  record->palette = 0;
  GlobalUnlock(handle_);
}

HostImage::~HostImage() {
  if (buffer) buf32Free(buffer);
  if (palette) DeleteObject(palette);
}

void HostImage::Take(HostImage* other) {
  if (buffer) buf32Free(buffer);
  if (palette) DeleteObject(palette);
  buffer = other->buffer;
  palette = other->palette;
  dataType = other->dataType;
  other->buffer = 0;
  other->palette = 0;
}

std::string WinPathOf(const std::string& unixPath) {
  char win[MAX_PATH * 4] = {0};
  if (!lvUnixPathToWin(unixPath.c_str(), win, sizeof win)) return unixPath;
  return win;
}

std::string DispatcherError() {
  LONG unit = 0, category = 0, detail = 0;
  LONG code = lvGetDLLErrInfoRecord(&unit, &category, &detail);
  if (code == 0) return "unknown error";
  char text[512] = {0};
  c32GetDLLErrorInfo(text, sizeof text, 0, 0, 0, 0);
  std::string message = text[0] ? lv::AnsiToUtf8(text) : "no message for this error";
  return message + " (error " + std::to_string(code) + ", unit " + std::to_string(unit) + ", category " +
         std::to_string(category) + ", detail " + std::to_string(detail) + ")";
}

bool DescribeFile(const std::string& path, FileRecord* record, std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    *error = "cannot read '" + path + "': it is a folder, not a file";
    return false;
  }
  if (!std::filesystem::is_regular_file(path, ec)) {
    *error = "cannot read '" + path + "': no such file";
    return false;
  }
  c32ResetDLLErrInfo();
  HGLOBAL handle = tfFileGetFileData(WinPathOf(path).c_str(), nullptr);
  if (!handle) {
    *error = "cannot read '" + path + "': " + DispatcherError();
    return false;
  }
  record->Reset(handle);
  return true;
}

bool ReadRecordImage(const FileRecord& record, HostImage* image, std::string* error) {
  c32ResetDLLErrInfo();
  HBUF buffer = 0;
  if (tfFileRead(record.get(), &buffer, nullptr) != 1 || !buffer) {
    TFFILEDATA facts = record.Facts();
    *error = "cannot read '" + lv::AnsiToUtf8(facts.path) + "': " + DispatcherError();
    return false;
  }
  TFFILEDATA facts = record.Facts();
  HostImage read;
  read.buffer = buffer;
  read.dataType = facts.dataType;
  read.palette = CopyPalette(static_cast<HPALETTE>(facts.palette));
  image->Take(&read);
  return true;
}

bool ParseDataType(const std::string& text, LONG* dataType) {
  static const std::pair<const char*, LONG> kNames[] = {
      {"2", TF_DT_RGB},          {"rgb", TF_DT_RGB},           {"truecolor", TF_DT_RGB},
      {"truecolour", TF_DT_RGB}, {"4", TF_DT_INDEXED256},      {"palette256", TF_DT_INDEXED256},
      {"256", TF_DT_INDEXED256}, {"8", TF_DT_INDEXED16},       {"palette16", TF_DT_INDEXED16},
      {"16colour", TF_DT_INDEXED16}, {"16color", TF_DT_INDEXED16}, {"16", TF_DT_HICOLOR},
      {"hicolor", TF_DT_HICOLOR}, {"hicolour", TF_DT_HICOLOR}, {"32", TF_DT_GREY},
      {"grey", TF_DT_GREY},      {"gray", TF_DT_GREY},         {"64", TF_DT_BW},
      {"bw", TF_DT_BW},          {"blackwhite", TF_DT_BW},
  };
  std::string name = Lower(text);
  for (const auto& [known, type] : kNames) {
    if (name == known) {
      *dataType = type;
      return true;
    }
  }
  return false;
}

std::string DataTypeName(LONG dataType) {
  switch (dataType) {
    case TF_DT_RGB: return "rgb";
    case TF_DT_INDEXED256: return "palette256";
    case TF_DT_INDEXED16: return "palette16";
    case TF_DT_HICOLOR: return "hicolor";
    case TF_DT_GREY: return "grey";
    case TF_DT_BW: return "bw";
  }
  return "unknown";
}

bool ConvertImage(HostImage* image, LONG dataType, std::string* error) {
  if (image->dataType == dataType) return true;
  HostImage converted;
  converted.dataType = dataType;
  HPALETTE* newPalette =
      dataType == TF_DT_INDEXED256 || dataType == TF_DT_INDEXED16 || dataType == TF_DT_BW ? &converted.palette
                                                                                             : nullptr;
  c32ResetDLLErrInfo();
  if (!cvt32BufType(CVT32_MODE_CONVERT, 0, image->buffer, dataType, image->palette, &converted.buffer,
                    newPalette, nullptr, 0, 0, 0) ||
      !converted.buffer) {
    *error = "cannot convert the image to " + DataTypeName(dataType) + ": " + DispatcherError();
    return false;
  }
  image->Take(&converted);
  return true;
}

bool ParseSaveOptions(const std::vector<std::pair<std::string, std::string>>& pairs, SaveOptions* options,
                      std::string* error) {
  std::vector<std::string> seen;
  for (const auto& [name, value] : pairs) {
    std::string key = Lower(name);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) {
      *error = "the save option " + key + " is given twice";
      return false;
    }
    seen.push_back(key);
    bool ok = key == "quality"       ? IntegerIn(value, 1, 100, &options->quality)
              : key == "progressive" ? IntegerIn(value, 0, 1, &options->progressive)
              : key == "interlace"   ? IntegerIn(value, 0, 1, &options->interlace)
              : key == "transparent" ? IntegerIn(value, -1, 255, &options->transparent)
                                     : false;
    if (ok) continue;
    if (key != "quality" && key != "progressive" && key != "interlace" && key != "transparent") {
      *error = "unknown save option '" + name + "' (quality, progressive, interlace, transparent)";
    } else {
      *error = "bad value '" + value + "' for the save option " + key +
               (key == "quality" ? " (1 .. 100)" : key == "transparent" ? " (-1 .. 255)" : " (0 or 1)");
    }
    return false;
  }
  return true;
}

bool OutputFormatOf(const std::string& path, LONG* formatIndex, std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    *error = "cannot write '" + path + "': it is a folder";
    return false;
  }
  std::string extension = std::filesystem::path(path).extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  LONG index = extension.empty() ? -1 : tfFileFindFormat(extension.c_str());
  const TFFORMATINFO* info = index >= 0 ? tfFileGetFormatInfo(index) : nullptr;
  if (!info) {
    *error = "cannot write '" + path + "': no format is known for the extension '" + extension + "'";
    return false;
  }
  if (!(info->capabilities & TF_CAN_WRITE)) {
    *error = "cannot write '" + path + "': the format " + std::string(info->shortName, strnlen(info->shortName, 4)) +
             " cannot be written";
    return false;
  }
  *formatIndex = index;
  return true;
}

bool OutputFolderExists(const std::string& path, std::string* error) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ec;
  if (folder.empty() || std::filesystem::is_directory(folder, ec)) return true;
  *error = "cannot write '" + path + "': the folder '" + folder.string() + "' does not exist";
  return false;
}

bool WriteImageThroughDispatcher(const std::string& path, LONG formatIndex, const HostImage& image,
                                 const SaveOptions& options, LONG xResolution, LONG yResolution,
                                 std::string* error) {
  LONG width = 0, height = 0;
  if (!buf32GetWHU(image.buffer, &width, &height, nullptr)) {
    *error = "cannot write '" + path + "': no image";
    return false;
  }
  const TFFORMATINFO* info = tfFileGetFormatInfo(formatIndex);
  bool module = tfFileGetFormatModule(formatIndex) != 0;
  if (module && info && !(info->dataTypes & image.dataType)) {
    *error = "cannot write '" + path + "': the format " + std::string(info->shortName, strnlen(info->shortName, 4)) +
             " cannot store " + DataTypeName(image.dataType) + " images (choose another with --type)";
    return false;
  }
  c32ResetDLLErrInfo();
  FileRecord record(tfFileNewFileData(WinPathOf(path).c_str(), formatIndex));
  auto* facts = record.get() ? static_cast<TFFILEDATA*>(GlobalLock(record.get())) : nullptr;
  if (!facts) {
    *error = "cannot write '" + path + "': " + DispatcherError();
    return false;
  }
  facts->width = width;
  facts->height = height;
  facts->dataType = image.dataType;
  facts->palette = static_cast<DWORD>(image.palette);
  if (xResolution > 0 && yResolution > 0) {
    facts->xResolution = xResolution;
    facts->yResolution = yResolution;
  }
  ApplySaveOptions(options, facts);
  GlobalUnlock(record.get());
  bool ok = false;
  if (module) {
    ok = WriteBands(record.get(), image, width, height, error);
  } else if (tfFileWrite(record.get(), image.buffer, nullptr) == 1) {
    ok = true;
  } else {
    *error = DispatcherError();
  }
  record.DetachPalette();
  if (!ok) *error = "cannot write '" + path + "': " + *error;
  return ok;
}

}  // namespace lvhost
