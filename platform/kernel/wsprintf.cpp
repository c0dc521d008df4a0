// wsprintfA: the platform's own small formatter (integers, strings and
// characters; no floating point), limited to 1024 bytes of output.
#include <win/kernel.h>

#include <string>

namespace {

constexpr size_t kMaxOutput = 1023;  // characters, plus the terminator

struct FieldFormat {
  bool left = false;     // '-'
  bool zero = false;     // '0'
  bool alternate = false;  // '#'
  int width = 0;
  int precision = -1;    // -1: none
  char size = 0;         // 'l', 'h' or 0
};

class Output {
 public:
  void Put(char c) {
    if (text_.size() < kMaxOutput) text_ += c;
  }
  void Put(const char* s, size_t n) {
    for (size_t i = 0; i < n; ++i) Put(s[i]);
  }
  void Pad(char c, int count) {
    for (int i = 0; i < count; ++i) Put(c);
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Reads a decimal number, capped so a huge width cannot overflow.
int ReadNumber(const char*& f) {
  int n = 0;
  while (*f >= '0' && *f <= '9') {
    if (n < 100000) n = n * 10 + (*f - '0');
    ++f;
  }
  return n;
}

FieldFormat ReadFieldFormat(const char*& f) {
  FieldFormat field;
  for (;; ++f) {
    if (*f == '-') field.left = true;
    else if (*f == '0') field.zero = true;
    else if (*f == '#') field.alternate = true;
    else break;
  }
  field.width = ReadNumber(f);
  if (*f == '.') {
    ++f;
    field.precision = ReadNumber(f);
  }
  if (*f == 'l' || *f == 'h') field.size = *f++;
  return field;
}

// Writes `body` (with an optional prefix such as "-" or "0x") into its field.
void PutField(Output& out, const FieldFormat& field, const char* prefix, const std::string& body,
              bool numeric) {
  size_t prefixLength = strlen(prefix);
  int length = static_cast<int>(prefixLength + body.size());
  int pad = field.width > length ? field.width - length : 0;
  if (field.left) {
    out.Put(prefix, prefixLength);
    out.Put(body.data(), body.size());
    out.Pad(' ', pad);
  } else if (field.zero && numeric) {
    out.Put(prefix, prefixLength);
    out.Pad('0', pad);
    out.Put(body.data(), body.size());
  } else {
    out.Pad(' ', pad);
    out.Put(prefix, prefixLength);
    out.Put(body.data(), body.size());
  }
}

std::string Digits(unsigned long value, unsigned base, bool upper, int precision) {
  const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string digits;
  while (value) {
    digits.insert(digits.begin(), set[value % base]);
    value /= base;
  }
  int minimum = precision < 0 ? 1 : precision;
  if (static_cast<int>(digits.size()) < minimum)
    digits.insert(0, static_cast<size_t>(minimum) - digits.size(), '0');
  return digits;
}

void PutSigned(Output& out, const FieldFormat& field, va_list& args) {
  long value = va_arg(args, int);
  if (field.size == 'h') value = static_cast<short>(value);
  unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  PutField(out, field, value < 0 ? "-" : "", Digits(magnitude, 10, false, field.precision), true);
}

void PutUnsigned(Output& out, const FieldFormat& field, char type, va_list& args) {
  unsigned long value = va_arg(args, unsigned);
  if (field.size == 'h') value = static_cast<unsigned short>(value);
  unsigned base = type == 'u' ? 10 : 16;
  const char* prefix = "";
  if (field.alternate && base == 16 && value != 0) prefix = type == 'X' ? "0X" : "0x";
  PutField(out, field, prefix, Digits(value, base, type == 'X', field.precision), true);
}

void PutString(Output& out, const FieldFormat& field, va_list& args) {
  const char* s = va_arg(args, const char*);
  if (!s) s = "(null)";
  size_t length = field.precision < 0 ? strlen(s) : strnlen(s, static_cast<size_t>(field.precision));
  PutField(out, field, "", std::string(s, length), false);
}

void PutChar(Output& out, const FieldFormat& field, va_list& args) {
  char c = static_cast<char>(va_arg(args, int));
  PutField(out, field, "", std::string(1, c), false);
}

}  // namespace

int WINAPI wvsprintfA(LPSTR buffer, LPCSTR format, va_list args) {
  if (!buffer) return 0;
  Output out;
  va_list ap;
  va_copy(ap, args);
  for (const char* f = format ? format : ""; *f;) {
    if (*f != '%') {
      out.Put(*f++);
      continue;
    }
    ++f;
    if (*f == '%') {
      out.Put(*f++);
      continue;
    }
    FieldFormat field = ReadFieldFormat(f);
    char type = *f;
    if (!type) break;
    ++f;
    switch (type) {
      case 'd':
      case 'i': PutSigned(out, field, ap); break;
      case 'u':
      case 'x':
      case 'X': PutUnsigned(out, field, type, ap); break;
      case 's': PutString(out, field, ap); break;
      case 'c': PutChar(out, field, ap); break;
      default: out.Put(type); break;  // unknown conversion: the letter itself
    }
  }
  va_end(ap);
  const std::string& text = out.Text();
  memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<int>(text.size());
}

int CDECL wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  int n = wvsprintfA(buffer, format, args);
  va_end(args);
  return n;
}
