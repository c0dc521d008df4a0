#include "parser.h"

#include <cctype>

#include "text.h"

namespace lvrc {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMemoryOptions[] = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE",
                                          "PURE", "IMPURE", "SHARED", "NONSHARED"};

// Types whose statement names a file whose bytes become the resource.
struct FileType {
  const char* keyword;
  uint16_t type;
};
constexpr FileType kFileTypes[] = {{"RCDATA", kRtRcData},       {"HTML", kRtHtml},
                                   {"MANIFEST", kRtManifest},   {"MESSAGETABLE", kRtMessageTable},
                                   {"FONT", kRtFont},           {"PLUGPLAY", kRtPlugPlay},
                                   {"VXD", kRtVxd},             {"ANICURSOR", kRtAniCursor},
                                   {"ANIICON", kRtAniIcon},     {"DLGINCLUDE", kRtDlgInclude}};

constexpr int kMaxNesting = 256;  // parentheses and unary operators in an expression

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

}  // namespace

Parser::Parser(Preprocessor& pp, std::vector<SourceLine> lines) : pp_(pp), lines_(std::move(lines)) {
  for (size_t i = 0; i < lines_.size(); ++i) TokenizeLine(lines_[i].text, lines_[i].where, i, tokens_);
}

// ---- token stream ---------------------------------------------------------

const Token& Parser::Peek(size_t ahead) const {
  static const Token kEnd;
  return pos_ + ahead < tokens_.size() ? tokens_[pos_ + ahead] : kEnd;
}

Location Parser::Here() const {
  if (pos_ < tokens_.size()) return tokens_[pos_].where;
  if (!tokens_.empty()) return tokens_.back().where;
  return lines_.empty() ? Location{} : lines_.back().where;
}

const Token& Parser::Next() {
  if (AtEnd()) throw RcError(Here(), "unexpected end of script");
  return tokens_[pos_++];
}

void Parser::Fail(const Token& at, const std::string& message) const {
  throw RcError(at.kind == TokenKind::End ? Here() : at.where, message);
}

bool Parser::AcceptPunct(const char* p) {
  if (!IsPunct(Peek(), p)) return false;
  ++pos_;
  return true;
}

bool Parser::AcceptKeyword(const char* word) {
  if (!IsKeyword(Peek(), word)) return false;
  ++pos_;
  return true;
}

void Parser::ExpectPunct(const char* p, const char* what) {
  if (AtEnd()) throw RcError(Here(), std::string("expected ") + what + " before end of script");
  if (!AcceptPunct(p)) Fail(Peek(), std::string("expected ") + what + ", found '" + Peek().text + "'");
}

bool Parser::IsBegin(const Token& t) const { return IsPunct(t, "{") || IsKeyword(t, "BEGIN"); }
bool Parser::IsEnd(const Token& t) const { return IsPunct(t, "}") || IsKeyword(t, "END"); }

void Parser::ExpectBegin(const char* what) {
  if (AtEnd()) throw RcError(Here(), std::string("expected BEGIN of ") + what + " before end of script");
  if (!IsBegin(Peek())) Fail(Peek(), std::string("expected BEGIN of ") + what + ", found '" + Peek().text + "'");
  ++pos_;
}

// ---- expressions ----------------------------------------------------------

bool Parser::StartsExpression(const Token& t) const {
  return t.kind == TokenKind::Number || IsPunct(t, "(") || IsPunct(t, "-") || IsPunct(t, "~") ||
         IsPunct(t, "+") || IsKeyword(t, "NOT");
}

uint32_t Parser::Expression() { return OrExpr(); }

uint32_t Parser::OrExpr() {
  uint32_t v = AndExpr();
  while (AcceptPunct("|")) v |= AndExpr();
  return v;
}

uint32_t Parser::AndExpr() {
  uint32_t v = AddExpr();
  while (AcceptPunct("&")) v &= AddExpr();
  return v;
}

uint32_t Parser::AddExpr() {
  uint32_t v = MulExpr();
  for (;;) {
    if (AcceptPunct("+")) {
      v += MulExpr();
    } else if (AcceptPunct("-")) {
      v -= MulExpr();
    } else {
      return v;
    }
  }
}

uint32_t Parser::MulExpr() {
  uint32_t v = UnaryExpr();
  for (;;) {
    bool mul = IsPunct(Peek(), "*");
    if (!mul && !IsPunct(Peek(), "/")) return v;
    const Token& op = Next();
    uint32_t rhs = UnaryExpr();
    if (!mul && rhs == 0) Fail(op, "division by zero");
    v = mul ? v * rhs : v / rhs;
  }
}

uint32_t Parser::UnaryExpr() {
  if (++nesting_ > kMaxNesting) throw RcError(Here(), "expression nested too deeply");
  uint32_t v = UnaryTerm();
  --nesting_;
  return v;
}

uint32_t Parser::UnaryTerm() {
  if (AtEnd()) throw RcError(Here(), "expected a number before end of script");
  const Token& t = Next();
  if (t.kind == TokenKind::Number) return static_cast<uint32_t>(t.value);
  if (IsPunct(t, "-")) return 0u - UnaryExpr();
  if (IsPunct(t, "+")) return UnaryExpr();
  if (IsPunct(t, "~")) return ~UnaryExpr();
  if (IsKeyword(t, "NOT")) return ~UnaryExpr();
  if (IsPunct(t, "(")) {
    uint32_t v = OrExpr();
    ExpectPunct(")", "')'");
    return v;
  }
  if (t.kind == TokenKind::Identifier) Fail(t, "undefined symbol '" + t.text + "'");
  if (t.kind == TokenKind::String) Fail(t, "expected a number, found a string");
  Fail(t, "expected a number, found '" + t.text + "'");
}

StyleValue Parser::StyleExpression() {
  StyleValue s;
  do {
    if (AcceptKeyword("NOT")) {
      uint32_t bits = UnaryExpr();
      s.value &= ~bits;
      s.removed |= bits;
    } else {
      uint32_t bits = AndExpr();
      s.value |= bits;
      s.removed &= ~bits;
    }
  } while (AcceptPunct("|"));
  return s;
}

int16_t Parser::CoordinateExpression() {
  const Token& at = Peek();
  int32_t v = static_cast<int32_t>(Expression());
  if (v < -32768 || v > 65535) Fail(at, "value " + std::to_string(v) + " does not fit in 16 bits");
  return static_cast<int16_t>(static_cast<uint16_t>(v));
}

// ---- strings --------------------------------------------------------------

std::u16string Parser::DecodeString(const Token& t) const {
  const std::string& s = t.text;
  std::u16string out;
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (c == '"' && i + 1 < s.size() && s[i + 1] == '"') {
      out.push_back(u'"');
      i += 2;
      continue;
    }
    if (c != '\\' || i + 1 >= s.size()) {
      size_t len = 1;
      unsigned char lead = static_cast<unsigned char>(c);
      if (lead >= 0xF0) len = 4; else if (lead >= 0xE0) len = 3; else if (lead >= 0xC0) len = 2;
      auto cps = DecodeUtf8(std::string_view(s).substr(i, len));
      if (!cps || cps->size() != 1) Fail(t, "string is not valid UTF-8");
      AppendUtf16(out, (*cps)[0]);
      i += len;
      continue;
    }
    char e = s[i + 1];
    i += 2;
    switch (e) {
      case 'n': out.push_back(u'\n'); break;
      case 't': out.push_back(u'\t'); break;
      case 'r': out.push_back(u'\r'); break;
      case 'a': out.push_back(u'\b'); break;
      case '\\': out.push_back(u'\\'); break;
      case '"': out.push_back(u'"'); break;
      case 'x': case 'X': {
        size_t maxDigits = t.wide ? 4 : 2;
        uint32_t v = 0;
        size_t n = 0;
        while (n < maxDigits && i < s.size() && HexDigit(s[i]) >= 0) v = v * 16 + static_cast<uint32_t>(HexDigit(s[i++])), ++n;
        if (n == 0) Fail(t, "\\x needs hexadecimal digits");
        out.push_back(t.wide ? static_cast<char16_t>(v) : static_cast<char16_t>(CodePointOfCp1252(static_cast<uint8_t>(v))));
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          uint32_t v = static_cast<uint32_t>(e - '0');
          for (int n = 1; n < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++n) v = v * 8 + static_cast<uint32_t>(s[i++] - '0');
          out.push_back(t.wide ? static_cast<char16_t>(v)
                               : static_cast<char16_t>(CodePointOfCp1252(static_cast<uint8_t>(v & 0xFF))));
        } else {
          // Not an escape: the backslash stays, as in a path.
          out.push_back(u'\\');
          i -= 1;
        }
    }
  }
  return out;
}

std::u16string Parser::StringLiteral(const char* what) {
  if (AtEnd()) throw RcError(Here(), std::string("expected ") + what + " before end of script");
  if (Peek().kind != TokenKind::String) Fail(Peek(), std::string("expected ") + what + ", found '" + Peek().text + "'");
  std::u16string s = DecodeString(Next());
  while (Peek().kind == TokenKind::String) s += DecodeString(Next());  // adjacent strings join
  return s;
}

std::string Parser::NarrowBytes(const std::u16string& s, const Token& at) const {
  std::string out;
  for (char16_t c : s) {
    auto b = Cp1252OfCodePoint(c);
    if (!b) Fail(at, "character U+" + std::to_string(static_cast<unsigned>(c)) + " has no Windows-1252 form; use L\"...\"");
    out.push_back(static_cast<char>(*b));
  }
  return out;
}

// ---- top level ------------------------------------------------------------

std::vector<Resource> Parser::Parse() {
  while (!AtEnd()) Statement();
  FlushStringTables();
  return std::move(resources_);
}

void Parser::Add(Resource r) {
  for (const Resource& o : resources_) {
    if (o.type == r.type && o.name == r.name && o.language == r.language) {
      throw RcError(r.where, "duplicate resource: type " + r.type.Describe() + ", name " + r.name.Describe() +
                                 " (first defined at " + o.where.file + ":" + std::to_string(o.where.line) + ")");
    }
  }
  resources_.push_back(std::move(r));
}

uint16_t Parser::LanguageArgs() {
  uint32_t primary = Expression();
  ExpectComma();
  uint32_t sub = Expression();
  return static_cast<uint16_t>(((sub & 0x3F) << 10) | (primary & 0x3FF));
}

void Parser::SkipMemoryOptions() {
  bool more = true;
  while (more) {
    more = false;
    for (const char* opt : kMemoryOptions) {
      if (AcceptKeyword(opt)) more = true;
    }
  }
}

uint16_t Parser::ResourceOptions(uint16_t language) {
  for (;;) {
    SkipMemoryOptions();
    if (AcceptKeyword("LANGUAGE")) {
      language = LanguageArgs();
    } else if (AcceptKeyword("CHARACTERISTICS") || AcceptKeyword("VERSION")) {
      Expression();
    } else {
      return language;
    }
  }
}

void Parser::Statement() {
  const Token& t = Peek();
  if (AcceptKeyword("LANGUAGE")) {
    language_ = LanguageArgs();
    return;
  }
  if (AcceptKeyword("CHARACTERISTICS") || AcceptKeyword("VERSION")) {
    Expression();
    return;
  }
  if (IsKeyword(t, "STRINGTABLE")) {
    ++pos_;
    StringTable();
    return;
  }
  ResId name = ResourceName();
  if (AtEnd()) throw RcError(Here(), "expected a resource type after " + name.Describe());
  const Token& type = Next();
  if (IsKeyword(type, "DIALOG") || IsKeyword(type, "DIALOGEX")) {
    DialogResource(name, IsKeyword(type, "DIALOGEX"), type);
  } else if (IsKeyword(type, "BITMAP")) {
    BitmapResource(name, type);
  } else if (IsKeyword(type, "ICON") || IsKeyword(type, "CURSOR")) {
    IconResource(name, type, IsKeyword(type, "CURSOR"));
  } else if (IsKeyword(type, "MENU")) {
    MenuResource(name, type);
  } else if (IsKeyword(type, "ACCELERATORS")) {
    AcceleratorResource(name, type);
  } else if (IsKeyword(type, "MENUEX") || IsKeyword(type, "VERSIONINFO") || IsKeyword(type, "TOOLBAR") ||
             IsKeyword(type, "DLGINIT")) {
    // Not used by the platform: read over the statement without keeping it.
    SkipToBlockAndOver();
  } else {
    FileOrDataResource(name, ResourceTypeId(type), type);
  }
}

ResId Parser::ResourceName() {
  const Token& t = Peek();
  if (AtEnd()) throw RcError(Here(), "unexpected end of script");
  if (t.kind == TokenKind::Identifier && !IsKeyword(t, "NOT")) {
    ++pos_;
    return ResId::Named(UpperAscii(t.text));
  }
  if (t.kind == TokenKind::String) {
    ++pos_;
    return ResId::Named(UpperAscii(t.text));
  }
  if (!StartsExpression(t)) Fail(t, "expected a resource name or statement, found '" + t.text + "'");
  uint32_t v = Expression();
  if (v > 0xFFFF) Fail(t, "resource number " + std::to_string(v) + " is larger than 65535");
  return ResId::Ordinal(static_cast<uint16_t>(v));
}

ResId Parser::ResourceTypeId(const Token& t) {
  for (const FileType& ft : kFileTypes)
    if (IsKeyword(t, ft.keyword)) return ResId::Ordinal(ft.type);
  if (t.kind == TokenKind::Identifier) return ResId::Named(UpperAscii(t.text));
  if (t.kind == TokenKind::String) return ResId::Named(UpperAscii(t.text));
  if (t.kind == TokenKind::Number) {
    if (t.value == 0 || t.value > 0xFFFF) Fail(t, "resource type number out of range");
    return ResId::Ordinal(static_cast<uint16_t>(t.value));
  }
  Fail(t, "expected a resource type, found '" + t.text + "'");
}

}  // namespace lvrc
