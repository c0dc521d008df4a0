// Handles of found resources. A resource handle (HRSRC) and the handle of
// its loaded data (HGLOBAL from LoadResource) are the same value: an index
// into a table of the resource data the modules registered, kept in a range
// of its own so it is never mistaken for another kind of handle.
#pragma once

#include <win/types.h>

#include <cstddef>
#include <cstdint>

namespace lvres {

struct ResourceData {
  const unsigned char* data = nullptr;
  uint32_t size = 0;
};

// The handle for a resource's data; the same data always gets the same handle.
HANDLE HandleForResource(const unsigned char* data, uint32_t size);

// The data behind a handle; false when it is not a resource handle.
bool ResourceOfHandle(HANDLE handle, ResourceData& out);

}  // namespace lvres
