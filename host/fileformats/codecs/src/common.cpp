// The codecs' common entry points: recognition, dispatch to the codec, the
// decoders' and encoders' shared state, whole-image helpers and files.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>

#include "internal.h"

namespace lvcodecs {
namespace detail {

bool fail(Error* error, ErrorCode code, std::string message) {
  if (error) {
    error->code = code;
    error->message = std::move(message);
  }
  return false;
}

bool checkImageSize(std::uint64_t width, std::uint64_t height, const DecodeLimits& limits,
                    Error* error) {
  if (width == 0 || height == 0) {
    return fail(error, ErrorCode::Corrupt, "the image has no pixels (" + std::to_string(width) +
                                               " x " + std::to_string(height) + ")");
  }
  if (width > limits.maxSide || height > limits.maxSide || width * height > limits.maxPixels) {
    return fail(error, ErrorCode::TooLarge,
                "the image size " + std::to_string(width) + " x " + std::to_string(height) +
                    " exceeds the supported limit");
  }
  return true;
}

bool DecoderBase::readRow(RowForm form, std::uint8_t* out, Error* error) {
  if (failure_) {
    if (error) *error = failure_;
    return false;
  }
  if (nextRow_ >= facts_.height) {
    return fail(error, ErrorCode::InvalidArgument, "all rows of the image have been read");
  }
  if (!canConvert(sourceKind_, form)) {
    return fail(error, ErrorCode::Unsupported,
                "the image has no palette: its rows cannot be given as indices");
  }
  SourceRow row;
  Error local;
  if (!decodeRow(&row, &local)) {
    failure_ = local;
    if (error) *error = local;
    return false;
  }
  convertRow(row, form, out);
  ++nextRow_;
  return true;
}

bool EncoderBase::writeRow(const std::uint8_t* row, Error* error) {
  if (failure_) {
    if (error) *error = failure_;
    return false;
  }
  if (finished_ || rowsTaken_ >= plan_.height) {
    return fail(error, ErrorCode::InvalidArgument, "more rows given than the image has");
  }
  if (plan_.form == RowForm::Indexed8) {
    for (std::uint32_t x = 0; x < plan_.width; ++x) {
      if (row[x] >= plan_.palette.size()) {
        fail(&failure_, ErrorCode::InvalidArgument,
             "row " + std::to_string(rowsTaken_) + " holds index " + std::to_string(row[x]) +
                 " beyond the palette of " + std::to_string(plan_.palette.size()) + " colours");
        if (error) *error = failure_;
        return false;
      }
    }
  }
  Error local;
  if (!takeRow(row, &local)) {
    failure_ = local;
    if (error) *error = local;
    return false;
  }
  ++rowsTaken_;
  return true;
}

bool EncoderBase::finish(std::vector<std::uint8_t>* file, Error* error) {
  if (failure_) {
    if (error) *error = failure_;
    return false;
  }
  if (finished_) return fail(error, ErrorCode::InvalidArgument, "the image is already finished");
  if (rowsTaken_ < plan_.height) {
    return fail(error, ErrorCode::InvalidArgument,
                "only " + std::to_string(rowsTaken_) + " of " + std::to_string(plan_.height) +
                    " rows were given");
  }
  finished_ = true;
  Error local;
  if (!complete(file, &local)) {
    failure_ = local;
    if (error) *error = local;
    return false;
  }
  return true;
}

bool checkEncodePlan(const EncodePlan& plan, const EncodeOptions& options, std::uint32_t maxSide,
                     Error* error) {
  if (plan.width == 0 || plan.height == 0 || plan.width > maxSide || plan.height > maxSide) {
    return fail(error, ErrorCode::InvalidArgument,
                "the image size " + std::to_string(plan.width) + " x " +
                    std::to_string(plan.height) + " cannot be stored (1 .. " +
                    std::to_string(maxSide) + " pixels a side)");
  }
  if (plan.form == RowForm::Indexed8 && (plan.palette.empty() || plan.palette.size() > 256)) {
    return fail(error, ErrorCode::InvalidArgument,
                "an indexed image needs a palette of 1 to 256 colours, not " +
                    std::to_string(plan.palette.size()));
  }
  if (options.quality < 1 || options.quality > 100) {
    return fail(error, ErrorCode::InvalidArgument,
                "the quality " + std::to_string(options.quality) + " lies outside 1 .. 100");
  }
  if (options.transparentIndex >= 0 && plan.form == RowForm::Indexed8 &&
      static_cast<std::size_t>(options.transparentIndex) >= plan.palette.size()) {
    return fail(error, ErrorCode::InvalidArgument,
                "the transparent index " + std::to_string(options.transparentIndex) +
                    " lies beyond the palette");
  }
  return true;
}

}  // namespace detail

using detail::fail;

const char* codecName(Codec codec) {
  switch (codec) {
    case Codec::Png:
      return "PNG";
    case Codec::Jpeg:
      return "JPEG";
    case Codec::Gif:
      return "GIF";
  }
  return "?";
}

std::optional<Codec> sniffCodec(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return Codec::Png;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return Codec::Jpeg;
  if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0)) {
    return Codec::Gif;
  }
  return std::nullopt;
}

std::size_t rowBytes(RowForm form, std::uint32_t width) {
  switch (form) {
    case RowForm::Rgb24:
      return 3 * std::size_t{width};
    case RowForm::Indexed8:
    case RowForm::Grey8:
      return width;
    case RowForm::Bw1:
      return (std::size_t{width} + 7) / 8;
  }
  return 0;
}

double dotsPerInch(std::uint32_t value, ResolutionUnit unit) {
  switch (unit) {
    case ResolutionUnit::PerInch:
      return value;
    case ResolutionUnit::PerMetre:
      return value * 0.0254;
    case ResolutionUnit::None:
      break;
  }
  return 0.0;
}

std::unique_ptr<Decoder> openDecoder(std::vector<std::uint8_t> data, std::optional<Codec> codec,
                                     Error* error, const DecodeLimits& limits) {
  std::optional<Codec> found = sniffCodec(data.data(), data.size());
  if (!found || (codec && *codec != *found)) {
    fail(error, ErrorCode::NotThisFormat,
         std::string("the data are not ") +
             (codec ? std::string("a ") + codecName(*codec) + " image"
                    : "a PNG, JPEG or GIF image"));
    return nullptr;
  }
  try {
    switch (*found) {
      case Codec::Png:
        return detail::openPngDecoder(std::move(data), error, limits);
      case Codec::Jpeg:
        return detail::openJpegDecoder(std::move(data), error, limits);
      case Codec::Gif:
        return detail::openGifDecoder(std::move(data), error, limits);
    }
  } catch (const std::bad_alloc&) {
    fail(error, ErrorCode::OutOfMemory, "not enough memory for the image");
  }
  return nullptr;
}

std::unique_ptr<Decoder> openDecoderFile(const std::string& path, std::optional<Codec> codec,
                                         Error* error, const DecodeLimits& limits) {
  std::error_code ec;
  std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) {
    fail(error, ErrorCode::FileNotFound, "cannot open '" + path + "': " + ec.message());
    return nullptr;
  }
  if (size > limits.maxFileBytes) {
    fail(error, ErrorCode::TooLarge, "'" + path + "' is too large to be read");
    return nullptr;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    fail(error, ErrorCode::FileNotFound, "cannot open '" + path + "'");
    return nullptr;
  }
  std::vector<std::uint8_t> data;
  try {
    data.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    fail(error, ErrorCode::OutOfMemory, "not enough memory to read '" + path + "'");
    return nullptr;
  }
  in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size));
  if (static_cast<std::uintmax_t>(in.gcount()) != size) {
    fail(error, ErrorCode::ReadFailed, "cannot read '" + path + "'");
    return nullptr;
  }
  return openDecoder(std::move(data), codec, error, limits);
}

bool decodeImage(std::vector<std::uint8_t> data, std::optional<Codec> codec, RowForm form,
                 ImageFacts* facts, std::vector<std::uint8_t>* out, Error* error,
                 const DecodeLimits& limits) {
  std::unique_ptr<Decoder> decoder = openDecoder(std::move(data), codec, error, limits);
  if (!decoder) return false;
  const ImageFacts& f = decoder->facts();
  std::size_t stride = rowBytes(form, f.width);
  try {
    out->assign(stride * f.height, 0);
  } catch (const std::bad_alloc&) {
    return fail(error, ErrorCode::OutOfMemory, "not enough memory for the image");
  }
  for (std::uint32_t y = 0; y < f.height; ++y) {
    if (!decoder->readRow(form, out->data() + stride * y, error)) return false;
  }
  if (facts) *facts = f;
  return true;
}

std::unique_ptr<Encoder> makeEncoder(Codec codec, const EncodePlan& plan,
                                     const EncodeOptions& options, Error* error) {
  try {
    switch (codec) {
      case Codec::Png:
        return detail::makePngEncoder(plan, options, error);
      case Codec::Jpeg:
        return detail::makeJpegEncoder(plan, options, error);
      case Codec::Gif:
        return detail::makeGifEncoder(plan, options, error);
    }
  } catch (const std::bad_alloc&) {
    fail(error, ErrorCode::OutOfMemory, "not enough memory for the encoder");
  }
  return nullptr;
}

bool encodeImage(Codec codec, const EncodePlan& plan, const EncodeOptions& options,
                 const std::uint8_t* rows, std::vector<std::uint8_t>* file, Error* error) {
  std::unique_ptr<Encoder> encoder = makeEncoder(codec, plan, options, error);
  if (!encoder) return false;
  std::size_t stride = rowBytes(plan.form, plan.width);
  for (std::uint32_t y = 0; y < plan.height; ++y) {
    if (!encoder->writeRow(rows + stride * y, error)) return false;
  }
  return encoder->finish(file, error);
}

bool writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         Error* error) {
  std::random_device random;
  std::string temporary = path + ".tmp" + std::to_string(random() % 1000000u);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return fail(error, ErrorCode::ReadFailed, "cannot create '" + temporary + "'");
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return fail(error, ErrorCode::ReadFailed, "cannot write '" + temporary + "'");
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return fail(error, ErrorCode::ReadFailed, "cannot rename to '" + path + "': " + ec.message());
  }
  return true;
}

}  // namespace lvcodecs
