// The records the host and the text-effects module exchange during one
// call: PlugInRecord (the host's record passed to TavikPlugInAction), the
// progress link, the run record a renderer receives, and the target and
// result entries of a run over several objects. They live only in memory
// for one call and carry native pointers; the comments give the offsets of
// the 32-bit layout they stand for.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/params.h>

namespace texfx {

// The host's notification procedure: (code, word2, word3, word4). word4 is
// the progress link's user value, except for code 78 (the dialog window).
typedef LONG (*HostNotify)(LONG code, LONG word2, LONG_PTR word3, LONG_PTR word4);

// Codes of HostNotify.
constexpr LONG kNotifyStart = 1;          // word2: start percentage
constexpr LONG kNotifyProgress = 2;       // word2: percentage reached
constexpr LONG kNotifyEnd = 4;            // word2: end percentage
constexpr LONG kNotifyResults = 8;        // word3: results array (count x ResultPosition)
constexpr LONG kNotifyDialog = 78;        // word2 272 open / 273 close, word3 1 OK / 2 cancel
constexpr LONG kNotifyUndo = 1002;        // take back the shown result
constexpr LONG kNotifyRedo = 1003;        // show it again; word3: results array
constexpr LONG kNotifyObjectCount = 1005; // word3: LONG* count, preset to 1
constexpr LONG kNotifyTargetRecord = 1008;  // word3: the host's target record (TargetRecord)
constexpr LONG kNotifyTargets = 1009;     // word3: count x TargetEntry
constexpr LONG kNotifyDescriptions = 1011;  // word3: count x TargetDescription

// Progress link (20 bytes in the 32-bit layout), owned by the host.
struct ProgressLink {
  LONG cancelOnEsc;    // 0: non-zero: renderers poll t32IsEscPressed per buffer cell
  HostNotify proc;     // 4: may be NULL
  LONG_PTR user;       // 8: passed back as word4
  LONG startPercent;   // 12
  LONG endPercent;     // 16
};

// What a renderer receives: the first 48 bytes of PlugInRecord, with the
// block replaced by the run's private copy and the progress link never NULL.
struct EffectRun {
  HBUF objectImage;    // 0: colour image of the object
  HBUF objectMask;     // 4: 8-bit mask of the object
  HBUF* resultImage;   // 8: receives the new colour image
  HBUF* resultMask;    // 12: receives the new mask
  HBUF baseImage;      // 16: the image the object lies on, 0 if none
  LONG x;              // 20: object position in the base image; receives the new one
  LONG y;              // 24
  EffectBlock* block;  // 28: the effect's parameters (data at offset 20)
  LONG words[2];       // 32: the host's, passed along unread
  COLORREF background; // 40: fills padding that lies outside the base image
  ProgressLink* progress;  // 44
};

// Flags of PlugInRecord (offset 48).
constexpr LONG kFlagEdit = 0x1;          // dialog; OK returns 1 without applying
constexpr LONG kFlagApply = 0x2;         // apply without dialog
constexpr LONG kFlagDialogApply = 0x4;   // dialog; OK applies
constexpr LONG kFlagNoAdd = 0x8;
constexpr LONG kFlagHelpOff = 0x10;
constexpr LONG kFlagAddHidden = 0x20;
constexpr LONG kFlagHelpHidden = 0x40;
constexpr LONG kFlagOkOff = 0x100;
constexpr LONG kFlagPreviewOff = 0x200;
constexpr LONG kFlagSingleObject = 0x10000000;  // bit 28: no object count asked

// Preview states (PlugInRecord offset 596).
constexpr LONG kPreviewNone = 0;
constexpr LONG kPreviewShown = 1;
constexpr LONG kPreviewUndone = 2;

constexpr int kKeySize = 276;
constexpr int kStyleFormatSize = 260;

// The host's record passed to TavikPlugInAction (648 bytes in the 32-bit
// layout). Fields the module does not name are the host's, carried along.
struct PlugInRecord {
  EffectRun run;                      // 0..47
  LONG flags;                         // 48
  char key[kKeySize];                 // 52: receives "TPIF-TypeEff"
  char styleFormat[kStyleFormatSize]; // 328: receives "TPIF-Type %d"
  LONG blockSize;                     // 588: receives 1024
  HGLOBAL savedBlock;                 // 592: block last applied by the preview (module-owned)
  LONG previewState;                  // 596: kPreview*
  BYTE hostRest[48];                  // 600..647: the host's
};

// Entry of request 1009 (16 bytes in the 32-bit layout).
struct TargetEntry {
  HBUF image;
  HBUF mask;
  HBUF* resultImage;
  HBUF* resultMask;
};

// Entry of request 1011 (192 bytes): the host's description of a target;
// the module reads x and y.
struct TargetDescription {
  BYTE hostHead[124];
  LONG x;          // 124
  LONG y;          // 128
  BYTE hostTail[60];
};
static_assert(sizeof(TargetDescription) == 192);
static_assert(offsetof(TargetDescription, x) == 124);
static_assert(offsetof(TargetDescription, y) == 128);

// The host's shared target record (request 1008); the module reads the base
// image and passes a zeroed record of this size.
struct TargetRecord {
  BYTE hostHead[280];
  HBUF baseImage;  // 280
  BYTE hostTail[228];
};
static_assert(sizeof(TargetRecord) == 512);
static_assert(offsetof(TargetRecord, baseImage) == 280);

// One entry of the results array (8 bytes): a target's new position.
struct ResultPosition {
  LONG x;
  LONG y;
};
static_assert(sizeof(ResultPosition) == 8);

// Exported entry points.
typedef LONG (*TavikGetInfoProc)(void* info, LONG what, LONG* blockSize, char* key);
typedef LONG (*TavikActionProc)(HWND parent, PlugInRecord* record);
typedef LONG (*TavikAskStylerProc)(const EffectBlock* block, EffectBlock* out);

}  // namespace texfx
