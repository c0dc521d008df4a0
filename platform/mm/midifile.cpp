// Reading a MIDI file for the sequencer through the RIFF file functions: a
// Standard MIDI File as it stands, or the "data" chunk of a RIFF "RMID" form.
#include <cstring>
#include <vector>

#include "mci_internal.h"

namespace lvmm {

namespace {

MCIERROR OpenErrorOf(UINT mmioError) {
  switch (mmioError) {
    case MMIOERR_FILENOTFOUND:
    case MMIOERR_PATHNOTFOUND: return MCIERR_FILE_NOT_FOUND;
    default: return MCIERR_FILE_READ;
  }
}

// Reads `size` bytes at the current position; false on a short read.
bool ReadExactly(HMMIO mmio, std::vector<uint8_t>& bytes, DWORD size) {
  bytes.resize(size);
  if (size == 0) return true;
  return mmioRead(mmio, reinterpret_cast<HPSTR>(bytes.data()), static_cast<LONG>(size)) ==
         static_cast<LONG>(size);
}

// The Standard MIDI File inside the open file: the whole file, or the data
// chunk of an RMID form.
MCIERROR ReadMidiBytes(HMMIO mmio, std::vector<uint8_t>& bytes) {
  LONG size = mmioSeek(mmio, 0, SEEK_END);
  if (size < 0) return MCIERR_FILE_READ;
  if (static_cast<DWORD>(size) > kMaxMidiFileSize) return MCIERR_INVALID_FILE;
  char magic[4] = {};
  if (mmioSeek(mmio, 0, SEEK_SET) != 0) return MCIERR_FILE_READ;
  if (mmioRead(mmio, magic, 4) == 4 && std::memcmp(magic, "RIFF", 4) == 0) {
    mmioSeek(mmio, 0, SEEK_SET);
    MMCKINFO form{}, data{};
    form.fccType = mmioFOURCC('R', 'M', 'I', 'D');
    if (mmioDescend(mmio, &form, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) return MCIERR_INVALID_FILE;
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(mmio, &data, &form, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return MCIERR_INVALID_FILE;
    return ReadExactly(mmio, bytes, data.cksize) ? 0 : MCIERR_FILE_READ;
  }
  if (mmioSeek(mmio, 0, SEEK_SET) != 0) return MCIERR_FILE_READ;
  return ReadExactly(mmio, bytes, static_cast<DWORD>(size)) ? 0 : MCIERR_FILE_READ;
}

}  // namespace

MCIERROR LoadMidiFile(LPCSTR fileName, SmfFacts& facts) {
  MMIOINFO info{};
  HMMIO mmio = mmioOpenA(fileName, &info, MMIO_READ | MMIO_DENYWRITE);
  if (!mmio) return OpenErrorOf(info.wErrorRet);
  std::vector<uint8_t> bytes;
  MCIERROR error = ReadMidiBytes(mmio, bytes);
  mmioClose(mmio, 0);
  if (error) return error;
  return ParseSmf(bytes.data(), bytes.size(), facts) == SmfError::kNone ? 0 : MCIERR_INVALID_FILE;
}

}  // namespace lvmm
