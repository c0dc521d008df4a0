// Identifier check of family B entry points.
#include <effect/common.h>

namespace effect {

BOOL IdentifierMatches(HINSTANCE instance, UINT id, LPCSTR identifier) {
  if (!identifier) return FALSE;
  char own[16] = {};
  if (LoadStringA(instance, id, own, sizeof own) <= 0) return FALSE;
  return lstrcmpiA(own, identifier) == 0;
}

}  // namespace effect
