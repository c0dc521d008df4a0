// Parameter blocks kept in the platform prefix.
#include "paramstore.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "atomicfile.h"
#include "hostpaths.h"

namespace lvhost {

namespace {

constexpr size_t kMaxBlockFile = 1 << 20;

// The module name as a file name: letters, digits, '-', '_' and '.' only.
std::string SafeName(const std::string& module) {
  std::string name;
  for (unsigned char c : module)
    name.push_back(std::isalnum(c) || c == '-' || c == '_' || c == '.' ? std::tolower(c) : '_');
  return name;
}

}  // namespace

std::string StoredParamsPath(const std::string& module) {
  return DriveCPath("lumivex\\params\\" + SafeName(module) + ".prm");
}

bool LoadStoredParams(const std::string& module, size_t size, ParamBlock* block, std::string* note) {
  std::string path = StoredParamsPath(module), bytes, error;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return false;
  if (!ReadWholeFile(path, kMaxBlockFile, &bytes, &error)) {
    *note = error;
    return false;
  }
  if (bytes.size() != size) {
    *note = "stored parameters of " + module + " have " + std::to_string(bytes.size()) +
            " bytes instead of " + std::to_string(size) + "; using the defaults";
    return false;
  }
  block->assign(bytes.begin(), bytes.end());
  return true;
}

bool SaveStoredParams(const std::string& module, const ParamBlock& block, std::string* error) {
  std::string path = StoredParamsPath(module);
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
  if (ec) {
    *error = "cannot create the folder for '" + path + "': " + ec.message();
    return false;
  }
  return WriteBytesAtomically(path, block.data(), block.size(), error);
}

bool LoadParamsFile(const std::string& path, size_t size, ParamBlock* block, std::string* error) {
  std::string bytes;
  if (!ReadWholeFile(path, kMaxBlockFile, &bytes, error)) return false;
  if (bytes.size() != size) {
    *error = "parameter file '" + path + "' has " + std::to_string(bytes.size()) +
             " bytes; the module's block has " + std::to_string(size);
    return false;
  }
  block->assign(bytes.begin(), bytes.end());
  return true;
}

}  // namespace lvhost
