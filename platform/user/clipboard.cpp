// The clipboard: formats and their global memory blocks, owned by the
// clipboard after SetClipboardData. Text (CF_TEXT) is also kept in the
// platform prefix (C:\windows\clipboard.txt), so other programs of the
// installation and the user can see what was copied.
#include "userint.h"

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace lvuser {
namespace {
const char kClipboardFile[] = "C:\\windows\\clipboard.txt";

bool g_open = false;
HWND g_openedBy = 0;
HWND g_owner = 0;
bool g_emptiedThisTime = false;
std::map<UINT, HANDLE> g_formats;
std::vector<std::string> g_registeredFormats;

std::string ClipboardPath() {
  char path[MAX_PATH * 2];
  if (!lvWinPathToUnix(kClipboardFile, path, sizeof path)) return {};
  return path;
}

void FreeFormats() {
  for (auto& [format, handle] : g_formats)
    if (handle) GlobalFree(handle);
  g_formats.clear();
}

std::string TextOf(HANDLE handle) {
  std::string text;
  if (const char* p = static_cast<const char*>(GlobalLock(handle))) {
    text.assign(p, strnlen(p, GlobalSize(handle)));
    GlobalUnlock(handle);
  }
  return text;
}

void SaveText() {
  std::string path = ClipboardPath();
  if (path.empty()) return;
  auto it = g_formats.find(CF_TEXT);
  std::string text = (it != g_formats.end() && it->second) ? TextOf(it->second) : std::string();
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return;
    out << text;
    if (!out) return;
  }
  std::rename(temp.c_str(), path.c_str());
}

// Text another program of the installation put on the clipboard.
void LoadTextIfEmpty() {
  if (!g_formats.empty()) return;
  std::string path = ClipboardPath();
  if (path.empty()) return;
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  std::stringstream text;
  text << in.rdbuf();
  std::string s = text.str();
  if (s.empty()) return;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1);
  if (!mem) return;
  if (char* p = static_cast<char*>(GlobalLock(mem))) {
    std::memcpy(p, s.c_str(), s.size() + 1);
    GlobalUnlock(mem);
    g_formats[CF_TEXT] = mem;
  } else {
    GlobalFree(mem);
  }
}
}  // namespace
}  // namespace lvuser

using namespace lvuser;

BOOL OpenClipboard(HWND owner) {
  if (g_open) return FALSE;
  if (owner && !IsWindow(owner)) return FALSE;
  g_open = true;
  g_openedBy = owner;
  g_emptiedThisTime = false;
  LoadTextIfEmpty();
  return TRUE;
}

BOOL CloseClipboard(void) {
  if (!g_open) return FALSE;
  g_open = false;
  if (g_emptiedThisTime) SaveText();
  return TRUE;
}

BOOL EmptyClipboard(void) {
  if (!g_open) return FALSE;
  FreeFormats();
  g_owner = g_openedBy;
  g_emptiedThisTime = true;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  if (!g_open || format == 0) return 0;
  auto it = g_formats.find(format);
  if (it != g_formats.end() && it->second && it->second != data) GlobalFree(it->second);
  g_formats[format] = data;
  g_emptiedThisTime = true;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  if (!g_open) return 0;
  auto it = g_formats.find(format);
  return it == g_formats.end() ? 0 : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  if (!g_open) LoadTextIfEmpty();
  auto it = g_formats.find(format);
  return it != g_formats.end() && it->second;
}

int CountClipboardFormats(void) {
  return static_cast<int>(g_formats.size());
}

UINT EnumClipboardFormats(UINT format) {
  if (!g_open) return 0;
  auto it = format ? g_formats.upper_bound(format) : g_formats.begin();
  return it == g_formats.end() ? 0 : it->first;
}

HWND GetClipboardOwner(void) {
  return g_owner;
}

UINT RegisterClipboardFormatA(LPCSTR name) {
  if (!name || !*name) return 0;
  for (size_t i = 0; i < g_registeredFormats.size(); ++i)
    if (SameName(g_registeredFormats[i], name)) return static_cast<UINT>(0xC100 + i);
  g_registeredFormats.push_back(name);
  return static_cast<UINT>(0xC100 + g_registeredFormats.size() - 1);
}
