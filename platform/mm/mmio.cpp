// Reading RIFF files: mmioOpenA, mmioRead, mmioSeek, mmioDescend,
// mmioAscend, mmioClose. The file is read through the platform's file API
// at a position kept here; the file's size is taken at open, so every chunk
// can be checked against the end of the file before it is entered.
#include <mmsystem.h>

#include <cstring>
#include <mutex>

#include "../kernel/handle_table.h"

namespace {

constexpr uint8_t kMmioTag = 0x38;

struct MmioFile {
  HANDLE file;    // platform file handle, owned
  int64_t size;   // file size at open
  int64_t pos;    // current position (may lie past the end)
};

struct MmioTable {
  std::mutex lock;
  lv::HandleTable<MmioFile> files{kMmioTag};
};

MmioTable& TheTable() {
  static MmioTable* table = new MmioTable;  // lives for the whole process
  return *table;
}

// A copy of the open file's state, or false for a bad handle.
bool Lookup(HMMIO mmio, MmioFile& out) {
  MmioTable& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  MmioFile* f = t.files.Find(mmio);
  if (!f) return false;
  out = *f;
  return true;
}

void StorePosition(HMMIO mmio, int64_t pos) {
  MmioTable& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  if (MmioFile* f = t.files.Find(mmio)) f->pos = pos;
}

UINT OpenError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return MMIOERR_FILENOTFOUND;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return MMIOERR_PATHNOTFOUND;
    case ERROR_ACCESS_DENIED: return MMIOERR_ACCESSDENIED;
    case ERROR_SHARING_VIOLATION: return MMIOERR_SHARINGVIOLATION;
    case ERROR_TOO_MANY_OPEN_FILES: return MMIOERR_TOOMANYOPENFILES;
    default: return MMIOERR_CANNOTOPEN;
  }
}

HMMIO FailOpen(LPMMIOINFO info, UINT error) {
  if (info) info->wErrorRet = error;
  return 0;
}

// Reads exactly `bytes` bytes at `pos`; false at a short read or an error.
bool ReadAt(const MmioFile& f, int64_t pos, void* buffer, DWORD bytes, DWORD& got) {
  got = 0;
  if (pos < 0 || pos > 0x7FFFFFFF) return false;
  if (SetFilePointer(f.file, static_cast<LONG>(pos), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
      GetLastError() != ERROR_SUCCESS)
    return false;
  return ReadFile(f.file, buffer, bytes, &got, nullptr) != FALSE;
}

DWORD Le32(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
         (static_cast<DWORD>(p[3]) << 24);
}

// Reads the chunk header at `pos` whose data must end by `limit`. Fills
// ckid, cksize, fccType (RIFF and LIST) and dwDataOffset; false when the
// header is cut off or the data runs past `limit`.
bool ReadHeader(const MmioFile& f, int64_t pos, int64_t limit, MMCKINFO& ck) {
  BYTE header[12];
  DWORD got = 0;
  if (pos + 8 > limit) return false;
  if (!ReadAt(f, pos, header, 8, got) || got != 8) return false;
  ck.ckid = Le32(header);
  ck.cksize = Le32(header + 4);
  ck.fccType = 0;
  ck.dwFlags = 0;
  int64_t data = pos + 8;
  if (data + static_cast<int64_t>(ck.cksize) > limit || data > 0xFFFFFFFFll) return false;
  ck.dwDataOffset = static_cast<DWORD>(data);
  if (ck.ckid == FOURCC_RIFF || ck.ckid == FOURCC_LIST) {
    if (ck.cksize < 4) return false;
    if (!ReadAt(f, data, header + 8, 4, got) || got != 4) return false;
    ck.fccType = Le32(header + 8);
  }
  return true;
}

bool Matches(const MMCKINFO& found, const MMCKINFO& wanted, UINT flags) {
  if (flags & MMIO_FINDCHUNK) return found.ckid == wanted.ckid;
  if (flags & MMIO_FINDRIFF) return found.ckid == FOURCC_RIFF && found.fccType == wanted.fccType;
  if (flags & MMIO_FINDLIST) return found.ckid == FOURCC_LIST && found.fccType == wanted.fccType;
  return true;
}

int64_t PaddedEnd(const MMCKINFO& ck) {
  int64_t end = static_cast<int64_t>(ck.dwDataOffset) + ck.cksize;
  return end + (ck.cksize & 1);
}

}  // namespace

HMMIO WINAPI mmioOpenA(LPCSTR fileName, LPMMIOINFO info, DWORD flags) {
  if (info) info->wErrorRet = 0;
  const DWORD known = MMIO_RWMODE | MMIO_SHAREMODE | MMIO_ALLOCBUF | MMIO_CREATE | MMIO_PARSE | MMIO_DELETE |
                      MMIO_EXIST | MMIO_GETTEMP;
  if (flags & ~known) return FailOpen(info, MMSYSERR_INVALFLAG);
  if (flags & (MMIO_PARSE | MMIO_EXIST | MMIO_GETTEMP | MMIO_DELETE)) return FailOpen(info, MMSYSERR_NOTSUPPORTED);
  if ((flags & MMIO_RWMODE) != MMIO_READ || (flags & MMIO_CREATE)) return FailOpen(info, MMIOERR_ACCESSDENIED);
  if (info && (info->pIOProc || info->fccIOProc)) return FailOpen(info, MMSYSERR_NOTSUPPORTED);
  if (!fileName || !*fileName) return FailOpen(info, MMIOERR_FILENOTFOUND);
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
  if (file == INVALID_HANDLE_VALUE) return FailOpen(info, OpenError(GetLastError()));
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) {
    CloseHandle(file);
    return FailOpen(info, MMIOERR_CANNOTREAD);
  }
  int64_t size = (static_cast<int64_t>(high) << 32) | low;
  MmioTable& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  HMMIO handle = t.files.Add(MmioFile{file, size, 0});
  if (!handle) {
    CloseHandle(file);
    return FailOpen(info, MMIOERR_TOOMANYOPENFILES);
  }
  if (info) info->hmmio = handle;
  return handle;
}

MMRESULT WINAPI mmioClose(HMMIO mmio, UINT /*flags*/) {
  MmioTable& t = TheTable();
  HANDLE file = 0;
  {
    std::lock_guard<std::mutex> guard(t.lock);
    MmioFile* f = t.files.Find(mmio);
    if (!f) return MMSYSERR_INVALHANDLE;
    file = f->file;
    t.files.Remove(mmio);
  }
  return CloseHandle(file) ? MMSYSERR_NOERROR : MMIOERR_CANNOTCLOSE;
}

LONG WINAPI mmioRead(HMMIO mmio, HPSTR buffer, LONG bytes) {
  MmioFile f;
  if (!Lookup(mmio, f) || bytes < 0 || (!buffer && bytes > 0)) return -1;
  int64_t available = f.size - f.pos;
  if (available <= 0 || bytes == 0) return 0;
  DWORD want = static_cast<DWORD>(bytes < available ? bytes : available);
  DWORD got = 0;
  if (!ReadAt(f, f.pos, buffer, want, got)) return -1;
  StorePosition(mmio, f.pos + got);
  return static_cast<LONG>(got);
}

LONG WINAPI mmioSeek(HMMIO mmio, LONG offset, int origin) {
  MmioFile f;
  if (!Lookup(mmio, f)) return -1;
  int64_t base;
  switch (origin) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = f.pos; break;
    case SEEK_END: base = f.size; break;
    default: return -1;
  }
  int64_t pos = base + offset;
  if (pos < 0 || pos > 0x7FFFFFFF) return -1;
  StorePosition(mmio, pos);
  return static_cast<LONG>(pos);
}

MMRESULT WINAPI mmioDescend(HMMIO mmio, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags) {
  MmioFile f;
  if (!Lookup(mmio, f)) return MMSYSERR_INVALHANDLE;
  if (!chunk) return MMSYSERR_INVALPARAM;
  if (flags & ~static_cast<UINT>(MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST)) return MMSYSERR_INVALFLAG;
  int64_t limit = f.size;
  if (parent) {
    int64_t parentEnd = static_cast<int64_t>(parent->dwDataOffset) + parent->cksize;
    if (parentEnd < limit) limit = parentEnd;
  }
  // Each step moves past a whole chunk of at least 8 bytes, so the search
  // ends within size / 8 steps.
  int64_t pos = f.pos;
  MMCKINFO found{};
  for (;;) {
    if (!ReadHeader(f, pos, limit, found)) return MMIOERR_CHUNKNOTFOUND;
    if (Matches(found, *chunk, flags)) break;
    pos = PaddedEnd(found);
  }
  *chunk = found;
  bool typed = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
  StorePosition(mmio, static_cast<int64_t>(found.dwDataOffset) + (typed ? 4 : 0));
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI mmioAscend(HMMIO mmio, LPMMCKINFO chunk, UINT /*flags*/) {
  MmioFile f;
  if (!Lookup(mmio, f)) return MMSYSERR_INVALHANDLE;
  if (!chunk) return MMSYSERR_INVALPARAM;
  StorePosition(mmio, PaddedEnd(*chunk));
  return MMSYSERR_NOERROR;
}

FOURCC WINAPI mmioStringToFOURCCA(LPCSTR text, UINT flags) {
  char code[4] = {' ', ' ', ' ', ' '};
  for (int i = 0; text && i < 4 && text[i]; ++i) code[i] = text[i];
  if (flags & MMIO_TOUPPER) CharUpperBuffA(code, 4);
  return mmioFOURCC(code[0], code[1], code[2], code[3]);
}
