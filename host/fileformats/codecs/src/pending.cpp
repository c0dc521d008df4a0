// JPEG and GIF are refused with a clear error until their codecs are added.
#include "internal.h"

namespace lvcodecs::detail {

std::unique_ptr<Decoder> openJpegDecoder(std::vector<std::uint8_t>, Error* error,
                                         const DecodeLimits&) {
  fail(error, ErrorCode::Unsupported, "JPEG images cannot be read yet");
  return nullptr;
}
std::unique_ptr<Decoder> openGifDecoder(std::vector<std::uint8_t>, Error* error,
                                        const DecodeLimits&) {
  fail(error, ErrorCode::Unsupported, "GIF images cannot be read yet");
  return nullptr;
}
std::unique_ptr<Encoder> makeJpegEncoder(const EncodeSpec&, const EncodeOptions&, Error* error) {
  fail(error, ErrorCode::Unsupported, "JPEG images cannot be written yet");
  return nullptr;
}
std::unique_ptr<Encoder> makeGifEncoder(const EncodeSpec&, const EncodeOptions&, Error* error) {
  fail(error, ErrorCode::Unsupported, "GIF images cannot be written yet");
  return nullptr;
}

}  // namespace lvcodecs::detail
