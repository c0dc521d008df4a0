// A test window class that records the messages it receives, and a small
// builder for in-memory dialog templates.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace usertest {

struct Seen {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Everything the recording windows received, in order.
std::vector<Seen>& Log();
// The messages received by one window, or by all when hwnd is 0,
// restricted to the given message numbers (all when empty).
std::vector<UINT> Messages(HWND hwnd, const std::vector<UINT>& only = {});
// Registers the class "Recorder" (once) and returns its name.
const char* RecorderClass();
// A recording window; a WS_CHILD one needs a parent.
HWND MakeRecorder(DWORD style, HWND parent, int id, const char* text = "", int x = 0, int y = 0,
                  int cx = 100, int cy = 50);

// Builds a DLGTEMPLATE in memory: header, then items.
class TemplateBuilder {
 public:
  TemplateBuilder(DWORD style, short x, short y, short cx, short cy, const std::string& title,
                  const std::string& face = "", WORD pointSize = 0);
  TemplateBuilder& Item(DWORD style, short x, short y, short cx, short cy, WORD id,
                        const std::string& className, const std::string& text);
  TemplateBuilder& ItemWithClassOrdinal(DWORD style, short x, short y, short cx, short cy, WORD id,
                                        WORD classOrdinal, const std::string& text);
  const DLGTEMPLATE* Get();

 private:
  void Word(WORD w);
  void Dword(DWORD d);
  void String(const std::string& s);
  void Align4();
  std::vector<WORD> words_;  // WORD storage keeps the template 2-byte aligned
  std::vector<WORD> aligned_;
  WORD* count_ = nullptr;
  size_t countIndex_ = 0;
  WORD items_ = 0;
};

}  // namespace usertest
