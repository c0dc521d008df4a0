// Registration of a module's compiled resources and export list with the
// platform. Generated code (the resource compiler's output and the export
// table made from a module's export list) calls these from a static
// constructor; the anchor is any address inside the registering shared
// object or program, by which the platform finds the module it belongs to.
#pragma once

#include <win/types.h>

typedef struct LvExportEntry {
  unsigned ordinal;  // 0 when the export has no ordinal
  const char* name;
} LvExportEntry;

LV_BEGIN_DECLS
// Registers one compiled resource blob (the resource compiler's format); a
// module may register several, searched in order of registration.
LVEXPORT void lvRegisterModuleResources(const void* anchor, const unsigned char* data, size_t size);
// Registers a module's export list, for GetProcAddress by ordinal and for
// checking that a module exports exactly its declared names.
LVEXPORT void lvRegisterModuleExports(const void* anchor, const LvExportEntry* table, size_t count);
LV_END_DECLS

// Inside the platform: the resource blobs a module registered, in order.
// Returns the number of blobs; *data and *size receive blob i when i < count.
LV_BEGIN_DECLS
LVEXPORT size_t lvModuleResourceBlobs(HMODULE module, size_t i, const unsigned char** data, size_t* size);
LV_END_DECLS
