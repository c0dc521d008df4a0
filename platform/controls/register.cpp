// Registration of the standard and common control classes.
#include "ctlcommon.h"

extern "C" LVEXPORT void lvRegisterStandardControls(void) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  lv::ctl::RegisterButtonClass();
  lv::ctl::RegisterStaticClass();
  lv::ctl::RegisterEditClass();
  lv::ctl::RegisterListBoxClasses();
  lv::ctl::RegisterComboBoxClass();
  lv::ctl::RegisterUpDownClass();
  lv::ctl::RegisterTrackBarClass();
  lv::ctl::RegisterTabControlClass();
  lv::ctl::RegisterColorDialogClasses();
}
