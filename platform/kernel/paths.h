// Drives and path mapping between Windows paths (ANSI) and Unix paths (UTF-8).
#pragma once

#include <win/kernel.h>

#include <string>
#include <string_view>

namespace lv {

// The Unix folder of drive C: (the folder "C" in the platform prefix), with
// C:\windows, C:\windows\system and C:\temp created on first use.
std::string DriveCRoot();
// The absolute Windows form of a path: drive, '\' separators, "." and ".."
// removed, trailing dots and blanks of names dropped; a trailing '\' is kept.
// False (last error set) for paths the platform has no drive for.
bool FullWinPath(std::string_view path, std::string& full);
// The Unix path of a Windows path, resolved case-insensitively against what
// exists. False (last error set) when the path names no drive of the platform.
bool WinToUnix(std::string_view win, std::string& unixPath);
// The Windows path (ANSI) of a Unix path (absolute or relative to the current folder).
std::string UnixToWin(std::string_view unixPath);
// Matches each component of an absolute Unix path case-insensitively against
// what exists; components that do not exist stay as written.
std::string ResolveUnixPath(const std::string& absolute);
// Copies a result string the way the Win32 "size needed" functions do:
// returns its length when it fits, else the size needed with the terminator.
DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size);

}  // namespace lv
