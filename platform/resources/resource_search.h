// Searching the resource blobs a module registered.
#pragma once

#include <win/types.h>

#include "resource_blob.h"

namespace lvres {

// What a type or name argument asks for: an ordinal, or a name.
struct WantedId {
  bool isName = false;
  uint16_t ordinal = 0;
  const char* name = nullptr;
};

// Reads a MAKEINTRESOURCE ordinal, a "#number" string or a name; false for
// a NULL pointer or an empty name.
bool ParseWantedId(LPCSTR id, WantedId& out);

// True when a blob id is the wanted one (names compared without case).
bool IdMatches(const BlobId& have, const WantedId& want);

enum class SearchResult { Found, NoType, NoName };

// Finds a resource of `module` (0: the program), preferring `language`
// (0: any); on success `out` describes it.
SearchResult FindInModule(HMODULE module, const WantedId& type, const WantedId& name, WORD language,
                          BlobEntry& out);

}  // namespace lvres
