// JPEG encoding with the JPEG library: R, G, B (and palette rows through
// their palette) as Y/Cb/Cr, grey and black and white as grey, with quality,
// progressive scans and the JFIF density.
#include <cstring>
#include <new>

#include <jerror.h>

#include "internal.h"
#include "jpeg_errors.h"

namespace lvcodecs::detail {
namespace {

// The largest side the JPEG library writes.
constexpr std::uint32_t kMaxJpegSide = 65500;

// A destination that appends the library's output to a vector in chunks.
struct JpegSink {
  jpeg_destination_mgr library;
  std::vector<std::uint8_t>* bytes;
  JOCTET chunk[16384];
};

// Appends COUNT bytes of the chunk; false when memory runs out.
bool appendChunk(JpegSink* sink, std::size_t count) {
  try {
    sink->bytes->insert(sink->bytes->end(), sink->chunk, sink->chunk + count);
  } catch (const std::bad_alloc&) {
    return false;
  }
  sink->library.next_output_byte = sink->chunk;
  sink->library.free_in_buffer = sizeof sink->chunk;
  return true;
}

void startSink(j_compress_ptr info) {
  auto* sink = reinterpret_cast<JpegSink*>(info->dest);
  sink->library.next_output_byte = sink->chunk;
  sink->library.free_in_buffer = sizeof sink->chunk;
}

boolean flushSink(j_compress_ptr info) {
  if (!appendChunk(reinterpret_cast<JpegSink*>(info->dest), sizeof JpegSink::chunk)) {
    ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  }
  return TRUE;
}

void endSink(j_compress_ptr info) {
  auto* sink = reinterpret_cast<JpegSink*>(info->dest);
  if (!appendChunk(sink, sizeof sink->chunk - sink->library.free_in_buffer)) {
    ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  }
}

// The choices made before the library is called.
struct JpegSettings {
  bool grey = false;
  int quality = 75;
  bool progressive = false;
  int densityUnit = 0;  // 0 aspect only, 1 per inch, 2 per centimetre
  unsigned densityX = 1, densityY = 1;
};

bool guardedStart(j_compress_ptr info, JpegErrors* errors, JpegSink* sink,
                  const JpegSettings* settings, std::uint32_t width, std::uint32_t height) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_compress(info);
  sink->library.init_destination = startSink;
  sink->library.empty_output_buffer = flushSink;
  sink->library.term_destination = endSink;
  info->dest = &sink->library;
  info->image_width = width;
  info->image_height = height;
  info->input_components = settings->grey ? 1 : 3;
  info->in_color_space = settings->grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, settings->quality, TRUE);
  if (settings->progressive) jpeg_simple_progression(info);
  info->write_JFIF_header = TRUE;
  info->density_unit = static_cast<UINT8>(settings->densityUnit);
  info->X_density = static_cast<UINT16>(settings->densityX);
  info->Y_density = static_cast<UINT16>(settings->densityY);
  jpeg_start_compress(info, TRUE);
  return true;
}

bool guardedWriteLine(j_compress_ptr info, JpegErrors* errors, JSAMPROW row) {
  if (setjmp(errors->jump)) return false;
  return jpeg_write_scanlines(info, &row, 1) == 1;
}

bool guardedFinish(j_compress_ptr info, JpegErrors* errors) {
  if (setjmp(errors->jump)) return false;
  jpeg_finish_compress(info);
  return true;
}

// A density the JFIF header can hold (1 .. 65535), or 0 when it cannot.
unsigned jfifDensity(double value) {
  return value >= 0.5 && value < 65535.5 ? static_cast<unsigned>(value + 0.5) : 0;
}

JpegSettings settingsFor(const EncodePlan& plan, const EncodeOptions& options) {
  JpegSettings s;
  s.grey = plan.form == RowForm::Grey8 || plan.form == RowForm::Bw1;
  s.quality = options.quality;
  s.progressive = options.progressive;
  const Resolution& r = options.resolution;
  double x = r.x, y = r.y;
  int unit = 0;
  if (r.unit == ResolutionUnit::PerInch) unit = 1;
  if (r.unit == ResolutionUnit::PerMetre) {
    unit = 2;
    x /= 100.0;
    y /= 100.0;
  }
  if (jfifDensity(x) && jfifDensity(y)) {
    s.densityUnit = unit;
    s.densityX = jfifDensity(x);
    s.densityY = jfifDensity(y);
  }
  return s;
}

class JpegEncoder final : public EncoderBase {
 public:
  JpegEncoder(const EncodePlan& plan, const EncodeOptions& options)
      : EncoderBase(plan, options), sink_(std::make_unique<JpegSink>()) {
    std::memset(&info_, 0, sizeof info_);
  }
  ~JpegEncoder() override { jpeg_destroy_compress(&info_); }

  // Sets up the library and writes the headers.
  bool start(Error* error);

 protected:
  bool takeRow(const std::uint8_t* row, Error* error) override;
  bool complete(std::vector<std::uint8_t>* file, Error* error) override;

 private:
  bool libraryFailure(Error* error) const {
    return fail(error, ErrorCode::Corrupt,
                std::string("cannot encode the JPEG image (") + errors_.message + ")");
  }

  jpeg_compress_struct info_;
  JpegErrors errors_{};
  std::unique_ptr<JpegSink> sink_;
  std::vector<std::uint8_t> bytes_;
  std::vector<std::uint8_t> line_;
  bool grey_ = false;
};

bool JpegEncoder::start(Error* error) {
  installJpegErrors(reinterpret_cast<jpeg_common_struct*>(&info_), &errors_);
  sink_->bytes = &bytes_;
  JpegSettings settings = settingsFor(plan_, options_);
  grey_ = settings.grey;
  line_.resize(std::size_t{plan_.width} * (grey_ ? 1 : 3));
  if (!guardedStart(&info_, &errors_, sink_.get(), &settings, plan_.width, plan_.height)) {
    return libraryFailure(error);
  }
  return true;
}

bool JpegEncoder::takeRow(const std::uint8_t* row, Error* error) {
  if (grey_) {
    rowToGrey(plan_.form, row, plan_.width, line_.data());
  } else {
    rowToRgb(plan_.form, row, plan_.width, plan_.palette, line_.data());
  }
  if (!guardedWriteLine(&info_, &errors_, line_.data())) return libraryFailure(error);
  return true;
}

bool JpegEncoder::complete(std::vector<std::uint8_t>* file, Error* error) {
  if (!guardedFinish(&info_, &errors_)) return libraryFailure(error);
  *file = std::move(bytes_);
  return true;
}

}  // namespace

std::unique_ptr<Encoder> makeJpegEncoder(const EncodePlan& plan, const EncodeOptions& options,
                                         Error* error) {
  if (!checkEncodePlan(plan, options, kMaxJpegSide, error)) return nullptr;
  auto encoder = std::make_unique<JpegEncoder>(plan, options);
  if (!encoder->start(error)) return nullptr;
  return encoder;
}

}  // namespace lvcodecs::detail
