// The host's message box: a modal MessageBoxA over the record's owner.
#include <hostcommon.h>

#include "strings_internal.h"

namespace {

// Message box style for the record's kind: 0 information, 1 warning,
// 2 error, 4 yes/no question; anything else is treated as 0.
UINT StyleForKind(LONG kind) {
  switch (kind) {
    case 1: return MB_OK | MB_ICONEXCLAMATION;
    case 2: return MB_OK | MB_ICONHAND;
    case 4: return MB_YESNO | MB_ICONQUESTION;
    default: return MB_OK | MB_ICONINFORMATION;
  }
}

}  // namespace

LONG c32ShowMb(const C32MBRECORD* record) {
  if (!record) return 0;
  char caption[256];
  LPCSTR shownCaption = record->caption;
  if (!shownCaption || !shownCaption[0]) {
    hostcommon::LoadHostString(hostcommon::kDefaultCaptionId, caption, sizeof caption);
    shownCaption = caption;
  }
  // A record without text shows the host's text for its message number.
  char numbered[512];
  LPCSTR text = record->text;
  if (!text) {
    hostcommon::LoadHostString(record->number, numbered, sizeof numbered);
    text = numbered;
  }
  UINT style = StyleForKind(record->kind) | MB_APPLMODAL;
  return MessageBoxA(record->owner, text, shownCaption, style);
}
