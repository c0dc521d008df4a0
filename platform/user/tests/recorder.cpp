#include "recorder.h"

namespace usertest {

std::vector<Seen>& Log() {
  static std::vector<Seen> log;
  return log;
}

std::vector<UINT> Messages(HWND hwnd, const std::vector<UINT>& only) {
  std::vector<UINT> out;
  for (const Seen& s : Log()) {
    if (hwnd && s.hwnd != hwnd) continue;
    bool wanted = only.empty();
    for (UINT m : only) wanted = wanted || m == s.message;
    if (wanted) out.push_back(s.message);
  }
  return out;
}

namespace {
LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Log().push_back(Seen{hwnd, message, wParam, lParam});
  if (message == WM_GETDLGCODE) return DLGC_WANTCHARS;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

const char* RecorderClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecorderProc;
    wc.cbWndExtra = 8;
    wc.hbrBackground = static_cast<HBRUSH>(5 + 1);
    wc.lpszClassName = "Recorder";
    registered = RegisterClassA(&wc) != 0;
  }
  return "Recorder";
}

HWND MakeRecorder(DWORD style, HWND parent, int id, const char* text, int x, int y, int cx, int cy) {
  return CreateWindowExA(0, RecorderClass(), text, style, x, y, cx, cy, parent, static_cast<HMENU>(id), 0,
                         nullptr);
}

TemplateBuilder::TemplateBuilder(DWORD style, short x, short y, short cx, short cy, const std::string& title,
                                 const std::string& face, WORD pointSize) {
  if (!face.empty()) style |= DS_SETFONT;
  Dword(style);
  Dword(0);
  countIndex_ = words_.size();
  Word(0);
  Word(static_cast<WORD>(x));
  Word(static_cast<WORD>(y));
  Word(static_cast<WORD>(cx));
  Word(static_cast<WORD>(cy));
  Word(0);  // no menu
  Word(0);  // dialog class
  String(title);
  if (!face.empty()) {
    Word(pointSize);
    String(face);
  }
}

TemplateBuilder& TemplateBuilder::Item(DWORD style, short x, short y, short cx, short cy, WORD id,
                                       const std::string& className, const std::string& text) {
  Align4();
  Dword(style);
  Dword(0);
  Word(static_cast<WORD>(x));
  Word(static_cast<WORD>(y));
  Word(static_cast<WORD>(cx));
  Word(static_cast<WORD>(cy));
  Word(id);
  String(className);
  String(text);
  Word(0);
  words_[countIndex_] = ++items_;
  return *this;
}

TemplateBuilder& TemplateBuilder::ItemWithClassOrdinal(DWORD style, short x, short y, short cx, short cy,
                                                       WORD id, WORD classOrdinal, const std::string& text) {
  Align4();
  Dword(style);
  Dword(0);
  Word(static_cast<WORD>(x));
  Word(static_cast<WORD>(y));
  Word(static_cast<WORD>(cx));
  Word(static_cast<WORD>(cy));
  Word(id);
  Word(0xFFFF);
  Word(classOrdinal);
  String(text);
  Word(0);
  words_[countIndex_] = ++items_;
  return *this;
}

const DLGTEMPLATE* TemplateBuilder::Get() {
  // Copy into DWORD-aligned storage.
  aligned_ = words_;
  aligned_.push_back(0);
  aligned_.push_back(0);
  return reinterpret_cast<const DLGTEMPLATE*>(aligned_.data());
}

void TemplateBuilder::Word(WORD w) {
  words_.push_back(w);
}

void TemplateBuilder::Dword(DWORD d) {
  Word(static_cast<WORD>(d & 0xFFFF));
  Word(static_cast<WORD>(d >> 16));
}

void TemplateBuilder::String(const std::string& s) {
  for (unsigned char c : s) Word(c);
  Word(0);
}

void TemplateBuilder::Align4() {
  if (words_.size() % 2) Word(0);
}

}  // namespace usertest
