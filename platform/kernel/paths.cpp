// Drive Z: is the Unix root and drive C: a folder of the platform prefix.
// Names are matched case-insensitively (in ANSI) against the folders on disk.
#include "paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <lvtext.h>
#include <mutex>
#include <vector>

#include "ansi.h"
#include "errors.h"

namespace lv {
namespace {

void MakeDirectories(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') mkdir(path.substr(0, i).c_str(), 0777);
  }
}

std::vector<std::string> Split(std::string_view s, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == separator) {
      if (i > start) parts.emplace_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// Removes "." and ".."; with `windowsNames` also the trailing dots and
// blanks that Windows ignores in names.
std::vector<std::string> Normalize(const std::vector<std::string>& parts, bool windowsNames) {
  std::vector<std::string> out;
  for (std::string part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    while (windowsNames && !part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    if (!part.empty()) out.push_back(part);
  }
  return out;
}

std::string CurrentUnixDirectory() {
  std::vector<char> buffer(4096);
  if (!getcwd(buffer.data(), buffer.size())) return "/";
  return buffer.data();
}

std::string Join(const std::vector<std::string>& parts, char separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += separator;
    out += parts[i];
  }
  return out;
}

// The platform prefix as an absolute path (a relative setting is taken
// against the folder current when it is first seen, so later changes of the
// current folder do not move drive C:).
std::string PrefixDir() {
  const char* prefix = getenv("LUMIVEX_PREFIX");
  if (prefix && *prefix == '/') return prefix;
  if (prefix && *prefix) {
    static std::mutex lock;
    static std::string setting, absolute;
    std::lock_guard<std::mutex> guard(lock);
    if (setting != prefix) {
      setting = prefix;
      absolute = "/" + Join(Normalize(Split(CurrentUnixDirectory() + "/" + setting, '/'), false), '/');
    }
    return absolute;
  }
  const char* home = getenv("HOME");
  if (home && *home) return std::string(home) + "/.local/share/lumivex";
  return "/tmp/lumivex-" + std::to_string(getuid());
}

// Path below `root` (both lexical, absolute), or false.
bool Below(const std::string& path, const std::string& root, std::string& rest) {
  if (root.empty() || path.compare(0, root.size(), root) != 0) return false;
  if (path.size() == root.size()) {
    rest.clear();
    return true;
  }
  if (path[root.size()] != '/') return false;
  rest = path.substr(root.size() + 1);
  return true;
}

// An existing name in `dir` matching `name` (UTF-8) without regard to case.
bool MatchInFolder(const std::string& dir, const std::string& name, std::string& match) {
  DIR* d = opendir(dir.empty() ? "/" : dir.c_str());
  if (!d) return false;
  std::string wanted = Utf8ToAnsi(name);
  bool found = false;
  while (dirent* entry = readdir(d)) {
    if (AnsiEqualNoCase(Utf8ToAnsi(entry->d_name), wanted)) {
      match = entry->d_name;
      found = true;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

std::string DriveCRoot() {
  static std::mutex lock;
  static std::string ensured;
  std::string root = PrefixDir() + "/C";
  std::lock_guard<std::mutex> guard(lock);
  if (ensured != root) {
    MakeDirectories(root + "/windows/system");
    MakeDirectories(root + "/temp");
    ensured = root;
  }
  return root;
}

bool FullWinPath(std::string_view path, std::string& full) {
  std::string p(path);
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') return Fail(ERROR_BAD_PATHNAME);
  std::string current = UnixToWin(CurrentUnixDirectory());
  char drive;
  std::string rest;
  if (p.size() >= 2 && p[1] == ':' && IsCharAlphaA(p[0])) {
    drive = static_cast<char>(AnsiUpper(static_cast<unsigned char>(p[0])));
    rest = p.substr(2);
    if (rest.empty() || rest[0] != '\\') {
      // Relative to the drive's current folder: the current folder on its drive, else the root.
      rest = (drive == current[0] ? current.substr(2) + "\\" : std::string("\\")) + rest;
    }
  } else {
    drive = current[0];
    rest = (!p.empty() && p[0] == '\\') ? p : current.substr(2) + "\\" + p;
  }
  if (drive != 'C' && drive != 'Z') return Fail(ERROR_PATH_NOT_FOUND);
  bool trailing = !p.empty() && p.back() == '\\';
  std::vector<std::string> parts = Normalize(Split(rest, '\\'), true);
  full = std::string(1, drive) + ":\\" + Join(parts, '\\');
  if (trailing && !parts.empty()) full += '\\';
  return true;
}

std::string ResolveUnixPath(const std::string& absolute) {
  std::string resolved;
  bool exists = true;
  for (const std::string& name : Split(absolute, '/')) {
    std::string candidate = resolved + "/" + name;
    struct stat st;
    if (exists && lstat(candidate.c_str(), &st) != 0) {
      std::string match;
      if (MatchInFolder(resolved, name, match)) {
        candidate = resolved + "/" + match;
      } else {
        exists = false;  // nothing below a missing name can exist
      }
    }
    resolved = candidate;
  }
  return resolved.empty() ? "/" : resolved;
}

bool WinToUnix(std::string_view win, std::string& unixPath) {
  std::string full;
  if (!FullWinPath(win, full)) return false;
  std::string root = full[0] == 'C' ? DriveCRoot() : std::string();
  std::vector<std::string> parts = Split(std::string_view(full).substr(2), '\\');
  std::string path = root;
  for (const std::string& part : parts) path += "/" + AnsiToUtf8(part);
  unixPath = ResolveUnixPath(path.empty() ? "/" : path);
  return true;
}

std::string UnixToWin(std::string_view unixPath) {
  std::string path(unixPath);
  if (path.empty() || path[0] != '/') path = CurrentUnixDirectory() + "/" + path;
  std::string lexical = "/" + Join(Normalize(Split(path, '/'), false), '/');
  std::string root = DriveCRoot();
  std::vector<std::string> roots = {root};
  if (char* real = realpath(root.c_str(), nullptr)) {
    roots.emplace_back(real);
    free(real);
  }
  std::string rest;
  for (const std::string& r : roots) {
    if (Below(lexical, r, rest)) {
      std::string win = "C:\\" + Utf8ToAnsi(rest);
      for (char& c : win) {
        if (c == '/') c = '\\';
      }
      return win;
    }
  }
  std::string win = "Z:" + Utf8ToAnsi(lexical);
  for (char& c : win) {
    if (c == '/') c = '\\';
  }
  return win;
}

DWORD CopyOut(const std::string& text, LPSTR buffer, DWORD size) {
  if (!buffer || text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace lv

BOOL lvWinPathToUnix(LPCSTR win, LPSTR unixOut, DWORD size) {
  if (!win || !unixOut) return lv::Fail(ERROR_INVALID_PARAMETER);
  std::string path;
  if (!lv::WinToUnix(win, path)) return FALSE;
  if (path.size() + 1 > size) return lv::Fail(ERROR_INSUFFICIENT_BUFFER);
  memcpy(unixOut, path.c_str(), path.size() + 1);
  return TRUE;
}

BOOL lvUnixPathToWin(LPCSTR unixPath, LPSTR winOut, DWORD size) {
  if (!unixPath || !winOut) return lv::Fail(ERROR_INVALID_PARAMETER);
  std::string win = lv::UnixToWin(unixPath);
  if (win.size() + 1 > size) return lv::Fail(ERROR_INSUFFICIENT_BUFFER);
  memcpy(winOut, win.c_str(), win.size() + 1);
  return TRUE;
}

DWORD WINAPI GetFullPathNameA(LPCSTR fileName, DWORD size, LPSTR buffer, LPSTR* filePart) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  std::string full;
  if (!lv::FullWinPath(fileName, full)) return 0;
  DWORD n = lv::CopyOut(full, buffer, size);
  if (filePart && buffer && n < size) {
    size_t slash = full.find_last_of('\\');
    *filePart = (slash + 1 < full.size()) ? buffer + slash + 1 : nullptr;
  }
  return n;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  return lv::CopyOut(lv::UnixToWin(lv::CurrentUnixDirectory()), buffer, size);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR path) {
  if (!path) return lv::Fail(ERROR_INVALID_PARAMETER);
  std::string unixPath;
  if (!lv::WinToUnix(path, unixPath)) return FALSE;
  if (chdir(unixPath.c_str()) != 0) {
    return lv::Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : lv::ErrorFromErrno(errno));
  }
  return TRUE;
}

DWORD WINAPI GetTempPathA(DWORD size, LPSTR buffer) {
  lv::DriveCRoot();
  return lv::CopyOut("C:\\temp\\", buffer, size);
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  lv::DriveCRoot();
  return lv::CopyOut("C:\\windows", buffer, size);
}

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) {
  lv::DriveCRoot();
  return lv::CopyOut("C:\\windows\\system", buffer, size);
}
