// Files that appear under their final name only when complete.
#pragma once

#include <functional>
#include <string>

namespace lvhost {

// Calls write(tempPath) with a fresh temporary name in the folder of
// finalPath, then renames the temporary file to finalPath. When write returns
// false, or the rename fails, the temporary file is removed and false is
// returned (error receives the reason; write may have filled it already).
bool WriteFileAtomically(const std::string& finalPath,
                         const std::function<bool(const std::string& tempPath, std::string* error)>& write,
                         std::string* error);

// Writes bytes to finalPath atomically.
bool WriteBytesAtomically(const std::string& finalPath, const void* data, size_t size,
                          std::string* error);

// Reads a whole file of at most maxSize bytes; false with an error text when
// missing, unreadable or larger.
bool ReadWholeFile(const std::string& path, size_t maxSize, std::string* bytes, std::string* error);

}  // namespace lvhost
