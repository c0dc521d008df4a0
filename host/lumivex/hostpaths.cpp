// The host's files on drive C: (the folder C in the platform prefix).
#include "hostpaths.h"

#include <cstdlib>
#include <filesystem>

namespace lvhost {

std::string PlatformPrefix() {
  if (const char* prefix = std::getenv("LUMIVEX_PREFIX"); prefix && *prefix) return prefix;
  const char* home = std::getenv("HOME");
  return (std::filesystem::path(home && *home ? home : ".") / ".local/share/lumivex").string();
}

std::string DriveCPath(const std::string& relativeWinPath) {
  std::string rel = relativeWinPath;
  for (char& c : rel)
    if (c == '\\') c = '/';
  return (std::filesystem::path(PlatformPrefix()) / "C" / rel).string();
}

}  // namespace lvhost
