// One renderer call prepared by hand: a block with the effect's defaults,
// the object's buffers, result slots freed at the end.
#pragma once

#include <texteffects/effects.h>
#include <texteffects/records.h>

namespace texfxtest {

struct DirectRun {
  texfx::EffectBlock block = {};
  texfx::ProgressLink link = {0, nullptr, 0, 0, 100};
  HBUF resultImage = 0, resultMask = 0;
  texfx::EffectRun run = {};

  DirectRun(LONG effect, HBUF image, HBUF mask, HBUF base = 0, LONG x = 0, LONG y = 0) {
    block.header.effect = effect;
    texfx::WriteDefaultData(effect, block.data);
    block.header.data = texfx::kDataPresent;
    run.objectImage = image;
    run.objectMask = mask;
    run.resultImage = &resultImage;
    run.resultMask = &resultMask;
    run.baseImage = base;
    run.x = x;
    run.y = y;
    run.block = &block;
    run.background = RGB(10, 20, 30);
    run.progress = &link;
  }
  ~DirectRun() {
    if (resultImage) buf32Free(resultImage);
    if (resultMask) buf32Free(resultMask);
  }
  DirectRun(const DirectRun&) = delete;
  DirectRun& operator=(const DirectRun&) = delete;

  template <typename Data>
  Data& data() {
    return *texfx::DataOf<Data>(&block);
  }
};

}  // namespace texfxtest
