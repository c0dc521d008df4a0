// Helpers shared by the standard and common controls: per-window state,
// notifications to the parent, text and colours for painting.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace lv::ctl {

// Keeps one state object per control window. Handlers take a shared
// reference, so a control destroyed while it handles a message (a parent
// that closes the dialog on BN_CLICKED) keeps its state alive until the
// handler returns.
template <class State>
class StateTable {
 public:
  // The state of hwnd, created on first use.
  std::shared_ptr<State> Get(HWND hwnd) {
    auto& slot = states_[hwnd];
    if (!slot) slot = std::make_shared<State>();
    return slot;
  }
  // Forgets the state of a destroyed window.
  void Remove(HWND hwnd) { states_.erase(hwnd); }

 private:
  std::unordered_map<HWND, std::shared_ptr<State>> states_;
};

// The control's style bits.
DWORD StyleOf(HWND hwnd);
// Sends WM_COMMAND(MAKEWPARAM(id, code), hwnd) to the control's parent.
void NotifyParent(HWND hwnd, UINT code);
// The window's text (through WM_GETTEXT).
std::string WindowText(HWND hwnd);
// Asks the parent for the background brush with a WM_CTLCOLOR* message after
// setting the classic default colours on hdc; falls back to the system
// colour brush when the parent gives none.
HBRUSH ParentBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage, int defaultBackground);
// Draws text the way disabled controls show it (embossed grey) or in the
// colour already set on hdc.
void DrawControlText(HDC hdc, const std::string& text, RECT rect, UINT format, bool enabled);
// Height of a line in the font currently selected into hdc.
int LineHeight(HDC hdc);
// Width of the first count characters of text in the font selected into hdc.
int TextWidth(HDC hdc, const char* text, size_t count);
// Selects the control's font (0 = the system font) and returns the old one.
HFONT SelectControlFont(HDC hdc, HFONT font);

// Class registration of the controls of this library (called by
// lvRegisterStandardControls).
void RegisterButtonClass();
void RegisterStaticClass();
void RegisterEditClass();
void RegisterListBoxClasses();
void RegisterComboBoxClass();
void RegisterUpDownClass();
void RegisterTrackBarClass();
void RegisterTabControlClass();
void RegisterColorDialogClasses();

}  // namespace lv::ctl
