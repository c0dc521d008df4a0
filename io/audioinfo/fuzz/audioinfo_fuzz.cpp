// Fuzz target: any bytes, read as a WAV, MIDI, RMI and VOC file through the
// module's file information and thumbnail paths, and fed to the format,
// block and bitmap rules directly. Nothing may crash, hang or read past a
// buffer, and whatever is accepted must hold values the record can carry.
#include <fuzzsupport.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../dib.h"
#include "../fileinfo.h"
#include "../wavefacts.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

void FuzzVoc(const uint8_t* data, size_t size) {
  audioinfo::MemorySource source(data, size);
  audioinfo::VocFacts facts;
  if (!audioinfo::ReadVoc(source, &facts)) return;
  Check(facts.wave.channels <= 255 && facts.wave.bits <= 255);
  Check(facts.subject.size() <= 511);
  Check(facts.wave.samples == 0 || facts.wave.channels > 0);
}

void FuzzWaveFormat(const uint8_t* data, size_t size) {
  if (size < 8) return;
  audioinfo::WaveChunks chunks;
  chunks.hasFact = data[0] & 1;
  chunks.hasData = data[0] & 2;
  chunks.factSamples = static_cast<uint32_t>(data[1]) << 8 | data[2];
  chunks.dataSize = static_cast<uint32_t>(data[3]) << 24 | static_cast<uint32_t>(data[4]) << 16 |
                    static_cast<uint32_t>(data[5]) << 8 | data[6];
  const size_t formatSize = size - 7 < audioinfo::kMaxFormatBytes ? size - 7 : audioinfo::kMaxFormatBytes;
  chunks.format.assign(data + 7, data + 7 + formatSize);
  audioinfo::WaveFacts facts;
  if (!audioinfo::InterpretWave(chunks, &facts)) return;
  Check(facts.channels >= 1 && facts.channels <= 255 && facts.bits <= 255);
}

void FuzzBitmap(const uint8_t* data, size_t size) {
  audioinfo::DibSize dib;
  if (!audioinfo::CheckPackedDib(data, size, &dib)) return;
  Check(dib.width >= 1 && dib.width <= 65535 && dib.height >= 1 && dib.height <= 65535);
}

// The whole file path of every format index, from a file holding the input.
void FuzzFiles(const uint8_t* data, size_t size) {
  const std::string file = lvfuzz::WriteInput(data, size);
  auto info = std::make_unique<MIOFILEINFO>();
  for (LONG index = 0; index < MIO_FORMAT_COUNT; ++index) {
    audioinfo::MioError error = {};
    if (audioinfo::CollectFileInfo(index, file.c_str(), info.get(), &error)) {
      Check(info->filled == MIO_INFO_FILLED);
      Check(info->subject[sizeof info->subject - 1] == 0);
      Check(info->displayText[sizeof info->displayText - 1] == 0);
      Check(info->emptyText[0] == 0);
    } else {
      Check(error.message >= MIO_MSG_BAD_INDEX && error.message <= MIO_MSG_UNKNOWN_FORMAT);
    }
    std::vector<BYTE> picture;
    if (audioinfo::ReadFilePicture(index, file.c_str(), &picture)) {
      audioinfo::DibSize dib;
      Check(audioinfo::CheckPackedDib(picture.data(), picture.size(), &dib));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  FuzzVoc(data, size);
  FuzzWaveFormat(data, size);
  FuzzBitmap(data, size);
  FuzzFiles(data, size);
  return 0;
}
