// The built-in PNG, JPEG and GIF formats. The file comes through the
// platform's file handle into memory; the codecs decode it row by row into
// the host's forms, and encode rows pulled through the write callback.
#include "codec_format.h"

#include <codecs.h>
#include <fileformats.h>

#include <cstring>
#include <vector>

#include "builtins.h"
#include "errors.h"
#include "fileio.h"
#include "palette.h"
#include "record.h"
#include "scaled.h"

namespace tf {

namespace {

using lvcodecs::Codec;

// Largest file the codec formats read into memory.
constexpr DWORD kMaxCodecFileBytes = 1u << 30;

LONG HostErrorOf(const lvcodecs::Error& error) {
  switch (error.code) {
    case lvcodecs::ErrorCode::OutOfMemory: return kErrMemory;
    case lvcodecs::ErrorCode::ReadFailed:
    case lvcodecs::ErrorCode::Truncated: return kErrRead;
    case lvcodecs::ErrorCode::InvalidArgument:
    case lvcodecs::ErrorCode::Unsupported: return kErrCannotServe;
    default: return kErrNotImage;
  }
}

// Detail of a codec failure: 100 + the codec's error code.
LONG DetailOf(const lvcodecs::Error& error) { return 100 + static_cast<LONG>(error.code); }

bool ReadWholeFile(HFILE file, std::vector<std::uint8_t>* bytes) {
  DWORD size = FileSizeOf(file);
  if (size == 0 || size > kMaxCodecFileBytes) return false;
  bytes->resize(size);
  return ReadAt(file, 0, bytes->data(), size) == size;
}

std::unique_ptr<lvcodecs::Decoder> OpenFile(HFILE file, Codec codec, LONG operation) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(file, &bytes)) {
    Report(kErrRead, operation, 50);
    return nullptr;
  }
  lvcodecs::Error error;
  auto decoder = lvcodecs::openDecoder(std::move(bytes), codec, &error);
  if (!decoder) Report(HostErrorOf(error), operation, DetailOf(error));
  return decoder;
}

bool IsGreyRamp(const std::vector<lvcodecs::Rgb>& palette) {
  if (palette.size() != 256) return false;
  for (size_t i = 0; i < 256; ++i)
    if (palette[i].r != i || palette[i].g != i || palette[i].b != i) return false;
  return true;
}

// A two-colour table of black, then white: a black-and-white image.
bool IsBlackWhite(const std::vector<lvcodecs::Rgb>& palette) {
  return palette.size() == 2 && palette[0] == lvcodecs::Rgb{0, 0, 0} && palette[1] == lvcodecs::Rgb{255, 255, 255};
}

LONG DataTypeOf(const lvcodecs::ImageFacts& facts) {
  switch (facts.naturalForm) {
    case lvcodecs::RowForm::Indexed8:
      if (IsGreyRamp(facts.palette)) return TF_DT_GREY;
      if (IsBlackWhite(facts.palette)) return TF_DT_BW;
      return facts.palette.size() <= 16 ? TF_DT_INDEXED16 : TF_DT_INDEXED256;
    case lvcodecs::RowForm::Grey8: return TF_DT_GREY;
    case lvcodecs::RowForm::Bw1: return TF_DT_BW;
    default: return TF_DT_RGB;
  }
}

lvcodecs::RowForm FormOf(LONG dataType) {
  switch (dataType) {
    case TF_DT_INDEXED256:
    case TF_DT_INDEXED16: return lvcodecs::RowForm::Indexed8;
    case TF_DT_GREY: return lvcodecs::RowForm::Grey8;
    case TF_DT_BW: return lvcodecs::RowForm::Bw1;
    default: return lvcodecs::RowForm::Rgb24;
  }
}

LONG CompressionOf(lvcodecs::Compression compression) {
  switch (compression) {
    case lvcodecs::Compression::Lzw: return TF_COMPRESS_LZW;
    case lvcodecs::Compression::Deflate: return TF_COMPRESS_DEFLATE;
    case lvcodecs::Compression::JpegDct: return TF_COMPRESS_JPEG;
    default: return TF_COMPRESS_NONE;
  }
}

LONG HostResolution(std::uint32_t value, lvcodecs::ResolutionUnit unit) {
  double dpi = lvcodecs::dotsPerInch(value, unit);
  if (dpi <= 0 || dpi > 200000) return 720000;
  return static_cast<LONG>(dpi * 10000 + 0.5);
}

void FillFacts(const lvcodecs::ImageFacts& facts, TFFILEDATA* record) {
  record->width = static_cast<LONG>(facts.width);
  record->height = static_cast<LONG>(facts.height);
  record->dataType = DataTypeOf(facts);
  record->bitsPerPixel = HostBitsFor(record->dataType);
  record->xResolution = HostResolution(facts.resolution.x, facts.resolution.unit);
  record->yResolution = HostResolution(facts.resolution.y, facts.resolution.unit);
  FillHostValues(record);
  record->colourModel = facts.jpegColourModel;
  record->jpegFlags = (facts.progressive ? TF_JPEG_FLAG_PROGRESSIVE : 0) | (facts.jfifMarker ? TF_JPEG_FLAG_JFIF : 0) |
                      (facts.adobeMarker ? TF_JPEG_FLAG_ADOBE : 0);
  record->compression = CompressionOf(facts.compression);
  record->transparentIndex = facts.transparentIndex;
  record->transparentColour = facts.transparentIndex >= 0
                                  ? RGB(facts.transparentColour.r, facts.transparentColour.g, facts.transparentColour.b)
                                  : 0;
  record->interlaced = facts.interlaced ? 1 : 0;
}

bool AttachPalette(const lvcodecs::ImageFacts& facts, TFFILEDATA* record) {
  if (record->dataType != TF_DT_INDEXED256 && record->dataType != TF_DT_INDEXED16) return true;
  BYTE table[256][3] = {};
  size_t count = facts.palette.size() > 256 ? 256 : facts.palette.size();
  for (size_t i = 0; i < count; ++i) {
    table[i][0] = facts.palette[i].r;
    table[i][1] = facts.palette[i].g;
    table[i][2] = facts.palette[i].b;
  }
  record->palette = MakePalette(table, count ? static_cast<int>(count) : 1);
  return record->palette != 0;
}

HGLOBAL GetFileData(HFILE file, Codec codec, const char tag[4], WORD number) {
  auto decoder = OpenFile(file, codec, TF_OP_GETFILEDATA);
  if (!decoder) return 0;
  HGLOBAL handle = NewRecord(TF_FILEDATA_SIZE);
  TFFILEDATA* record = handle ? LockRecord(handle) : nullptr;
  if (!record) {
    if (handle) GlobalFree(handle);
    Report(kErrMemory, TF_OP_GETFILEDATA, 51);
    return static_cast<HGLOBAL>(-1);
  }
  FillFacts(decoder->facts(), record);
  SetFormatTag(record, tag, number);
  bool ok = AttachPalette(decoder->facts(), record);
  GlobalUnlock(handle);
  if (!ok) {
    GlobalFree(handle);
    Report(kErrMemory, TF_OP_GETFILEDATA, 52);
    return static_cast<HGLOBAL>(-1);
  }
  return handle;
}

// Host form of a decoded row: 16-colour rows are one index per byte like
// the codec's Indexed8, every other form is the host's own.
LONG ReadRows(HFILE file, Codec codec, HGLOBAL handle, TFTRANSFER* t, TFREADCALLBACK callback) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) {
    Report(kErrCannotServe, TF_OP_READ, 53);
    return 0;
  }
  LONG dataType = record->dataType;
  GlobalUnlock(handle);
  auto decoder = OpenFile(file, codec, TF_OP_READ);
  if (!decoder) return 0;
  const lvcodecs::ImageFacts& facts = decoder->facts();
  LONG width = static_cast<LONG>(facts.width), height = static_cast<LONG>(facts.height);
  if (!callback || t->scaled || t->left < 0 || t->top < 0 || t->width <= 0 || t->rows <= 0 ||
      t->left > width - t->width || t->top > height - t->rows) {
    Report(kErrCannotServe, TF_OP_READ, 54);
    return 0;
  }
  lvcodecs::RowForm form = FormOf(dataType);
  std::vector<std::uint8_t> row(lvcodecs::rowBytes(form, facts.width));
  LONG bytesPerPixel = form == lvcodecs::RowForm::Rgb24 ? 3 : (form == lvcodecs::RowForm::Bw1 ? 0 : 1);
  lvcodecs::Error error;
  for (LONG y = 0; y < t->top + t->rows; ++y) {
    if (!decoder->readRow(form, row.data(), &error)) {
      Report(HostErrorOf(error), TF_OP_READ, DetailOf(error));
      return 0;
    }
    if (y < t->top) continue;
    LONG flags = TF_ROW_EVERY | (y == t->top ? TF_ROW_FIRST : 0) | (y == t->top + t->rows - 1 ? TF_ROW_LAST : 0);
    BYTE* rows[1] = {row.data() + t->left * bytesPerPixel};
    LONG result = callback(t, t->left, y, t->width, 1, rows, flags, -1, 7);
    if (result <= 0) return result;
  }
  return 1;
}

std::vector<lvcodecs::Rgb> PaletteForWrite(const TFFILEDATA& record) {
  int wanted = record.dataType == TF_DT_INDEXED16 ? 16 : 256;
  BYTE table[256][3] = {};
  int count = ReadPalette(static_cast<HPALETTE>(record.palette), table, wanted);
  if (count == 0) {
    count = wanted;
    GreyRamp(table, count);
  }
  std::vector<lvcodecs::Rgb> palette(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) palette[static_cast<size_t>(i)] = {table[i][0], table[i][1], table[i][2]};
  return palette;
}

lvcodecs::EncodeOptions OptionsOf(const TFFILEDATA& record, Codec codec, size_t paletteSize) {
  lvcodecs::EncodeOptions options;
  options.quality = record.jpegQuality >= 1 && record.jpegQuality <= 100 ? record.jpegQuality : 75;
  options.progressive = (record.jpegFlags & TF_JPEG_FLAG_PROGRESSIVE) != 0;
  options.interlace = record.interlaced != 0;
  if (codec != Codec::Jpeg && paletteSize > 0 && record.transparentIndex >= 0 &&
      static_cast<size_t>(record.transparentIndex) < paletteSize)
    options.transparentIndex = record.transparentIndex;
  options.resolution.unit = lvcodecs::ResolutionUnit::PerInch;
  options.resolution.x = static_cast<std::uint32_t>((record.xResolution > 0 ? record.xResolution : 720000) + 5000) / 10000;
  options.resolution.y = static_cast<std::uint32_t>((record.yResolution > 0 ? record.yResolution : 720000) + 5000) / 10000;
  return options;
}

// The record after a write describes the file as stored.
void DescribeStored(TFFILEDATA* record, Codec codec, const lvcodecs::EncodeOptions& options) {
  if (codec == Codec::Jpeg) {
    bool grey = record->dataType == TF_DT_GREY || record->dataType == TF_DT_BW;
    record->dataType = grey ? TF_DT_GREY : TF_DT_RGB;
    record->colourModel = grey ? TF_JPEG_GREY : TF_JPEG_YCBCR;
    record->jpegFlags = (options.progressive ? TF_JPEG_FLAG_PROGRESSIVE : 0) | TF_JPEG_FLAG_JFIF;
    record->jpegQuality = options.quality;
    if (record->palette) DeleteObject(static_cast<HGDIOBJ>(record->palette));
    record->palette = 0;
    record->compression = TF_COMPRESS_JPEG;
  } else {
    record->compression = codec == Codec::Gif ? TF_COMPRESS_LZW : TF_COMPRESS_DEFLATE;
    record->transparentIndex = options.transparentIndex;
  }
  record->bitsPerPixel = HostBitsFor(record->dataType);
  record->interlaced = options.interlace ? 1 : 0;
  record->readable = 1;
}

LONG WriteRows(HFILE file, Codec codec, HGLOBAL handle, TFTRANSFER* t, TFWRITECALLBACK callback, const char tag[4],
               WORD number) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) {
    Report(kErrCannotServe, TF_OP_WRITE, 60);
    return 0;
  }
  if (!callback || t->left != 0 || t->top != 0 || t->width != record->width || t->rows != record->height) {
    GlobalUnlock(handle);
    Report(kErrCannotServe, TF_OP_WRITE, 61);
    return 0;
  }
  lvcodecs::EncodePlan plan;
  plan.width = static_cast<std::uint32_t>(record->width);
  plan.height = static_cast<std::uint32_t>(record->height);
  plan.form = FormOf(record->dataType);
  if (plan.form == lvcodecs::RowForm::Indexed8) plan.palette = PaletteForWrite(*record);
  lvcodecs::EncodeOptions options = OptionsOf(*record, codec, plan.palette.size());
  lvcodecs::Error error;
  auto encoder = lvcodecs::makeEncoder(codec, plan, options, &error);
  LONG result = encoder ? 1 : 0;
  for (LONG y = 0; result == 1 && y < record->height; ++y) {
    LONG flags = TF_ROW_EVERY | (y == 0 ? TF_ROW_FIRST : 0) | (y == record->height - 1 ? TF_ROW_LAST : 0);
    BYTE** row = callback(t, 0, y, t->width, 1, flags, -1, 7);
    if (row == TF_WRITE_CANCELLED) result = -1;
    else if (!row || !*row) result = 0;
    else if (!encoder->writeRow(*row, &error)) result = 0;
  }
  std::vector<std::uint8_t> bytes;
  if (result == 1 && !encoder->finish(&bytes, &error)) result = 0;
  if (result == 0 && error) Report(HostErrorOf(error), TF_OP_WRITE, DetailOf(error));
  if (result == 1 && (!SeekTo(file, 0) || !WriteAll(file, bytes.data(), static_cast<DWORD>(bytes.size())))) {
    Report(kErrWrite, TF_OP_WRITE, 62);
    result = 0;
  }
  if (result == 1) {
    SetFormatTag(record, tag, number);
    DescribeStored(record, codec, options);
  }
  GlobalUnlock(handle);
  return result;
}

template <Codec kCodec>
bool Sniff(const BYTE* head, DWORD size) {
  auto found = lvcodecs::sniffCodec(head, size);
  return found && *found == kCodec;
}

constexpr char kPngTag[4] = {'P', 'N', 'G', 'F'};
constexpr char kJpegTag[4] = {'J', 'P', 'G', 'F'};
constexpr char kGifTag[4] = {'G', 'I', 'F', 'F'};

HGLOBAL WINAPI PngGetFileData(HFILE file, LONG, LONG, LONG) {
  return GetFileData(file, Codec::Png, kPngTag, TF_FORMAT_NUMBER_PNG);
}
HGLOBAL WINAPI JpegGetFileData(HFILE file, LONG, LONG, LONG) {
  return GetFileData(file, Codec::Jpeg, kJpegTag, TF_FORMAT_NUMBER_JPEG);
}
HGLOBAL WINAPI GifGetFileData(HFILE file, LONG, LONG, LONG) {
  return GetFileData(file, Codec::Gif, kGifTag, TF_FORMAT_NUMBER_GIF);
}
template <Codec kCodec>
LONG FullSizeRead(HFILE file, HGLOBAL record, TFTRANSFER* t, TFREADCALLBACK callback) {
  return ReadRows(file, kCodec, record, t, callback);
}

template <Codec kCodec>
LONG WINAPI CodecFileRead(HFILE file, LONG, HGLOBAL record, TFTRANSFER* t, TFREADCALLBACK callback, LONG) {
  if (t && t->scaled) return ScaledRead(file, record, t, callback, FullSizeRead<kCodec>);
  return ReadRows(file, kCodec, record, t, callback);
}
LONG WINAPI PngFileWrite(HFILE file, HGLOBAL record, TFTRANSFER* t, TFWRITECALLBACK callback) {
  return WriteRows(file, Codec::Png, record, t, callback, kPngTag, TF_FORMAT_NUMBER_PNG);
}
LONG WINAPI JpegFileWrite(HFILE file, HGLOBAL record, TFTRANSFER* t, TFWRITECALLBACK callback) {
  return WriteRows(file, Codec::Jpeg, record, t, callback, kJpegTag, TF_FORMAT_NUMBER_JPEG);
}
LONG WINAPI GifFileWrite(HFILE file, HGLOBAL record, TFTRANSFER* t, TFWRITECALLBACK callback) {
  return WriteRows(file, Codec::Gif, record, t, callback, kGifTag, TF_FORMAT_NUMBER_GIF);
}

void PngDefaults(TFFILEDATA* record) { SetFormatTag(record, kPngTag, TF_FORMAT_NUMBER_PNG); }
void JpegDefaults(TFFILEDATA* record) {
  SetFormatTag(record, kJpegTag, TF_FORMAT_NUMBER_JPEG);
  record->jpegQuality = 75;
}
void GifDefaults(TFFILEDATA* record) { SetFormatTag(record, kGifTag, TF_FORMAT_NUMBER_GIF); }

// The entry of a format read through the codecs: its names, the data types
// its files store (`dataTypes`) and those its write takes (`feedTypes`,
// others are converted first), and its own record, write and defaults.
template <Codec kCodec>
FormatEntry CodecEntry(const char* shortName, const char* description, const char* extensions,
                       LONG dataTypes, LONG feedTypes, TFBMPGETFILEDATA getFileData,
                       TFBMPFILEWRITE fileWrite, DefaultsFunction defaults) {
  FormatEntry entry;
  SetFormatInfo(&entry.info, shortName, description, extensions, dataTypes, true);
  entry.feedTypes = feedTypes;
  entry.getFileData = getFileData;
  entry.fileRead = CodecFileRead<kCodec>;
  entry.fileWrite = fileWrite;
  entry.defaults = defaults;
  entry.sniff = Sniff<kCodec>;
  return entry;
}

}  // namespace

FormatEntry PngEntry() {
  const LONG types = TF_DT_RGB | TF_DT_INDEXED256 | TF_DT_INDEXED16 | TF_DT_GREY | TF_DT_BW;
  return CodecEntry<Codec::Png>("PNG", "Portable Network Graphics", "png", types, types,
                                PngGetFileData, PngFileWrite, PngDefaults);
}

FormatEntry JpegEntry() {
  return CodecEntry<Codec::Jpeg>("JPG", "JPEG File Interchange Format", "jpg;jpeg",
                                 TF_DT_RGB | TF_DT_GREY,
                                 TF_DT_RGB | TF_DT_INDEXED256 | TF_DT_INDEXED16 | TF_DT_GREY | TF_DT_BW,
                                 JpegGetFileData, JpegFileWrite, JpegDefaults);
}

FormatEntry GifEntry() {
  const LONG types = TF_DT_INDEXED256 | TF_DT_INDEXED16 | TF_DT_GREY | TF_DT_BW;
  return CodecEntry<Codec::Gif>("GIF", "Graphics Interchange Format", "gif", types, types,
                                GifGetFileData, GifFileWrite, GifDefaults);
}

}  // namespace tf
