// JPEG decoding with the JPEG library: every colour model (grey, RGB,
// Y/Cb/Cr, C/M/Y/K, Y/Cb/Cr/K) delivered in the host's forms; four-colour
// files are converted to R, G, B, honouring the inverted inks of files with
// the Adobe marker.
#include <cstring>

#include "internal.h"
#include "jpeg_errors.h"

namespace lvcodecs::detail {
namespace {

// Progressive files may hold any number of scans, each costing a pass over
// the whole image; more than this many are refused as malicious.
constexpr int kMaxScans = 500;

struct ScanGuard {
  jpeg_progress_mgr library;
  JpegErrors* errors;
};

void watchScans(j_common_ptr info) {
  auto* guard = reinterpret_cast<ScanGuard*>(info->progress);
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    std::strcpy(guard->errors->message, "too many scans in a progressive image");
    std::longjmp(guard->errors->jump, 1);
  }
}

bool guardedCreate(j_decompress_ptr info, JpegErrors* errors, const std::uint8_t* data,
                   std::size_t size) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, data, static_cast<unsigned long>(size));
  return true;
}

bool guardedReadHeader(j_decompress_ptr info, JpegErrors* errors) {
  if (setjmp(errors->jump)) return false;
  jpeg_read_header(info, TRUE);
  return true;
}

bool guardedStart(j_decompress_ptr info, JpegErrors* errors) {
  if (setjmp(errors->jump)) return false;
  jpeg_start_decompress(info);
  return true;
}

bool guardedReadLine(j_decompress_ptr info, JpegErrors* errors, JSAMPROW row) {
  if (setjmp(errors->jump)) return false;
  return jpeg_read_scanlines(info, &row, 1) == 1;
}

class JpegDecoder final : public DecoderBase {
 public:
  explicit JpegDecoder(std::vector<std::uint8_t> data) : data_(std::move(data)) {
    std::memset(&info_, 0, sizeof info_);
  }
  ~JpegDecoder() override {
    if (created_) jpeg_destroy_decompress(&info_);
  }

  // Reads the header and chooses the output colour space.
  bool open(const DecodeLimits& limits, Error* error);

 protected:
  bool decodeRow(SourceRow* row, Error* error) override;

 private:
  bool libraryFailure(Error* error) const {
    if (errors_.truncated) return truncatedFailure(error);
    return fail(error, ErrorCode::Corrupt, std::string("broken JPEG data (") + errors_.message + ")");
  }
  static bool truncatedFailure(Error* error) {
    return fail(error, ErrorCode::Truncated, "the JPEG data end before the image does");
  }
  bool readFacts(Error* error);
  bool start(Error* error);

  std::vector<std::uint8_t> data_;
  jpeg_decompress_struct info_;
  JpegErrors errors_{};
  ScanGuard scanGuard_{};
  bool created_ = false;
  bool started_ = false;
  std::vector<std::uint8_t> line_;
};

bool JpegDecoder::open(const DecodeLimits& limits, Error* error) {
  installJpegErrors(reinterpret_cast<jpeg_common_struct*>(&info_), &errors_);
  created_ = true;
  if (!guardedCreate(&info_, &errors_, data_.data(), data_.size())) return libraryFailure(error);
  scanGuard_.library.progress_monitor = watchScans;
  scanGuard_.errors = &errors_;
  info_.progress = &scanGuard_.library;
  if (!guardedReadHeader(&info_, &errors_)) return libraryFailure(error);
  if (!checkImageSize(info_.image_width, info_.image_height, limits, error)) return false;
  return readFacts(error);
}

bool JpegDecoder::readFacts(Error* error) {
  if (info_.data_precision != 8) {
    return fail(error, ErrorCode::Unsupported,
                "JPEG images of " + std::to_string(info_.data_precision) + " bits a sample are not supported");
  }
  facts_.codec = Codec::Jpeg;
  facts_.width = info_.image_width;
  facts_.height = info_.image_height;
  facts_.channels = static_cast<std::uint8_t>(info_.num_components);
  facts_.bitsPerSample = static_cast<std::uint8_t>(info_.data_precision);
  facts_.bitsPerPixel = static_cast<std::uint16_t>(info_.data_precision * info_.num_components);
  facts_.compression = Compression::JpegDct;
  facts_.progressive = info_.progressive_mode != 0;
  facts_.jfifMarker = info_.saw_JFIF_marker != 0;
  facts_.adobeMarker = info_.saw_Adobe_marker != 0;
  facts_.naturalForm = RowForm::Rgb24;
  switch (info_.jpeg_color_space) {
    case JCS_GRAYSCALE:
      facts_.model = ColourModel::Grey;
      facts_.jpegColourModel = 1;
      facts_.naturalForm = RowForm::Grey8;
      info_.out_color_space = JCS_GRAYSCALE;
      sourceKind_ = SourceKind::Grey8;
      break;
    case JCS_RGB:
    case JCS_YCbCr:
      facts_.model = info_.jpeg_color_space == JCS_RGB ? ColourModel::Rgb : ColourModel::YCbCr;
      facts_.jpegColourModel = info_.jpeg_color_space == JCS_RGB ? 2 : 3;
      info_.out_color_space = JCS_RGB;
      sourceKind_ = SourceKind::Rgb24;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      facts_.model = info_.jpeg_color_space == JCS_CMYK ? ColourModel::Cmyk : ColourModel::Ycck;
      facts_.jpegColourModel = info_.jpeg_color_space == JCS_CMYK ? 4 : 5;
      info_.out_color_space = JCS_CMYK;
      sourceKind_ = SourceKind::Cmyk32;
      break;
    default:
      return fail(error, ErrorCode::Unsupported,
                  "the JPEG image has an unknown colour model of " +
                      std::to_string(info_.num_components) + " components");
  }
  if (info_.saw_JFIF_marker) {
    facts_.resolution.x = info_.X_density;
    facts_.resolution.y = info_.Y_density;
    if (info_.density_unit == 1) {
      facts_.resolution.unit = ResolutionUnit::PerInch;
    } else if (info_.density_unit == 2) {
      facts_.resolution.unit = ResolutionUnit::PerMetre;
      facts_.resolution.x *= 100;
      facts_.resolution.y *= 100;
    }
  }
  return true;
}

bool JpegDecoder::start(Error* error) {
  if (!guardedStart(&info_, &errors_)) return libraryFailure(error);
  if (errors_.truncated) return truncatedFailure(error);
  int expected = sourceKind_ == SourceKind::Grey8 ? 1 : sourceKind_ == SourceKind::Rgb24 ? 3 : 4;
  if (info_.output_components != expected || info_.output_width != facts_.width ||
      info_.output_height != facts_.height) {
    return fail(error, ErrorCode::Unsupported, "unexpected JPEG output layout");
  }
  line_.resize(std::size_t{facts_.width} * static_cast<std::size_t>(expected));
  started_ = true;
  return true;
}

bool JpegDecoder::decodeRow(SourceRow* row, Error* error) {
  if (!started_ && !start(error)) return false;
  if (!guardedReadLine(&info_, &errors_, line_.data())) return libraryFailure(error);
  if (errors_.truncated) return truncatedFailure(error);
  row->kind = sourceKind_;
  row->data = line_.data();
  row->width = facts_.width;
  row->invertedCmyk = facts_.adobeMarker;
  return true;
}

}  // namespace

std::unique_ptr<Decoder> openJpegDecoder(std::vector<std::uint8_t> data, Error* error,
                                         const DecodeLimits& limits) {
  auto decoder = std::make_unique<JpegDecoder>(std::move(data));
  if (!decoder->open(limits, error)) return nullptr;
  return decoder;
}

}  // namespace lvcodecs::detail
