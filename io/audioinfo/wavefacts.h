// What the module reports about a waveform file, and the pure rules that
// derive it from a WAV file's chunks or a VOC file's blocks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bytesource.h"

namespace audioinfo {

// Rate, bits, channels and sample count of a waveform file.
struct WaveFacts {
  uint32_t sampleRate = 0;  // samples per second (the record keeps the low 16 bits)
  uint32_t bits = 0;        // bits per sample, 0..255
  uint32_t channels = 0;    // 0..255
  uint32_t samples = 0;     // sample frames
};

// The chunks of a WAV file that decide its facts.
struct WaveChunks {
  std::vector<BYTE> format;    // the "fmt " chunk's bytes (at most kMaxFormatBytes)
  bool hasFact = false;        // a "fact" chunk of at least 4 bytes was found
  uint32_t factSamples = 0;    // its sample count
  bool hasData = false;        // a "data" chunk was found
  uint32_t dataSize = 0;       // its size in bytes
};

// The longest format chunk the module reads; longer ones are cut (their
// tails hold nothing the module reports).
constexpr size_t kMaxFormatBytes = 256;

// Derives the facts from the chunks: PCM, the standard ADPCM coefficient
// set, other ADPCM coefficients and other format tags, as the module reports
// them. False when the chunks do not give an answer (short format, zero or
// more than 255 channels, a zero block alignment, no sample count).
bool InterpretWave(const WaveChunks& chunks, WaveFacts* facts);

// True when the format is ADPCM (tag 2) with 4 bits, 1 or 2 channels and
// exactly the seven standard coefficient pairs.
bool IsStandardAdpcm(const std::vector<BYTE>& format);

// What a VOC file gives: its facts and its first text block.
struct VocFacts {
  WaveFacts wave;
  std::string subject;  // up to 511 characters, ANSI
};

// Checks the VOC header (signature, version and check value) and walks the
// blocks. False when the header or a block type is not recognised, or a
// block runs past the end of the data or is too short for its fields.
bool ReadVoc(ByteSource& source, VocFacts* facts);

}  // namespace audioinfo
