// The resource compiler as a library: script in, blob out. The lvrc program
// and the tests both use it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model.h"

namespace lvrc {

struct Compilation {
  std::vector<Resource> resources;
  std::vector<uint8_t> blob;                    // the directory format of resource_blob.h
  std::vector<std::filesystem::path> filesRead;  // the script, its includes, resource files
};

// Compiles the script at `script`, searching included and resource files
// beside the file that names them and then in `includeDirs`. Throws RcError
// ("file:line: message") on the first error.
Compilation CompileScript(const std::filesystem::path& script, const std::vector<std::filesystem::path>& includeDirs);

// Packs resources into a blob (see resource_blob.h).
std::vector<uint8_t> BuildBlob(const std::vector<Resource>& resources);

// The C++ source that holds the blob and registers it with the platform
// when its module is loaded.
std::string GeneratedSource(const std::vector<uint8_t>& blob, const std::string& scriptName);

// A make-style dependency list: "target: dep dep ...", spaces escaped.
std::string DepfileText(const std::string& target, const std::vector<std::filesystem::path>& deps);

}  // namespace lvrc
