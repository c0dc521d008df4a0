// The statement parser of resource scripts: reads the preprocessed lines and
// builds every resource in its binary form.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lexer.h"
#include "model.h"
#include "preprocessor.h"

namespace lvrc {

// A style value with the bits a NOT removed: the final style is
// (default & ~removed) | value.
struct StyleValue {
  uint32_t value = 0;
  uint32_t removed = 0;
  uint32_t Apply(uint32_t defaults) const { return (defaults & ~removed) | value; }
};

// A text or an ordinal, as dialog templates store names, classes and titles.
struct TextOrOrdinal {
  bool isOrdinal = false;
  uint16_t ordinal = 0;
  std::u16string text;
};

class Parser {
 public:
  Parser(Preprocessor& pp, std::vector<SourceLine> lines);

  // Parses the whole script; throws RcError on the first error.
  std::vector<Resource> Parse();

 private:
  using StringBlock = std::array<std::optional<std::u16string>, 16>;

  // Token stream.
  const Token& Peek(size_t ahead = 0) const;
  const Token& Next();
  bool AtEnd() const { return pos_ >= tokens_.size(); }
  bool AcceptPunct(const char* p);
  bool AcceptKeyword(const char* word);
  void ExpectPunct(const char* p, const char* what);
  void ExpectComma() { ExpectPunct(",", "','"); }
  void ExpectBegin(const char* what);
  bool IsBegin(const Token& t) const;
  bool IsEnd(const Token& t) const;
  [[noreturn]] void Fail(const Token& at, const std::string& message) const;
  Location Here() const;

  // Expressions.
  uint32_t Expression();
  uint32_t OrExpr();
  uint32_t AndExpr();
  uint32_t AddExpr();
  uint32_t MulExpr();
  uint32_t UnaryExpr();
  uint32_t UnaryTerm();
  StyleValue StyleExpression();
  int16_t CoordinateExpression();
  bool StartsExpression(const Token& t) const;

  // Strings.
  std::u16string DecodeString(const Token& t) const;
  std::u16string StringLiteral(const char* what);
  std::string NarrowBytes(const std::u16string& s, const Token& at) const;

  // Top level.
  void Statement();
  ResId ResourceName();
  ResId ResourceTypeId(const Token& t);
  void SkipMemoryOptions();
  uint16_t ResourceOptions(uint16_t language);
  uint16_t LanguageArgs();
  void Add(Resource r);

  // String tables.
  void StringTable();
  void StoreString(uint32_t id, std::u16string text, uint16_t language, const Token& at);
  void FlushStringTables();

  // Data from files and inline blocks.
  std::filesystem::path FileName(const char* what);
  std::vector<uint8_t> ReadResourceFile(const std::filesystem::path& path, const Token& at);
  std::vector<uint8_t> InlineData();
  void FileOrDataResource(const ResId& name, const ResId& type, const Token& at);
  void BitmapResource(const ResId& name, const Token& at);
  void IconResource(const ResId& name, const Token& at, bool cursor);
  void SkipBlock();
  void SkipToBlockAndOver();

  // Dialogs (dialog.cpp).
  void DialogResource(const ResId& name, bool extended, const Token& at);
  void DialogControl(const Token& keyword, bool extended, std::vector<uint8_t>& items, uint16_t& count);
  TextOrOrdinal ControlText();
  TextOrOrdinal ClassName(const Token& t);

  // Menus and accelerators (menus.cpp).
  void MenuResource(const ResId& name, const Token& at);
  void MenuItems(std::vector<uint8_t>& out, int depth);
  void AcceleratorResource(const ResId& name, const Token& at);

  Preprocessor& pp_;
  std::vector<SourceLine> lines_;
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  int nesting_ = 0;         // depth of the expression being read
  uint16_t language_ = 0;  // set by LANGUAGE statements
  uint16_t nextImageId_ = 1;
  std::vector<Resource> resources_;
  std::map<std::pair<uint16_t, uint16_t>, StringBlock> stringBlocks_;  // (language, block)
  std::map<std::pair<uint16_t, uint16_t>, Location> stringBlockWhere_;
};

}  // namespace lvrc
