// The buttons a message box of a given type offers, and its default one.
#pragma once

#include <windows.h>

#include <string>

namespace lv::msgbox {

// True when a box of this type (MB_OK, MB_YESNO, ...) has the button `answer`.
LVEXPORT bool Offers(UINT type, int answer);
// The button chosen by Enter: the MB_DEFBUTTONn one among those offered.
LVEXPORT int DefaultAnswer(UINT type);
// The button chosen by Escape (Cancel, else No, else the only OK).
LVEXPORT int CancelAnswer(UINT type);
// "ok", "cancel", "yes", ... for messages.
LVEXPORT std::string AnswerName(int answer);
// "OK, Cancel" for a box type.
LVEXPORT std::string ButtonNames(UINT type);

}  // namespace lv::msgbox
