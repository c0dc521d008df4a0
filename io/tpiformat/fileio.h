// The host's file handle through the platform's file API.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tpi {

// Reads up to `bytes` bytes at the file position; returns the count read
// (0 on failure or at the end).
DWORD ReadSome(HFILE file, void* buffer, DWORD bytes);
// TRUE when exactly `bytes` bytes were read.
bool ReadExact(HFILE file, void* buffer, DWORD bytes);
// TRUE when all `bytes` bytes were written.
bool WriteExact(HFILE file, const void* buffer, DWORD bytes);
// Moves the file position to `offset` from the start / by `distance`.
bool SeekTo(HFILE file, uint64_t offset);
bool SeekBy(HFILE file, int64_t distance);
// The file's size in bytes; false when it cannot be had.
bool FileSize(HFILE file, uint64_t* size);

}  // namespace tpi
