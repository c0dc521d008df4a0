// Texts of the properties boxes.
#include "infobox.h"

namespace audioinfo {

namespace {

constexpr DWORD kOneHour = 3600;
constexpr DWORD kNoLength = 65535;

}  // namespace

WaveTexts FormatWaveTexts(const MIOFILEINFO& info) {
  WaveTexts texts;
  wsprintfA(texts.rate, "%u", static_cast<UINT>(info.u.wave.sampleRate));
  wsprintfA(texts.bits, "%u", static_cast<UINT>(info.u.wave.bits));
  wsprintfA(texts.channels, "%u", static_cast<UINT>(info.u.wave.channels));
  // The sample count is printed unsigned: counts from 2^31 on (long files,
  // endless VOC repeats that saturate at 0xFFFFFFFF) would otherwise show
  // as negative numbers.
  wsprintfA(texts.samples, "%lu", static_cast<unsigned long>(info.samplesOrTempo));
  return texts;
}

MidiTexts FormatMidiTexts(const MIOFILEINFO& info) {
  MidiTexts texts = {};
  const DWORD seconds = info.u.lengthSeconds;
  if (seconds >= kNoLength) return texts;
  if (seconds >= kOneHour) {
    lstrcpyA(texts.length, "**:**");
  } else {
    wsprintfA(texts.length, "%02d:%02d", static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
  }
  wsprintfA(texts.tempo, "%lu", static_cast<unsigned long>(info.samplesOrTempo));
  return texts;
}

}  // namespace audioinfo
