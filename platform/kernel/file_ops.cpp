// Operations on files and folders by name: delete, move, copy, attributes,
// folders and temporary file names.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "errors.h"
#include "files.h"
#include "paths.h"

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

BOOL FailMissing(const std::string& path) { return lv::Fail(lv::MissingFileError(path)); }

// Copies the bytes of one file into a new or truncated target.
BOOL CopyContent(const std::string& from, const std::string& to, bool failIfExists) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno == ENOENT ? FailMissing(from) : lv::FailWithErrno();
  struct stat st;
  if (fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(in);
    return lv::Fail(ERROR_ACCESS_DENIED);
  }
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
  int out = open(to.c_str(), flags, st.st_mode & 0777);
  if (out < 0) {
    int error = errno;
    close(in);
    if (error == EEXIST) return lv::Fail(ERROR_FILE_EXISTS);
    return error == ENOENT ? FailMissing(to) : lv::Fail(lv::ErrorFromErrno(error));
  }
  std::vector<char> buffer(1 << 16);
  bool ok = true;
  for (;;) {
    ssize_t n = read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    for (ssize_t done = 0; ok && done < n;) {
      ssize_t w = write(out, buffer.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) ok = false;
      else done += w;
    }
    if (!ok) break;
  }
  int error = errno;
  close(in);
  if (close(out) != 0) ok = false;
  if (!ok) {
    unlink(to.c_str());  // a partial copy is no copy
    return lv::Fail(lv::ErrorFromErrno(error));
  }
  return TRUE;
}

}  // namespace

BOOL WINAPI DeleteFileA(LPCSTR fileName) {
  std::string path;
  if (!lv::UnixPathOf(fileName, path)) return FALSE;
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return FailMissing(path);
  if (S_ISDIR(st.st_mode)) return lv::Fail(ERROR_ACCESS_DENIED);
  if (unlink(path.c_str()) != 0) return lv::FailWithErrno();
  return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR existing, LPCSTR target, DWORD flags) {
  std::string from, to;
  if (!lv::UnixPathOf(existing, from) || !lv::UnixPathOf(target, to)) return FALSE;
  struct stat st;
  if (lstat(from.c_str(), &st) != 0) return FailMissing(from);
  struct stat targetStat;
  bool sameFile = lstat(to.c_str(), &targetStat) == 0 && targetStat.st_ino == st.st_ino &&
                  targetStat.st_dev == st.st_dev;  // a change of case only
  if (!sameFile && Exists(to)) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return lv::Fail(ERROR_ALREADY_EXISTS);
    if (S_ISDIR(targetStat.st_mode) || S_ISDIR(st.st_mode)) return lv::Fail(ERROR_ACCESS_DENIED);
  }
  if (rename(from.c_str(), to.c_str()) == 0) return TRUE;
  if (errno == EXDEV && (flags & MOVEFILE_COPY_ALLOWED) && !S_ISDIR(st.st_mode)) {
    if (!CopyContent(from, to, false)) return FALSE;
    unlink(from.c_str());
    return TRUE;
  }
  if (errno == ENOENT) return FailMissing(to);
  return lv::FailWithErrno();
}

BOOL WINAPI MoveFileA(LPCSTR existing, LPCSTR target) {
  return MoveFileExA(existing, target, MOVEFILE_COPY_ALLOWED);
}

BOOL WINAPI CopyFileA(LPCSTR existing, LPCSTR target, BOOL failIfExists) {
  std::string from, to;
  if (!lv::UnixPathOf(existing, from) || !lv::UnixPathOf(target, to)) return FALSE;
  struct stat a, b;
  if (stat(from.c_str(), &a) == 0 && stat(to.c_str(), &b) == 0 && a.st_ino == b.st_ino &&
      a.st_dev == b.st_dev) {
    return lv::Fail(failIfExists ? ERROR_FILE_EXISTS : ERROR_SHARING_VIOLATION);  // never truncate the source
  }
  return CopyContent(from, to, failIfExists != FALSE);
}

DWORD WINAPI GetFileAttributesA(LPCSTR fileName) {
  std::string path;
  if (!lv::UnixPathOf(fileName, path)) return INVALID_FILE_ATTRIBUTES;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    SetLastError(lv::MissingFileError(path));
    return INVALID_FILE_ATTRIBUTES;
  }
  return lv::AttributesOf(st, path.substr(path.find_last_of('/') + 1));
}

BOOL WINAPI SetFileAttributesA(LPCSTR fileName, DWORD attributes) {
  std::string path;
  if (!lv::UnixPathOf(fileName, path)) return FALSE;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return FailMissing(path);
  if (!S_ISDIR(st.st_mode)) {
    mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (st.st_mode & ~0222) : (st.st_mode | S_IWUSR);
    if (chmod(path.c_str(), mode & 07777) != 0) return lv::FailWithErrno();
  }
  return TRUE;
}

BOOL WINAPI GetFileAttributesExA(LPCSTR fileName, GET_FILEEX_INFO_LEVELS level, LPVOID info) {
  if (level != GetFileExInfoStandard || !info) return lv::Fail(ERROR_INVALID_PARAMETER);
  std::string path;
  if (!lv::UnixPathOf(fileName, path)) return FALSE;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return FailMissing(path);
  auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(info);
  data->dwFileAttributes = lv::AttributesOf(st, path.substr(path.find_last_of('/') + 1));
  data->ftCreationTime = lv::CreationTimeOf(path, st);
  data->ftLastAccessTime = lv::FileTimeOf(st.st_atim);
  data->ftLastWriteTime = lv::FileTimeOf(st.st_mtim);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(size);
  return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES) {
  std::string path;
  if (!lv::UnixPathOf(pathName, path)) return FALSE;
  if (mkdir(path.c_str(), 0777) == 0) return TRUE;
  if (errno == ENOENT || errno == ENOTDIR) return lv::Fail(ERROR_PATH_NOT_FOUND);
  return lv::FailWithErrno();
}

BOOL WINAPI RemoveDirectoryA(LPCSTR pathName) {
  std::string path;
  if (!lv::UnixPathOf(pathName, path)) return FALSE;
  if (rmdir(path.c_str()) == 0) return TRUE;
  if (errno == ENOENT) return FailMissing(path);
  if (errno == ENOTDIR) return lv::Fail(ERROR_DIRECTORY);
  return lv::FailWithErrno();
}

UINT WINAPI GetTempFileNameA(LPCSTR pathName, LPCSTR prefix, UINT unique, LPSTR out) {
  if (!pathName || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string folder = pathName;
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  std::string start = std::string(prefix ? prefix : "").substr(0, 3);
  auto nameFor = [&](UINT number) {
    char hex[8];
    snprintf(hex, sizeof hex, "%X", number & 0xFFFF);
    return folder + start + hex + ".TMP";
  };
  if (unique != 0) {
    std::string name = nameFor(unique);
    if (name.size() >= MAX_PATH) return lv::Fail(ERROR_BUFFER_OVERFLOW);
    memcpy(out, name.c_str(), name.size() + 1);
    return unique & 0xFFFF;
  }
  UINT first = (static_cast<UINT>(getpid()) + GetTickCount()) & 0xFFFF;
  for (UINT i = 0; i < 0x10000; ++i) {
    UINT number = ((first + i) & 0xFFFF) ? (first + i) & 0xFFFF : 1;
    std::string name = nameFor(number);
    if (name.size() >= MAX_PATH) return lv::Fail(ERROR_BUFFER_OVERFLOW);
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, 0);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      memcpy(out, name.c_str(), name.size() + 1);
      return number;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return 0;
  }
  return lv::Fail(ERROR_FILE_EXISTS);
}
