// Shared pieces of the file functions.
#pragma once

#include <sys/stat.h>

#include <string>
#include <win/kernel.h>

namespace lv {

// The Unix path of a Windows file name; false (last error set) when the
// name is NULL, empty or on no drive of the platform.
bool UnixPathOf(LPCSTR fileName, std::string& unixPath);
// The error for a missing file: ERROR_PATH_NOT_FOUND when its folder is
// missing too, else ERROR_FILE_NOT_FOUND.
DWORD MissingFileError(const std::string& unixPath);
// 100-ns intervals since 1601 of a Unix time.
FILETIME FileTimeOf(const timespec& t);
// The creation time of an open file: its birth time where the file system
// keeps one, else its last write time (never the status change time, which
// moves with every change of permissions or links).
FILETIME CreationTimeOf(int fd, const struct stat& st);
// The same for a file given by its Unix path.
FILETIME CreationTimeOf(const std::string& unixPath, const struct stat& st);
// The FILE_ATTRIBUTE_* bits of a file's status; `name` decides hidden.
DWORD AttributesOf(const struct stat& st, const std::string& name);

}  // namespace lv
