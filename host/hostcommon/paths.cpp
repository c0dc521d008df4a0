// Path utilities and the host's temporary folder.
#include <hostcommon.h>

#include <cstring>
#include <string>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The path without a trailing separator, except for a drive root ("C:\").
std::string WithoutTrailingSlash(LPCSTR path) {
  std::string text(path);
  while (text.size() > 1 && IsSeparator(text.back()) && !(text.size() == 3 && text[1] == ':'))
    text.pop_back();
  return text;
}

}  // namespace

BOOL tfdSplitPathname(LPCSTR path, LONG /*reserved*/, LPSTR folder) {
  if (!path || !folder) return FALSE;
  size_t length = std::strlen(path);
  size_t cut = 0;  // bytes of the folder part, separator included
  for (size_t i = 0; i < length; ++i) {
    if (IsSeparator(path[i]) || path[i] == ':') cut = i + 1;
  }
  if (cut >= MAX_PATH) {
    folder[0] = '\0';
    return FALSE;
  }
  std::memcpy(folder, path, cut);
  folder[cut] = '\0';
  return TRUE;
}

BOOL tfdAddSlash(LPSTR path) {
  if (!path) return FALSE;
  size_t length = std::strlen(path);
  if (length == 0 || IsSeparator(path[length - 1])) return TRUE;
  if (length + 2 > MAX_PATH) return FALSE;
  path[length] = '\\';
  path[length + 1] = '\0';
  return TRUE;
}

BOOL tfdIsDir(LPCSTR path) {
  if (!path || !path[0]) return FALSE;
  DWORD attributes = GetFileAttributesA(WithoutTrailingSlash(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL tfdCreateDir(LPCSTR path) {
  if (!path || !path[0]) return FALSE;
  std::string full = WithoutTrailingSlash(path);
  // Creates each missing level from the top down.
  for (size_t i = 0; i <= full.size(); ++i) {
    if (i < full.size() && !IsSeparator(full[i])) continue;
    std::string level = full.substr(0, i);
    if (level.empty() || (level.size() == 2 && level[1] == ':')) continue;
    if (!tfdIsDir(level.c_str())) CreateDirectoryA(level.c_str(), nullptr);
  }
  return tfdIsDir(full.c_str());
}

BOOL t32GetTavikTempDir(LPSTR path) {
  if (!path) return FALSE;
  DWORD length = GetTempPathA(MAX_PATH, path);
  if (length == 0 || length >= MAX_PATH) {
    path[0] = '\0';
    return FALSE;
  }
  if (!tfdAddSlash(path)) return FALSE;
  if (!tfdIsDir(path)) tfdCreateDir(path);
  return TRUE;
}
