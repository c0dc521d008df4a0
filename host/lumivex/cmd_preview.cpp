// lumivex preview: a small image of a file at a given size, from the
// module's preview reader for formats served by a file-I/O module, by a
// scaled read for the built-in formats.
#include <cstring>
#include <vector>

#include "commands.h"
#include "exitcodes.h"
#include "formatfiles.h"

namespace lvhost {

namespace {

// The palette a module's preview rows index: the preview's own copy, else
// the image's.
HPALETTE PreviewPalette(const TFFILEDATA& facts) {
  return static_cast<HPALETTE>(facts.previewPalette ? facts.previewPalette : facts.palette);
}

// Puts preview rows (3 bytes a pixel for true and hi-colour, else 1 byte)
// into a new buffer: R,G,B; indices with a copy of the palette; grey; black
// and white (non-zero is white) as grey.
bool RowsToImage(const TFFILEDATA& facts, std::vector<std::vector<BYTE>>& rows, LONG width, HostImage* image,
                 std::string* error) {
  bool colour = facts.dataType == TF_DT_RGB || facts.dataType == TF_DT_HICOLOR;
  bool indexed = facts.dataType == TF_DT_INDEXED256 || facts.dataType == TF_DT_INDEXED16;
  LONG height = static_cast<LONG>(rows.size());
  if (!buf32Alloc(&image->buffer, colour ? 24 : 8, width, height, BUF_KIND_PLAIN, nullptr)) {
    *error = "not enough memory for the preview";
    return false;
  }
  image->dataType = colour ? TF_DT_RGB : indexed ? facts.dataType : TF_DT_GREY;
  for (LONG y = 0; y < height; ++y) {
    std::vector<BYTE>& row = rows[static_cast<size_t>(y)];
    if (facts.dataType == TF_DT_BW) {
      for (LONG x = 0; x < width; ++x) row[static_cast<size_t>(x)] = row[static_cast<size_t>(x)] ? 255 : 0;
    }
    buf32Line(image->buffer, y, 2, row.data());
  }
  if (indexed) {
    HPALETTE source = PreviewPalette(facts);
    UINT count = source ? GetPaletteEntries(source, 0, 0, nullptr) : 0;
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count ? count : 1);
    if (count) GetPaletteEntries(source, 0, count, logical->palPalEntry);
    image->palette = CreatePalette(logical);
  }
  return true;
}

// The module's preview reader; false with an error text.
bool ModulePreview(const FileRecord& record, HMODULE module, LONG width, LONG height, HostImage* image,
                   std::string* error) {
  auto preview = reinterpret_cast<TFBMPGETPREVIEW>(GetProcAddress(module, "tfBmpGetPreview"));
  if (!preview) {
    *error = "the file's module has no preview reader";
    return false;
  }
  TFFILEDATA facts = record.Facts();
  std::vector<std::vector<BYTE>> rows(static_cast<size_t>(height), std::vector<BYTE>(static_cast<size_t>(width) * 3));
  std::vector<BYTE*> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  HFILE file = _lopen(facts.path, OF_READ);
  if (file == HFILE_ERROR) {
    *error = "cannot open the file for its preview";
    return false;
  }
  LONG ok = preview(file, record.get(), width, height, pointers.data());
  _lclose(file);
  if (ok != 1) {
    *error = "the preview reader failed: " + DispatcherError();
    return false;
  }
  return RowsToImage(record.Facts(), rows, width, image, error);
}

// The whole image read and scaled to the size; true and grey images stay
// as they are, the others become true colour first.
bool ScaledRead(const FileRecord& record, LONG width, LONG height, HostImage* image, std::string* error) {
  HostImage read;
  if (!ReadRecordImage(record, &read, error)) return false;
  LONG wanted = read.dataType == TF_DT_GREY || read.dataType == TF_DT_BW ? TF_DT_GREY : TF_DT_RGB;
  if (!ConvertImage(&read, wanted, error)) return false;
  HostImage scaled;
  SIZE size = {width, height};
  if (!t32BufferResample(&scaled.buffer, read.buffer, &size, 0)) {
    *error = "cannot scale the image";
    return false;
  }
  scaled.dataType = wanted;
  image->Take(&scaled);
  return true;
}

}  // namespace

int RunPreviewCommand(const FileCommandOptions& options) {
  std::string error;
  LONG formatIndex = -1;
  if (!OutputFormatOf(options.output, &formatIndex, &error)) {
    PrintError(error);
    return kExitUsage;
  }
  if (!OutputFolderExists(options.output, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  FileRecord record;
  if (!DescribeFile(options.input, &record, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  TFFILEDATA facts = record.Facts();
  if (options.width > facts.width || options.height > facts.height) {
    PrintError("the preview size " + std::to_string(options.width) + "x" + std::to_string(options.height) +
               " is larger than the image (" + std::to_string(facts.width) + "x" + std::to_string(facts.height) + ")");
    return kExitUsage;
  }
  HostImage image;
  HMODULE module = tfFileGetFormatModule(facts.formatIndex);
  bool ok = module ? ModulePreview(record, module, options.width, options.height, &image, &error)
                   : ScaledRead(record, options.width, options.height, &image, &error);
  if (!ok) {
    PrintError(error);
    return kExitFailed;
  }
  if (!WriteImageThroughDispatcher(options.output, formatIndex, image, SaveOptions{}, 0, 0, &error)) {
    PrintError(error);
    return kExitFileError;
  }
  return kExitOk;
}

}  // namespace lvhost
