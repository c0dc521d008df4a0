// GIF encoding with giflib: one image with its colour table (the palette
// padded to a power of two), optional transparency (graphic control, GIF89a)
// and optional interlaced rows.
#include <gif_lib.h>

#include <cstring>
#include <new>

#include "internal.h"

namespace lvcodecs::detail {
namespace {

constexpr std::uint32_t kMaxGifSide = 65535;

struct GifOutput {
  std::vector<std::uint8_t> bytes;
  bool outOfMemory = false;
};

int writeGifBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* output = static_cast<GifOutput*>(gif->UserData);
  try {
    output->bytes.insert(output->bytes.end(), data, data + length);
  } catch (const std::bad_alloc&) {
    output->outOfMemory = true;
    return 0;
  }
  return length;
}

// The colour table a form is stored with.
std::vector<Rgb> tableFor(const EncodePlan& plan) {
  std::vector<Rgb> table;
  if (plan.form == RowForm::Indexed8) {
    table = plan.palette;
  } else if (plan.form == RowForm::Bw1) {
    table = {{0, 0, 0}, {255, 255, 255}};
  } else {
    for (int i = 0; i < 256; ++i) {
      auto v = static_cast<std::uint8_t>(i);
      table.push_back({v, v, v});
    }
  }
  std::size_t size = 2;
  while (size < table.size()) size *= 2;
  table.resize(size);
  return table;
}

int bitsFor(std::size_t tableSize) {
  int bits = 1;
  while ((std::size_t{1} << bits) < tableSize) ++bits;
  return bits;
}

class GifEncoder final : public EncoderBase {
 public:
  using EncoderBase::EncoderBase;
  ~GifEncoder() override { close(nullptr); }

  // Opens giflib and writes the screen, the graphic control and the image
  // descriptor.
  bool start(Error* error);

 protected:
  bool takeRow(const std::uint8_t* row, Error* error) override;
  bool complete(std::vector<std::uint8_t>* file, Error* error) override;

 private:
  bool gifFailure(int code, Error* error) const {
    if (output_.outOfMemory) return fail(error, ErrorCode::OutOfMemory, "not enough memory");
    const char* text = GifErrorString(code);
    return fail(error, ErrorCode::Corrupt,
                std::string("cannot encode the GIF image (") + (text ? text : "?") + ")");
  }
  bool writeScreen(Error* error);
  bool putLine(const std::uint8_t* row, Error* error);
  // Closes giflib (writing the trailer); true when that succeeded.
  bool close(Error* error);

  GifOutput output_;
  GifFileType* gif_ = nullptr;
  std::vector<std::uint8_t> line_;
  std::vector<std::uint8_t> rows_;  // all rows of an interlaced image
};

bool GifEncoder::start(Error* error) {
  int code = 0;
  gif_ = EGifOpen(&output_, writeGifBytes, &code);
  if (!gif_) return gifFailure(code, error);
  line_.resize(plan_.width);
  if (options_.interlace) rows_.resize(rowBytes(plan_.form, plan_.width) * plan_.height);
  return writeScreen(error);
}

bool GifEncoder::writeScreen(Error* error) {
  std::vector<Rgb> table = tableFor(plan_);
  std::vector<GifColorType> colours(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    colours[i] = {table[i].r, table[i].g, table[i].b};
  }
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  if (!map) return fail(error, ErrorCode::OutOfMemory, "not enough memory for the colour table");
  bool transparent = options_.transparentIndex >= 0 && plan_.form == RowForm::Indexed8;
  EGifSetGifVersion(gif_, transparent);
  int bits = bitsFor(table.size());
  int sw = static_cast<int>(plan_.width), sh = static_cast<int>(plan_.height);
  bool ok = EGifPutScreenDesc(gif_, sw, sh, bits, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  if (!ok) return gifFailure(gif_->Error, error);
  if (transparent) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.TransparentColor = options_.transparentIndex;
    GifByteType block[4];
    EGifGCBToExtension(&control, block);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, block) != GIF_OK) {
      return gifFailure(gif_->Error, error);
    }
  }
  if (EGifPutImageDesc(gif_, 0, 0, sw, sh, options_.interlace, nullptr) != GIF_OK) {
    return gifFailure(gif_->Error, error);
  }
  return true;
}

// Writes one row as indices (giflib masks the line it is given in place, so
// it gets a copy).
bool GifEncoder::putLine(const std::uint8_t* row, Error* error) {
  if (plan_.form == RowForm::Bw1) {
    rowToGrey(RowForm::Bw1, row, plan_.width, line_.data());
    for (auto& v : line_) v = v ? 1 : 0;
  } else {
    std::memcpy(line_.data(), row, plan_.width);
  }
  if (EGifPutLine(gif_, line_.data(), static_cast<int>(plan_.width)) != GIF_OK) {
    return gifFailure(gif_->Error, error);
  }
  return true;
}

bool GifEncoder::takeRow(const std::uint8_t* row, Error* error) {
  if (options_.interlace) {
    std::size_t stride = rowBytes(plan_.form, plan_.width);
    std::memcpy(rows_.data() + stride * rowsTaken(), row, stride);
    return true;
  }
  return putLine(row, error);
}

bool GifEncoder::complete(std::vector<std::uint8_t>* file, Error* error) {
  if (options_.interlace) {
    static const std::uint32_t kStart[4] = {0, 4, 2, 1};
    static const std::uint32_t kStep[4] = {8, 8, 4, 2};
    std::size_t stride = rowBytes(plan_.form, plan_.width);
    for (int pass = 0; pass < 4; ++pass) {
      for (std::uint32_t y = kStart[pass]; y < plan_.height; y += kStep[pass]) {
        if (!putLine(rows_.data() + stride * y, error)) return false;
      }
    }
  }
  if (!close(error)) return false;
  *file = std::move(output_.bytes);
  return true;
}

bool GifEncoder::close(Error* error) {
  if (!gif_) return true;
  int code = 0;
  bool ok = EGifCloseFile(gif_, &code) == GIF_OK;
  gif_ = nullptr;
  return ok || gifFailure(code, error);
}

}  // namespace

std::unique_ptr<Encoder> makeGifEncoder(const EncodePlan& plan, const EncodeOptions& options,
                                        Error* error) {
  if (!checkEncodePlan(plan, options, kMaxGifSide, error)) return nullptr;
  if (plan.form == RowForm::Rgb24) {
    fail(error, ErrorCode::Unsupported,
         "GIF stores at most 256 colours: reduce the image's colours before saving");
    return nullptr;
  }
  auto encoder = std::make_unique<GifEncoder>(plan, options);
  if (!encoder->start(error)) return nullptr;
  return encoder;
}

}  // namespace lvcodecs::detail
