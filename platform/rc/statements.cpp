// String tables, resources from files, inline data and icon groups.
#include <algorithm>

#include "parser.h"
#include "text.h"

namespace lvrc {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxResourceFile = 64u << 20;  // larger files are surely a mistake
constexpr size_t kBitmapFileHeader = 14;

uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(Le16(b, at)) | static_cast<uint32_t>(Le16(b, at + 2)) << 16;
}

}  // namespace

// ---- string tables ---------------------------------------------------------

void Parser::StringTable() {
  uint16_t language = ResourceOptions(language_);
  ExpectBegin("STRINGTABLE");
  for (;;) {
    if (AtEnd()) throw RcError(Here(), "missing END of STRINGTABLE");
    if (IsEnd(Peek())) break;
    const Token& at = Peek();
    uint32_t id = Expression();
    AcceptPunct(",");
    std::u16string text = StringLiteral("a string");
    StoreString(id, std::move(text), language, at);
  }
  ++pos_;
}

void Parser::StoreString(uint32_t id, std::u16string text, uint16_t language, const Token& at) {
  if (id > 0xFFFF) Fail(at, "string id " + std::to_string(id) + " is larger than 65535");
  if (text.size() > 0xFFFF) Fail(at, "string " + std::to_string(id) + " is longer than 65535 characters");
  auto key = std::make_pair(language, static_cast<uint16_t>(id / 16 + 1));
  auto& slot = stringBlocks_[key][id % 16];
  if (slot) Fail(at, "duplicate string id " + std::to_string(id));
  slot = std::move(text);
  stringBlockWhere_.emplace(key, at.where);
}

void Parser::FlushStringTables() {
  for (auto& [key, block] : stringBlocks_) {
    Resource r{ResId::Ordinal(kRtString), ResId::Ordinal(key.second), key.first, {}, stringBlockWhere_[key]};
    ByteWriter w(r.data);
    for (const auto& s : block) {
      w.U16(s ? static_cast<uint16_t>(s->size()) : 0);
      if (s)
        for (char16_t c : *s) w.U16(c);
    }
    Add(std::move(r));
  }
  stringBlocks_.clear();
}

// ---- files and inline data -------------------------------------------------

fs::path Parser::FileName(const char* what) {
  if (AtEnd()) throw RcError(Here(), std::string("expected ") + what + " before end of script");
  const Token& t = Next();
  std::string name;
  if (t.kind == TokenKind::String) {
    for (size_t i = 0; i < t.text.size(); ++i) {
      name += t.text[i];
      if (t.text[i] == '\\' && i + 1 < t.text.size() && t.text[i + 1] == '\\') ++i;
    }
  } else {
    // An unquoted file name runs to the end of its line.
    const std::string& line = lines_[t.lineIndex].text;
    name = line.substr(t.column);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
    while (!AtEnd() && Peek().lineIndex == t.lineIndex) ++pos_;
  }
  if (name.empty()) Fail(t, std::string("empty ") + what);
  fs::path found = pp_.Resolve(name, fs::path(t.where.file).parent_path());
  if (found.empty()) Fail(t, "cannot find file '" + name + "'");
  return found;
}

std::vector<uint8_t> Parser::ReadResourceFile(const fs::path& path, const Token& at) {
  std::error_code ec;
  auto size = fs::file_size(path, ec);
  if (ec) Fail(at, "cannot read file '" + path.string() + "'");
  if (size > kMaxResourceFile) Fail(at, "file '" + path.string() + "' is too large for a resource");
  std::string bytes = ReadWholeFile(path, at.where);
  pp_.NoteFileRead(path);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<uint8_t> Parser::InlineData() {
  std::vector<uint8_t> data;
  ByteWriter w(data);
  ExpectBegin("data");
  for (;;) {
    if (AtEnd()) throw RcError(Here(), "missing END of data");
    if (IsEnd(Peek())) break;
    if (AcceptPunct(",")) continue;
    const Token& at = Peek();
    if (at.kind == TokenKind::String) {
      std::u16string s = DecodeString(Next());
      if (at.wide) {
        for (char16_t c : s) w.U16(c);
      } else {
        std::string bytes = NarrowBytes(s, at);
        w.Bytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      }
      continue;
    }
    size_t first = pos_;
    uint32_t v = Expression();
    bool isLong = false;
    for (size_t i = first; i < pos_; ++i) isLong = isLong || (tokens_[i].kind == TokenKind::Number && tokens_[i].isLong);
    if (isLong) {
      w.U32(v);
    } else {
      w.U16(static_cast<uint16_t>(v));
    }
  }
  ++pos_;
  return data;
}

void Parser::FileOrDataResource(const ResId& name, const ResId& type, const Token& at) {
  uint16_t language = ResourceOptions(language_);
  Resource r{type, name, language, {}, at.where};
  if (IsBegin(Peek())) {
    r.data = InlineData();
  } else {
    const Token& fileTok = Peek();
    r.data = ReadResourceFile(FileName("a file name"), fileTok);
  }
  Add(std::move(r));
}

void Parser::BitmapResource(const ResId& name, const Token& at) {
  uint16_t language = ResourceOptions(language_);
  const Token& fileTok = Peek();
  std::vector<uint8_t> file = ReadResourceFile(FileName("a bitmap file name"), fileTok);
  if (file.size() < kBitmapFileHeader + 12 || file[0] != 'B' || file[1] != 'M')
    Fail(fileTok, "not a bitmap file (no BM header)");
  uint32_t infoSize = Le32(file, kBitmapFileHeader);
  if (infoSize < 12 || infoSize > file.size() - kBitmapFileHeader) Fail(fileTok, "bitmap file has a damaged header");
  Resource r{ResId::Ordinal(kRtBitmap), name, language, {}, at.where};
  r.data.assign(file.begin() + kBitmapFileHeader, file.end());
  Add(std::move(r));
}

// Icon and cursor files hold a directory of images. Each image becomes an
// RT_ICON (or RT_CURSOR, with its hotspot in front) resource with a number
// of its own, and the directory an RT_GROUP_ICON (RT_GROUP_CURSOR) entry
// under the script's name that refers to those numbers.
void Parser::IconResource(const ResId& name, const Token& at, bool cursor) {
  uint16_t language = ResourceOptions(language_);
  const Token& fileTok = Peek();
  std::vector<uint8_t> file = ReadResourceFile(FileName(cursor ? "a cursor file name" : "an icon file name"), fileTok);
  const uint16_t fileType = cursor ? 2 : 1;
  if (file.size() < 6 || Le16(file, 0) != 0 || Le16(file, 2) != fileType)
    Fail(fileTok, cursor ? "not a cursor file" : "not an icon file");
  uint16_t count = Le16(file, 4);
  if (count == 0) Fail(fileTok, "the file holds no images");
  if (file.size() < 6 + static_cast<size_t>(count) * 16) Fail(fileTok, "the image directory is cut short");
  Resource group{ResId::Ordinal(cursor ? kRtGroupCursor : kRtGroupIcon), name, language, {}, at.where};
  ByteWriter g(group.data);
  g.U16(0);
  g.U16(fileType);
  g.U16(count);
  for (uint16_t i = 0; i < count; ++i) {
    size_t e = 6 + static_cast<size_t>(i) * 16;
    uint32_t bytes = Le32(file, e + 8);
    uint32_t offset = Le32(file, e + 12);
    if (offset > file.size() || bytes > file.size() - offset || bytes < 4)
      Fail(fileTok, "image " + std::to_string(i) + " lies outside the file");
    std::vector<uint8_t> image(file.begin() + offset, file.begin() + offset + bytes);
    bool dib = bytes >= 16 && Le32(image, 0) >= 12 && Le32(image, 0) <= bytes;
    uint16_t planes = Le16(file, e + 4);
    uint16_t bitCount = Le16(file, e + 6);
    if (nextImageId_ == 0) Fail(fileTok, "too many icon and cursor images");
    uint16_t id = nextImageId_++;
    Resource img{ResId::Ordinal(cursor ? kRtCursor : kRtIcon), ResId::Ordinal(id), language, {}, at.where};
    ByteWriter w(img.data);
    if (cursor) {
      // The file's directory keeps the hotspot where an icon keeps planes
      // and bit count; the image resource carries it in front.
      w.U16(planes);
      w.U16(bitCount);
      uint16_t width = file[e] ? file[e] : 256;
      uint16_t height = static_cast<uint16_t>((file[e + 1] ? file[e + 1] : 256) * 2);
      planes = 1;
      bitCount = 0;
      if (dib && bytes >= 16) {
        width = static_cast<uint16_t>(Le32(image, 4));
        height = static_cast<uint16_t>(Le32(image, 8));
        planes = Le16(image, 12);
        bitCount = Le16(image, 14);
      }
      g.U16(width);
      g.U16(height);
      g.U16(planes);
      g.U16(bitCount);
      g.U32(bytes + 4);
    } else {
      if (dib && planes == 0) planes = Le16(image, 12);
      if (dib && bitCount == 0) bitCount = Le16(image, 14);
      g.U8(file[e]);
      g.U8(file[e + 1]);
      g.U8(file[e + 2]);
      g.U8(0);
      g.U16(planes);
      g.U16(bitCount);
      g.U32(bytes);
    }
    g.U16(id);
    w.Bytes(image.data(), image.size());
    Add(std::move(img));
  }
  Add(std::move(group));
}

// ---- statements read over ----------------------------------------------------

void Parser::SkipBlock() {
  int depth = 0;
  do {
    if (AtEnd()) throw RcError(Here(), "missing END");
    const Token& t = Next();
    if (IsBegin(t)) ++depth;
    if (IsEnd(t)) --depth;
  } while (depth > 0);
}

void Parser::SkipToBlockAndOver() {
  while (!AtEnd() && !IsBegin(Peek())) ++pos_;
  if (AtEnd()) throw RcError(Here(), "missing BEGIN");
  SkipBlock();
}

}  // namespace lvrc
