// The parameter blocks the host keeps between runs, one file per plug-in in
// the host's folder on drive C: (C:\lumivex\params\<module>.prm).
#pragma once

#include <string>

#include "paramdesc.h"

namespace lvhost {

// Unix path of the stored block of a module (name without extension).
std::string StoredParamsPath(const std::string& module);

// Loads the stored block. Returns false when there is none, or when it has
// another size than expected (a stale file is ignored; *note explains why).
bool LoadStoredParams(const std::string& module, size_t size, ParamBlock* block, std::string* note);

// Stores the block atomically, creating the folder when needed.
bool SaveStoredParams(const std::string& module, const ParamBlock& block, std::string* error);

// Loads a raw parameter block file given by the user; it must have exactly
// `size` bytes.
bool LoadParamsFile(const std::string& path, size_t size, ParamBlock* block, std::string* error);

}  // namespace lvhost
