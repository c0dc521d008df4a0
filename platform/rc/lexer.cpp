#include "lexer.h"

#include <cctype>

namespace lvrc {
namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Reads a number at `i`; hexadecimal with 0x, otherwise decimal, with any
// mix of L and U suffixes.
size_t ReadNumber(std::string_view line, size_t i, Token& t) {
  size_t start = i;
  uint64_t v = 0;
  if (line[i] == '0' && i + 1 < line.size() && (line[i + 1] == 'x' || line[i + 1] == 'X')) {
    i += 2;
    while (i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i]))) {
      char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
      v = (v << 4) | static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
      v &= 0xFFFFFFFFFFFFull;
      ++i;
    }
  } else {
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) {
      v = (v * 10 + static_cast<uint64_t>(line[i] - '0')) & 0xFFFFFFFFFFFFull;
      ++i;
    }
  }
  while (i < line.size() && (line[i] == 'L' || line[i] == 'l' || line[i] == 'U' || line[i] == 'u')) {
    if (line[i] == 'L' || line[i] == 'l') t.isLong = true;
    ++i;
  }
  if (i < line.size() && IsIdentChar(line[i])) {
    throw RcError(t.where, "malformed number '" + std::string(line.substr(start, i + 1 - start)) + "'");
  }
  t.kind = TokenKind::Number;
  t.value = v;
  t.text = std::string(line.substr(start, i - start));
  return i;
}

// Reads a string whose opening quote is at `i`; "" and \" stay in the body.
size_t ReadString(std::string_view line, size_t i, Token& t) {
  size_t j = i + 1;
  for (;;) {
    if (j >= line.size()) throw RcError(t.where, "unterminated string");
    if (line[j] == '\\' && j + 1 < line.size()) {
      j += 2;
      continue;
    }
    if (line[j] == '"') {
      if (j + 1 < line.size() && line[j + 1] == '"') {
        j += 2;
        continue;
      }
      break;
    }
    ++j;
  }
  t.kind = TokenKind::String;
  t.text = std::string(line.substr(i + 1, j - i - 1));
  return j + 1;
}

constexpr std::string_view kTwoCharPuncts[] = {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>"};

}  // namespace

void TokenizeLine(std::string_view line, const Location& where, size_t lineIndex,
                  std::vector<Token>& out) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    Token t;
    t.where = where;
    t.lineIndex = lineIndex;
    t.column = i;
    if ((c == 'L' || c == 'l') && i + 1 < line.size() && line[i + 1] == '"') {
      t.wide = true;
      i = ReadString(line, i + 1, t);
    } else if (c == '"') {
      i = ReadString(line, i, t);
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      i = ReadNumber(line, i, t);
    } else if (IsIdentStart(c)) {
      size_t j = i;
      while (j < line.size() && IsIdentChar(line[j])) ++j;
      t.kind = TokenKind::Identifier;
      t.text = std::string(line.substr(i, j - i));
      i = j;
    } else {
      t.kind = TokenKind::Punct;
      std::string_view two = line.substr(i, 2);
      bool isTwo = false;
      for (auto p : kTwoCharPuncts) isTwo = isTwo || two == p;
      // Characters outside the expression syntax (a backslash or dot of an
      // unquoted file name) become one-character punctuators; the parser
      // rejects them where they do not belong.
      t.text = std::string(line.substr(i, isTwo ? 2 : 1));
      i += t.text.size();
    }
    out.push_back(std::move(t));
  }
}

bool IsKeyword(const Token& t, std::string_view word) {
  if (t.kind != TokenKind::Identifier || t.text.size() != word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(t.text[i])) != std::toupper(static_cast<unsigned char>(word[i])))
      return false;
  return true;
}

bool IsPunct(const Token& t, std::string_view p) { return t.kind == TokenKind::Punct && t.text == p; }

}  // namespace lvrc
