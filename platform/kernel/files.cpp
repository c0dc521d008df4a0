// Open files: CreateFileA and the handle-based functions, and the old
// _l* functions on the same handles.
#include "files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "errors.h"
#include "handle_table.h"
#include "paths.h"

namespace {

struct OpenFile {
  int fd;
  std::string path;  // Unix path, for messages and diagnostics
};

struct FileTable {
  std::mutex lock;
  lv::HandleTable<OpenFile> files{lv::kFileTag};
};

FileTable& TheFiles() {
  static FileTable* table = new FileTable;  // lives for the whole process
  return *table;
}

// The descriptor of an open file handle, or -1 (ERROR_INVALID_HANDLE).
int DescriptorOf(HANDLE file) {
  FileTable& t = TheFiles();
  std::lock_guard<std::mutex> guard(t.lock);
  OpenFile* f = t.files.Find(file);
  if (!f) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  return f->fd;
}

int OpenFlags(DWORD access, DWORD creation, bool& ok) {
  ok = true;
  int flags = O_CLOEXEC;
  bool read = access & GENERIC_READ, write = access & GENERIC_WRITE;
  flags |= (read && write) ? O_RDWR : (write ? O_WRONLY : O_RDONLY);
  switch (creation) {
    case CREATE_NEW: return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS: return flags | O_CREAT | O_TRUNC;
    case OPEN_EXISTING: return flags;
    case OPEN_ALWAYS: return flags | O_CREAT;
    case TRUNCATE_EXISTING:
      ok = write;
      return flags | O_TRUNC;
    default: ok = false; return flags;
  }
}

HANDLE FailOpen(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

// Writes every byte; false on an error.
bool WriteAll(int fd, const char* data, size_t size, size_t& written) {
  written = 0;
  while (written < size) {
    ssize_t n = write(fd, data + written, size - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

namespace lv {

bool UnixPathOf(LPCSTR fileName, std::string& unixPath) {
  if (!fileName || !*fileName) return Fail(ERROR_PATH_NOT_FOUND);
  return WinToUnix(fileName, unixPath);
}

DWORD MissingFileError(const std::string& unixPath) {
  size_t slash = unixPath.find_last_of('/');
  std::string folder = slash == 0 ? "/" : unixPath.substr(0, slash);
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return ERROR_PATH_NOT_FOUND;
  return ERROR_FILE_NOT_FOUND;
}

FILETIME FileTimeOf(const timespec& t) {
  constexpr int64_t kUnixEpochIn1601 = 116444736000000000LL;
  int64_t ticks = kUnixEpochIn1601 + static_cast<int64_t>(t.tv_sec) * 10000000 + t.tv_nsec / 100;
  if (ticks < 0) ticks = 0;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
}

namespace {

FILETIME BirthTimeOr(int dirfd, const char* path, int flags, const struct stat& st) {
  struct statx sx;
  if (statx(dirfd, path, flags, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME)) {
    timespec birth{};
    birth.tv_sec = sx.stx_btime.tv_sec;
    birth.tv_nsec = sx.stx_btime.tv_nsec;
    return FileTimeOf(birth);
  }
  return FileTimeOf(st.st_mtim);
}

}  // namespace

FILETIME CreationTimeOf(int fd, const struct stat& st) { return BirthTimeOr(fd, "", AT_EMPTY_PATH, st); }

FILETIME CreationTimeOf(const std::string& unixPath, const struct stat& st) {
  return BirthTimeOr(AT_FDCWD, unixPath.c_str(), 0, st);
}

DWORD AttributesOf(const struct stat& st, const std::string& name) {
  DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  if (!name.empty() && name[0] == '.' && name != "." && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes;
}

}  // namespace lv

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD access, DWORD /*shareMode*/, LPSECURITY_ATTRIBUTES,
                          DWORD creation, DWORD /*flags*/, HANDLE /*templateFile*/) {
  std::string path;
  if (!lv::UnixPathOf(fileName, path)) return INVALID_HANDLE_VALUE;
  bool valid;
  int flags = OpenFlags(access, creation, valid);
  if (!valid) return FailOpen(ERROR_INVALID_PARAMETER);
  struct stat st;
  bool existed = stat(path.c_str(), &st) == 0;
  if (existed && S_ISDIR(st.st_mode)) return FailOpen(ERROR_ACCESS_DENIED);
  int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) {
    if (errno == ENOENT) return FailOpen(lv::MissingFileError(path));
    if (errno == EEXIST) return FailOpen(ERROR_FILE_EXISTS);
    return FailOpen(lv::ErrorFromErrno(errno));
  }
  FileTable& t = TheFiles();
  std::lock_guard<std::mutex> guard(t.lock);
  HANDLE handle = t.files.Add(OpenFile{fd, path});
  if (!handle) {
    close(fd);
    return FailOpen(ERROR_TOO_MANY_OPEN_FILES);
  }
  bool reportsExisting = existed && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS);
  SetLastError(reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped) {
  if (read) *read = 0;
  if (overlapped || (!buffer && toRead)) return lv::Fail(ERROR_INVALID_PARAMETER);
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  size_t done = 0;
  while (done < toRead) {
    ssize_t n = ::read(fd, static_cast<char*>(buffer) + done, toRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return lv::Fail(errno == EISDIR || errno == EBADF ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT);
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  if (read) *read = static_cast<DWORD>(done);
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED overlapped) {
  if (written) *written = 0;
  if (overlapped || (!buffer && toWrite)) return lv::Fail(ERROR_INVALID_PARAMETER);
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  size_t done;
  bool ok = WriteAll(fd, static_cast<const char*>(buffer), toWrite, done);
  if (written) *written = static_cast<DWORD>(done);
  if (!ok) return lv::Fail(errno == EBADF ? ERROR_ACCESS_DENIED : lv::ErrorFromErrno(errno));
  return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, LPLONG distanceHigh, DWORD method) {
  int fd = DescriptorOf(file);
  if (fd < 0) return INVALID_SET_FILE_POINTER;
  int64_t offset = distanceHigh ? (static_cast<int64_t>(*distanceHigh) << 32) | static_cast<uint32_t>(distance)
                                : static_cast<int64_t>(distance);
  int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  off_t start = whence == SEEK_SET ? 0 : lseek(fd, 0, whence);
  if (start + offset < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  off_t position = lseek(fd, start + offset, SEEK_SET);
  if (position < 0) {
    SetLastError(lv::ErrorFromErrno(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
  SetLastError(ERROR_SUCCESS);  // tells a position of 0xFFFFFFFF from a failure
  return static_cast<DWORD>(position);
}

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high) {
  int fd = DescriptorOf(file);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) return INVALID_FILE_SIZE;
  if (high) *high = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(st.st_size);
}

BOOL WINAPI SetEndOfFile(HANDLE file) {
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  off_t position = lseek(fd, 0, SEEK_CUR);
  if (position < 0 || ftruncate(fd, position) != 0) return lv::Fail(errno == EINVAL || errno == EBADF ? ERROR_ACCESS_DENIED : lv::ErrorFromErrno(errno));
  return TRUE;
}

BOOL WINAPI FlushFileBuffers(HANDLE file) {
  int fd = DescriptorOf(file);
  if (fd < 0) return FALSE;
  if (fsync(fd) != 0 && errno != EINVAL) return lv::FailWithErrno();
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE object) {
  FileTable& t = TheFiles();
  std::lock_guard<std::mutex> guard(t.lock);
  OpenFile* f = t.files.Find(object);
  if (!f) return lv::Fail(ERROR_INVALID_HANDLE);
  close(f->fd);
  t.files.Remove(object);
  return TRUE;
}

BOOL WINAPI GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
  int fd = DescriptorOf(file);
  struct stat st;
  if (fd < 0) return FALSE;
  if (fstat(fd, &st) != 0) return lv::FailWithErrno();
  if (creation) *creation = lv::CreationTimeOf(fd, st);
  if (lastAccess) *lastAccess = lv::FileTimeOf(st.st_atim);
  if (lastWrite) *lastWrite = lv::FileTimeOf(st.st_mtim);
  return TRUE;
}

HFILE WINAPI _lopen(LPCSTR path, int mode) {
  DWORD access = (mode & 3) == OF_WRITE ? GENERIC_WRITE
               : (mode & 3) == OF_READWRITE ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
  HANDLE h = CreateFileA(path, access, 0, nullptr, OPEN_EXISTING, 0, 0);
  return h == INVALID_HANDLE_VALUE ? HFILE_ERROR : h;
}

HFILE WINAPI _lcreat(LPCSTR path, int /*attributes*/) {
  HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
  return h == INVALID_HANDLE_VALUE ? HFILE_ERROR : h;
}

UINT WINAPI _lread(HFILE file, LPVOID buffer, UINT bytes) {
  DWORD read;
  return ReadFile(file, buffer, bytes, &read, nullptr) ? read : static_cast<UINT>(HFILE_ERROR);
}

UINT WINAPI _lwrite(HFILE file, LPCSTR buffer, UINT bytes) {
  DWORD written;
  return WriteFile(file, buffer, bytes, &written, nullptr) ? written : static_cast<UINT>(HFILE_ERROR);
}

LONG WINAPI _llseek(HFILE file, LONG offset, int origin) {
  DWORD position = SetFilePointer(file, offset, nullptr, static_cast<DWORD>(origin));
  if (position == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) return -1;
  return static_cast<LONG>(position);
}

HFILE WINAPI _lclose(HFILE file) { return CloseHandle(file) ? 0 : HFILE_ERROR; }
