// Folder searches with the wildcards '*' and '?': FindFirstFileA takes a
// snapshot of the matching names, FindNextFileA walks it.
#include <dirent.h>

#include <algorithm>
#include <lvtext.h>
#include <mutex>
#include <vector>

#include "ansi.h"
#include "errors.h"
#include "files.h"
#include "handle_table.h"
#include "paths.h"

namespace {

struct Search {
  std::vector<WIN32_FIND_DATAA> matches;  // sorted
  size_t next;                            // index of the next match to hand out
};

struct SearchTable {
  std::mutex lock;
  lv::HandleTable<Search> searches{lv::kFindTag};
};

SearchTable& TheSearches() {
  static SearchTable* table = new SearchTable;  // lives for the whole process
  return *table;
}

bool SameLetter(char a, char b) {
  return lv::AnsiLower(static_cast<unsigned char>(a)) == lv::AnsiLower(static_cast<unsigned char>(b));
}

// Case-insensitive wildcard match of ANSI text, in linear steps: on a
// mismatch only the last '*' seen takes one more character.
bool Matches(const char* pattern, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern && (*pattern == '?' || SameLetter(*pattern, *name))) {
      ++pattern;
      ++name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// A name matches "x.*" also without any extension, as on the real platform.
bool MatchesName(const std::string& pattern, const std::string& name) {
  if (Matches(pattern.c_str(), name.c_str())) return true;
  if (pattern.size() < 2 || pattern.compare(pattern.size() - 2, 2, ".*") != 0 ||
      name.find('.') != std::string::npos)
    return false;
  std::string dotted = name;
  dotted.push_back('.');
  return Matches(pattern.c_str(), dotted.c_str());
}

bool FillEntry(const std::string& folder, const std::string& unixName, WIN32_FIND_DATAA& data) {
  std::string ansi = lv::Utf8ToAnsi(unixName);
  struct stat st;
  if (ansi.size() >= MAX_PATH || stat((folder + "/" + unixName).c_str(), &st) != 0) return false;
  data = WIN32_FIND_DATAA{};
  data.dwFileAttributes = lv::AttributesOf(st, unixName);
  data.ftCreationTime = lv::CreationTimeOf(folder + "/" + unixName, st);
  data.ftLastAccessTime = lv::FileTimeOf(st.st_atim);
  data.ftLastWriteTime = lv::FileTimeOf(st.st_mtim);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size);
  memcpy(data.cFileName, ansi.c_str(), ansi.size() + 1);
  return true;
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (!pattern || !*pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string full;
  if (!lv::FullWinPath(pattern, full)) return INVALID_HANDLE_VALUE;
  size_t slash = full.find_last_of('\\');
  std::string last = full.substr(slash + 1);
  const std::string namePattern = (last.empty() || last == "*.*") ? std::string(1, '*') : last;
  std::string folder;
  lv::WinToUnix(full.substr(0, slash + 1), folder);
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  Search search{{}, 0};
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (slash == 2 && (name == "." || name == "..")) continue;  // a drive root has neither
    WIN32_FIND_DATAA found;
    if (MatchesName(namePattern, lv::Utf8ToAnsi(name)) && FillEntry(folder, name, found))
      search.matches.push_back(found);
  }
  closedir(dir);
  if (search.matches.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::sort(search.matches.begin(), search.matches.end(), [](const auto& a, const auto& b) {
    return lstrcmpiA(a.cFileName, b.cFileName) < 0 ||
           (lstrcmpiA(a.cFileName, b.cFileName) == 0 && strcmp(a.cFileName, b.cFileName) < 0);
  });
  *data = search.matches[0];
  search.next = 1;
  SearchTable& t = TheSearches();
  std::lock_guard<std::mutex> guard(t.lock);
  HANDLE handle = t.searches.Add(std::move(search));
  if (!handle) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  return handle;
}

BOOL WINAPI FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data) {
  SearchTable& t = TheSearches();
  std::lock_guard<std::mutex> guard(t.lock);
  Search* search = t.searches.Find(find);
  if (!search) return lv::Fail(ERROR_INVALID_HANDLE);
  if (!data) return lv::Fail(ERROR_INVALID_PARAMETER);
  if (search->next >= search->matches.size()) return lv::Fail(ERROR_NO_MORE_FILES);
  *data = search->matches[search->next++];
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE find) {
  SearchTable& t = TheSearches();
  std::lock_guard<std::mutex> guard(t.lock);
  if (!t.searches.Remove(find)) return lv::Fail(ERROR_INVALID_HANDLE);
  return TRUE;
}
