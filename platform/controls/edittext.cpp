// The text model of the "Edit" class: lines, character steps, word steps
// and case conversion.
#include "edit.h"

namespace lv::ctl::edit {

std::vector<size_t> LineStarts(const std::string& text) {
  std::vector<size_t> starts{0};
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\r' && text[i + 1] == '\n') starts.push_back(i + 2);
  }
  return starts;
}

size_t LineLength(const std::string& text, size_t start) {
  size_t end = start;
  while (end < text.size() && !(text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')) ++end;
  return end - start;
}

size_t LineOfOffset(const std::vector<size_t>& starts, size_t offset) {
  size_t line = 0;
  while (line + 1 < starts.size() && starts[line + 1] <= offset) ++line;
  return line;
}

size_t PreviousPosition(const std::string& text, size_t offset) {
  if (offset == 0) return 0;
  if (offset >= 2 && text[offset - 2] == '\r' && text[offset - 1] == '\n') return offset - 2;
  return offset - 1;
}

size_t NextPosition(const std::string& text, size_t offset) {
  if (offset >= text.size()) return text.size();
  if (text[offset] == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n') return offset + 2;
  return offset + 1;
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

size_t PreviousWord(const std::string& text, size_t offset) {
  if (offset > text.size()) offset = text.size();
  while (offset > 0 && IsBlank(text[offset - 1])) --offset;
  while (offset > 0 && !IsBlank(text[offset - 1])) --offset;
  return offset;
}

size_t NextWord(const std::string& text, size_t offset) {
  while (offset < text.size() && !IsBlank(text[offset])) ++offset;
  while (offset < text.size() && IsBlank(text[offset])) ++offset;
  return offset;
}

char UpperAnsi(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 16);
  if (u == 0xFF) return static_cast<char>(0x9F);
  return c;
}

char LowerAnsi(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 16);
  if (u == 0x9F) return static_cast<char>(0xFF);
  return c;
}

}  // namespace lv::ctl::edit
