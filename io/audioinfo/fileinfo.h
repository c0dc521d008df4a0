// The file information of one file, as mioGetFileInfo and the properties
// boxes need it.
#pragma once

#include <windows.h>

#include <audioinfo.h>

#include <string>
#include <vector>

#include "errors.h"
#include "wavefacts.h"

namespace audioinfo {

// True for the format indices 0..3.
inline bool ValidIndex(LONG index) { return index >= 0 && index < MIO_FORMAT_COUNT; }

// Fills *info for the file of format `index` (0..3). False with *error set
// when the file cannot be opened or read as that format; *info is then
// partly filled and must not be used.
bool CollectFileInfo(LONG index, LPCSTR fileName, MIOFILEINFO* info, MioError* error);

// Copies text into a fixed field of `size` bytes, cut to size - 1 characters
// and terminated.
void CopyText(char* field, size_t size, const std::string& text);

// Format-specific steps, each filling its part of *info; false with *error set.
bool CollectWave(LPCSTR fileName, MIOFILEINFO* info, MioError* error);
bool CollectMidi(LONG index, LPCSTR fileName, MIOFILEINFO* info, MioError* error);
bool CollectVoc(LPCSTR fileName, MIOFILEINFO* info, MioError* error);

// The file's own picture (WAV and RMI files: a bitmap display chunk) as
// a packed bitmap; false when it has none.
bool ReadFilePicture(LONG index, LPCSTR fileName, std::vector<BYTE>* picture);

// Stores rate (low 16 bits), bits, channels and sample count.
void StoreWaveFacts(const WaveFacts& facts, MIOFILEINFO* info);

// Stores the thumbnail size in both places of the record.
void SetThumbnailSize(MIOFILEINFO* info, LONG width, LONG height);

}  // namespace audioinfo
