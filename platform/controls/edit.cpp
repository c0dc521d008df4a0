// The "Edit" class: single-line and multi-line text entry with selection,
// limits, filters and the EN_* notifications.
#include <algorithm>
#include <cstring>

#include "ctlcommon.h"
#include "edit.h"

namespace lv::ctl::edit {
namespace {

StateTable<EditState> g_edits;

constexpr size_t kDefaultLimit = 0x7FFFFFFE;

bool IsMultiLine(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }
bool IsReadOnly(HWND hwnd) { return (StyleOf(hwnd) & ES_READONLY) != 0; }
bool KeyDown(int key) { return GetKeyState(key) < 0; }

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

// The text as it may be inserted: case conversion by style, and a single-line
// edit keeps only the first line.
std::string Filtered(HWND hwnd, std::string text) {
  const DWORD style = StyleOf(hwnd);
  if (!(style & ES_MULTILINE)) {
    const size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd != std::string::npos) text.resize(lineEnd);
  }
  if (style & ES_UPPERCASE) std::transform(text.begin(), text.end(), text.begin(), UpperAnsi);
  else if (style & ES_LOWERCASE) std::transform(text.begin(), text.end(), text.begin(), LowerAnsi);
  return text;
}

void RememberForUndo(EditState& s) {
  s.undoText = s.text;
  s.undoCaret = s.caret;
  s.canUndo = true;
}

// Tells the parent that the contents changed: EN_UPDATE before the new text
// is shown, EN_CHANGE after.
void NotifyChanged(HWND hwnd) {
  NotifyParent(hwnd, EN_UPDATE);
  Redraw(hwnd);
  NotifyParent(hwnd, EN_CHANGE);
}

// Replaces the selection with text, cut to the text limit (EN_MAXTEXT when
// something had to be left out). Returns whether the contents changed.
bool ReplaceSelection(HWND hwnd, EditState& s, std::string text) {
  const size_t start = SelStart(s), end = SelEnd(s);
  const size_t remaining = s.text.size() - (end - start);
  const size_t room = s.limit > remaining ? s.limit - remaining : 0;
  bool truncated = false;
  if (text.size() > room) {
    text.resize(room);
    truncated = true;
  }
  if (truncated) NotifyParent(hwnd, EN_MAXTEXT);
  if (text.empty() && start == end) return false;
  RememberForUndo(s);
  s.text.replace(start, end - start, text);
  s.caret = s.anchor = start + text.size();
  s.modified = true;
  ScrollCaretIntoView(hwnd, s);
  return true;
}

void InsertTyped(HWND hwnd, std::shared_ptr<EditState> s, std::string text) {
  if (IsReadOnly(hwnd)) return;
  if ((StyleOf(hwnd) & ES_NUMBER) && text.find_first_not_of("0123456789") != std::string::npos) {
    MessageBeep(0);
    return;
  }
  if (ReplaceSelection(hwnd, *s, Filtered(hwnd, std::move(text)))) NotifyChanged(hwnd);
}

// Deletes the selection, or the character before (backspace) or after the caret.
void DeleteText(HWND hwnd, std::shared_ptr<EditState> s, bool before) {
  if (IsReadOnly(hwnd)) return;
  if (SelStart(*s) == SelEnd(*s)) {
    if (before) s->anchor = PreviousPosition(s->text, s->caret);
    else s->anchor = NextPosition(s->text, s->caret);
  }
  if (ReplaceSelection(hwnd, *s, std::string())) NotifyChanged(hwnd);
}

// ---- Clipboard ---------------------------------------------------------------

#ifdef CF_TEXT
void CopySelection(HWND hwnd, const EditState& s) {
  if (s.passwordChar || SelStart(s) == SelEnd(s)) return;
  const std::string text = s.text.substr(SelStart(s), SelEnd(s) - SelStart(s));
  if (!OpenClipboard(hwnd)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (memory) {
    if (void* p = GlobalLock(memory)) {
      std::memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

std::string ClipboardText(HWND hwnd) {
  std::string text;
  if (!OpenClipboard(hwnd)) return text;
  HGLOBAL memory = GetClipboardData(CF_TEXT);
  if (memory) {
    if (const char* p = static_cast<const char*>(GlobalLock(memory))) {
      text.assign(p, strnlen(p, GlobalSize(memory)));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

void Paste(HWND hwnd, std::shared_ptr<EditState> s) {
  if (IsReadOnly(hwnd)) return;
  if (ReplaceSelection(hwnd, *s, Filtered(hwnd, ClipboardText(hwnd)))) NotifyChanged(hwnd);
}
#else
void CopySelection(HWND, const EditState&) {}
void Paste(HWND, std::shared_ptr<EditState>) {}
#endif

void Cut(HWND hwnd, std::shared_ptr<EditState> s) {
  if (IsReadOnly(hwnd) || s->passwordChar) return;
  CopySelection(hwnd, *s);
  if (ReplaceSelection(hwnd, *s, std::string())) NotifyChanged(hwnd);
}

// ---- Keyboard ----------------------------------------------------------------

void OnChar(HWND hwnd, std::shared_ptr<EditState> s, WPARAM code) {
  const char c = static_cast<char>(code & 0xFF);
  switch (c) {
    case '\b': DeleteText(hwnd, s, true); return;
    case 0x01: s->anchor = 0; s->caret = s->text.size(); Redraw(hwnd); return;  // Ctrl+A
    case 0x03: CopySelection(hwnd, *s); return;                                 // Ctrl+C
    case 0x16: Paste(hwnd, s); return;                                          // Ctrl+V
    case 0x18: Cut(hwnd, s); return;                                            // Ctrl+X
    case 0x1A: SendMessageA(hwnd, EM_UNDO, 0, 0); return;                       // Ctrl+Z
    case '\r':
      if (IsMultiLine(hwnd)) InsertTyped(hwnd, s, "\r\n");
      return;
    default:
      break;
  }
  if (static_cast<unsigned char>(c) < 0x20) return;
  InsertTyped(hwnd, s, std::string(1, c));
}

// Moves the caret to offset; with Shift the selection's anchor stays.
void MoveCaret(HWND hwnd, EditState& s, size_t offset, bool extend) {
  s.caret = std::min(offset, s.text.size());
  if (!extend) s.anchor = s.caret;
  ScrollCaretIntoView(hwnd, s);
  Redraw(hwnd);
}

size_t VerticalTarget(HWND hwnd, const EditState& s, int lines) {
  const std::vector<size_t> starts = LineStarts(s.text);
  const size_t line = LineOfOffset(starts, s.caret);
  const long target = static_cast<long>(line) + lines;
  if (target < 0 || target >= static_cast<long>(starts.size())) return lines < 0 ? 0 : s.text.size();
  POINT pt = PositionOfChar(hwnd, s, s.caret);
  const POINT top = PositionOfChar(hwnd, s, starts[static_cast<size_t>(target)]);
  pt.y = top.y;
  return CharFromPoint(hwnd, s, pt);
}

size_t LineHome(const EditState& s) {
  const std::vector<size_t> starts = LineStarts(s.text);
  return starts[LineOfOffset(starts, s.caret)];
}

size_t LineEnd(const EditState& s) {
  const size_t start = LineHome(s);
  return start + LineLength(s.text, start);
}

void OnKeyDown(HWND hwnd, std::shared_ptr<EditState> s, WPARAM key) {
  const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
  const bool hasSelection = SelStart(*s) != SelEnd(*s);
  switch (key) {
    case VK_LEFT:
      if (hasSelection && !shift) MoveCaret(hwnd, *s, SelStart(*s), false);
      else MoveCaret(hwnd, *s, ctrl ? PreviousWord(s->text, s->caret) : PreviousPosition(s->text, s->caret), shift);
      break;
    case VK_RIGHT:
      if (hasSelection && !shift) MoveCaret(hwnd, *s, SelEnd(*s), false);
      else MoveCaret(hwnd, *s, ctrl ? NextWord(s->text, s->caret) : NextPosition(s->text, s->caret), shift);
      break;
    case VK_HOME: MoveCaret(hwnd, *s, ctrl ? 0 : LineHome(*s), shift); break;
    case VK_END: MoveCaret(hwnd, *s, ctrl ? s->text.size() : LineEnd(*s), shift); break;
    case VK_UP:
      if (IsMultiLine(hwnd)) MoveCaret(hwnd, *s, VerticalTarget(hwnd, *s, -1), shift);
      break;
    case VK_DOWN:
      if (IsMultiLine(hwnd)) MoveCaret(hwnd, *s, VerticalTarget(hwnd, *s, 1), shift);
      break;
    case VK_DELETE:
      if (shift) Cut(hwnd, s);
      else DeleteText(hwnd, s, false);
      break;
    case VK_INSERT:
      if (ctrl) CopySelection(hwnd, *s);
      else if (shift) Paste(hwnd, s);
      break;
    default:
      break;
  }
}

// ---- Mouse -------------------------------------------------------------------

POINT PointOf(LPARAM lParam) { return POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))}; }

void OnButtonDown(HWND hwnd, EditState& s, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  const size_t offset = CharFromPoint(hwnd, s, PointOf(lParam));
  MoveCaret(hwnd, s, offset, KeyDown(VK_SHIFT));
  s.tracking = true;
  SetCapture(hwnd);
}

void OnDoubleClick(HWND hwnd, EditState& s, LPARAM lParam) {
  const size_t offset = CharFromPoint(hwnd, s, PointOf(lParam));
  s.anchor = PreviousWord(s.text, std::min(offset + 1, s.text.size()));
  s.caret = NextWord(s.text, offset);
  Redraw(hwnd);
}

void OnMouseMove(HWND hwnd, EditState& s, LPARAM lParam) {
  if (!s.tracking) return;
  s.caret = CharFromPoint(hwnd, s, PointOf(lParam));
  ScrollCaretIntoView(hwnd, s);
  Redraw(hwnd);
}

void OnButtonUp(HWND hwnd, EditState& s) {
  if (!s.tracking) return;
  s.tracking = false;
  if (GetCapture() == hwnd) ReleaseCapture();
}

// ---- Messages ----------------------------------------------------------------

LRESULT OnSetText(HWND hwnd, std::shared_ptr<EditState> s, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  s->text = text ? text : "";
  s->anchor = s->caret = 0;
  s->scrollX = 0;
  s->firstLine = 0;
  s->modified = false;
  s->canUndo = false;
  DefWindowProcA(hwnd, WM_SETTEXT, 0, lParam);
  NotifyChanged(hwnd);
  return TRUE;
}

LRESULT OnGetText(const EditState& s, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  const size_t count = std::min(s.text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(out, s.text.data(), count);
  out[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT OnGetSel(const EditState& s, WPARAM startOut, LPARAM endOut) {
  const size_t start = SelStart(s), end = SelEnd(s);
  if (startOut) *reinterpret_cast<DWORD*>(startOut) = static_cast<DWORD>(start);
  if (endOut) *reinterpret_cast<DWORD*>(endOut) = static_cast<DWORD>(end);
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return MAKELRESULT(start, end);
}

// EM_SETSEL: start -1 removes the selection (the caret stays); an end below
// zero means the end of the text; the caret goes to the end given.
LRESULT OnSetSel(HWND hwnd, EditState& s, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<int32_t>(wParam);
  const auto end = static_cast<int32_t>(lParam);
  const size_t length = s.text.size();
  if (start == -1) {
    s.anchor = s.caret;
  } else {
    s.anchor = start < 0 ? length : std::min(static_cast<size_t>(start), length);
    s.caret = end < 0 ? length : std::min(static_cast<size_t>(end), length);
  }
  ScrollCaretIntoView(hwnd, s);
  Redraw(hwnd);
  return 0;
}

LRESULT OnReplaceSel(HWND hwnd, std::shared_ptr<EditState> s, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  if (ReplaceSelection(hwnd, *s, Filtered(hwnd, text ? text : ""))) NotifyChanged(hwnd);
  return 0;
}

LRESULT OnUndo(HWND hwnd, std::shared_ptr<EditState> s) {
  if (!s->canUndo) return FALSE;
  std::swap(s->text, s->undoText);
  std::swap(s->caret, s->undoCaret);
  s->caret = s->anchor = std::min(s->caret, s->text.size());
  s->undoCaret = std::min(s->undoCaret, s->undoText.size());
  s->modified = true;
  ScrollCaretIntoView(hwnd, *s);
  NotifyChanged(hwnd);
  return TRUE;
}

LRESULT OnSetReadOnly(HWND hwnd, WPARAM readOnly) {
  DWORD style = StyleOf(hwnd);
  style = readOnly ? (style | ES_READONLY) : (style & ~static_cast<DWORD>(ES_READONLY));
  SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
  Redraw(hwnd);
  return TRUE;
}

LRESULT OnLimitText(EditState& s, WPARAM limit) {
  s.limit = limit ? static_cast<size_t>(limit) : kDefaultLimit;
  return 0;
}

LRESULT LineIndex(const EditState& s, WPARAM line) {
  const std::vector<size_t> starts = LineStarts(s.text);
  size_t index = static_cast<int32_t>(line) == -1 ? LineOfOffset(starts, s.caret) : static_cast<size_t>(line);
  if (index >= starts.size()) return -1;
  return static_cast<LRESULT>(starts[index]);
}

LRESULT LineFromChar(const EditState& s, WPARAM offset) {
  const size_t at = static_cast<int32_t>(offset) == -1 ? s.caret : std::min(static_cast<size_t>(offset), s.text.size());
  return static_cast<LRESULT>(LineOfOffset(LineStarts(s.text), at));
}

LRESULT LineLengthAt(const EditState& s, WPARAM offset) {
  const size_t at = static_cast<int32_t>(offset) == -1 ? s.caret : std::min(static_cast<size_t>(offset), s.text.size());
  const std::vector<size_t> starts = LineStarts(s.text);
  return static_cast<LRESULT>(LineLength(s.text, starts[LineOfOffset(starts, at)]));
}

// EM_GETLINE: the buffer's first WORD gives its size; no terminating zero.
LRESULT GetLine(const EditState& s, WPARAM line, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  const std::vector<size_t> starts = LineStarts(s.text);
  if (!out || line >= starts.size()) return 0;
  WORD size = 0;
  std::memcpy(&size, out, sizeof size);
  const size_t count = std::min<size_t>(size, LineLength(s.text, starts[line]));
  std::memcpy(out, s.text.data() + starts[line], count);
  return static_cast<LRESULT>(count);
}

LRESULT OnSetMargins(HWND hwnd, EditState& s, WPARAM which, LPARAM lParam) {
  if (which & EC_LEFTMARGIN) s.leftMargin = LOWORD(lParam) == EC_USEFONTINFO ? 1 : LOWORD(lParam);
  if (which & EC_RIGHTMARGIN) s.rightMargin = HIWORD(lParam) == EC_USEFONTINFO ? 1 : HIWORD(lParam);
  Redraw(hwnd);
  return 0;
}

LRESULT OnCharFromPos(HWND hwnd, const EditState& s, LPARAM lParam) {
  const size_t offset = CharFromPoint(hwnd, s, PointOf(lParam));
  const size_t line = LineOfOffset(LineStarts(s.text), offset);
  return MAKELRESULT(offset, line);
}

LRESULT OnPosFromChar(HWND hwnd, const EditState& s, WPARAM offset) {
  if (offset > s.text.size()) return -1;
  const POINT pt = PositionOfChar(hwnd, s, offset);
  return MAKELRESULT(pt.x, pt.y);
}

void OnCreate(HWND hwnd, EditState& s, const CREATESTRUCTA* cs) {
  if (cs->style & ES_PASSWORD) s.passwordChar = '*';
  if (cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) s.text = cs->lpszName;
  if (!(cs->style & ES_MULTILINE)) s.limit = kDefaultLimit;
  (void)hwnd;
}

void OnFocus(HWND hwnd, EditState& s, bool gained) {
  s.focused = gained;
  Redraw(hwnd);
  NotifyParent(hwnd, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

// A multi-line edit with ES_WANTRETURN keeps the Enter key from the dialog
// manager; every other key the dialog handles as usual.
LRESULT DialogCode(HWND hwnd, LPARAM lParam) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  const DWORD style = StyleOf(hwnd);
  if (msg && (style & ES_MULTILINE) && (style & ES_WANTRETURN) &&
      (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN)
    code |= DLGC_WANTALLKEYS;
  return code;
}

LRESULT HandleEditMessage(HWND hwnd, std::shared_ptr<EditState> s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case EM_GETSEL: return OnGetSel(*s, wParam, lParam);
    case EM_SETSEL: return OnSetSel(hwnd, *s, wParam, lParam);
    case EM_REPLACESEL: return OnReplaceSel(hwnd, s, lParam);
    case EM_GETMODIFY: return s->modified ? TRUE : FALSE;
    case EM_SETMODIFY: s->modified = wParam != 0; return 0;
    case EM_SETREADONLY: return OnSetReadOnly(hwnd, wParam);
    case EM_LIMITTEXT: return OnLimitText(*s, wParam);
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(s->limit);
    case EM_GETLINECOUNT: return static_cast<LRESULT>(LineStarts(s->text).size());
    case EM_LINEINDEX: return LineIndex(*s, wParam);
    case EM_LINEFROMCHAR: return LineFromChar(*s, wParam);
    case EM_LINELENGTH: return LineLengthAt(*s, wParam);
    case EM_GETLINE: return GetLine(*s, wParam, lParam);
    case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(s->firstLine);
    case EM_SCROLLCARET: ScrollCaretIntoView(hwnd, *s); Redraw(hwnd); return TRUE;
    case EM_CANUNDO: return s->canUndo ? TRUE : FALSE;
    case EM_UNDO: return OnUndo(hwnd, s);
    case EM_EMPTYUNDOBUFFER: s->canUndo = false; return 0;
    case EM_SETPASSWORDCHAR: s->passwordChar = static_cast<char>(wParam); Redraw(hwnd); return 0;
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(s->passwordChar);
    case EM_SETMARGINS: return OnSetMargins(hwnd, *s, wParam, lParam);
    case EM_GETMARGINS: return MAKELRESULT(s->leftMargin, s->rightMargin);
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = FormattingRect(hwnd, *s);
      return 0;
    case EM_CHARFROMPOS: return OnCharFromPos(hwnd, *s, lParam);
    case EM_POSFROMCHAR: return OnPosFromChar(hwnd, *s, wParam);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_edits.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<EditState> s = g_edits.Get(hwnd);
  switch (msg) {
    case WM_CREATE: OnCreate(hwnd, *s, reinterpret_cast<const CREATESTRUCTA*>(lParam)); return 0;
    case WM_GETDLGCODE: return DialogCode(hwnd, lParam);
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
      s->font = static_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Redraw(hwnd);
      return 0;
    case WM_GETFONT: return static_cast<LRESULT>(s->font);
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_SIZE: ScrollCaretIntoView(hwnd, *s); return 0;
    case WM_SETTEXT: return OnSetText(hwnd, s, lParam);
    case WM_GETTEXT: return OnGetText(*s, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s->text.size());
    case WM_CHAR: OnChar(hwnd, s, wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(hwnd, *s, lParam); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(hwnd, *s, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, *s, lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(hwnd, *s); return 0;
    case WM_CAPTURECHANGED: s->tracking = false; return 0;
    case WM_SETFOCUS: OnFocus(hwnd, *s, true); return 0;
    case WM_KILLFOCUS: OnFocus(hwnd, *s, false); return 0;
    case WM_CUT: Cut(hwnd, s); return 0;
    case WM_COPY: CopySelection(hwnd, *s); return 0;
    case WM_PASTE: Paste(hwnd, s); return 0;
    case WM_CLEAR:
      if (!IsReadOnly(hwnd) && ReplaceSelection(hwnd, *s, std::string())) NotifyChanged(hwnd);
      return 0;
    case WM_UNDO: return OnUndo(hwnd, s);
    default: return HandleEditMessage(hwnd, s, msg, wParam, lParam);
  }
}

}  // namespace
}  // namespace lv::ctl::edit

namespace lv::ctl {

void RegisterEditClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = edit::EditProc;
  wc.hCursor = LoadCursorA(0, IDC_IBEAM);
  wc.lpszClassName = "Edit";
  RegisterClassA(&wc);
}

}  // namespace lv::ctl
