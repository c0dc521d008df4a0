// Internal to the "Edit" class: its state and the functions its files share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace lv::ctl::edit {

struct EditState {
  std::string text;            // the contents (ANSI; lines end with "\r\n" in multi-line edits)
  size_t anchor = 0;           // fixed end of the selection
  size_t caret = 0;            // moving end of the selection, where the caret is drawn
  size_t limit = 0x7FFFFFFE;   // most characters the user may enter (EM_LIMITTEXT)
  bool modified = false;       // changed by the user since WM_SETTEXT / EM_SETMODIFY
  bool focused = false;        // has the keyboard focus
  bool tracking = false;       // selecting with the mouse (captured)
  int scrollX = 0;             // pixels scrolled to the left
  size_t firstLine = 0;        // first visible line (multi-line)
  HFONT font = 0;              // WM_SETFONT; 0 = the system font
  char passwordChar = 0;       // shown instead of each character when non-zero
  int leftMargin = 1;          // pixels between the border and the text
  int rightMargin = 1;
  std::string undoText;        // contents before the last change (EM_UNDO)
  size_t undoCaret = 0;
  bool canUndo = false;
};

inline size_t SelStart(const EditState& s) { return s.anchor < s.caret ? s.anchor : s.caret; }
inline size_t SelEnd(const EditState& s) { return s.anchor < s.caret ? s.caret : s.anchor; }

// ---- Text model (edittext.cpp) ----
// Start offsets of the lines of text (at least one line).
std::vector<size_t> LineStarts(const std::string& text);
// Number of characters of the line starting at start (without its line break).
size_t LineLength(const std::string& text, size_t start);
// Index of the line holding offset.
size_t LineOfOffset(const std::vector<size_t>& starts, size_t offset);
// The position one character before/after offset; a "\r\n" pair counts as one.
size_t PreviousPosition(const std::string& text, size_t offset);
size_t NextPosition(const std::string& text, size_t offset);
// Start of the word before / after offset (Ctrl+arrows).
size_t PreviousWord(const std::string& text, size_t offset);
size_t NextWord(const std::string& text, size_t offset);
// Converts to upper or lower case in the Windows-1252 code page.
char UpperAnsi(char c);
char LowerAnsi(char c);

// ---- Painting and geometry (editpaint.cpp) ----
// The rectangle the text is drawn in, inside border and margins.
RECT FormattingRect(HWND hwnd, const EditState& s);
// The text as shown (password characters replace the contents).
std::string DisplayText(const EditState& s);
// Client position of the top-left corner of the character at offset.
POINT PositionOfChar(HWND hwnd, const EditState& s, size_t offset);
// Offset of the character nearest to a client point.
size_t CharFromPoint(HWND hwnd, const EditState& s, POINT pt);
// Scrolls so the caret is visible.
void ScrollCaretIntoView(HWND hwnd, EditState& s);
// WM_PAINT.
void Paint(HWND hwnd, const EditState& s);

}  // namespace lv::ctl::edit
