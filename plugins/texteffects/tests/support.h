// Helpers of the text-effects tests: buffers from byte tables, a recording
// host, a check that a run left no buffer behind, and the module loaded as
// the host loads it.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

#include <initializer_list>
#include <vector>

#include "mask_buffers.h"

namespace texfxtest {

// An 8-bit buffer width x height holding `values` row after row (missing
// values are 0).
HBUF MakeMask(LONG width, LONG height, const std::vector<BYTE>& values);
// An 8-bit buffer filled with one value.
HBUF FlatMask(LONG width, LONG height, BYTE value);
// A 24-bit buffer whose pixel (x, y) is (x, y, 7) (values wrap at 256).
using lvtest::PatternImage;
// A 24-bit buffer of one colour.
HBUF SolidImage(LONG width, LONG height, COLORREF colour);
// All bytes of a buffer's pixels, row after row.
std::vector<BYTE> Bytes(HBUF buffer);
// Width and height of a buffer ({0, 0} for a dead handle).
SIZE SizeOf(HBUF buffer);

// Every buffer allocated since construction that is still alive, other
// than those named (which must be new and alive), is a leak. Relies on
// imgcore counting its handles upwards and on its live-buffer count.
class LeakProbe {
 public:
  LeakProbe();
  // Handles allocated since construction that are still alive, without
  // `kept`; a 0 entry when imgcore's live count disagrees.
  std::vector<HBUF> Leaked(std::initializer_list<HBUF> kept = {}) const;

 private:
  HBUF first_;
  LONG live_;
};

// One call of HostNotify.
struct Notice {
  LONG code;
  LONG word2;
  LONG_PTR word3;
  LONG_PTR word4;
};

// A host whose notification procedure records every call and answers the
// object requests from its fields. One at a time.
class RecordingHost {
 public:
  RecordingHost();
  ~RecordingHost();
  texfx::ProgressLink* link() { return &link_; }
  const std::vector<Notice>& notices() const { return notices_; }
  std::vector<Notice> Codes(LONG code) const;
  // Progress values (codes 1, 2, 4) in order.
  std::vector<LONG> Progress() const;

  LONG objectCount = 1;                            // answer to 1005
  HBUF baseImage = 0;                              // answer to 1008 (offset 280)
  std::vector<texfx::TargetEntry> targets;         // answer to 1009
  std::vector<POINT> positions;                    // answer to 1011 (x, y)
  std::vector<texfx::ResultPosition> delivered;    // copied from request 8

 private:
  static LONG Notify(LONG code, LONG word2, LONG_PTR word3, LONG_PTR word4);
  texfx::ProgressLink link_;
  std::vector<Notice> notices_;
  LONG answeredCount_ = 1;  // entries of the results array: 1 unless 1005 said more
};

// A PlugInRecord for one object with the given buffers and slots.
texfx::PlugInRecord MakeRecord(HBUF image, HBUF mask, HBUF* resultImage, HBUF* resultMask,
                               texfx::EffectBlock* block, texfx::ProgressLink* progress,
                               LONG flags);

// Makes t32IsEscPressed report a key press for the life of the object.
class EscapePressed {
 public:
  EscapePressed();
  ~EscapePressed();
};

// The module's entry points bound by name from the staged module.
struct Module {
  HMODULE module = 0;
  texfx::TavikGetInfoProc getInfo = nullptr;
  texfx::TavikActionProc action = nullptr;
  texfx::TavikAskStylerProc askStyler = nullptr;
};
const Module& TextEffects();

}  // namespace texfxtest
