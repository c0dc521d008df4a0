// MENU and ACCELERATORS statements in the platform's binary forms.
#include <cctype>

#include "parser.h"

namespace lvrc {

namespace {

constexpr uint16_t MF_GRAYED = 0x1, MF_INACTIVE = 0x4, MF_CHECKED = 0x8, MF_POPUP = 0x10,
                   MF_MENUBARBREAK = 0x20, MF_MENUBREAK = 0x40, MF_END = 0x80, MF_HELP = 0x4000;

struct Flag {
  const char* keyword;
  uint16_t bits;
};
constexpr Flag kMenuOptions[] = {{"GRAYED", MF_GRAYED},         {"INACTIVE", MF_INACTIVE},
                                 {"CHECKED", MF_CHECKED},       {"MENUBARBREAK", MF_MENUBARBREAK},
                                 {"MENUBREAK", MF_MENUBREAK},   {"HELP", MF_HELP}};

constexpr uint16_t FVIRTKEY = 0x1, FNOINVERT = 0x2, FSHIFT = 0x4, FCONTROL = 0x8, FALT = 0x10, FLAST = 0x80;
constexpr Flag kAccelOptions[] = {{"VIRTKEY", FVIRTKEY}, {"ASCII", 0},         {"NOINVERT", FNOINVERT},
                                  {"SHIFT", FSHIFT},     {"CONTROL", FCONTROL}, {"ALT", FALT}};

}  // namespace

void Parser::MenuResource(const ResId& name, const Token& at) {
  uint16_t language = ResourceOptions(language_);
  Resource r{ResId::Ordinal(kRtMenu), name, language, {}, at.where};
  ByteWriter w(r.data);
  w.U16(0);  // version
  w.U16(0);  // header size
  MenuItems(r.data, 0);
  Add(std::move(r));
}

// Reads BEGIN items END and appends them; the last item of each level
// carries MF_END.
void Parser::MenuItems(std::vector<uint8_t>& out, int depth) {
  constexpr int kMaxMenuDepth = 64;
  if (depth > kMaxMenuDepth) throw RcError(Here(), "menus nested too deeply");
  ExpectBegin("menu");
  size_t lastItemStart = SIZE_MAX;
  for (;;) {
    if (AtEnd()) throw RcError(Here(), "missing END of menu");
    if (IsEnd(Peek())) break;
    const Token& kw = Next();
    bool popup = IsKeyword(kw, "POPUP");
    if (!popup && !IsKeyword(kw, "MENUITEM")) Fail(kw, "expected MENUITEM or POPUP, found '" + kw.text + "'");
    lastItemStart = out.size();
    ByteWriter w(out);
    if (!popup && AcceptKeyword("SEPARATOR")) {
      w.U16(0);
      w.U16(0);
      w.U16(0);
      continue;
    }
    std::u16string text = StringLiteral("a menu text");
    uint32_t id = 0;
    if (!popup) {
      ExpectComma();
      id = Expression();
    }
    uint16_t flags = popup ? MF_POPUP : 0;
    for (;;) {
      AcceptPunct(",");
      bool matched = false;
      for (const Flag& f : kMenuOptions) {
        if (AcceptKeyword(f.keyword)) {
          flags |= f.bits;
          matched = true;
        }
      }
      if (!matched) break;
    }
    w.U16(flags);
    if (!popup) w.U16(static_cast<uint16_t>(id));
    w.Utf16z(text);
    if (popup) MenuItems(out, depth + 1);
  }
  ++pos_;
  if (lastItemStart == SIZE_MAX) return;
  out[lastItemStart] |= MF_END;
}

void Parser::AcceleratorResource(const ResId& name, const Token& at) {
  uint16_t language = ResourceOptions(language_);
  Resource r{ResId::Ordinal(kRtAccelerator), name, language, {}, at.where};
  ByteWriter w(r.data);
  ExpectBegin("ACCELERATORS");
  for (;;) {
    if (AtEnd()) throw RcError(Here(), "missing END of ACCELERATORS");
    if (IsEnd(Peek())) break;
    const Token& ev = Peek();
    uint32_t key = 0;
    bool control = false;
    bool letter = false;
    if (ev.kind == TokenKind::String) {
      std::u16string s = DecodeString(Next());
      if (s.size() == 2 && s[0] == u'^' && s[1] < 0x80 && std::isalpha(static_cast<int>(s[1]))) {
        key = static_cast<uint32_t>(std::toupper(static_cast<int>(s[1])) - 'A' + 1);
        control = true;
      } else if (s.size() == 1) {
        key = s[0];
        letter = true;
      } else {
        Fail(ev, "an accelerator key is one character or ^ and a letter");
      }
    } else {
      key = Expression();
    }
    ExpectComma();
    uint32_t cmd = Expression();
    uint16_t flags = 0;
    while (AcceptPunct(",")) {
      bool matched = false;
      for (const Flag& f : kAccelOptions) {
        if (AcceptKeyword(f.keyword)) {
          flags |= f.bits;
          matched = true;
        }
      }
      if (!matched) Fail(Peek(), "unknown accelerator option '" + Peek().text + "'");
    }
    if (control && (flags & FVIRTKEY)) Fail(ev, "^ keys cannot be VIRTKEY");
    if (letter && (flags & FVIRTKEY) && key >= 'a' && key <= 'z') key = key - 'a' + 'A';
    w.U16(flags);
    w.U16(static_cast<uint16_t>(key));
    w.U16(static_cast<uint16_t>(cmd));
    w.U16(0);
  }
  ++pos_;
  if (r.data.size() >= 8) r.data[r.data.size() - 8] |= FLAST;
  Add(std::move(r));
}

}  // namespace lvrc
