// PNG encoding with libpng; errors come back through guard functions as in
// the decoder. Rows are written as they come, except for interlaced files,
// which libpng needs whole.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

#include "internal.h"
#include "png_errors.h"

namespace lvcodecs::detail {
namespace {

// What libpng's callbacks see: the bytes written so far and the last error.
struct PngOutput {
  std::vector<std::uint8_t> bytes;
  bool outOfMemory = false;
  PngErrors errors;
};

void writePngBytes(png_structp png, png_bytep data, std::size_t length) {
  auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
  try {
    output->bytes.insert(output->bytes.end(), data, data + length);
  } catch (const std::bad_alloc&) {
    output->outOfMemory = true;
  }
  if (output->outOfMemory) png_error(png, "not enough memory for the file");
}

void flushPng(png_structp) {}

// The header chunks libpng writes, decided before any call into it.
struct PngHeader {
  png_uint_32 width = 0, height = 0;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB;
  int interlace = PNG_INTERLACE_NONE;
  png_color palette[256] = {};
  int paletteSize = 0;
  png_byte alpha[256] = {};
  int alphaCount = 0;
  png_uint_32 resX = 0, resY = 0;
  int resUnit = -1;  // -1: no pHYs chunk
};

bool guardedWriteHeader(png_structp png, png_infop info, const PngHeader* h) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, h->width, h->height, h->bitDepth, h->colourType, h->interlace,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (h->paletteSize > 0) png_set_PLTE(png, info, h->palette, h->paletteSize);
  if (h->alphaCount > 0) png_set_tRNS(png, info, h->alpha, h->alphaCount, nullptr);
  if (h->resUnit >= 0) png_set_pHYs(png, info, h->resX, h->resY, h->resUnit);
  png_write_info(png, info);
  if (h->colourType == PNG_COLOR_TYPE_PALETTE && h->bitDepth < 8) png_set_packing(png);
  png_set_interlace_handling(png);
  return true;
}

bool guardedWriteRow(png_structp png, png_const_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_row(png, row);
  return true;
}

bool guardedWriteImage(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_image(png, rows);
  return true;
}

bool guardedWriteEnd(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_write_end(png, info);
  return true;
}

// Fewest bits a pixel that hold every index of a palette of COUNT colours.
int indexBits(std::size_t count) {
  if (count <= 2) return 1;
  if (count <= 4) return 2;
  if (count <= 16) return 4;
  return 8;
}

void describe(const EncodePlan& plan, const EncodeOptions& options, PngHeader* h) {
  h->width = plan.width;
  h->height = plan.height;
  h->interlace = options.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;
  switch (plan.form) {
    case RowForm::Rgb24:
      h->colourType = PNG_COLOR_TYPE_RGB;
      break;
    case RowForm::Grey8:
      h->colourType = PNG_COLOR_TYPE_GRAY;
      break;
    case RowForm::Bw1:
      h->colourType = PNG_COLOR_TYPE_GRAY;
      h->bitDepth = 1;
      break;
    case RowForm::Indexed8:
      h->colourType = PNG_COLOR_TYPE_PALETTE;
      h->bitDepth = indexBits(plan.palette.size());
      h->paletteSize = static_cast<int>(plan.palette.size());
      for (std::size_t i = 0; i < plan.palette.size(); ++i) {
        h->palette[i] = {plan.palette[i].r, plan.palette[i].g, plan.palette[i].b};
      }
      if (options.transparentIndex >= 0) {
        h->alphaCount = options.transparentIndex + 1;
        for (int i = 0; i < h->alphaCount; ++i) h->alpha[i] = 255;
        h->alpha[options.transparentIndex] = 0;
      }
      break;
  }
  if (options.resolution.unit == ResolutionUnit::PerMetre) {
    h->resUnit = PNG_RESOLUTION_METER;
    h->resX = options.resolution.x;
    h->resY = options.resolution.y;
  } else if (options.resolution.unit == ResolutionUnit::PerInch) {
    h->resUnit = PNG_RESOLUTION_METER;
    h->resX = static_cast<png_uint_32>(options.resolution.x / 0.0254 + 0.5);
    h->resY = static_cast<png_uint_32>(options.resolution.y / 0.0254 + 0.5);
  } else if (options.resolution.x > 0 && options.resolution.y > 0) {
    h->resUnit = PNG_RESOLUTION_UNKNOWN;
    h->resX = options.resolution.x;
    h->resY = options.resolution.y;
  }
}

class PngEncoder final : public EncoderBase {
 public:
  using EncoderBase::EncoderBase;
  ~PngEncoder() override { png_destroy_write_struct(&png_, &info_); }

  // Sets up libpng and writes the header chunks.
  bool start(Error* error);

 protected:
  bool takeRow(const std::uint8_t* row, Error* error) override;
  bool complete(std::vector<std::uint8_t>* file, Error* error) override;

 private:
  bool libraryFailure(Error* error) const {
    return fail(error, output_.outOfMemory ? ErrorCode::OutOfMemory : ErrorCode::Corrupt,
                std::string("cannot encode the PNG image (") + output_.errors.message + ")");
  }

  PngOutput output_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::size_t stride_ = 0;
  std::vector<std::uint8_t> rows_;  // all rows of an interlaced image
};

bool PngEncoder::start(Error* error) {
  png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output_.errors, onPngError, onPngWarning);
  if (png_) info_ = png_create_info_struct(png_);
  if (!png_ || !info_) return fail(error, ErrorCode::OutOfMemory, "cannot set up the PNG writer");
  png_set_write_fn(png_, &output_, writePngBytes, flushPng);
  auto header = std::make_unique<PngHeader>();
  describe(plan_, options_, header.get());
  if (!guardedWriteHeader(png_, info_, header.get())) return libraryFailure(error);
  stride_ = rowBytes(plan_.form, plan_.width);
  if (options_.interlace) rows_.resize(stride_ * plan_.height);
  return true;
}

bool PngEncoder::takeRow(const std::uint8_t* row, Error* error) {
  if (options_.interlace) {
    std::memcpy(rows_.data() + stride_ * rowsTaken(), row, stride_);
    return true;
  }
  if (!guardedWriteRow(png_, row)) return libraryFailure(error);
  return true;
}

bool PngEncoder::complete(std::vector<std::uint8_t>* file, Error* error) {
  if (options_.interlace) {
    std::vector<png_bytep> rows(plan_.height);
    for (std::uint32_t y = 0; y < plan_.height; ++y) rows[y] = rows_.data() + stride_ * y;
    if (!guardedWriteImage(png_, rows.data())) return libraryFailure(error);
  }
  if (!guardedWriteEnd(png_, info_)) return libraryFailure(error);
  *file = std::move(output_.bytes);
  return true;
}

}  // namespace

std::unique_ptr<Encoder> makePngEncoder(const EncodePlan& plan, const EncodeOptions& options,
                                        Error* error) {
  if (!checkEncodePlan(plan, options, 0x7fffffff, error)) return nullptr;
  auto encoder = std::make_unique<PngEncoder>(plan, options);
  if (!encoder->start(error)) return nullptr;
  return encoder;
}

}  // namespace lvcodecs::detail
