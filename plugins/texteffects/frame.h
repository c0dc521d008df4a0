// The frame every renderer shares: progress notices within the run's
// range, the Escape test, error codes into the host's error slot, owned
// working buffers, the enlarged (padded) copies of an object, and the
// handing over of results.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

namespace texfx {

// The module's unit code in the host's error slot.
constexpr LONG kUnit = 71750;

// Result codes of renderers (0 is success).
constexpr LONG kErrNoMask = 5201;         // no object mask given
constexpr LONG kErrMemory = 1001;         // memory or a buffer operation failed
constexpr LONG kErrCancelled = 5200;      // Escape
constexpr LONG kErrNoInformation = 5804;  // a buffer's information cannot be read
constexpr LONG kErrCannotServe = 3200;    // an effect the module cannot run
constexpr LONG kErrShapeMissing = 4003;   // shape file missing (text with the path)
constexpr LONG kErrOpen = 4004;           // shape file cannot be opened
constexpr LONG kErrNotBmp = 4005;         // shape file is no BMP with a 40- or 12-byte header
constexpr LONG kErrRead = 4020;           // shape file cannot be read
// A failed mask-library call: the library has already reported.
constexpr LONG kErrLibrary = -1;

// Records code in the host's error slot (unit 71750, category 1, detail
// `detail`) and returns it, so a renderer can `return Fail(...)`. Codes
// below 1 record nothing; a 4003 already in the slot (with the text naming
// the missing file) is kept.
LONG Fail(LONG code, LONG detail = 0);

// A renderer: reads the run, returns 0 or an error code (already in the
// error slot, everything it allocated freed, result slots unchanged).
typedef LONG (*Renderer)(EffectRun* run);

// Progress notices and Escape polls of one renderer. Begin sends code 1
// with the start; Step code 2 with start + range x done / total when that
// is larger than the last value sent; the destructor sends code 4 with the
// end (on success and failure alike) once Begin was called.
class RenderProgress {
 public:
  explicit RenderProgress(const ProgressLink* link);
  ~RenderProgress();
  RenderProgress(const RenderProgress&) = delete;
  RenderProgress& operator=(const RenderProgress&) = delete;

  void Begin();
  void Step(LONGLONG done, LONGLONG total);
  // TRUE when the link asks for Escape polls and Escape was pressed.
  bool Cancelled() const;
  LONG start() const { return start_; }
  LONG end() const { return end_; }
  const ProgressLink* link() const { return link_; }

 private:
  void Send(LONG code, LONG percent) const;
  const ProgressLink* link_;
  LONG start_;
  LONG end_;
  LONG last_;
  bool begun_ = false;
};

// An image buffer owned by a scope: freed on destruction unless released.
class OwnedBuf {
 public:
  OwnedBuf() = default;
  explicit OwnedBuf(HBUF handle) : handle_(handle) {}
  ~OwnedBuf() { Reset(); }
  OwnedBuf(const OwnedBuf&) = delete;
  OwnedBuf& operator=(const OwnedBuf&) = delete;
  OwnedBuf(OwnedBuf&& other) noexcept : handle_(other.Release()) {}
  OwnedBuf& operator=(OwnedBuf&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.Release();
    }
    return *this;
  }

  HBUF get() const { return handle_; }
  HBUF* out() {
    Reset();
    return &handle_;
  }
  HBUF Release() {
    HBUF handle = handle_;
    handle_ = 0;
    return handle;
  }
  void Reset() {
    if (handle_) buf32Free(handle_);
    handle_ = 0;
  }
  explicit operator bool() const { return handle_ != 0; }

 private:
  HBUF handle_ = 0;
};

// Colour reference of three bytes red, green, blue.
inline COLORREF ColourOf(const BYTE rgb[3]) { return RGB(rgb[0], rgb[1], rgb[2]); }

// A new 8-bit buffer width x height, all zero, in *out. 0 or kErrMemory.
LONG NewMask(LONG width, LONG height, OwnedBuf* out);
// A new buffer of pixelFormat, width x height, filled with colour. 0 or kErrMemory.
LONG NewFilled(LONG pixelFormat, LONG width, LONG height, COLORREF colour, OwnedBuf* out);
// An independent copy of source. 0 or kErrMemory.
LONG Duplicate(HBUF source, OwnedBuf* out);
// Information of a buffer. 0 or kErrNoInformation.
LONG ReadInfo(HBUF buffer, BUFINFO* info);

// The object as a renderer works on it: its own image and mask, or, with a
// base image, copies enlarged by `pad` pixels on every side.
struct Working {
  OwnedBuf paddedMask;   // set when enlarged
  OwnedBuf paddedImage;  // set when enlarged
  HBUF mask = 0;         // the mask to work on (object's or padded)
  HBUF image = 0;        // the image to work on
  LONG x = 0;            // position of the working copy in the base image
  LONG y = 0;
  bool enlarged = false;
};

// Enlarging: with a base image, an 8-bit zero mask (W + 2 pad) x (H + 2 pad)
// with the object mask at (pad, pad), and an image of that size (in the base
// image's format, 24-bit for colour images) filled with the background
// colour, holding the base image region from (x - pad, y - pad) clipped to
// the base image; the position moves by -pad. Without a base image the object's own buffers are used, unpadded.
// Returns 0, kErrNoInformation or kErrMemory.
LONG Enlarge(const EffectRun& run, LONG pad, Working* working);

// Hands both results over: stores them in the run's slots (freeing any
// buffer a slot held that is not the object's own) and the position in the
// run when `moved`.
void HandOver(EffectRun* run, OwnedBuf* image, OwnedBuf* mask, const Working* working);

}  // namespace texfx
