// Splitting preprocessed script lines into tokens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"

namespace lvrc {

enum class TokenKind { Number, String, Identifier, Punct, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;     // identifier or punctuator text; a string's raw body (escapes kept)
  uint64_t value = 0;   // numbers: the value as written
  bool isLong = false;  // numbers: an L suffix
  bool wide = false;    // strings: written L"..."
  Location where;
  size_t lineIndex = 0;  // index of the preprocessed line the token is on
  size_t column = 0;     // byte offset of the token in that line
};

// Splits one line into tokens; throws RcError on an unterminated string or a
// character that belongs to no token.
void TokenizeLine(std::string_view line, const Location& where, size_t lineIndex,
                  std::vector<Token>& out);

// True when the token is the identifier `word`, compared without case.
bool IsKeyword(const Token& t, std::string_view word);

// True when the token is the punctuator `p`.
bool IsPunct(const Token& t, std::string_view p);

}  // namespace lvrc
