// DIALOG and DIALOGEX statements, written as DLGTEMPLATE / DLGTEMPLATEEX.
#include "parser.h"
#include "text.h"

namespace lvrc {

namespace {

constexpr uint32_t WS_POPUP = 0x80000000, WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000, WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_GROUP = 0x00020000, WS_TABSTOP = 0x00010000;
constexpr uint32_t DS_SETFONT = 0x40;

constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kScrollBar = 0x84,
                   kComboBox = 0x85;

// How a control statement's arguments are laid out.
enum class Form {
  Text,     // text, id, x, y, cx, cy [, style [, exstyle [, helpid]]]
  NoText,   // id, x, y, cx, cy [, style [, exstyle [, helpid]]]
  Icon,     // text, id, x, y [, cx, cy [, style [, exstyle [, helpid]]]]
  Control,  // text, id, class, style, x, y, cx, cy [, exstyle [, helpid]]
};

struct ControlKind {
  const char* keyword;
  uint16_t classOrdinal;  // 0 for CONTROL, which names its class
  uint32_t defaultStyle;  // WS_CHILD | WS_VISIBLE are added to every control
  Form form;
};

constexpr ControlKind kControls[] = {
    {"LTEXT", kStatic, 0x0 /*SS_LEFT*/ | WS_GROUP, Form::Text},
    {"RTEXT", kStatic, 0x2 /*SS_RIGHT*/ | WS_GROUP, Form::Text},
    {"CTEXT", kStatic, 0x1 /*SS_CENTER*/ | WS_GROUP, Form::Text},
    {"PUSHBUTTON", kButton, 0x0 /*BS_PUSHBUTTON*/ | WS_TABSTOP, Form::Text},
    {"DEFPUSHBUTTON", kButton, 0x1 /*BS_DEFPUSHBUTTON*/ | WS_TABSTOP, Form::Text},
    {"PUSHBOX", kButton, 0xA /*BS_PUSHBOX*/ | WS_TABSTOP, Form::Text},
    {"CHECKBOX", kButton, 0x2 /*BS_CHECKBOX*/ | WS_TABSTOP, Form::Text},
    {"AUTOCHECKBOX", kButton, 0x3 /*BS_AUTOCHECKBOX*/ | WS_TABSTOP, Form::Text},
    {"STATE3", kButton, 0x5 /*BS_3STATE*/ | WS_TABSTOP, Form::Text},
    {"AUTO3STATE", kButton, 0x6 /*BS_AUTO3STATE*/ | WS_TABSTOP, Form::Text},
    {"RADIOBUTTON", kButton, 0x4 /*BS_RADIOBUTTON*/, Form::Text},
    {"AUTORADIOBUTTON", kButton, 0x9 /*BS_AUTORADIOBUTTON*/, Form::Text},
    {"GROUPBOX", kButton, 0x7 /*BS_GROUPBOX*/, Form::Text},
    {"EDITTEXT", kEdit, 0x0 /*ES_LEFT*/ | WS_BORDER | WS_TABSTOP, Form::NoText},
    {"LISTBOX", kListBox, 0x1 /*LBS_NOTIFY*/ | WS_BORDER, Form::NoText},
    {"COMBOBOX", kComboBox, 0x1 /*CBS_SIMPLE*/ | WS_TABSTOP, Form::NoText},
    {"SCROLLBAR", kScrollBar, 0x0 /*SBS_HORZ*/, Form::NoText},
    {"ICON", kStatic, 0x3 /*SS_ICON*/, Form::Icon},
    {"CONTROL", 0, 0, Form::Control},
};

struct PredefinedClass {
  const char* name;
  uint16_t ordinal;
};
constexpr PredefinedClass kPredefinedClasses[] = {{"BUTTON", kButton},       {"EDIT", kEdit},
                                                  {"STATIC", kStatic},       {"LISTBOX", kListBox},
                                                  {"SCROLLBAR", kScrollBar}, {"COMBOBOX", kComboBox}};

std::u16string Utf16OfAscii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

void WriteTextOrOrdinal(ByteWriter& w, const TextOrOrdinal& v, bool present) {
  if (!present) {
    w.U16(0);
  } else if (v.isOrdinal) {
    w.U16(0xFFFF);
    w.U16(v.ordinal);
  } else {
    w.Utf16z(v.text);
  }
}

// The options of a dialog that come before its controls.
struct DialogHeader {
  int16_t x = 0, y = 0, cx = 0, cy = 0;
  uint32_t helpId = 0;
  uint32_t style = WS_POPUP | WS_BORDER | WS_SYSMENU;
  uint32_t exStyle = 0;
  bool hasCaption = false;
  std::u16string caption;
  bool hasFont = false;
  uint16_t pointSize = 8;
  uint16_t weight = 0;
  uint8_t italic = 0;
  uint8_t charset = 1;  // DEFAULT_CHARSET
  std::u16string face = u"MS Shell Dlg";
  bool hasMenu = false;
  TextOrOrdinal menu;
  bool hasClass = false;
  TextOrOrdinal windowClass;
};

void WriteDialogHeader(ByteWriter& w, const DialogHeader& h, bool extended, uint16_t count) {
  if (extended) {
    w.U16(1);
    w.U16(0xFFFF);
    w.U32(h.helpId);
    w.U32(h.exStyle);
    w.U32(h.style);
  } else {
    w.U32(h.style);
    w.U32(h.exStyle);
  }
  w.U16(count);
  w.U16(static_cast<uint16_t>(h.x));
  w.U16(static_cast<uint16_t>(h.y));
  w.U16(static_cast<uint16_t>(h.cx));
  w.U16(static_cast<uint16_t>(h.cy));
  WriteTextOrOrdinal(w, h.menu, h.hasMenu);
  WriteTextOrOrdinal(w, h.windowClass, h.hasClass);
  w.Utf16z(h.caption);
  if (h.style & DS_SETFONT) {
    w.U16(h.pointSize);
    if (extended) {
      w.U16(h.weight);
      w.U8(h.italic);
      w.U8(h.charset);
    }
    w.Utf16z(h.face);
  }
}

}  // namespace

TextOrOrdinal Parser::ControlText() {
  if (AtEnd()) throw RcError(Here(), "expected a control text before end of script");
  const Token& t = Peek();
  TextOrOrdinal v;
  if (t.kind == TokenKind::String) {
    v.text = StringLiteral("a control text");
  } else if (t.kind == TokenKind::Identifier && !IsKeyword(t, "NOT")) {
    ++pos_;
    v.text = Utf16OfAscii(UpperAscii(t.text));  // a resource name, as for ICON
  } else {
    uint32_t n = Expression();
    if (n > 0xFFFF) Fail(t, "resource number " + std::to_string(n) + " is larger than 65535");
    v.isOrdinal = true;
    v.ordinal = static_cast<uint16_t>(n);
  }
  return v;
}

TextOrOrdinal Parser::ClassName(const Token& t) {
  TextOrOrdinal v;
  if (t.kind == TokenKind::Number) {
    if (t.value > 0xFFFF) Fail(t, "class number out of range");
    v.isOrdinal = true;
    v.ordinal = static_cast<uint16_t>(t.value);
    return v;
  }
  if (t.kind != TokenKind::String && t.kind != TokenKind::Identifier)
    Fail(t, "expected a window class name, found '" + t.text + "'");
  std::u16string text = t.kind == TokenKind::String ? DecodeString(t) : Utf16OfAscii(t.text);
  std::string upper = UpperAscii(t.text);
  for (const PredefinedClass& c : kPredefinedClasses) {
    if (upper == c.name) {
      v.isOrdinal = true;
      v.ordinal = c.ordinal;
      return v;
    }
  }
  v.text = std::move(text);
  return v;
}

void Parser::DialogResource(const ResId& name, bool extended, const Token& at) {
  DialogHeader h;
  uint16_t language = language_;
  SkipMemoryOptions();
  h.x = CoordinateExpression();
  ExpectComma();
  h.y = CoordinateExpression();
  ExpectComma();
  h.cx = CoordinateExpression();
  ExpectComma();
  h.cy = CoordinateExpression();
  if (extended && AcceptPunct(",")) h.helpId = Expression();
  for (;;) {
    if (AtEnd()) throw RcError(Here(), "missing BEGIN of dialog");
    if (IsBegin(Peek())) break;
    const Token& opt = Next();
    if (IsKeyword(opt, "STYLE")) {
      h.style = StyleExpression().value;
    } else if (IsKeyword(opt, "EXSTYLE")) {
      h.exStyle = StyleExpression().value;
    } else if (IsKeyword(opt, "CAPTION")) {
      h.hasCaption = true;
      h.caption = StringLiteral("a caption");
    } else if (IsKeyword(opt, "FONT")) {
      h.hasFont = true;
      uint32_t size = Expression();
      if (size > 0xFFFF) Fail(opt, "font size out of range");
      h.pointSize = static_cast<uint16_t>(size);
      ExpectComma();
      h.face = StringLiteral("a font name");
      if (extended && AcceptPunct(",")) {
        h.weight = static_cast<uint16_t>(Expression());
        if (AcceptPunct(",")) {
          h.italic = static_cast<uint8_t>(Expression() ? 1 : 0);
          if (AcceptPunct(",")) h.charset = static_cast<uint8_t>(Expression());
        }
      }
    } else if (IsKeyword(opt, "CLASS")) {
      h.hasClass = true;
      if (Peek().kind == TokenKind::String) {
        h.windowClass.text = StringLiteral("a class name");
      } else {
        h.windowClass = ClassName(Next());
      }
    } else if (IsKeyword(opt, "MENU")) {
      h.hasMenu = true;
      ResId menu = ResourceName();
      h.menu.isOrdinal = !menu.isName;
      h.menu.ordinal = menu.ordinal;
      h.menu.text = Utf16OfAscii(menu.name);
    } else if (IsKeyword(opt, "LANGUAGE")) {
      language = LanguageArgs();
    } else if (IsKeyword(opt, "CHARACTERISTICS") || IsKeyword(opt, "VERSION")) {
      Expression();
    } else {
      bool memoryOption = false;
      for (const char* o : {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE", "PURE", "IMPURE"})
        memoryOption = memoryOption || IsKeyword(opt, o);
      if (!memoryOption) Fail(opt, "unknown dialog option '" + opt.text + "'");
    }
  }
  ++pos_;  // BEGIN
  if (h.hasCaption) h.style |= WS_CAPTION;
  if (h.hasFont) h.style |= DS_SETFONT;

  std::vector<uint8_t> items;
  uint16_t count = 0;
  for (;;) {
    if (AtEnd()) throw RcError(Here(), "missing END of dialog");
    if (IsEnd(Peek())) break;
    DialogControl(Next(), extended, items, count);
  }
  ++pos_;  // END

  Resource r{ResId::Ordinal(kRtDialog), name, language, {}, at.where};
  ByteWriter w(r.data);
  WriteDialogHeader(w, h, extended, count);
  if (!items.empty()) {
    w.AlignTo(4);
    w.Bytes(items.data(), items.size());
  }
  Add(std::move(r));
}

void Parser::DialogControl(const Token& keyword, bool extended, std::vector<uint8_t>& items, uint16_t& count) {
  const ControlKind* kind = nullptr;
  for (const ControlKind& k : kControls)
    if (IsKeyword(keyword, k.keyword)) kind = &k;
  if (!kind) Fail(keyword, "unknown control statement '" + keyword.text + "'");
  if (count == 0xFFFF) Fail(keyword, "too many controls in one dialog");

  TextOrOrdinal text;
  bool hasText = kind->form != Form::NoText;
  if (hasText) {
    text = ControlText();
    ExpectComma();
  }
  const Token& idTok = Peek();
  uint32_t id = Expression();
  if (!extended && (static_cast<int32_t>(id) < -32768 || static_cast<int32_t>(id) > 65535))
    Fail(idTok, "control id " + std::to_string(static_cast<int32_t>(id)) + " does not fit in 16 bits");
  ExpectComma();

  TextOrOrdinal cls;
  cls.isOrdinal = true;
  cls.ordinal = kind->classOrdinal;
  const uint32_t base = WS_CHILD | WS_VISIBLE;
  uint32_t style = base | kind->defaultStyle;
  if (kind->form == Form::Control) {
    if (AtEnd()) throw RcError(Here(), "expected a class name before end of script");
    cls = ClassName(Next());
    ExpectComma();
    style = StyleExpression().Apply(base);
    ExpectComma();
  }
  int16_t x = CoordinateExpression();
  ExpectComma();
  int16_t y = CoordinateExpression();
  int16_t cx = 0, cy = 0;
  bool optional = kind->form == Form::Icon;
  if (!optional || AcceptPunct(",")) {
    if (!optional) ExpectComma();
    cx = CoordinateExpression();
    ExpectComma();
    cy = CoordinateExpression();
  }
  uint32_t exStyle = 0, helpId = 0;
  if (kind->form != Form::Control && AcceptPunct(",")) style = StyleExpression().Apply(style);
  if (AcceptPunct(",")) exStyle = StyleExpression().value;
  if (extended && AcceptPunct(",")) helpId = Expression();
  std::vector<uint8_t> data;
  if (extended && IsBegin(Peek())) data = InlineData();
  if (data.size() > 0xFFFF) Fail(keyword, "control data is too long");

  ByteWriter w(items);
  w.AlignTo(4);
  if (extended) {
    w.U32(helpId);
    w.U32(exStyle);
    w.U32(style);
  } else {
    w.U32(style);
    w.U32(exStyle);
  }
  w.U16(static_cast<uint16_t>(x));
  w.U16(static_cast<uint16_t>(y));
  w.U16(static_cast<uint16_t>(cx));
  w.U16(static_cast<uint16_t>(cy));
  if (extended) {
    w.U32(id);
  } else {
    w.U16(static_cast<uint16_t>(id));
  }
  WriteTextOrOrdinal(w, cls, true);
  WriteTextOrOrdinal(w, text, true);
  w.U16(static_cast<uint16_t>(data.size()));
  w.Bytes(data.data(), data.size());
  ++count;
}

}  // namespace lvrc
