// GIF decoding with giflib: the first image of a file, placed on the logical
// screen, with its colour table and the transparent index of its graphic
// control. giflib reports errors by codes; nothing jumps.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "internal.h"

namespace lvcodecs::detail {
namespace {

struct GifInput {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
};

int readGifBytes(GifFileType* gif, GifByteType* out, int length) {
  auto* input = static_cast<GifInput*>(gif->UserData);
  std::size_t count = std::min(static_cast<std::size_t>(std::max(length, 0)),
                               input->size - input->pos);
  std::memcpy(out, input->data + input->pos, count);
  input->pos += count;
  return static_cast<int>(count);
}

// The error of giflib's code CODE.
bool gifFailure(int code, Error* error) {
  const char* text = GifErrorString(code);
  std::string message = std::string("broken GIF data (") + (text ? text : "unknown error") + ")";
  if (code == D_GIF_ERR_READ_FAILED || code == D_GIF_ERR_EOF_TOO_SOON) {
    return fail(error, ErrorCode::Truncated, "the GIF data end before the image does");
  }
  if (code == D_GIF_ERR_NOT_ENOUGH_MEM) return fail(error, ErrorCode::OutOfMemory, message);
  return fail(error, ErrorCode::Corrupt, message);
}

class GifDecoder final : public DecoderBase {
 public:
  explicit GifDecoder(std::vector<std::uint8_t> data) : data_(std::move(data)) {
    input_.data = data_.data();
    input_.size = data_.size();
  }
  ~GifDecoder() override {
    int ignored = 0;
    if (gif_) DGifCloseFile(gif_, &ignored);
  }

  // Reads the screen and the records up to the first image's descriptor.
  bool open(const DecodeLimits& limits, Error* error);

 protected:
  bool decodeRow(SourceRow* row, Error* error) override;

 private:
  bool findFirstImage(Error* error);
  bool readExtension(Error* error);
  void readFacts();
  bool readFrame(Error* error);

  std::vector<std::uint8_t> data_;
  GifInput input_;
  GifFileType* gif_ = nullptr;
  GraphicsControlBlock control_{};
  std::uint32_t frameLeft_ = 0, frameTop_ = 0;
  PaletteTable palette_;
  std::vector<std::uint8_t> canvas_;  // one index a pixel, the whole image
};

bool GifDecoder::open(const DecodeLimits& limits, Error* error) {
  int code = 0;
  gif_ = DGifOpen(&input_, readGifBytes, &code);
  if (!gif_) return gifFailure(code, error);
  control_.TransparentColor = NO_TRANSPARENT_COLOR;
  if (!findFirstImage(error)) return false;
  const GifImageDesc& frame = gif_->Image;
  if (!checkImageSize(static_cast<std::uint32_t>(std::max(frame.Width, 0)),
                      static_cast<std::uint32_t>(std::max(frame.Height, 0)), limits, error)) {
    return false;
  }
  // The logical screen is the image, unless the frame does not fit on it.
  std::int64_t right = std::int64_t{frame.Left} + frame.Width;
  std::int64_t bottom = std::int64_t{frame.Top} + frame.Height;
  if (frame.Left >= 0 && frame.Top >= 0 && right <= gif_->SWidth && bottom <= gif_->SHeight) {
    facts_.width = static_cast<std::uint32_t>(gif_->SWidth);
    facts_.height = static_cast<std::uint32_t>(gif_->SHeight);
    frameLeft_ = static_cast<std::uint32_t>(frame.Left);
    frameTop_ = static_cast<std::uint32_t>(frame.Top);
  } else {
    facts_.width = static_cast<std::uint32_t>(frame.Width);
    facts_.height = static_cast<std::uint32_t>(frame.Height);
  }
  if (!checkImageSize(facts_.width, facts_.height, limits, error)) return false;
  readFacts();
  return true;
}

bool GifDecoder::findFirstImage(Error* error) {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif_, &type) != GIF_OK) return gifFailure(gif_->Error, error);
    switch (type) {
      case IMAGE_DESC_RECORD_TYPE:
        if (DGifGetImageDesc(gif_) != GIF_OK) return gifFailure(gif_->Error, error);
        return true;
      case EXTENSION_RECORD_TYPE:
        if (!readExtension(error)) return false;
        break;
      case TERMINATE_RECORD_TYPE:
        return fail(error, ErrorCode::Corrupt, "the GIF file holds no image");
      default:
        return fail(error, ErrorCode::Corrupt, "the GIF file holds an unknown record");
    }
  }
}

// Reads one extension; a graphic control block sets the transparency.
bool GifDecoder::readExtension(Error* error) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif_, &code, &block) != GIF_OK) return gifFailure(gif_->Error, error);
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
    DGifExtensionToGCB(block[0], block + 1, &control_);
  }
  while (block) {
    if (DGifGetExtensionNext(gif_, &block) != GIF_OK) return gifFailure(gif_->Error, error);
  }
  return true;
}

void GifDecoder::readFacts() {
  facts_.codec = Codec::Gif;
  facts_.model = ColourModel::Palette;
  facts_.channels = 1;
  facts_.compression = Compression::Lzw;
  facts_.interlaced = gif_->Image.Interlace;
  facts_.naturalForm = RowForm::Indexed8;
  sourceKind_ = SourceKind::Indexed8;
  const ColorMapObject* map = gif_->Image.ColorMap ? gif_->Image.ColorMap : gif_->SColorMap;
  if (map && map->ColorCount > 0) {
    int count = std::min(map->ColorCount, 256);
    for (int i = 0; i < count; ++i) {
      Rgb c{map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue};
      facts_.palette.push_back(c);
      palette_.colours[static_cast<std::size_t>(i)] = c;
    }
    facts_.bitsPerSample = static_cast<std::uint8_t>(std::clamp(map->BitsPerPixel, 1, 8));
  } else {
    // Without a colour table the indices are shown as grey levels.
    for (int i = 0; i < 256; ++i) {
      Rgb c{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
            static_cast<std::uint8_t>(i)};
      facts_.palette.push_back(c);
      palette_.colours[static_cast<std::size_t>(i)] = c;
    }
  }
  facts_.bitsPerPixel = facts_.bitsPerSample;
  int transparent = control_.TransparentColor;
  if (transparent >= 0 && transparent < 256) {
    facts_.transparentIndex = transparent;
    facts_.transparentColour = palette_.colours[static_cast<std::size_t>(transparent)];
    palette_.alpha[static_cast<std::size_t>(transparent)] = 0;
    facts_.hasAlpha = true;
  }
}

// Decodes the frame onto the canvas; the rest of the canvas shows the
// transparent index, or the screen's background index.
bool GifDecoder::readFrame(Error* error) {
  int background = facts_.transparentIndex >= 0 ? facts_.transparentIndex
                                                : std::clamp(gif_->SBackGroundColor, 0, 255);
  canvas_.assign(std::size_t{facts_.width} * facts_.height, static_cast<std::uint8_t>(background));
  const GifImageDesc& frame = gif_->Image;
  std::uint32_t frameHeight = static_cast<std::uint32_t>(frame.Height);
  static const std::uint32_t kStart[4] = {0, 4, 2, 1};
  static const std::uint32_t kStep[4] = {8, 8, 4, 2};
  int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    std::uint32_t start = frame.Interlace ? kStart[pass] : 0;
    std::uint32_t step = frame.Interlace ? kStep[pass] : 1;
    for (std::uint32_t y = start; y < frameHeight; y += step) {
      GifPixelType* target = canvas_.data() + std::size_t{facts_.width} * (frameTop_ + y) + frameLeft_;
      if (DGifGetLine(gif_, target, frame.Width) != GIF_OK) return gifFailure(gif_->Error, error);
    }
  }
  return true;
}

bool GifDecoder::decodeRow(SourceRow* row, Error* error) {
  if (canvas_.empty() && !readFrame(error)) return false;
  row->kind = SourceKind::Indexed8;
  row->data = canvas_.data() + std::size_t{facts_.width} * nextRow();
  row->width = facts_.width;
  row->palette = &palette_;
  return true;
}

}  // namespace

std::unique_ptr<Decoder> openGifDecoder(std::vector<std::uint8_t> data, Error* error,
                                        const DecodeLimits& limits) {
  auto decoder = std::make_unique<GifDecoder>(std::move(data));
  if (!decoder->open(limits, error)) return nullptr;
  return decoder;
}

}  // namespace lvcodecs::detail
