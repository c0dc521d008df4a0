// FindResourceA and the functions on found resources.
#include <win/kernel.h>
#include <win/lvmodule.h>
#include <win/rsrc.h>

#include <cctype>
#include <cstdlib>

#include "resource_handles.h"
#include "resource_search.h"

namespace lvres {

bool ParseWantedId(LPCSTR id, WantedId& out) {
  if (IS_INTRESOURCE(id)) {
    out = {false, static_cast<uint16_t>(reinterpret_cast<ULONG_PTR>(id)), nullptr};
    return out.ordinal != 0;
  }
  if (id[0] == '\0') return false;
  if (id[0] == '#') {
    char* end = nullptr;
    unsigned long n = std::strtoul(id + 1, &end, 10);
    if (end == id + 1 || *end != '\0' || n == 0 || n > 0xFFFF) return false;
    out = {false, static_cast<uint16_t>(n), nullptr};
    return true;
  }
  out = {true, 0, id};
  return true;
}

bool IdMatches(const BlobId& have, const WantedId& want) {
  if (have.isName != want.isName) return false;
  if (!want.isName) return have.ordinal == want.ordinal;
  size_t i = 0;
  for (; i < have.name.size(); ++i) {
    unsigned char w = static_cast<unsigned char>(want.name[i]);
    if (w == 0 || std::toupper(w) != static_cast<unsigned char>(have.name[i])) return false;
  }
  return want.name[i] == '\0';
}

SearchResult FindInModule(HMODULE module, const WantedId& type, const WantedId& name, WORD language,
                          BlobEntry& out) {
  bool typeSeen = false;
  bool haveFallback = false;
  bool haveSamePrimary = false;
  BlobEntry fallback, samePrimary;
  const unsigned char* data = nullptr;
  size_t size = 0;
  size_t blobs = lvModuleResourceBlobs(module, 0, &data, &size);
  for (size_t b = 0; b < blobs; ++b) {
    if (lvModuleResourceBlobs(module, b, &data, &size) <= b) break;
    BlobView view(data, size);
    BlobEntry e;
    for (size_t i = 0; i < view.Count(); ++i) {
      if (!view.Entry(i, e) || !IdMatches(e.type, type)) continue;
      typeSeen = true;
      if (!IdMatches(e.name, name)) continue;
      if (language == 0 || e.language == language) {
        out = e;
        return SearchResult::Found;
      }
      if (!haveSamePrimary && PRIMARYLANGID(e.language) == PRIMARYLANGID(language)) {
        samePrimary = e;
        haveSamePrimary = true;
      }
      if (!haveFallback) {
        fallback = e;
        haveFallback = true;
      }
    }
  }
  if (haveSamePrimary || haveFallback) {
    out = haveSamePrimary ? samePrimary : fallback;
    return SearchResult::Found;
  }
  return typeSeen ? SearchResult::NoName : SearchResult::NoType;
}

}  // namespace lvres

HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language) {
  lvres::WantedId wantType, wantName;
  if (!lvres::ParseWantedId(type, wantType) || !lvres::ParseWantedId(name, wantName)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  lvres::BlobEntry e;
  switch (lvres::FindInModule(module, wantType, wantName, language, e)) {
    case lvres::SearchResult::NoType:
      SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
      return 0;
    case lvres::SearchResult::NoName:
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return 0;
    case lvres::SearchResult::Found:
      break;
  }
  HRSRC handle = lvres::HandleForResource(e.data, e.size);
  if (!handle) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return handle;
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  return FindResourceExA(module, type, name, 0);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
  lvres::ResourceData d;
  if (!lvres::ResourceOfHandle(resource, d)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return resource;
}

LPVOID WINAPI LockResource(HGLOBAL resourceData) {
  lvres::ResourceData d;
  if (!lvres::ResourceOfHandle(resourceData, d)) return nullptr;
  return const_cast<unsigned char*>(d.data);
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
  lvres::ResourceData d;
  if (!lvres::ResourceOfHandle(resource, d)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return d.size;
}

BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

BOOL WINAPI EnumResourceNamesA(HMODULE module, LPCSTR type, ENUMRESNAMEPROCA callback, LONG_PTR param) {
  lvres::WantedId wantType;
  if (!callback || !lvres::ParseWantedId(type, wantType)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  bool any = false;
  const unsigned char* data = nullptr;
  size_t size = 0;
  size_t blobs = lvModuleResourceBlobs(module, 0, &data, &size);
  for (size_t b = 0; b < blobs; ++b) {
    if (lvModuleResourceBlobs(module, b, &data, &size) <= b) break;
    lvres::BlobView view(data, size);
    lvres::BlobEntry e;
    for (size_t i = 0; i < view.Count(); ++i) {
      if (!view.Entry(i, e) || !lvres::IdMatches(e.type, wantType)) continue;
      any = true;
      // Names in the blob are NUL-terminated, so they can be handed out as is.
      LPSTR name = e.name.isName ? const_cast<LPSTR>(e.name.name.data()) : MAKEINTRESOURCEA(e.name.ordinal);
      if (!callback(module, type, name, param)) return TRUE;
    }
  }
  if (!any) SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
  return any ? TRUE : FALSE;
}
