// The host's image codecs: PNG, JPEG and GIF files decoded into rows of the
// host's pixel forms and encoded from them. A plain C++ interface without
// platform types; the format dispatcher wraps it into the host's formats.
//
// Decoding: open a file (or bytes in memory) with openDecoder, read the header
// facts from facts(), then fetch the rows top-down, one at a time, in the form
// the caller asks for. Encoding: makeEncoder with the image size, the form of
// the rows and the options, hand it the rows top-down, then finish() gives the
// file's bytes (or writeFileAtomically stores them).
//
// Failures never throw and never crash: every call reports an Error with a
// code and an English message naming what was wrong. Sizes read from a file
// are checked against DecodeLimits before anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lvcodecs {

// The file formats the codecs handle.
enum class Codec : std::uint8_t { Png, Jpeg, Gif };

// Short name of a codec: "PNG", "JPEG" or "GIF".
const char* codecName(Codec codec);

// Recognises a codec by the signature in the first bytes of a file (8 bytes
// suffice). Returns nothing when the bytes are none of the three formats.
std::optional<Codec> sniffCodec(const std::uint8_t* data, std::size_t size);

// What went wrong.
enum class ErrorCode : std::uint8_t {
  None,
  FileNotFound,     // the file cannot be opened
  ReadFailed,       // the file cannot be read, or the output cannot be written
  NotThisFormat,    // the bytes do not start with the codec's signature
  Corrupt,          // the data are broken (bad header, bad compressed data)
  Truncated,        // the data end before the image does
  TooLarge,         // the image exceeds DecodeLimits (or the format's own limits)
  Unsupported,      // a valid file or request the codec does not handle
  InvalidArgument,  // the caller's request is wrong (form, size, options, row order)
  OutOfMemory,
};

// An error: code and message. A default Error means success.
struct Error {
  ErrorCode code = ErrorCode::None;
  std::string message;
  explicit operator bool() const { return code != ErrorCode::None; }
};

// The host's row forms. Rows are top-down, tightly packed (no padding):
//   Rgb24    3 bytes a pixel in the order R, G, B
//   Indexed8 1 byte a pixel, an index into the palette
//   Grey8    1 byte a pixel, 0 black .. 255 white
//   Bw1      1 bit a pixel, most significant bit first, 1 white and 0 black;
//            the unused low bits of a row's last byte are 0
enum class RowForm : std::uint8_t { Rgb24, Indexed8, Grey8, Bw1 };

// Bytes of one row of WIDTH pixels in FORM.
std::size_t rowBytes(RowForm form, std::uint32_t width);

// One palette entry.
struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour model of the stored data.
enum class ColourModel : std::uint8_t {
  Grey,       // PNG grey, JPEG one component
  GreyAlpha,  // PNG grey with alpha
  Palette,    // PNG palette, GIF
  Rgb,        // PNG RGB, JPEG RGB (stored without colour transform)
  Rgba,       // PNG RGB with alpha
  YCbCr,      // JPEG three components with the YCbCr transform
  Cmyk,       // JPEG four components without transform
  Ycck,       // JPEG four components with the YCCK transform
};

// The compression of the stored data.
enum class Compression : std::uint8_t { None, Lzw, Deflate, JpegDct };

// The unit of a resolution. None: the numbers give only the pixels' aspect.
enum class ResolutionUnit : std::uint8_t { None, PerInch, PerMetre };

// A resolution as the file stores it (JPEG dots per centimetre are given per
// metre, times 100).
struct Resolution {
  ResolutionUnit unit = ResolutionUnit::None;
  std::uint32_t x = 0;
  std::uint32_t y = 0;
};

// Dots per inch of VALUE in UNIT; 0 when the unit is None.
double dotsPerInch(std::uint32_t value, ResolutionUnit unit);

// The header facts of a decoded file.
struct ImageFacts {
  Codec codec = Codec::Png;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // Bits per stored sample (PNG 1, 2, 4, 8, 16; JPEG 8; GIF the bits of the
  // colour table, 1..8) and per stored pixel (samples times channels; GIF as
  // the colour table).
  std::uint8_t bitsPerSample = 8;
  std::uint8_t channels = 0;
  std::uint16_t bitsPerPixel = 0;
  ColourModel model = ColourModel::Rgb;
  // JPEG only: 1 grey, 2 RGB, 3 Y/Cb/Cr, 4 C/M/Y/K, 5 Y/Cb/Cr/K; else 0.
  int jpegColourModel = 0;
  // PNG palette or the GIF colour table of the first image (its local table
  // when it has one, otherwise the global table); empty for other models.
  std::vector<Rgb> palette;
  // Transparent palette index (PNG: the first fully transparent palette
  // entry; GIF: the first image's graphic control) and its colour; -1 none.
  int transparentIndex = -1;
  Rgb transparentColour;
  bool hasAlpha = false;     // PNG alpha channel or partial tRNS transparency
  bool interlaced = false;   // PNG Adam7, GIF interlaced rows
  bool progressive = false;  // JPEG progressive
  bool jfifMarker = false;   // JPEG APP0 "JFIF"
  bool adobeMarker = false;  // JPEG APP14 "Adobe"
  Compression compression = Compression::None;
  Resolution resolution;
  // The form that keeps every detail of the file: Indexed8 for palette
  // files, Grey8 for grey (Bw1 for 1-bit grey PNG), Rgb24 otherwise.
  RowForm naturalForm = RowForm::Rgb24;
};

// Limits checked before a decoder allocates anything for an image. The
// defaults accept up to 65535 pixels a side and 2^28 pixels in all (1 GiB of
// R,G,B rows at most); larger images are refused with TooLarge.
struct DecodeLimits {
  std::uint32_t maxSide = 65535;
  std::uint64_t maxPixels = std::uint64_t{1} << 28;
  // Largest input file read into memory by openDecoderFile.
  std::uint64_t maxFileBytes = std::uint64_t{1} << 31;
};

// A decoder of one file. Rows come top-down, one call per row; an interlaced
// or progressive file is decoded completely before the first row is given.
// A decoder reads only the first image of a file with several (GIF).
class Decoder {
 public:
  virtual ~Decoder() = default;

  // The header facts, valid from opening on.
  virtual const ImageFacts& facts() const = 0;

  // Decodes the next row into OUT (rowBytes(form, width) bytes) in FORM.
  // Every form works from every model, except Indexed8, which needs a palette
  // or grey model (grey gives the indices 0..255 of a grey ramp; PNG grey of
  // fewer bits is scaled to it). Colours with transparency (alpha) are shown
  // over white; Grey8 from colour is the luminance 0.299 R + 0.587 G +
  // 0.114 B; Bw1 is white where that luminance is 128 or more. After a failure
  // (broken data) every further call fails with the same error. Returns false
  // with ERROR set on failure, or when all rows have been read.
  virtual bool readRow(RowForm form, std::uint8_t* out, Error* error) = 0;

  // Index of the row the next readRow delivers (0 .. height).
  virtual std::uint32_t nextRow() const = 0;
};

// Opens a decoder on DATA (the decoder keeps its own reference to the bytes,
// taking ownership of the vector). CODEC nothing: recognised by signature.
// Reads the header facts at once; returns null with ERROR set when the bytes
// are not a readable image of that codec or exceed LIMITS.
std::unique_ptr<Decoder> openDecoder(std::vector<std::uint8_t> data, std::optional<Codec> codec,
                                     Error* error, const DecodeLimits& limits = {});

// As openDecoder, reading the file at PATH (a path of the host system).
std::unique_ptr<Decoder> openDecoderFile(const std::string& path, std::optional<Codec> codec,
                                         Error* error, const DecodeLimits& limits = {});

// Reads the whole image in FORM into OUT (height rows of rowBytes each) and
// the facts into FACTS. Returns false with ERROR set on any failure.
bool decodeImage(std::vector<std::uint8_t> data, std::optional<Codec> codec, RowForm form,
                 ImageFacts* facts, std::vector<std::uint8_t>* out, Error* error,
                 const DecodeLimits& limits = {});

// Options of an encoder; each codec uses the ones that apply to it.
struct EncodeOptions {
  int quality = 75;           // JPEG quality 1 .. 100
  bool progressive = false;   // JPEG progressive
  bool interlace = false;     // PNG Adam7, GIF interlaced rows
  int transparentIndex = -1;  // PNG tRNS and GIF graphic control for Indexed8 rows; -1 none
  Resolution resolution;      // stored by PNG (pHYs) and JPEG (JFIF density)
};

// An image to encode: its size, the form of the rows the caller gives and,
// for Indexed8, the palette (1 .. 256 entries; every index must lie below
// its size).
struct EncodePlan {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  RowForm form = RowForm::Rgb24;
  std::vector<Rgb> palette;
};

// What each codec stores from each form:
//   PNG:  Rgb24 as RGB, Indexed8 as a palette (1, 2, 4 or 8 bits chosen by
//         the palette size), Grey8 as 8-bit grey, Bw1 as 1-bit grey.
//   JPEG: Rgb24 and Indexed8 (through the palette) as Y/Cb/Cr, Grey8 and Bw1
//         as grey. The transparent index is not stored.
//   GIF:  Indexed8 with its palette, Grey8 with a 256-level grey table, Bw1
//         with a black and white table; Rgb24 is refused (Unsupported): the
//         caller reduces the colours first.
class Encoder {
 public:
  virtual ~Encoder() = default;

  // Takes the next row (rowBytes(form, width) bytes in the plan's form).
  // Returns false with ERROR set on failure (too many rows, an index beyond
  // the palette, an encoding failure); after a failure the encoder is dead.
  virtual bool writeRow(const std::uint8_t* row, Error* error) = 0;

  // After the last row: completes the file and gives its bytes. Returns
  // false with ERROR set when rows are missing or encoding failed.
  virtual bool finish(std::vector<std::uint8_t>* file, Error* error) = 0;
};

// Makes an encoder for CODEC. Returns null with ERROR set when the plan or
// the options are invalid (size 0 or beyond the format's limit, a palette of
// 0 or more than 256 entries, a quality outside 1..100, a transparent index
// beyond the palette, a form the codec does not store).
std::unique_ptr<Encoder> makeEncoder(Codec codec, const EncodePlan& plan,
                                     const EncodeOptions& options, Error* error);

// Encodes a whole image whose rows lie in ROWS (height rows of rowBytes each,
// top-down) into FILE. Returns false with ERROR set on failure.
bool encodeImage(Codec codec, const EncodePlan& plan, const EncodeOptions& options,
                 const std::uint8_t* rows, std::vector<std::uint8_t>* file, Error* error);

// Writes BYTES to PATH (a path of the host system) through a temporary file
// in the same folder that is renamed over PATH once complete, so PATH is
// never left half written. Returns false with ERROR set on failure.
bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         Error* error);

}  // namespace lvcodecs
