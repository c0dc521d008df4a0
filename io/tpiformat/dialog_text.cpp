// Texts of the properties dialog.
#include "dialog_text.h"

#include <vector>

namespace tpi {

namespace {

constexpr size_t kShownPathLength = 30;
constexpr uint64_t kLargestByteCount = 101376;

std::string Lower(std::string text) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  CharLowerA(buffer.data());
  return std::string(buffer.data());
}

// Replaces the first %s of a pattern by the value.
std::string Substitute(const std::string& pattern, const std::string& value) {
  const size_t mark = pattern.find("%s");
  if (mark == std::string::npos) return pattern;
  return pattern.substr(0, mark) + value + pattern.substr(mark + 2);
}

}  // namespace

std::string ShortenPath(const std::string& path) {
  const std::string lower = Lower(path);
  if (lower.size() <= kShownPathLength) return lower;
  const std::string head = lower.substr(0, 3);
  const std::string rest = lower.substr(3);
  const size_t lastSlash = rest.find_last_of('\\');
  std::string folder = lastSlash == std::string::npos ? "" : rest.substr(0, lastSlash + 1);
  const std::string name = lastSlash == std::string::npos ? rest : rest.substr(lastSlash + 1);
  std::string shown = head + "...\\" + folder + name;
  while (shown.size() > kShownPathLength && !folder.empty()) {
    folder.erase(0, folder.find('\\') + 1);
    shown = head + "...\\" + folder + name;
  }
  return shown;
}

std::string GroupThousands(uint64_t value, const std::string& separator) {
  std::string digits = std::to_string(value);
  std::string grouped;
  const size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  grouped = digits.substr(0, lead);
  for (size_t i = lead; i < digits.size(); i += 3) grouped += separator + digits.substr(i, 3);
  return grouped;
}

std::string SizeText(uint64_t bytes, const std::string& separator, const std::string& bytesPattern,
                     const std::string& kbPattern) {
  if (bytes <= kLargestByteCount) return Substitute(bytesPattern, GroupThousands(bytes, separator));
  return Substitute(kbPattern, GroupThousands((bytes + 512) / 1024, separator));
}

WORD ResolutionValue(DWORD resolution, bool metric) {
  const uint64_t value = metric ? (uint64_t{resolution} + 12700) / 25400 : (uint64_t{resolution} + 5000) / 10000;
  return static_cast<WORD>(value);
}

}  // namespace tpi
