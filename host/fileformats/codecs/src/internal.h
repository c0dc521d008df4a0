// Pieces shared by the codecs: error helpers, the decoders' and encoders'
// common state machines, the conversion of decoded rows into the host's forms
// and the factories of the three codecs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codecs.h"

namespace lvcodecs::detail {

// Sets ERROR (when not null) to CODE and MESSAGE; returns false so callers
// can write "return fail(...)".
bool fail(Error* error, ErrorCode code, std::string message);

// The forms in which decoders deliver their own rows before conversion.
enum class SourceKind : std::uint8_t {
  Grey8,       // one byte a pixel
  GreyAlpha8,  // grey, alpha
  Indexed8,    // one index a pixel, with a palette and per-entry alpha
  Rgb24,       // R, G, B
  Rgba32,      // R, G, B, alpha
  Cmyk32,      // C, M, Y, K as the JPEG library gives them
};

// A full 256-entry palette with an alpha per entry (255 opaque); entries the
// file does not define are opaque black.
struct PaletteTable {
  std::array<Rgb, 256> colours{};
  std::array<std::uint8_t, 256> alpha{};
  PaletteTable() { alpha.fill(255); }
};

// One decoded row and how to read it.
struct SourceRow {
  SourceKind kind = SourceKind::Rgb24;
  const std::uint8_t* data = nullptr;
  std::uint32_t width = 0;
  const PaletteTable* palette = nullptr;  // for Indexed8
  bool invertedCmyk = false;              // for Cmyk32: stored inverted (Adobe)
};

// True when rows of KIND can be delivered as FORM.
bool canConvert(SourceKind kind, RowForm form);

// Converts ROW into FORM at OUT (rowBytes(form, row.width) bytes). The pair
// must satisfy canConvert.
void convertRow(const SourceRow& row, RowForm form, std::uint8_t* out);

// Checks a header's size against LIMITS before anything is allocated.
bool checkImageSize(std::uint64_t width, std::uint64_t height, const DecodeLimits& limits,
                    Error* error);

// The state every decoder shares: facts, row counter, the sticky failure.
class DecoderBase : public Decoder {
 public:
  const ImageFacts& facts() const override { return facts_; }
  bool readRow(RowForm form, std::uint8_t* out, Error* error) final;
  std::uint32_t nextRow() const override { return nextRow_; }

 protected:
  // Decodes the row with index nextRow() into ROW; returns false with ERROR.
  virtual bool decodeRow(SourceRow* row, Error* error) = 0;

  ImageFacts facts_;
  SourceKind sourceKind_ = SourceKind::Rgb24;

 private:
  std::uint32_t nextRow_ = 0;
  Error failure_;
};

// The state every encoder shares: row counting, index checks, the sticky
// failure.
class EncoderBase : public Encoder {
 public:
  EncoderBase(const EncodePlan& plan, const EncodeOptions& options)
      : plan_(plan), options_(options) {}
  bool writeRow(const std::uint8_t* row, Error* error) final;
  bool finish(std::vector<std::uint8_t>* file, Error* error) final;

 protected:
  // Takes the row with index rowsTaken(); returns false with ERROR.
  virtual bool takeRow(const std::uint8_t* row, Error* error) = 0;
  // Completes the file after the last row.
  virtual bool complete(std::vector<std::uint8_t>* file, Error* error) = 0;
  std::uint32_t rowsTaken() const { return rowsTaken_; }

  EncodePlan plan_;
  EncodeOptions options_;

 private:
  std::uint32_t rowsTaken_ = 0;
  bool finished_ = false;
  Error failure_;
};

// Checks what every codec requires of a plan and its options.
bool checkEncodePlan(const EncodePlan& plan, const EncodeOptions& options, std::uint32_t maxSide,
                     Error* error);

// Expands a row of FORM into R,G,B (Indexed8 through PALETTE).
void rowToRgb(RowForm form, const std::uint8_t* row, std::uint32_t width,
              const std::vector<Rgb>& palette, std::uint8_t* rgb);

// Expands a row of Grey8 or Bw1 into one grey byte a pixel.
void rowToGrey(RowForm form, const std::uint8_t* row, std::uint32_t width, std::uint8_t* grey);

// The codecs' factories; DATA stays owned by the decoder.
std::unique_ptr<Decoder> openPngDecoder(std::vector<std::uint8_t> data, Error* error,
                                        const DecodeLimits& limits);
std::unique_ptr<Decoder> openJpegDecoder(std::vector<std::uint8_t> data, Error* error,
                                         const DecodeLimits& limits);
std::unique_ptr<Decoder> openGifDecoder(std::vector<std::uint8_t> data, Error* error,
                                        const DecodeLimits& limits);
std::unique_ptr<Encoder> makePngEncoder(const EncodePlan& plan, const EncodeOptions& options,
                                        Error* error);
std::unique_ptr<Encoder> makeJpegEncoder(const EncodePlan& plan, const EncodeOptions& options,
                                         Error* error);
std::unique_ptr<Encoder> makeGifEncoder(const EncodePlan& plan, const EncodeOptions& options,
                                        Error* error);

}  // namespace lvcodecs::detail
