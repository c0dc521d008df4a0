// VOC files: header check and the walk over the sound blocks.
#include <algorithm>
#include <cstring>

#include "wavefacts.h"

namespace audioinfo {

namespace {

constexpr char kSignature[] = "Creative Voice File";
constexpr size_t kSignatureLength = 19;
constexpr size_t kHeaderSize = 26;
constexpr uint16_t kVersionCheckSum = 0x1233;
constexpr size_t kMaxTextLength = 511;

enum BlockType : BYTE {
  kTerminator = 0,
  kSoundData = 1,
  kSoundContinuation = 2,
  kSilence = 3,
  kMarker = 4,
  kText = 5,
  kRepeatStart = 6,
  kRepeatEnd = 7,
  kExtended = 8,
  kNewSoundData = 9,
};

// The state of the walk over the blocks.
struct VocWalk {
  uint64_t bytes = 0;            // sound bytes counted so far
  bool inRepeat = false;         // between a repeat start and its end
  uint32_t repeatCount = 0;      // count of the open repeat
  bool afterExtended = false;    // an extended block set rate and channels for the next sound block
  bool haveText = false;         // the first text block has been taken
  VocFacts* facts = nullptr;
};

uint64_t Repeated(const VocWalk& walk, uint64_t bytes) {
  return walk.inRepeat ? bytes * (static_cast<uint64_t>(walk.repeatCount) + 1) : bytes;
}

bool HeaderIsValid(const BYTE* header) {
  if (std::memcmp(header, kSignature, kSignatureLength) != 0) return false;
  const uint16_t version = Le16(header + 22);
  const uint16_t check = Le16(header + 24);
  return static_cast<uint16_t>(version + check) == kVersionCheckSum;
}

void OnSoundData(VocWalk& walk, const BYTE* body, uint32_t length) {
  walk.bytes += Repeated(walk, length - 2);
  if (walk.afterExtended) {
    walk.afterExtended = false;
    return;
  }
  walk.facts->wave.sampleRate = 1000000u / (256u - body[0]);
  walk.facts->wave.bits = 8;
  walk.facts->wave.channels = 1;
}

void OnExtended(VocWalk& walk, const BYTE* body) {
  const uint32_t divisor = 65536u - Le16(body);
  const bool stereo = body[3] == 1;
  WaveFacts& wave = walk.facts->wave;
  wave.bits = 8;
  wave.channels = stereo ? 2 : 1;
  wave.sampleRate = stereo ? 256000000u / (divisor * 2) : 256000000u / divisor;
  walk.afterExtended = true;
}

void OnNewSoundData(VocWalk& walk, const BYTE* body, uint32_t length) {
  const BYTE bits = body[4];
  uint64_t bytes = Repeated(walk, length - 12);
  if (bits == 16) bytes /= 2;
  walk.bytes += bytes;
  if (walk.afterExtended) {
    walk.afterExtended = false;
    return;
  }
  WaveFacts& wave = walk.facts->wave;
  wave.sampleRate = Le32(body) & 0xFFFFu;
  wave.bits = bits;
  wave.channels = body[5];
}

void OnText(VocWalk& walk, ByteSource& source, uint64_t at, uint32_t length) {
  if (walk.haveText) return;
  walk.haveText = true;
  char text[kMaxTextLength];
  const size_t take = std::min<size_t>(length, kMaxTextLength);
  if (!source.ReadAt(at, text, take)) return;
  walk.facts->subject.assign(text, strnlen(text, take));
}

// Fewest body bytes each block type needs for its fields.
uint32_t MinimumLength(BYTE type) {
  switch (type) {
    case kSoundData: return 2;
    case kSilence: return 3;
    case kRepeatStart: return 2;
    case kExtended: return 4;
    case kNewSoundData: return 12;
    default: return 0;
  }
}

// Handles one block whose body of `length` bytes starts at `at`; false for
// an unknown type or a body too short for its fields.
bool HandleBlock(VocWalk& walk, ByteSource& source, BYTE type, uint64_t at, uint32_t length) {
  if (type > kNewSoundData) return false;
  if (length < MinimumLength(type)) return false;
  BYTE body[12] = {};
  const size_t fields = std::min<size_t>(length, sizeof body);
  if (type != kText && !source.ReadAt(at, body, fields)) return false;
  switch (type) {
    case kSoundData: OnSoundData(walk, body, length); break;
    case kSoundContinuation: walk.bytes += length; break;
    case kSilence: walk.bytes += Le16(body); break;
    case kText: OnText(walk, source, at, length); break;
    case kRepeatStart:
      walk.inRepeat = true;
      walk.repeatCount = Le16(body);
      break;
    case kRepeatEnd: walk.inRepeat = false; break;
    case kExtended: OnExtended(walk, body); break;
    case kNewSoundData: OnNewSoundData(walk, body, length); break;
    default: break;  // marker
  }
  return true;
}

}  // namespace

bool ReadVoc(ByteSource& source, VocFacts* facts) {
  *facts = VocFacts{};
  BYTE header[kHeaderSize];
  if (!source.ReadAt(0, header, sizeof header) || !HeaderIsValid(header)) return false;
  VocWalk walk;
  walk.facts = facts;
  const uint64_t size = source.Size();
  uint64_t at = Le16(header + 20);
  // Every block moves on by at least its four header bytes, so the walk ends
  // within the file; the end of the data also ends it.
  while (at < size) {
    BYTE type = 0;
    if (!source.ReadAt(at, &type, 1)) return false;
    if (type == kTerminator) break;
    BYTE lengthBytes[3];
    if (!source.ReadAt(at + 1, lengthBytes, 3)) return false;
    const uint32_t length = Le24(lengthBytes);
    const uint64_t body = at + 4;
    if (length > size - body) return false;
    if (!HandleBlock(walk, source, type, body, length)) return false;
    at = body + length;
  }
  if (at > size) return false;
  WaveFacts& wave = facts->wave;
  if (walk.bytes > 0 && wave.channels == 0) return false;
  const uint64_t samples = wave.channels ? walk.bytes / wave.channels : 0;
  wave.samples = static_cast<uint32_t>(std::min<uint64_t>(samples, UINT32_MAX));
  return true;
}

}  // namespace audioinfo
