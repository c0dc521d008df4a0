// RIFF forms through the platform's multimedia file services: display
// chunks, the INFO subject and the chunks of a WAVE form.
#include "riff.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace audioinfo {

namespace {

// Clipboard formats of a display chunk.
constexpr DWORD kDisplayText = 1;    // CF_TEXT
constexpr DWORD kDisplayBitmap = 8;  // CF_DIB

constexpr size_t kMaxDisplayText = 511;
constexpr size_t kMaxSubject = 4095;
// Larger display bitmaps are not taken as thumbnails.
constexpr DWORD kMaxPictureBytes = 16u << 20;

const FOURCC kDisp = mmioFOURCC('D', 'I', 'S', 'P');
const FOURCC kInfo = mmioFOURCC('I', 'N', 'F', 'O');
const FOURCC kIsbj = mmioFOURCC('I', 'S', 'B', 'J');
const FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC kFmt = mmioFOURCC('f', 'm', 't', ' ');
const FOURCC kFact = mmioFOURCC('f', 'a', 'c', 't');
const FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

// Reads exactly `count` bytes at the file position.
bool ReadBytes(HMMIO file, void* out, DWORD count) {
  if (count == 0) return true;
  return mmioRead(file, static_cast<HPSTR>(out), static_cast<LONG>(count)) ==
         static_cast<LONG>(count);
}

// Text of up to `limit` characters from the chunk's next `available` bytes,
// ending at the first zero byte.
std::string ReadText(HMMIO file, DWORD available, size_t limit) {
  std::vector<char> text(std::min<size_t>(available, limit));
  if (text.empty()) return {};
  if (!ReadBytes(file, text.data(), static_cast<DWORD>(text.size()))) return {};
  return std::string(text.data(), strnlen(text.data(), text.size()));
}

// Descends into the RIFF form of the given type from the start of the file.
bool FindForm(HMMIO file, FOURCC formType, MMCKINFO* form) {
  if (mmioSeek(file, 0, SEEK_SET) != 0) return false;
  std::memset(form, 0, sizeof *form);
  form->fccType = formType;
  return mmioDescend(file, form, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR;
}

// Descends into the first chunk `id` of the form, searching from its start.
bool FindChunk(HMMIO file, const MMCKINFO& form, FOURCC id, MMCKINFO* chunk) {
  if (mmioSeek(file, static_cast<LONG>(form.dwDataOffset + 4), SEEK_SET) == -1) return false;
  std::memset(chunk, 0, sizeof *chunk);
  chunk->ckid = id;
  return mmioDescend(file, chunk, &form, MMIO_FINDCHUNK) == MMSYSERR_NOERROR;
}

void ReadDisplayChunk(HMMIO file, const MMCKINFO& chunk, RiffExtras* extras) {
  BYTE typeBytes[4];
  if (chunk.cksize < 4 || !ReadBytes(file, typeBytes, 4)) return;
  const DWORD type = Le32(typeBytes);
  const DWORD rest = chunk.cksize - 4;
  if (type == kDisplayText) {
    extras->displayText = ReadText(file, rest, kMaxDisplayText);
  } else if (type == kDisplayBitmap && rest <= kMaxPictureBytes) {
    std::vector<BYTE> picture(rest);
    DibSize size;
    if (!ReadBytes(file, picture.data(), rest) || !CheckPackedDib(picture.data(), rest, &size)) return;
    extras->picture = std::move(picture);
    extras->pictureSize = size;
  }
}

void ReadDisplayChunks(HMMIO file, const MMCKINFO& form, RiffExtras* extras) {
  MMCKINFO chunk;
  std::memset(&chunk, 0, sizeof chunk);
  // Each chunk moves the position on by its header at least, so the loop
  // ends at the end of the form.
  while (mmioDescend(file, &chunk, &form, 0) == MMSYSERR_NOERROR) {
    if (chunk.ckid == kDisp) ReadDisplayChunk(file, chunk, extras);
    if (mmioAscend(file, &chunk, 0) != MMSYSERR_NOERROR) return;
  }
}

void ReadSubject(HMMIO file, const MMCKINFO& form, RiffExtras* extras) {
  if (mmioSeek(file, static_cast<LONG>(form.dwDataOffset + 4), SEEK_SET) == -1) return;
  MMCKINFO list;
  std::memset(&list, 0, sizeof list);
  list.fccType = kInfo;
  if (mmioDescend(file, &list, &form, MMIO_FINDLIST) != MMSYSERR_NOERROR) return;
  MMCKINFO subject;
  std::memset(&subject, 0, sizeof subject);
  subject.ckid = kIsbj;
  if (mmioDescend(file, &subject, &list, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return;
  extras->subject = ReadText(file, subject.cksize, kMaxSubject);
}

}  // namespace

RiffFile::~RiffFile() {
  if (file_) mmioClose(file_, 0);
}

// The name is passed as given, even when longer than MAX_PATH, so the file
// read here is the one whose size and date were taken.
bool RiffFile::Open(LPCSTR fileName) {
  file_ = mmioOpenA(fileName, nullptr, MMIO_READ | MMIO_ALLOCBUF | MMIO_DENYWRITE);
  return file_ != 0;
}

void ReadRiffExtras(HMMIO file, FOURCC formType, RiffExtras* extras) {
  *extras = RiffExtras{};
  MMCKINFO form;
  if (!FindForm(file, formType, &form)) return;
  ReadDisplayChunks(file, form, extras);
  ReadSubject(file, form, extras);
}

bool ReadWaveChunks(HMMIO file, WaveChunks* chunks) {
  *chunks = WaveChunks{};
  MMCKINFO form;
  MMCKINFO chunk;
  if (!FindForm(file, kWave, &form) || !FindChunk(file, form, kFmt, &chunk)) return false;
  chunks->format.resize(std::min<size_t>(chunk.cksize, kMaxFormatBytes));
  if (!ReadBytes(file, chunks->format.data(), static_cast<DWORD>(chunks->format.size()))) return false;
  if (FindChunk(file, form, kFact, &chunk) && chunk.cksize >= 4) {
    BYTE samples[4];
    if (!ReadBytes(file, samples, 4)) return false;
    chunks->hasFact = true;
    chunks->factSamples = Le32(samples);
  }
  if (FindChunk(file, form, kData, &chunk)) {
    chunks->hasData = true;
    chunks->dataSize = chunk.cksize;
  }
  return true;
}

}  // namespace audioinfo
