// Internal: how the combo box talks to its drop-down list.
#pragma once

#include <windows.h>

namespace lv::ctl {

// Class of the drop-down list of a combo box: a list box whose
// lpCreateParams is the combo box. A click on an item (or Enter) sends the
// combo box kComboListChosen(index); Escape sends it kComboListChosen(-1).
#define LV_COMBOLBOX_CLASS "ComboLBox"
constexpr UINT kComboListChosen = WM_USER + 0x3F0;

}  // namespace lv::ctl
