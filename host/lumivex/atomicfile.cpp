// Temporary-name-then-rename writing, and bounded whole-file reading.
#include "atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace lvhost {

namespace {

std::string Reason(const std::string& what, const std::string& path) {
  return what + " '" + path + "': " + std::strerror(errno);
}

// A unique temporary name beside finalPath, created empty (so it is ours).
bool MakeTempBeside(const std::string& finalPath, std::string* tempPath, std::string* error) {
  std::filesystem::path final(finalPath);
  std::filesystem::path dir = final.parent_path();
  if (dir.empty()) dir = ".";
  std::string templ = (dir / ("." + final.filename().string() + ".tmp-XXXXXX")).string();
  std::vector<char> buffer(templ.begin(), templ.end());
  buffer.push_back('\0');
  int fd = mkstemp(buffer.data());
  if (fd < 0) {
    *error = Reason("cannot write", finalPath);
    return false;
  }
  close(fd);
  *tempPath = buffer.data();
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& finalPath,
                         const std::function<bool(const std::string&, std::string*)>& write,
                         std::string* error) {
  std::string temp;
  if (!MakeTempBeside(finalPath, &temp, error)) return false;
  std::string why;
  if (!write(temp, &why)) {
    std::remove(temp.c_str());
    *error = why.empty() ? "cannot write '" + finalPath + "'" : why;
    return false;
  }
  // mkstemp creates the file with mode 0600; give it the usual mode.
  mode_t mask = umask(0);
  umask(mask);
  chmod(temp.c_str(), 0666 & ~mask);
  if (std::rename(temp.c_str(), finalPath.c_str()) != 0) {
    *error = Reason("cannot write", finalPath);
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool WriteBytesAtomically(const std::string& finalPath, const void* data, size_t size,
                          std::string* error) {
  return WriteFileAtomically(
      finalPath,
      [&](const std::string& temp, std::string* why) {
        FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f) {
          *why = Reason("cannot write", finalPath);
          return false;
        }
        bool ok = std::fwrite(data, 1, size, f) == size;
        ok = (std::fflush(f) == 0) && ok;
        ok = (fsync(fileno(f)) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        if (!ok) *why = Reason("cannot write", finalPath);
        return ok;
      },
      error);
}

bool ReadWholeFile(const std::string& path, size_t maxSize, std::string* bytes, std::string* error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    *error = Reason("cannot read", path);
    return false;
  }
  bytes->clear();
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    if (bytes->size() + n > maxSize) {
      std::fclose(f);
      *error = "'" + path + "' is too large";
      return false;
    }
    bytes->append(chunk, n);
  }
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    *error = Reason("cannot read", path);
    return false;
  }
  return true;
}

}  // namespace lvhost
