// The host's open dialog: a file-name field, the matching files and the
// sub-folders of the current folder, and a list of filters.
#include <fileformats.h>
#include <hostcommon.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../resources/resource.h"
#include "errors.h"
#include "ownmodule.h"
#include "fileio.h"
#include "registry.h"

namespace tf {

namespace {

struct Filter {
  std::string description;
  std::vector<std::string> patterns;  // "*.bmp"
};

struct OpenState {
  TFOPENREQUEST* request;
  std::vector<Filter> filters;
  size_t filter = 0;
  std::string folder;   // Windows path with a trailing backslash
  std::string chosen;
};

std::vector<std::string> SplitPatterns(const std::string& text) {
  std::vector<std::string> patterns;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) patterns.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return patterns;
}

// The request's filter pairs, or one filter per readable format.
std::vector<Filter> FiltersOf(const TFOPENREQUEST& request) {
  std::vector<Filter> filters;
  if (request.filter) {
    const char* at = request.filter;
    while (*at) {
      Filter filter;
      filter.description = at;
      at += filter.description.size() + 1;
      filter.patterns = SplitPatterns(at);
      at += std::strlen(at) + 1;
      filters.push_back(filter);
    }
  } else {
    for (const FormatEntry& entry : Formats()) {
      Filter filter;
      filter.description = entry.info.description;
      for (const std::string& extension : SplitPatterns(entry.info.extensions))
        filter.patterns.push_back("*." + extension);
      filters.push_back(filter);
    }
  }
  if (filters.empty()) filters.push_back({"*.*", {"*.*"}});
  return filters;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Names in folder matching pattern; folders get "[name]".
void AddMatches(HWND list, const std::string& folder, const std::string& pattern, bool folders) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + pattern).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::string name = found.cFileName;
    if (name == "." || name == ".." || isFolder != folders) continue;
    std::string item = folders ? "[" + name + "]" : name;
    if (SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str())) == LB_ERR)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

void FillList(HWND dialog, const OpenState& state) {
  HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& pattern : state.filters[state.filter].patterns) AddMatches(list, state.folder, pattern, false);
  AddMatches(list, state.folder, "*", true);
  if (state.folder.size() > 3) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("[..]"));
  SetDlgItemTextA(dialog, IDC_FOLDER, state.folder.c_str());
}

void EnterFolder(HWND dialog, OpenState* state, const std::string& name) {
  if (name == "..") {
    std::string folder = state->folder.substr(0, state->folder.size() - 1);
    size_t slash = folder.rfind('\\');
    if (slash != std::string::npos) state->folder = folder.substr(0, slash + 1);
  } else {
    state->folder = WithSlash(state->folder + name);
  }
  SetDlgItemTextA(dialog, IDC_FILE_NAME, "");
  FillList(dialog, *state);
}

void OnInit(HWND dialog, OpenState* state) {
  if (state->request->title) SetWindowTextA(dialog, state->request->title);
  HWND combo = GetDlgItem(dialog, IDC_FILTER);
  for (const Filter& filter : state->filters)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.description.c_str()));
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(state->filter), 0);
  SetDlgItemTextA(dialog, IDC_FILE_NAME, state->request->file);
  FillList(dialog, *state);
  t32MoveWindow(dialog, GetParent(dialog) ? GetParent(dialog) : static_cast<HWND>(-1), 1);
}

void ShowMissing(HWND dialog, const std::string& path) {
  char pattern[128] = {};
  LoadStringA(OwnModule(), IDS_NO_FILE, pattern, sizeof pattern);
  std::string text = pattern;
  size_t mark = text.find("%s");
  if (mark != std::string::npos) text.replace(mark, 2, path);
  C32MBRECORD message = {};
  message.owner = dialog;
  message.text = text.c_str();
  message.kind = 1;
  c32ShowMb(&message);
}

// OK: enter a folder, take a pattern as the filter, or accept an existing file.
bool OnOk(HWND dialog, OpenState* state) {
  char typed[MAX_PATH] = {};
  GetDlgItemTextA(dialog, IDC_FILE_NAME, typed, sizeof typed);
  std::string name = typed;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(0, 1);
  if (name.empty()) return false;
  if (name.find_first_of("*?") != std::string::npos) {
    state->filters[state->filter].patterns = {name};
    FillList(dialog, *state);
    return false;
  }
  bool absolute = name.size() >= 2 && (name[1] == ':' || name[0] == '\\');
  std::string path = absolute ? name : state->folder + name;
  if (IsFolder(path)) {
    state->folder = WithSlash(path);
    SetDlgItemTextA(dialog, IDC_FILE_NAME, "");
    FillList(dialog, *state);
    return false;
  }
  if (!tfIsFileExist(path.c_str())) {
    ShowMissing(dialog, path);
    return false;
  }
  char full[MAX_PATH] = {};
  GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  state->chosen = full;
  return true;
}

void OnListChoice(HWND dialog, OpenState* state, bool open) {
  HWND list = GetDlgItem(dialog, IDC_FILE_LIST);
  LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  char item[MAX_PATH] = {};
  if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH) return;
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
  std::string text = item;
  bool folder = text.size() > 2 && text.front() == '[' && text.back() == ']';
  if (folder) {
    if (open) EnterFolder(dialog, state, text.substr(1, text.size() - 2));
    return;
  }
  SetDlgItemTextA(dialog, IDC_FILE_NAME, item);
  if (open && OnOk(dialog, state)) EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK OpenProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  OpenState* state = reinterpret_cast<OpenState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    OnInit(dialog, reinterpret_cast<OpenState*>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      if (OnOk(dialog, state)) EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case IDC_FILE_LIST:
      if (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK)
        OnListChoice(dialog, state, HIWORD(wParam) == LBN_DBLCLK);
      return TRUE;
    case IDC_FILTER:
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        LRESULT chosen = SendDlgItemMessageA(dialog, IDC_FILTER, CB_GETCURSEL, 0, 0);
        if (chosen >= 0 && static_cast<size_t>(chosen) < state->filters.size()) {
          state->filter = static_cast<size_t>(chosen);
          FillList(dialog, *state);
        }
      }
      return TRUE;
    default:
      return FALSE;
  }
}

std::string StartFolder(const TFOPENREQUEST& request) {
  if (request.initialFolder && *request.initialFolder) return WithSlash(WinPath(request.initialFolder));
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  return WithSlash(current);
}

}  // namespace

}  // namespace tf

using namespace tf;

LONG t32FileGetOpenFileName(TFOPENREQUEST* request) {
  if (!request || request->size != sizeof(TFOPENREQUEST) || !request->file || request->fileSize < 4) {
    Report(kErrCannotServe, TF_OP_OPEN_DIALOG, 1);
    return 0;
  }
  OpenState state;
  state.request = request;
  state.filters = FiltersOf(*request);
  if (request->filterIndex > 0 && static_cast<size_t>(request->filterIndex) <= state.filters.size())
    state.filter = static_cast<size_t>(request->filterIndex - 1);
  state.folder = StartFolder(*request);
  INT_PTR answer = DialogBoxParamA(OwnModule(), MAKEINTRESOURCEA(IDD_OPEN_FILE), request->owner, OpenProc,
                                   reinterpret_cast<LPARAM>(&state));
  if (answer != IDOK) {
    ClearError();
    if (answer == -1) Report(kErrCannotServe, TF_OP_OPEN_DIALOG, 2);
    return 0;
  }
  if (state.chosen.size() >= request->fileSize) {
    Report(kErrCannotServe, TF_OP_OPEN_DIALOG, 3);
    return 0;
  }
  std::memcpy(request->file, state.chosen.c_str(), state.chosen.size() + 1);
  request->filterIndex = static_cast<LONG>(state.filter + 1);
  return 1;
}
