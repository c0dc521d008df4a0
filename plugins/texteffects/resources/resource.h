// Resource numbers shared by texteffects.rc and the code.
#pragma once

// Texts.
#define IDS_STYLE_NAME_FORMAT 103  // "TPIF-Type %d": the host's style names
#define IDS_EFFECT_FIRST 131       // 131..144: the fourteen effect names

// Dialogs: the main dialog and the fourteen parameter pages (41..54).
#define IDD_MAIN 40
#define IDD_PAGE_FIRST 41

// Bitmaps: the fourteen 80 x 50 thumbnails (110..123), the hole shape and
// the relief texture.
#define IDB_THUMB_FIRST 110
#define IDB_HOLE_SHAPE 124
#define IDB_TEXTURE 125
