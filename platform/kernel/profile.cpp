// Profile files ("[section]" and "key=value" lines, ANSI text). Writes go to
// a temporary file in the same folder that is renamed over the old file, so
// a failed write never destroys what was there.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <mutex>
#include <optional>
#include <vector>

#include "ansi.h"
#include "errors.h"
#include "files.h"
#include "paths.h"

namespace {

struct Profile {
  std::vector<std::string> lines;  // without line ends
  bool crlf = true;                // line ends to write back
};

std::mutex& ProfileLock() {
  static std::mutex* lock = new std::mutex;  // lives for the whole process
  return *lock;
}

std::string Trim(const std::string& s) {
  size_t begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  size_t end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

// The section name of a "[name]" line.
bool SectionOf(const std::string& line, std::string& name) {
  std::string t = Trim(line);
  if (t.empty() || t[0] != '[') return false;
  size_t close = t.find(']');
  name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// The key and value of a "key=value" line (not a comment).
bool EntryOf(const std::string& line, std::string& key, std::string& value) {
  std::string t = Trim(line);
  if (t.empty() || t[0] == ';' || t[0] == '[') return false;
  size_t equals = t.find('=');
  if (equals == std::string::npos) return false;
  key = Trim(t.substr(0, equals));
  value = Trim(t.substr(equals + 1));
  return !key.empty();
}

// The Unix path of a profile file; a bare name lives in C:\windows.
bool ProfilePath(LPCSTR fileName, std::string& path) {
  if (!fileName || !*fileName) return lv::Fail(ERROR_INVALID_PARAMETER);
  std::string name = fileName;
  if (name.find_first_of("\\/:") == std::string::npos) name = "C:\\windows\\" + name;
  return lv::WinToUnix(name, path);
}

// Reads the file's lines; a missing file is empty. False (last error set)
// when the file exists but cannot be read, so it is never overwritten blindly.
bool ReadProfile(const std::string& path, Profile& profile) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    if (access(path.c_str(), F_OK) == 0) return lv::Fail(ERROR_ACCESS_DENIED);
    return true;
  }
  std::string line;
  bool sawLf = false, sawCrlf = false;
  while (std::getline(in, line)) {
    sawLf = true;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      sawCrlf = true;
    }
    profile.lines.push_back(line);
  }
  profile.crlf = sawCrlf || !sawLf;
  if (in.bad()) return lv::Fail(ERROR_READ_FAULT);
  return true;
}

// [first line of the section's body, end of its body), or nullopt.
std::optional<std::pair<size_t, size_t>> FindSection(const Profile& p, const std::string& section) {
  for (size_t i = 0; i < p.lines.size(); ++i) {
    std::string name;
    if (!SectionOf(p.lines[i], name) || !lv::AnsiEqualNoCase(name, section)) continue;
    size_t end = i + 1;
    while (end < p.lines.size() && !SectionOf(p.lines[end], name)) ++end;
    return std::make_pair(i + 1, end);
  }
  return std::nullopt;
}

// The line of the key in the section body, or kNone.
constexpr size_t kNone = static_cast<size_t>(-1);
size_t FindKey(const Profile& p, std::pair<size_t, size_t> body, const std::string& key) {
  for (size_t i = body.first; i < body.second; ++i) {
    std::string k, v;
    if (EntryOf(p.lines[i], k, v) && lv::AnsiEqualNoCase(k, key)) return i;
  }
  return kNone;
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

std::optional<std::string> LookUp(const Profile& p, const std::string& section, const std::string& key) {
  auto body = FindSection(p, section);
  if (!body) return std::nullopt;
  size_t line = FindKey(p, *body, key);
  if (line == kNone) return std::nullopt;
  std::string k, v;
  EntryOf(p.lines[line], k, v);
  return Unquote(v);
}

// Copies one string, cut to size-1; returns the characters copied.
DWORD CopyValue(const std::string& value, LPSTR out, DWORD size) {
  size_t n = std::min<size_t>(value.size(), size - 1);
  memcpy(out, value.data(), n);
  out[n] = '\0';
  return static_cast<DWORD>(n);
}

// Copies zero-terminated names and a final zero; a list that does not fit
// is cut and still ends in two zeros (the count is then size-2).
DWORD CopyList(const std::vector<std::string>& names, LPSTR out, DWORD size) {
  std::string list;
  for (const std::string& name : names) list += name + '\0';
  if (list.size() + 1 <= size) {
    memcpy(out, list.data(), list.size());
    out[list.size()] = '\0';
    return static_cast<DWORD>(list.size());
  }
  if (size < 2) {
    out[0] = '\0';
    return 0;
  }
  memcpy(out, list.data(), size - 2);
  out[size - 2] = '\0';
  out[size - 1] = '\0';
  return size - 2;
}

std::vector<std::string> SectionNames(const Profile& p) {
  std::vector<std::string> names;
  for (const std::string& line : p.lines) {
    std::string name;
    if (SectionOf(line, name)) names.push_back(name);
  }
  return names;
}

std::vector<std::string> KeyNames(const Profile& p, const std::string& section) {
  std::vector<std::string> names;
  if (auto body = FindSection(p, section)) {
    for (size_t i = body->first; i < body->second; ++i) {
      std::string k, v;
      if (EntryOf(p.lines[i], k, v)) names.push_back(k);
    }
  }
  return names;
}

// Writes the profile under a temporary name and renames it into place.
BOOL WriteProfile(const std::string& path, const Profile& p) {
  std::string text;
  for (const std::string& line : p.lines) text += line + (p.crlf ? "\r\n" : "\n");
  std::string temporary = path + ".~" + std::to_string(getpid());
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    return lv::Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : lv::ErrorFromErrno(errno));
  }
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  int error = done == text.size() ? 0 : (errno ? errno : ENOSPC);
  if (!error && fsync(fd) != 0 && errno != EINVAL) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    unlink(temporary.c_str());
    return lv::Fail(lv::ErrorFromErrno(error));
  }
  return TRUE;
}

// Applies one change; false when nothing changes.
bool ApplyChange(Profile& p, const std::string& section, LPCSTR key, LPCSTR value) {
  auto body = FindSection(p, section);
  if (!key) {  // delete the section
    if (!body) return false;
    p.lines.erase(p.lines.begin() + static_cast<long>(body->first) - 1, p.lines.begin() + static_cast<long>(body->second));
    return true;
  }
  size_t line = body ? FindKey(p, *body, key) : kNone;
  if (!value) {  // delete the key
    if (line == kNone) return false;
    p.lines.erase(p.lines.begin() + static_cast<long>(line));
    return true;
  }
  std::string entry = std::string(key) + "=" + value;
  if (line != kNone) {
    p.lines[line] = entry;
  } else if (body) {
    size_t at = body->second;
    while (at > body->first && Trim(p.lines[at - 1]).empty()) --at;  // before blank lines
    p.lines.insert(p.lines.begin() + static_cast<long>(at), entry);
  } else {
    if (!p.lines.empty() && !Trim(p.lines.back()).empty()) p.lines.push_back("");
    p.lines.push_back("[" + section + "]");
    p.lines.push_back(entry);
  }
  return true;
}

const char kWinIni[] = "C:\\windows\\win.ini";

// The Windows profile of a German system, written when win.ini is missing.
void EnsureWinIni() {
  std::string path;
  if (!lv::WinToUnix(kWinIni, path) || access(path.c_str(), F_OK) == 0) return;
  Profile p;
  p.lines = {"[windows]", "Device=", "", "[intl]", "iCountry=49", "sCountry=Deutschland",
             "sLanguage=deu", "sList=;", "iMeasure=0", "sDecimal=,", "sThousand=.", "iDigits=2",
             "iLZero=1", "sCurrency=DM", "iCurrency=3", "iCurrDigits=2", "iNegCurr=8",
             "iDate=1", "sDate=.", "sShortDate=dd.MM.yyyy", "sLongDate=dddd, d. MMMM yyyy",
             "iTime=1", "sTime=:", "iTLZero=1", "s1159=", "s2359=", ""};
  WriteProfile(path, p);
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out,
                                      DWORD size, LPCSTR fileName) {
  if (!out || size == 0) return 0;
  std::string path;
  if (!ProfilePath(fileName, path)) {
    out[0] = '\0';
    return 0;
  }
  std::lock_guard<std::mutex> guard(ProfileLock());
  Profile p;
  ReadProfile(path, p);  // an unreadable file reads as empty
  if (!section) return CopyList(SectionNames(p), out, size);
  if (!key) return CopyList(KeyNames(p, section), out, size);
  if (auto value = LookUp(p, section, key)) return CopyValue(*value, out, size);
  std::string fallback = defaultValue ? defaultValue : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.pop_back();
  SetLastError(ERROR_FILE_NOT_FOUND);
  return CopyValue(fallback, out, size);
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  std::string path;
  if (!section || !key || !ProfilePath(fileName, path)) return static_cast<UINT>(defaultValue);
  std::optional<std::string> value;
  {
    std::lock_guard<std::mutex> guard(ProfileLock());
    Profile p;
    ReadProfile(path, p);
    value = LookUp(p, section, key);
  }
  if (!value) return static_cast<UINT>(defaultValue);
  const char* s = value->c_str();
  bool negative = *s == '-';
  if (*s == '-' || *s == '+') ++s;
  uint32_t number = 0;
  for (; *s >= '0' && *s <= '9'; ++s) number = number * 10 + static_cast<uint32_t>(*s - '0');
  return negative ? 0u - number : number;
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (!section) return (!key && !value) ? TRUE : lv::Fail(ERROR_INVALID_PARAMETER);  // all NULL: flush
  std::string path;
  if (!ProfilePath(fileName, path)) return FALSE;
  std::lock_guard<std::mutex> guard(ProfileLock());
  Profile p;
  if (!ReadProfile(path, p)) return FALSE;
  if (!ApplyChange(p, section, key, value)) return TRUE;
  return WriteProfile(path, p);
}

DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size) {
  EnsureWinIni();
  return GetPrivateProfileStringA(section, key, defaultValue, out, size, kWinIni);
}

UINT WINAPI GetProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue) {
  EnsureWinIni();
  return GetPrivateProfileIntA(section, key, defaultValue, kWinIni);
}

BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  EnsureWinIni();
  return WritePrivateProfileStringA(section, key, value, kWinIni);
}
