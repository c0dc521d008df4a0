// WAV files: the facts a format chunk, a "fact" chunk and a "data" chunk give.
#include <algorithm>

#include "wavefacts.h"

namespace audioinfo {

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagAdpcm = 2;

// Offsets in the format chunk.
constexpr size_t kTag = 0;
constexpr size_t kChannels = 2;
constexpr size_t kRate = 4;
constexpr size_t kBlockAlign = 12;
constexpr size_t kBits = 14;
constexpr size_t kExtraSize = 16;
constexpr size_t kSamplesPerBlock = 18;
constexpr size_t kCoefficientCount = 20;
constexpr size_t kCoefficients = 22;

// Shortest format chunk (tag to block alignment) and one with the bit count.
constexpr size_t kBasicFormatSize = 14;
constexpr size_t kFormatWithBits = 16;

constexpr int16_t kStandardCoefficients[7][2] = {
    {256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
constexpr size_t kAdpcmFormatSize = kCoefficients + sizeof kStandardCoefficients;

constexpr uint32_t kMaxByteField = 255;

uint32_t Clamp32(uint64_t value) { return static_cast<uint32_t>(std::min<uint64_t>(value, UINT32_MAX)); }

// Sample frames in `dataSize` bytes of ADPCM blocks: each full block holds
// samplesPerBlock frames; a partial block holds its two header samples and
// two per byte of nibbles after a seven-byte header per channel.
bool AdpcmSamplesFromData(const std::vector<BYTE>& format, uint32_t dataSize, uint32_t* samples) {
  const uint32_t blockAlign = Le16(format.data() + kBlockAlign);
  const uint32_t channels = Le16(format.data() + kChannels);
  const uint32_t perBlock = Le16(format.data() + kSamplesPerBlock);
  if (blockAlign == 0 || channels == 0) return false;
  uint64_t total = static_cast<uint64_t>(dataSize / blockAlign) * perBlock;
  const uint32_t rest = dataSize % blockAlign;
  const uint32_t headers = 7 * channels;
  if (rest >= headers) total += 2 + static_cast<uint64_t>(rest - headers) * 2 / channels;
  *samples = Clamp32(total);
  return true;
}

// Tag 1, or tag 2 with other coefficients: bits from the block alignment,
// samples from the data size.
bool InterpretByBlocks(const WaveChunks& chunks, uint32_t channels, WaveFacts* facts) {
  const uint32_t blockAlign = Le16(chunks.format.data() + kBlockAlign);
  if (blockAlign == 0 || !chunks.hasData) return false;
  uint32_t bits = blockAlign / channels * 8;
  // Large blocks (ADPCM with its own coefficients) give no bit count that
  // fits the record's byte; the format's own bit count is reported then.
  if (bits > kMaxByteField) {
    if (chunks.format.size() < kFormatWithBits) return false;
    bits = Le16(chunks.format.data() + kBits);
    if (bits > kMaxByteField) return false;
  }
  facts->bits = bits;
  facts->samples = chunks.dataSize / blockAlign;
  return true;
}

// Any other tag: bits from the format, samples from the "fact" chunk or from
// the data size and the bits of all channels.
bool InterpretOther(const WaveChunks& chunks, uint32_t channels, WaveFacts* facts) {
  if (chunks.format.size() < kFormatWithBits) return false;
  const uint32_t bits = Le16(chunks.format.data() + kBits);
  if (bits > kMaxByteField) return false;
  facts->bits = bits;
  if (chunks.hasFact) {
    facts->samples = chunks.factSamples;
    return true;
  }
  const uint64_t bitsPerFrame = static_cast<uint64_t>(bits) * channels;
  if (!chunks.hasData || bitsPerFrame == 0) return false;
  facts->samples = Clamp32(static_cast<uint64_t>(chunks.dataSize) * 8 / bitsPerFrame);
  return true;
}

// Standard ADPCM: bits from the format, samples from the "fact" chunk. A
// file without one still has an exact count in its data size and block
// layout, so it is reported rather than refused, as other tags without a
// "fact" chunk are.
bool InterpretStandardAdpcm(const WaveChunks& chunks, WaveFacts* facts) {
  facts->bits = Le16(chunks.format.data() + kBits);
  if (chunks.hasFact) {
    facts->samples = chunks.factSamples;
    return true;
  }
  return chunks.hasData && AdpcmSamplesFromData(chunks.format, chunks.dataSize, &facts->samples);
}

}  // namespace

bool IsStandardAdpcm(const std::vector<BYTE>& format) {
  if (format.size() < kAdpcmFormatSize) return false;
  const BYTE* f = format.data();
  if (Le16(f + kTag) != kTagAdpcm || Le16(f + kBits) != 4) return false;
  const uint16_t channels = Le16(f + kChannels);
  if (channels != 1 && channels != 2) return false;
  if (Le16(f + kExtraSize) < kAdpcmFormatSize - 18 || Le16(f + kCoefficientCount) != 7) return false;
  for (size_t i = 0; i < 7; ++i) {
    const BYTE* pair = f + kCoefficients + i * 4;
    if (static_cast<int16_t>(Le16(pair)) != kStandardCoefficients[i][0] ||
        static_cast<int16_t>(Le16(pair + 2)) != kStandardCoefficients[i][1])
      return false;
  }
  return true;
}

bool InterpretWave(const WaveChunks& chunks, WaveFacts* facts) {
  *facts = WaveFacts{};
  if (chunks.format.size() < kBasicFormatSize) return false;
  const BYTE* f = chunks.format.data();
  const uint16_t tag = Le16(f + kTag);
  const uint32_t channels = Le16(f + kChannels);
  if (channels == 0 || channels > kMaxByteField) return false;
  facts->sampleRate = Le32(f + kRate);
  facts->channels = channels;
  if (IsStandardAdpcm(chunks.format)) return InterpretStandardAdpcm(chunks, facts);
  if (tag == kTagPcm || tag == kTagAdpcm) return InterpretByBlocks(chunks, channels, facts);
  return InterpretOther(chunks, channels, facts);
}

}  // namespace audioinfo
