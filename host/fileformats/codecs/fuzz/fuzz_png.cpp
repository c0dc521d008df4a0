// Fuzz target: PNG decoding of outside data.
#include "fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return lvcodecs::fuzzing::decodeAll(lvcodecs::Codec::Png, data, size);
}
