// The renderers' shared frame.
#include "frame.h"

#include <hostcommon.h>

#include <algorithm>

namespace texfx {

LONG Fail(LONG code, LONG detail) {
  // A missing shape file is reported where its name is known, with the
  // host's text naming it; the renderer passing the code on keeps that text.
  if (code == kErrShapeMissing &&
      lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr) == kErrShapeMissing)
    return code;
  if (code > 0) c32SetDLLErrInfo(0, code, 0, kUnit, 1, detail);
  return code;
}

RenderProgress::RenderProgress(const ProgressLink* link)
    : link_(link),
      start_(link ? link->startPercent : 0),
      end_(link ? link->endPercent : 100),
      last_(start_) {}

RenderProgress::~RenderProgress() {
  if (begun_) Send(kNotifyEnd, end_);
}

void RenderProgress::Begin() {
  begun_ = true;
  last_ = start_;
  Send(kNotifyStart, start_);
}

void RenderProgress::Step(LONGLONG done, LONGLONG total) {
  if (total <= 0) return;
  const LONGLONG range = static_cast<LONGLONG>(end_) - start_;
  const LONG value = static_cast<LONG>(start_ + range * done / total);
  if (value <= last_) return;
  last_ = value;
  Send(kNotifyProgress, value);
}

bool RenderProgress::Cancelled() const {
  return link_ && link_->cancelOnEsc && t32IsEscPressed();
}

void RenderProgress::Send(LONG code, LONG percent) const {
  if (link_ && link_->proc) link_->proc(code, percent, 0, link_->user);
}

LONG NewMask(LONG width, LONG height, OwnedBuf* out) {
  if (!buf32Alloc(out->out(), 8, width, height, BUF_KIND_PLAIN, nullptr)) return kErrMemory;
  return 0;
}

LONG NewFilled(LONG pixelFormat, LONG width, LONG height, COLORREF colour, OwnedBuf* out) {
  if (!buf32Alloc(out->out(), pixelFormat, width, height, BUF_KIND_FILLED, &colour))
    return kErrMemory;
  return 0;
}

LONG Duplicate(HBUF source, OwnedBuf* out) {
  return buf32DupBuf(source, out->out()) ? 0 : kErrMemory;
}

LONG ReadInfo(HBUF buffer, BUFINFO* info) {
  *info = BUFINFO{};
  return buf32GetInfo(buffer, info) ? 0 : kErrNoInformation;
}

namespace {

// The base image region from (left, top) of size width x height, clipped to
// the base image, merged into image at the matching place.
LONG CopyBaseRegion(HBUF base, LONG left, LONG top, LONG width, LONG height, HBUF image) {
  LONG baseWidth = 0, baseHeight = 0;
  if (!buf32GetWHU(base, &baseWidth, &baseHeight, nullptr)) return kErrNoInformation;
  const LONG x0 = std::max(left, LONG{0}), y0 = std::max(top, LONG{0});
  const LONG x1 = static_cast<LONG>(std::min<LONGLONG>(static_cast<LONGLONG>(left) + width, baseWidth));
  const LONG y1 = static_cast<LONG>(std::min<LONGLONG>(static_cast<LONGLONG>(top) + height, baseHeight));
  if (x1 <= x0 || y1 <= y0) return 0;
  if (!buf32MergeBuf(base, x0, y0, x1 - x0, y1 - y0, image, x0 - left, y0 - top)) return kErrMemory;
  return 0;
}

}  // namespace

LONG Enlarge(const EffectRun& run, LONG pad, Working* working) {
  working->mask = run.objectMask;
  working->image = run.objectImage;
  working->x = run.x;
  working->y = run.y;
  working->enlarged = false;
  if (!run.baseImage) return 0;

  LONG width = 0, height = 0;
  if (!buf32GetWHU(run.objectMask, &width, &height, nullptr)) return kErrNoInformation;
  const LONGLONG paddedWidth = static_cast<LONGLONG>(width) + 2LL * pad;
  const LONGLONG paddedHeight = static_cast<LONGLONG>(height) + 2LL * pad;
  if (paddedWidth > 1048576 || paddedHeight > 1048576) return kErrMemory;
  const LONG w = static_cast<LONG>(paddedWidth), h = static_cast<LONG>(paddedHeight);

  if (LONG code = NewMask(w, h, &working->paddedMask)) return code;
  if (!buf32MergeBuf(run.objectMask, 0, 0, width, height, working->paddedMask.get(), pad, pad))
    return kErrMemory;
  // The padded image takes the base image's pixel format (24-bit for the
  // colour images text lies on), so the base region can be merged into it.
  BUFINFO baseInfo;
  if (LONG code = ReadInfo(run.baseImage, &baseInfo)) return code;
  if (LONG code = NewFilled(baseInfo.pixelFormat, w, h, run.background, &working->paddedImage))
    return code;
  const LONG left = run.x - pad, top = run.y - pad;
  if (LONG code = CopyBaseRegion(run.baseImage, left, top, w, h, working->paddedImage.get()))
    return code;

  working->mask = working->paddedMask.get();
  working->image = working->paddedImage.get();
  working->x = left;
  working->y = top;
  working->enlarged = true;
  return 0;
}

namespace {

void StoreInSlot(HBUF* slot, OwnedBuf* result, const EffectRun& run) {
  const HBUF old = *slot;
  *slot = result->Release();
  if (old && old != *slot && old != run.objectImage && old != run.objectMask &&
      old != run.baseImage && buf32GetInfo(old, nullptr))
    buf32Free(old);
}

}  // namespace

void HandOver(EffectRun* run, OwnedBuf* image, OwnedBuf* mask, const Working* working) {
  StoreInSlot(run->resultImage, image, *run);
  StoreInSlot(run->resultMask, mask, *run);
  if (working && working->enlarged) {
    run->x = working->x;
    run->y = working->y;
  }
}

}  // namespace texfx
