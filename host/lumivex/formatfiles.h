// Image files through the host's format dispatcher (host/fileformats): the
// file commands (convert, info, preview) and the reading of images in other
// formats than PNG and BMP go through it, so every built-in format and every
// file-I/O module of the modules folder is served.
#pragma once

#include <fileformats.h>

#include <string>
#include <utility>
#include <vector>

namespace lvhost {

// A file-data record owned by the program; frees it with its palettes.
class FileRecord {
 public:
  FileRecord() = default;
  explicit FileRecord(HGLOBAL handle) : handle_(handle) {}
  FileRecord(const FileRecord&) = delete;
  FileRecord& operator=(const FileRecord&) = delete;
  ~FileRecord();
  HGLOBAL get() const { return handle_; }
  // Frees the record held so far and takes HANDLE.
  void Reset(HGLOBAL handle);
  // A copy of the record's common part (zeros when there is no record).
  TFFILEDATA Facts() const;
  // Lets the record forget its palette (when the palette belongs to the
  // caller).
  void DetachPalette();

 private:
  HGLOBAL handle_ = 0;
};

// An image buffer with its palette (for indexed types), owned by the program.
struct HostImage {
  HBUF buffer = 0;
  HPALETTE palette = 0;
  LONG dataType = 0;  // TF_DT_*
  HostImage() = default;
  HostImage(const HostImage&) = delete;
  HostImage& operator=(const HostImage&) = delete;
  ~HostImage();
  // Takes OTHER's buffer and palette (freeing its own).
  void Take(HostImage* other);
};

// The Windows path of a Unix path (as the platform maps it).
std::string WinPathOf(const std::string& unixPath);

// The dispatcher's pending error as one line of text ("... (error N, unit
// U, category C, detail D)"), or "unknown error" when the slot is clear.
std::string DispatcherError();

// Describes PATH (a Unix path): the record through tfFileGetFileData. False
// with an error text when the file is missing or no format reads it.
bool DescribeFile(const std::string& path, FileRecord* record, std::string* error);

// Reads the file the record describes into IMAGE (a buffer of the record's
// data type and, for indexed types, a copy of its palette).
bool ReadRecordImage(const FileRecord& record, HostImage* image, std::string* error);

// A data type given by name or code: 2/rgb, 4/palette256, 8/palette16,
// 16/hicolor, 32/grey, 64/bw (some alternative spellings accepted). False
// for anything else.
bool ParseDataType(const std::string& text, LONG* dataType);

// The name of a data type ("rgb", "palette256", ...), or "unknown".
std::string DataTypeName(LONG dataType);

// Converts IMAGE to DATATYPE through imgconvert (cvt32BufType) in place.
bool ConvertImage(HostImage* image, LONG dataType, std::string* error);

// The save options a user may set, by name: quality=1..100,
// progressive=0|1, interlace=0|1, transparent=-1..255.
struct SaveOptions {
  int quality = -1;      // -1: the format's default
  int progressive = -1;
  int interlace = -1;
  int transparent = -2;  // -2: the format's default, -1: none
};

// Parses NAME=VALUE pairs into OPTIONS; false with an error text naming the
// first unknown name, bad value or name given twice.
bool ParseSaveOptions(const std::vector<std::pair<std::string, std::string>>& pairs,
                      SaveOptions* options, std::string* error);

// The format that writes PATH, chosen by its extension; false with an error
// text when none does.
bool OutputFormatOf(const std::string& path, LONG* formatIndex, std::string* error);

// True when the folder PATH is to be written in exists; false with an error
// text naming the folder otherwise.
bool OutputFolderExists(const std::string& path, std::string* error);

// Writes IMAGE to PATH (a Unix path) in the format FORMATINDEX with OPTIONS
// and the resolution of SOURCE (ten-thousandths of a pixel per inch; 0 keeps
// the format's default). Formats served by a module are written band by
// band; the dispatcher writes under a temporary name and renames when
// complete. False with an error text.
bool WriteImageThroughDispatcher(const std::string& path, LONG formatIndex, const HostImage& image,
                                 const SaveOptions& options, LONG xResolution, LONG yResolution,
                                 std::string* error);

}  // namespace lvhost
