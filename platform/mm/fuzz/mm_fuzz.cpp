// Fuzz target: RIFF and MIDI files. The input is parsed as a Standard MIDI
// File in memory, walked chunk by chunk with the RIFF file functions (every
// chunk found must lie inside its parent and the file), and opened with the
// MCI sequencer (as a plain MIDI file or an RMI form).
#include <mmsystem.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "../smf.h"
#include "fuzzsupport.h"

namespace {

// Descends into every chunk inside `parent` (the file when NULL), into
// forms and lists recursively up to a small depth.
void Walk(HMMIO mmio, const MMCKINFO* parent, int64_t fileSize, int depth, int& budget) {
  int64_t end = parent ? static_cast<int64_t>(parent->dwDataOffset) + parent->cksize : fileSize;
  MMCKINFO chunk{};
  while (budget-- > 0 && mmioDescend(mmio, &chunk, parent, 0) == MMSYSERR_NOERROR) {
    int64_t chunkEnd = static_cast<int64_t>(chunk.dwDataOffset) + chunk.cksize;
    if (chunkEnd > end || chunkEnd > fileSize) std::abort();
    char sample[16];
    if (mmioRead(mmio, sample, sizeof sample) < 0) std::abort();
    if ((chunk.ckid == FOURCC_RIFF || chunk.ckid == FOURCC_LIST) && depth < 8) {
      mmioSeek(mmio, static_cast<LONG>(chunk.dwDataOffset + 4), SEEK_SET);
      Walk(mmio, &chunk, fileSize, depth + 1, budget);
    }
    mmioAscend(mmio, &chunk, 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024) return 0;
  lvmm::SmfFacts facts;
  if (lvmm::ParseSmf(data, size, facts) == lvmm::SmfError::kNone) {
    if (facts.tracks < 1 || facts.lengthMillis > facts.lengthMicros / 1000 + 1) std::abort();
  }
  std::string name = lvfuzz::WriteInput(data, size);
  HMMIO mmio = mmioOpenA(name.c_str(), nullptr, MMIO_READ);
  if (!mmio) std::abort();
  int budget = 4096;
  Walk(mmio, nullptr, static_cast<int64_t>(size), 0, budget);
  mmioClose(mmio, 0);

  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "sequencer";
  open.lpstrElementName = name.c_str();
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) == 0) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    if (mciSendCommandA(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status))) {
      std::abort();
    }
    mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, 0);
  }
  return 0;
}
