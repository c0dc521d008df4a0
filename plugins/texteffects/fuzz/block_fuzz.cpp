// Fuzz target: any bytes as a stored EffectBlock (the host keeps blocks as
// styles, so they are outside data), run on a small object with and
// without a base image. A run either succeeds with two live results of a
// plausible size or fails with both slots empty; no buffer is left behind.
#include <hostcommon.h>
#include <imgcore.h>
#include <texteffects/effects.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../framework.h"

namespace {

constexpr LONG kWidth = 24, kHeight = 16;

void Check(bool condition) {
  if (!condition) std::abort();
}

// File paths and run-time handles of the data are cleared: a fuzzed path
// would name arbitrary files, a fuzzed handle arbitrary buffers.
void ClearPathsAndHandles(texfx::EffectBlock* block) {
  int count = 0;
  const texfx::ParamDef* params = texfx::EffectParams(block->header.effect, &count);
  for (int i = 0; i < count; ++i) {
    BYTE* field = block->data + params[i].offset;
    if (params[i].kind == texfx::ParamKind::kPath) std::memset(field, 0, texfx::kPathSize);
    if (params[i].kind == texfx::ParamKind::kHandle) std::memset(field, 0, 4);
  }
}

struct Scene {
  HBUF image = 0, mask = 0, base = 0;
  Scene() {
    const COLORREF red = RGB(200, 30, 30), grey = RGB(90, 90, 90);
    buf32Alloc(&image, 24, kWidth, kHeight, BUF_KIND_FILLED, &red);
    buf32Alloc(&mask, 8, kWidth, kHeight, BUF_KIND_PLAIN, nullptr);
    buf32Alloc(&base, 24, 64, 64, BUF_KIND_FILLED, &grey);
    const COLORREF white = RGB(255, 255, 255);
    HBUF inner = 0;
    buf32Alloc(&inner, 8, kWidth / 2, kHeight / 2, BUF_KIND_FILLED, &white);
    buf32MergeBuf(inner, 0, 0, kWidth / 2, kHeight / 2, mask, kWidth / 4, kHeight / 4);
    buf32Free(inner);
  }
};

void RunOnce(const texfx::EffectBlock& block, bool withBase) {
  static Scene scene;
  const HBUF base = withBase ? scene.base : 0;
  const LONG live = buf32LiveCount();
  HBUF resultImage = 0, resultMask = 0;
  texfx::EffectRun run = {scene.image, scene.mask, &resultImage, &resultMask, base, 20, 20,
                          nullptr, {0, 0}, RGB(1, 2, 3), nullptr};
  LONG x = 20, y = 20;
  const LONG code = texfx::RunOneObject(run, block, nullptr, &x, &y);
  if (code) {
    Check(resultImage == 0 && resultMask == 0 && x == 20 && y == 20);
    Check(buf32LiveCount() == live);
    return;
  }
  LONG width = 0, height = 0;
  Check(buf32GetWHU(resultMask, &width, &height, nullptr) && width >= kWidth &&
        height >= kHeight && buf32GetInfo(resultImage, nullptr));
  buf32Free(resultImage);
  buf32Free(resultMask);
  Check(buf32LiveCount() == live);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > sizeof(texfx::EffectBlock)) return 0;
  texfx::EffectBlock block = {};
  std::memcpy(&block, data, size);
  if (block.header.data == 0) texfx::CompleteBlock(&block);
  ClearPathsAndHandles(&block);
  RunOnce(block, false);
  RunOnce(block, true);
  c32ResetDLLErrInfo();
  return 0;
}
