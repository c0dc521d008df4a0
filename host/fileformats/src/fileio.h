// Files through the platform's file API: reading at offsets, writing, and
// the temporary name under which a file is written before it is renamed.
#pragma once

#include <windows.h>

#include <string>

namespace tf {

// Windows form of a path given in Windows or Unix form ('/' first).
std::string WinPath(const char* path);
// Opens an existing file for reading; INVALID_HANDLE_VALUE on failure.
HANDLE OpenForReading(const std::string& path);
// Creates (or empties) a file for reading and writing.
HANDLE CreateForWriting(const std::string& path);
// Size of an open file; 0 when unknown. Files of 4 GiB or more report
// 0xFFFFFFFF.
DWORD FileSizeOf(HANDLE file);
// Reads up to size bytes at offset; the count read (0 on a failed seek).
DWORD ReadAt(HANDLE file, DWORD offset, void* data, DWORD size);
// Reads exactly size bytes at the file pointer; false on a short read.
bool ReadExact(HANDLE file, void* data, DWORD size);
// Moves the file pointer to offset; false on failure.
bool SeekTo(HANDLE file, DWORD offset);
// Writes all size bytes at the file pointer; false on a short write.
bool WriteAll(HANDLE file, const void* data, DWORD size);
// The temporary name a file is written under: beside the target.
std::string TemporaryNameFor(const std::string& target);
// Replaces target by the finished temporary file; false on failure.
bool MoveIntoPlace(const std::string& temporary, const std::string& target);

}  // namespace tf
