// Cursors and icons: fixed handles for the standard ones, resource cursors
// and icons from RT_GROUP_CURSOR/RT_GROUP_ICON, the current cursor and the
// record of every SetCursor.
#include "userint.h"

#include <useragent.h>

#include <cstring>

extern "C" {
HRSRC FindResourceA(HMODULE, LPCSTR, LPCSTR) __attribute__((weak));
HGLOBAL LoadResource(HMODULE, HRSRC) __attribute__((weak));
LPVOID LockResource(HGLOBAL) __attribute__((weak));
DWORD SizeofResource(HMODULE, HRSRC) __attribute__((weak));
}

namespace lvuser {

namespace {
const HANDLE kStandardCursorBase = 0x7E000000;
const HANDLE kStandardIconBase = 0x7D000000;
const HANDLE kLoadedBase = 0x7C000000;
const WORD kRtCursor = 1;
const WORD kRtIcon = 3;
const WORD kRtGroupCursor = 12;
const WORD kRtGroupIcon = 14;

struct Loaded {
  HINSTANCE instance;
  std::string name;        // "#n" for integer names
  bool icon;
  std::vector<BYTE> image; // the stored image (a DIB with its AND mask)
  POINT hotspot;
};

std::vector<Loaded> g_loaded;
HCURSOR g_current = 0;
int g_showCount = 0;
std::vector<HCURSOR> g_history;

bool IsStandardCursorId(WORD id) {
  return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651);
}

bool IsStandardIconId(WORD id) {
  return id >= 32512 && id <= 32517;
}

std::string NameKey(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  std::string s = name;
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

bool Resource(HINSTANCE instance, LPCSTR name, WORD type, const BYTE** data, DWORD* size) {
  if (!FindResourceA || !LoadResource || !LockResource || !SizeofResource) return false;
  HRSRC res = FindResourceA(instance, name, MAKEINTRESOURCEA(type));
  if (!res) return false;
  HGLOBAL mem = LoadResource(instance, res);
  const void* p = mem ? LockResource(mem) : nullptr;
  if (!p) return false;
  *data = static_cast<const BYTE*>(p);
  *size = SizeofResource(instance, res);
  return true;
}

WORD Word(const BYTE* p) {
  return static_cast<WORD>(p[0] | (p[1] << 8));
}

// Picks the entry of a group directory with the most colours and loads its
// image resource.
HANDLE LoadFromGroup(HINSTANCE instance, LPCSTR name, bool icon) {
  const BYTE* dir = nullptr;
  DWORD size = 0;
  if (!Resource(instance, name, icon ? kRtGroupIcon : kRtGroupCursor, &dir, &size) || size < 6) return 0;
  WORD count = Word(dir + 4);
  if (count == 0 || size < 6 + 14u * count) return 0;
  WORD bestId = 0, bestBits = 0;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* e = dir + 6 + 14 * i;
    WORD bits = Word(e + 6);
    WORD id = Word(e + 12);
    if (!bestId || bits > bestBits) {
      bestId = id;
      bestBits = bits;
    }
  }
  const BYTE* image = nullptr;
  DWORD imageSize = 0;
  if (!Resource(instance, MAKEINTRESOURCEA(bestId), icon ? kRtIcon : kRtCursor, &image, &imageSize)) return 0;
  Loaded l{instance, NameKey(name), icon, {}, POINT{0, 0}};
  if (!icon) {
    if (imageSize < 4) return 0;
    l.hotspot = POINT{Word(image), Word(image + 2)};
    image += 4;
    imageSize -= 4;
  }
  l.image.assign(image, image + imageSize);
  g_loaded.push_back(std::move(l));
  return kLoadedBase + static_cast<HANDLE>(g_loaded.size());
}

HANDLE LoadShared(HINSTANCE instance, LPCSTR name, bool icon) {
  if (!name) return 0;
  if (IS_INTRESOURCE(name) && !instance) {
    WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    if (!icon && IsStandardCursorId(id)) return kStandardCursorBase + id;
    if (icon && IsStandardIconId(id)) return kStandardIconBase + id;
  }
  std::string key = NameKey(name);
  for (size_t i = 0; i < g_loaded.size(); ++i)
    if (g_loaded[i].instance == instance && g_loaded[i].icon == icon && g_loaded[i].name == key)
      return kLoadedBase + static_cast<HANDLE>(i + 1);
  return LoadFromGroup(instance, name, icon);
}

const Loaded* FindLoaded(HANDLE h) {
  if (h <= kLoadedBase || h > kLoadedBase + g_loaded.size()) return nullptr;
  return &g_loaded[h - kLoadedBase - 1];
}
}  // namespace

void ClearCursorRecords() {
  g_history.clear();
}

}  // namespace lvuser

using namespace lvuser;

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  return LoadShared(instance, name, false);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  return LoadShared(instance, name, true);
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = g_current;
  g_current = cursor;
  g_history.push_back(cursor);
  return old;
}

HCURSOR GetCursor(void) {
  return g_current;
}

BOOL DestroyCursor(HCURSOR cursor) {
  // Loaded cursors are shared, as LoadCursor's are: nothing to free.
  return cursor != 0;
}

BOOL DestroyIcon(HICON icon) {
  return icon != 0;
}

int ShowCursor(BOOL show) {
  g_showCount += show ? 1 : -1;
  return g_showCount;
}

const BYTE* lvCursorImage(HCURSOR cursor, DWORD* size, POINT* hotspot) {
  const Loaded* l = FindLoaded(cursor);
  if (!l) return nullptr;
  if (size) *size = static_cast<DWORD>(l->image.size());
  if (hotspot) *hotspot = l->hotspot;
  return l->image.data();
}

namespace lv {

const std::vector<HCURSOR>& CursorHistory() {
  return g_history;
}

}  // namespace lv
