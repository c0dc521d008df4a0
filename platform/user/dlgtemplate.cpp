// Reading dialog templates in their stored binary form: a header, then
// WORD-aligned variable fields (menu, class, title as UTF-16 strings or
// 0xFFFF + ordinal, optional font), then DWORD-aligned item records.
#include "dlgtemplate.h"

#include <cstring>

namespace lvuser {

namespace {
// Windows-1252 characters 0x80..0x9F as UTF-16 (0 = unassigned).
const WORD kHigh1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char AnsiOf(WORD c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHigh1252[i] == c && c != 0) return static_cast<char>(0x80 + i);
  return '?';
}

class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }

  WORD Word() {
    if (!Need(2)) return 0;
    WORD v = static_cast<WORD>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  DWORD Dword() {
    DWORD lo = Word();
    DWORD hi = Word();
    return lo | (hi << 16);
  }
  short Short() { return static_cast<short>(Word()); }
  BYTE Byte() {
    if (!Need(1)) return 0;
    return data_[pos_++];
  }
  // A zero-terminated UTF-16 string.
  std::string String() {
    std::vector<WORD> chars;
    for (;;) {
      WORD c = Word();
      if (!ok_ || c == 0) break;
      chars.push_back(c);
    }
    return Utf16ToAnsi(chars.data(), chars.size());
  }
  // A string, or 0xFFFF and an ordinal ("#n"), or nothing (0).
  std::string StringOrOrdinal(WORD* ordinal) {
    *ordinal = 0;
    if (!Need(2)) return {};
    WORD first = static_cast<WORD>(data_[pos_] | (data_[pos_ + 1] << 8));
    if (first == 0) {
      pos_ += 2;
      return {};
    }
    if (first == 0xFFFF) {
      pos_ += 2;
      *ordinal = Word();
      return "#" + std::to_string(*ordinal);
    }
    return String();
  }
  void Align(size_t n) {
    size_t rem = pos_ % n;
    if (rem) pos_ += n - rem;
    if (pos_ > size_) pos_ = size_;
  }
  std::vector<BYTE> Bytes(size_t n) {
    if (!Need(n)) return {};
    std::vector<BYTE> v(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return v;
  }

 private:
  bool Need(size_t n) {
    if (!ok_ || n > size_ - pos_) {
      ok_ = false;
      return false;
    }
    return true;
  }
  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

std::string ClassForOrdinal(WORD ordinal) {
  switch (ordinal) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return "#" + std::to_string(ordinal);
  }
}

void ReadItem(Reader& r, bool extended, DialogItem* item) {
  r.Align(4);
  if (extended) {
    item->helpId = r.Dword();
    item->exStyle = r.Dword();
    item->style = r.Dword();
  } else {
    item->style = r.Dword();
    item->exStyle = r.Dword();
  }
  item->x = r.Short();
  item->y = r.Short();
  item->cx = r.Short();
  item->cy = r.Short();
  item->id = extended ? r.Dword() : r.Word();
  WORD ordinal = 0;
  std::string cls = r.StringOrOrdinal(&ordinal);
  item->className = ordinal ? ClassForOrdinal(ordinal) : cls;
  item->title = r.StringOrOrdinal(&ordinal);
  WORD extra = r.Word();
  if (extra) {
    // Creation data: kept with its size word in front, as a control's
    // WM_CREATE sees it.
    std::vector<BYTE> bytes = r.Bytes(extra);
    item->data.push_back(static_cast<BYTE>(extra & 0xFF));
    item->data.push_back(static_cast<BYTE>(extra >> 8));
    item->data.insert(item->data.end(), bytes.begin(), bytes.end());
  }
}
}  // namespace

std::string Utf16ToAnsi(const WORD* text, size_t count) {
  std::string out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) out.push_back(AnsiOf(text[i]));
  return out;
}

bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out, std::string* error) {
  *out = DialogTemplate{};
  if (!data || size < 18) {
    if (error) *error = "dialog template too short";
    return false;
  }
  Reader r(data, size);
  WORD version = static_cast<WORD>(data[0] | (data[1] << 8));
  WORD signature = static_cast<WORD>(data[2] | (data[3] << 8));
  out->extended = version == 1 && signature == 0xFFFF;
  if (out->extended) {
    r.Word();
    r.Word();
    out->helpId = r.Dword();
    out->exStyle = r.Dword();
    out->style = r.Dword();
  } else {
    out->style = r.Dword();
    out->exStyle = r.Dword();
  }
  WORD count = r.Word();
  out->x = r.Short();
  out->y = r.Short();
  out->cx = r.Short();
  out->cy = r.Short();
  WORD ordinal = 0;
  out->menu = r.StringOrOrdinal(&ordinal);
  out->className = r.StringOrOrdinal(&ordinal);
  if (ordinal) out->className = ClassForOrdinal(ordinal);
  out->title = r.StringOrOrdinal(&ordinal);
  if (out->style & DS_SETFONT) {
    out->hasFont = true;
    out->pointSize = r.Word();
    if (out->extended) {
      out->weight = r.Word();
      out->italic = r.Byte() != 0;
      out->charset = r.Byte();
    }
    out->face = r.String();
  }
  if (!r.ok()) {
    if (error) *error = "dialog template header truncated";
    return false;
  }
  for (WORD i = 0; i < count; ++i) {
    DialogItem item;
    ReadItem(r, out->extended, &item);
    if (!r.ok()) {
      if (error) *error = "dialog item " + std::to_string(i) + " truncated";
      return false;
    }
    out->items.push_back(std::move(item));
  }
  return true;
}

}  // namespace lvuser
