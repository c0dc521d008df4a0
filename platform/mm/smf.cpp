// Standard MIDI File timing: walks every track's events, gathers the tempo
// changes and converts the end of the longest track into time.
#include "smf.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace lvmm {

namespace {

constexpr uint32_t kDefaultTempo = 500000;  // 120 beats per minute

// One tempo change: from `tick` on a quarter note lasts `tempo` microseconds.
struct TempoChange {
  uint64_t tick;
  uint32_t tempo;
};

uint32_t Be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// A cursor over one track's bytes that reports the first fault it meets.
class TrackReader {
 public:
  TrackReader(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

  bool AtEnd() const { return p_ >= end_; }
  SmfError error() const { return error_; }

  bool Byte(uint8_t& out) {
    if (p_ >= end_) return Fail(SmfError::kTruncated);
    out = *p_++;
    return true;
  }

  // A variable-length number of at most four bytes.
  bool Number(uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b;
      if (!Byte(b)) return false;
      out = (out << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return Fail(SmfError::kBadEvent);
  }

  bool Skip(size_t bytes) {
    if (static_cast<size_t>(end_ - p_) < bytes) return Fail(SmfError::kTruncated);
    p_ += bytes;
    return true;
  }

  const uint8_t* Here() const { return p_; }

  bool Fail(SmfError e) {
    if (error_ == SmfError::kNone) error_ = e;
    return false;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
  SmfError error_ = SmfError::kNone;
};

// Data bytes that follow a channel status.
size_t ChannelDataBytes(uint8_t status) {
  uint8_t kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// Reads a meta event after its 0xFF; records a tempo change at `tick`.
// Sets `endOfTrack` for the end-of-track event.
bool ReadMeta(TrackReader& r, uint64_t tick, std::vector<TempoChange>& tempos, bool& endOfTrack) {
  uint8_t type;
  uint32_t length;
  if (!r.Byte(type) || !r.Number(length)) return false;
  const uint8_t* body = r.Here();
  if (!r.Skip(length)) return false;
  if (type == 0x51 && length == 3) {
    uint32_t tempo = (static_cast<uint32_t>(body[0]) << 16) | (body[1] << 8) | body[2];
    if (tempo > 0) tempos.push_back({tick, tempo});  // a zero tempo has no meaning and is ignored
  }
  endOfTrack = type == 0x2F;
  return true;
}

// Walks one track; returns its end tick in `endTick` and appends its tempo
// changes. Every event consumes at least two bytes, so the walk is bounded.
SmfError ReadTrack(const uint8_t* data, size_t size, uint64_t& endTick, std::vector<TempoChange>& tempos) {
  TrackReader r(data, size);
  uint64_t tick = 0;
  uint8_t running = 0;
  while (!r.AtEnd()) {
    uint32_t delta;
    uint8_t status;
    if (!r.Number(delta) || !r.Byte(status)) return r.error();
    tick += delta;
    if (status < 0x80) {
      if (!running) return SmfError::kBadEvent;  // running status with no status before it
      if (!r.Skip(ChannelDataBytes(running) - 1)) return r.error();
    } else if (status < 0xF0) {
      running = status;
      if (!r.Skip(ChannelDataBytes(status))) return r.error();
    } else if (status == 0xF0 || status == 0xF7) {
      uint32_t length;
      if (!r.Number(length) || !r.Skip(length)) return r.error();
    } else if (status == 0xFF) {
      bool endOfTrack = false;
      if (!ReadMeta(r, tick, tempos, endOfTrack)) return r.error();
      if (endOfTrack) break;
    } else {
      return SmfError::kBadEvent;  // real-time and common messages do not belong in a file
    }
  }
  endTick = tick;
  return SmfError::kNone;
}

using Wide = unsigned __int128;

// Playing time of `ticks` as microseconds x division, under the tempo map
// `tempos` (sorted by tick; the last change at a tick wins).
Wide ScaledMicros(const std::vector<TempoChange>& tempos, uint64_t ticks) {
  Wide sum = 0;
  uint64_t at = 0;
  uint32_t tempo = kDefaultTempo;
  for (const TempoChange& change : tempos) {
    if (change.tick >= ticks) break;
    sum += static_cast<Wide>(change.tick - at) * tempo;
    at = change.tick;
    tempo = change.tempo;
  }
  return sum + static_cast<Wide>(ticks - at) * tempo;
}

uint32_t TempoAtStart(const std::vector<TempoChange>& tempos) {
  uint32_t tempo = kDefaultTempo;
  for (const TempoChange& change : tempos) {
    if (change.tick > 0) break;
    tempo = change.tempo;
  }
  return tempo;
}

uint64_t Clamp(Wide value) {
  constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
  return value > kMax ? kMax : static_cast<uint64_t>(value);
}

// Division checks; fills the division fields of `facts`.
SmfError ReadDivision(uint16_t raw, SmfFacts& facts) {
  if (raw & 0x8000) {
    int frames = -static_cast<int8_t>(raw >> 8);
    if (frames != 24 && frames != 25 && frames != 29 && frames != 30) return SmfError::kBadHeader;
    facts.smpteFrames = frames;
    facts.ticksPerFrame = raw & 0xFF;
    return facts.ticksPerFrame ? SmfError::kNone : SmfError::kBadHeader;
  }
  facts.division = raw;
  return raw ? SmfError::kNone : SmfError::kBadHeader;
}

struct Track {
  uint64_t endTick;
  std::vector<TempoChange> tempos;
};

// Reads the track chunks after the header; other chunk kinds are skipped.
SmfError ReadTracks(const uint8_t* data, size_t size, size_t pos, int announced, std::vector<Track>& tracks) {
  while (static_cast<int>(tracks.size()) < announced && size - pos >= 8) {
    uint32_t length = Be32(data + pos + 4);
    if (length > size - pos - 8) return SmfError::kTruncated;
    if (Be32(data + pos) == 0x4D54726B) {  // "MTrk"
      Track track{};
      SmfError e = ReadTrack(data + pos + 8, length, track.endTick, track.tempos);
      if (e != SmfError::kNone) return e;
      tracks.push_back(std::move(track));
    }
    pos += 8 + static_cast<size_t>(length);
  }
  return static_cast<int>(tracks.size()) < announced ? SmfError::kMissingTracks : SmfError::kNone;
}

// Fills the length fields from `scaled` = microseconds x `denominator`.
void StoreLength(Wide scaled, Wide denominator, SmfFacts& facts) {
  facts.lengthMicros = Clamp((scaled + denominator / 2) / denominator);
  facts.lengthMillis = Clamp((scaled + denominator * 500) / (denominator * 1000));
}

void TimeSmpte(const std::vector<Track>& tracks, bool chained, SmfFacts& facts) {
  uint64_t ticks = 0;
  for (const Track& t : tracks) ticks = chained ? ticks + t.endTick : std::max(ticks, t.endTick);
  facts.lengthTicks = ticks;
  // 29 stands for drop-frame time code at 30000/1001 frames per second.
  bool drop = facts.smpteFrames == 29;
  Wide scaled = static_cast<Wide>(ticks) * 1000000u * (drop ? 1001u : 1u);
  Wide denominator = static_cast<Wide>(drop ? 30000u : static_cast<unsigned>(facts.smpteFrames)) *
                     static_cast<unsigned>(facts.ticksPerFrame);
  StoreLength(scaled, denominator, facts);
}

void TimePpqn(std::vector<Track>& tracks, bool chained, SmfFacts& facts) {
  auto byTick = [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; };
  Wide scaled = 0;
  if (chained) {
    for (Track& t : tracks) {
      std::stable_sort(t.tempos.begin(), t.tempos.end(), byTick);
      scaled += ScaledMicros(t.tempos, t.endTick);
      facts.lengthTicks += t.endTick;
    }
    facts.firstTempo = TempoAtStart(tracks.front().tempos);
  } else {
    std::vector<TempoChange> merged;
    for (const Track& t : tracks) {
      merged.insert(merged.end(), t.tempos.begin(), t.tempos.end());
      facts.lengthTicks = std::max(facts.lengthTicks, t.endTick);
    }
    std::stable_sort(merged.begin(), merged.end(), byTick);
    scaled = ScaledMicros(merged, facts.lengthTicks);
    facts.firstTempo = TempoAtStart(merged);
  }
  StoreLength(scaled, static_cast<Wide>(facts.division), facts);
}

}  // namespace

SmfError ParseSmf(const uint8_t* data, size_t size, SmfFacts& facts) {
  facts = SmfFacts{};
  if (!data || size < 8 || Be32(data) != 0x4D546864) return SmfError::kNotMidi;  // "MThd"
  uint32_t headerLength = Be32(data + 4);
  if (headerLength < 6) return SmfError::kBadHeader;
  if (headerLength > size - 8) return SmfError::kTruncated;
  facts.format = Be16(data + 8);
  int announced = Be16(data + 10);
  if (facts.format > 2 || announced == 0) return SmfError::kBadHeader;
  SmfError e = ReadDivision(Be16(data + 12), facts);
  if (e != SmfError::kNone) return e;
  std::vector<Track> tracks;
  e = ReadTracks(data, size, 8 + static_cast<size_t>(headerLength), announced, tracks);
  if (e != SmfError::kNone) return e;
  facts.tracks = static_cast<int>(tracks.size());
  bool chained = facts.format == 2;
  if (facts.smpteFrames) {
    TimeSmpte(tracks, chained, facts);
  } else {
    TimePpqn(tracks, chained, facts);
  }
  return SmfError::kNone;
}

}  // namespace lvmm
