// File information: size and creation time of any file, then the facts of
// its format.
#include "fileinfo.h"

#include <cstring>
#include <string>

#include "bytesource.h"
#include "wavefacts.h"

namespace audioinfo {

namespace {

// Size and creation date and time (local, packed as the file system packs
// them) of the file; false when it cannot be opened.
bool CollectFileFacts(LPCSTR fileName, MIOFILEINFO* info) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, 0);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  info->fileSize = size == INVALID_FILE_SIZE ? 0 : size;
  FILETIME created = {};
  FILETIME local = {};
  WORD date = 0;
  WORD time = 0;
  // A time the packed form cannot hold (before 1980) is stored as 0, so the
  // record never keeps the date of an earlier call.
  if (!GetFileTime(file, &created, nullptr, nullptr) || !FileTimeToLocalFileTime(&created, &local) ||
      !FileTimeToDosDateTime(&local, &date, &time)) {
    date = 0;
    time = 0;
  }
  info->creationDate = date;
  info->creationTime = time;
  CloseHandle(file);
  return true;
}

void ClearTexts(MIOFILEINFO* info) {
  std::memset(info->subject, 0, sizeof info->subject);
  std::memset(info->displayText, 0, sizeof info->displayText);
  std::memset(info->emptyText, 0, sizeof info->emptyText);
}

}  // namespace

void StoreWaveFacts(const WaveFacts& facts, MIOFILEINFO* info) {
  info->u.wave.sampleRate = static_cast<WORD>(facts.sampleRate & 0xFFFFu);
  info->u.wave.bits = static_cast<BYTE>(facts.bits);
  info->u.wave.channels = static_cast<BYTE>(facts.channels);
  info->samplesOrTempo = facts.samples;
}

void CopyText(char* field, size_t size, const std::string& text) {
  const size_t length = text.size() < size ? text.size() : size - 1;
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

void SetThumbnailSize(MIOFILEINFO* info, LONG width, LONG height) {
  info->thumbnailWidth = info->thumbnailWidth2 = static_cast<WORD>(width);
  info->thumbnailHeight = info->thumbnailHeight2 = static_cast<WORD>(height);
}

bool CollectVoc(LPCSTR fileName, MIOFILEINFO* info, MioError* error) {
  SetThumbnailSize(info, MIO_THUMBNAIL_SIZE, MIO_THUMBNAIL_SIZE);
  FileSource source;
  if (!source.Open(fileName)) {
    *error = kVocOpenFailed;
    return false;
  }
  VocFacts facts;
  if (!ReadVoc(source, &facts)) {
    *error = kVocUnknown;
    return false;
  }
  StoreWaveFacts(facts.wave, info);
  CopyText(info->subject, sizeof info->subject, facts.subject);
  return true;
}

bool CollectFileInfo(LONG index, LPCSTR fileName, MIOFILEINFO* info, MioError* error) {
  if (!fileName || !CollectFileFacts(fileName, info)) {
    *error = kOpenFailed;
    return false;
  }
  ClearTexts(info);
  SetThumbnailSize(info, MIO_THUMBNAIL_SIZE, MIO_THUMBNAIL_SIZE);
  bool collected = false;
  switch (index) {
    case MIO_FORMAT_WAV: collected = CollectWave(fileName, info, error); break;
    case MIO_FORMAT_MIDI:
    case MIO_FORMAT_RMI: collected = CollectMidi(index, fileName, info, error); break;
    default: collected = CollectVoc(fileName, info, error); break;
  }
  if (!collected) return false;
  info->filled = MIO_INFO_FILLED;
  return true;
}

}  // namespace audioinfo
