// PNG decoding with libpng. libpng reports errors by jumping back to the
// setjmp of the call that failed; each such call sits in a small guard
// function whose frame holds nothing that needs destruction, so the jump
// never skips a C++ destructor.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "internal.h"
#include "png_errors.h"

namespace lvcodecs::detail {
namespace {

// What libpng's callbacks see: the input and the last error.
struct PngInput {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  bool truncated = false;
  PngErrors errors;
};

void readPngBytes(png_structp png, png_bytep out, std::size_t length) {
  auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
  if (length > input->size - input->pos) {
    input->truncated = true;
    png_error(png, "the data end before the image does");
  }
  std::memcpy(out, input->data + input->pos, length);
  input->pos += length;
}

bool guardedReadInfo(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  return true;
}

// Asks libpng for 8-bit samples, palette indices one a byte, grey of fewer
// bits scaled to 8 and single-colour transparency as alpha.
bool guardedSetTransforms(png_structp png, png_infop info, int bitDepth, int colourType,
                          bool keyTransparency) {
  if (setjmp(png_jmpbuf(png))) return false;
  if (bitDepth == 16) png_set_scale_16(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE && bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (keyTransparency) png_set_tRNS_to_alpha(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

bool guardedReadRow(png_structp png, png_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_row(png, row, nullptr);
  return true;
}

bool guardedReadImage(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

ColourModel modelOf(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
      return ColourModel::Grey;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return ColourModel::GreyAlpha;
    case PNG_COLOR_TYPE_PALETTE:
      return ColourModel::Palette;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return ColourModel::Rgba;
    default:
      return ColourModel::Rgb;
  }
}

SourceKind kindOfChannels(int channels, bool palette) {
  if (palette) return SourceKind::Indexed8;
  switch (channels) {
    case 1:
      return SourceKind::Grey8;
    case 2:
      return SourceKind::GreyAlpha8;
    case 3:
      return SourceKind::Rgb24;
    default:
      return SourceKind::Rgba32;
  }
}

class PngDecoder final : public DecoderBase {
 public:
  explicit PngDecoder(std::vector<std::uint8_t> data) : data_(std::move(data)) {
    input_.data = data_.data();
    input_.size = data_.size();
  }
  ~PngDecoder() override { png_destroy_read_struct(&png_, &info_, nullptr); }

  // Reads the header and prepares the transformations.
  bool open(const DecodeLimits& limits, Error* error);

 protected:
  bool decodeRow(SourceRow* row, Error* error) override;

 private:
  bool libraryFailure(Error* error) const {
    return fail(error, input_.truncated ? ErrorCode::Truncated : ErrorCode::Corrupt,
                std::string("broken PNG data (") + input_.errors.message + ")");
  }
  void readFacts(int bitDepth, int colourType, int interlace);
  bool readWholeImage(Error* error);

  std::vector<std::uint8_t> data_;
  PngInput input_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  PaletteTable palette_;
  std::size_t rowBytes_ = 0;
  std::vector<std::uint8_t> pixels_;  // one row, or the whole interlaced image
  bool wholeRead_ = false;
};

bool PngDecoder::open(const DecodeLimits& limits, Error* error) {
  png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &input_.errors, onPngError, onPngWarning);
  if (png_) info_ = png_create_info_struct(png_);
  if (!png_ || !info_) return fail(error, ErrorCode::OutOfMemory, "cannot set up the PNG reader");
  png_set_read_fn(png_, &input_, readPngBytes);
  png_set_user_limits(png_, 0x7fffffff, 0x7fffffff);
  if (!guardedReadInfo(png_, info_)) return libraryFailure(error);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png_, info_, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
  if (!checkImageSize(width, height, limits, error)) return false;
  readFacts(bitDepth, colourType, interlace);
  bool keyTransparency = facts_.hasAlpha && colourType != PNG_COLOR_TYPE_PALETTE &&
                         (colourType & PNG_COLOR_MASK_ALPHA) == 0;
  if (!guardedSetTransforms(png_, info_, bitDepth, colourType, keyTransparency)) {
    return libraryFailure(error);
  }
  int channels = png_get_channels(png_, info_);
  sourceKind_ = kindOfChannels(channels, colourType == PNG_COLOR_TYPE_PALETTE);
  rowBytes_ = png_get_rowbytes(png_, info_);
  if (rowBytes_ != std::size_t{width} * static_cast<std::size_t>(channels)) {
    return fail(error, ErrorCode::Unsupported, "unexpected PNG row layout");
  }
  if (!facts_.interlaced) pixels_.resize(rowBytes_);
  return true;
}

void PngDecoder::readFacts(int bitDepth, int colourType, int interlace) {
  facts_.codec = Codec::Png;
  facts_.width = png_get_image_width(png_, info_);
  facts_.height = png_get_image_height(png_, info_);
  facts_.bitsPerSample = static_cast<std::uint8_t>(bitDepth);
  facts_.channels = png_get_channels(png_, info_);
  facts_.bitsPerPixel = static_cast<std::uint16_t>(bitDepth * facts_.channels);
  facts_.model = modelOf(colourType);
  facts_.compression = Compression::Deflate;
  facts_.interlaced = interlace != PNG_INTERLACE_NONE;
  facts_.hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;
  png_colorp colours = nullptr;
  int count = 0;
  if (png_get_PLTE(png_, info_, &colours, &count) && colourType == PNG_COLOR_TYPE_PALETTE) {
    for (int i = 0; i < count && i < 256; ++i) {
      Rgb c{colours[i].red, colours[i].green, colours[i].blue};
      facts_.palette.push_back(c);
      palette_.colours[static_cast<std::size_t>(i)] = c;
    }
  }
  png_bytep alpha = nullptr;
  int alphaCount = 0;
  png_color_16p key = nullptr;
  if (png_get_tRNS(png_, info_, &alpha, &alphaCount, &key)) {
    facts_.hasAlpha = true;
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
      for (int i = 0; i < alphaCount && i < 256; ++i) {
        palette_.alpha[static_cast<std::size_t>(i)] = alpha[i];
        if (alpha[i] == 0 && facts_.transparentIndex < 0) {
          facts_.transparentIndex = i;
          facts_.transparentColour = palette_.colours[static_cast<std::size_t>(i)];
        }
      }
    }
  }
  png_uint_32 resX = 0, resY = 0;
  int unit = 0;
  if (png_get_pHYs(png_, info_, &resX, &resY, &unit)) {
    facts_.resolution.unit =
        unit == PNG_RESOLUTION_METER ? ResolutionUnit::PerMetre : ResolutionUnit::None;
    facts_.resolution.x = resX;
    facts_.resolution.y = resY;
  }
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    facts_.naturalForm = RowForm::Indexed8;
  } else if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth == 1 && !facts_.hasAlpha) {
    facts_.naturalForm = RowForm::Bw1;
  } else if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
    facts_.naturalForm = RowForm::Grey8;
  } else {
    facts_.naturalForm = RowForm::Rgb24;
  }
}

bool PngDecoder::readWholeImage(Error* error) {
  pixels_.resize(rowBytes_ * facts_.height);
  std::vector<png_bytep> rows(facts_.height);
  for (std::uint32_t y = 0; y < facts_.height; ++y) rows[y] = pixels_.data() + rowBytes_ * y;
  if (!guardedReadImage(png_, rows.data())) return libraryFailure(error);
  wholeRead_ = true;
  return true;
}

bool PngDecoder::decodeRow(SourceRow* row, Error* error) {
  row->kind = sourceKind_;
  row->width = facts_.width;
  row->palette = &palette_;
  if (facts_.interlaced) {
    if (!wholeRead_ && !readWholeImage(error)) return false;
    row->data = pixels_.data() + rowBytes_ * nextRow();
    return true;
  }
  if (!guardedReadRow(png_, pixels_.data())) return libraryFailure(error);
  row->data = pixels_.data();
  return true;
}

}  // namespace

std::unique_ptr<Decoder> openPngDecoder(std::vector<std::uint8_t> data, Error* error,
                                        const DecodeLimits& limits) {
  auto decoder = std::make_unique<PngDecoder>(std::move(data));
  if (!decoder->open(limits, error)) return nullptr;
  return decoder;
}

}  // namespace lvcodecs::detail
