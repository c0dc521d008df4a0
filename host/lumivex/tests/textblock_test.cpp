// The host's effect blocks checked against the staged text-effects module:
// the host's defaults are the module's, and its variations are built from
// the same layout.
#include <gtest/gtest.h>
#include <windows.h>

#include <hostcommon.h>
#include <imgcore.h>
#include <texteffects/records.h>

#include <cstring>
#include <string>

#include "testsupport.h"
#include "textparams.h"

namespace {

struct Module {
  HMODULE module = 0;
  texfx::TavikActionProc action = nullptr;
  texfx::TavikAskStylerProc askStyler = nullptr;
};

const Module& TextEffects() {
  static Module loaded = [] {
    Module m;
    m.module = LoadLibraryA((lvtest::StageDir() / "modules" / "texteffects.tpi").string().c_str());
    if (!m.module) return m;
    m.action = reinterpret_cast<texfx::TavikActionProc>(GetProcAddress(m.module, "TavikPlugInAction"));
    m.askStyler = reinterpret_cast<texfx::TavikAskStylerProc>(GetProcAddress(m.module, "TavikPlugInAskStyler"));
    return m;
  }();
  return loaded;
}

HBUF Buffer(LONG bits, LONG width, LONG height, const std::vector<BYTE>& rows) {
  HBUF b = 0;
  if (!buf32Alloc(&b, bits, width, height, BUF_KIND_PLAIN, nullptr)) return 0;
  const size_t rowBytes = static_cast<size_t>(width) * bits / 8;
  for (LONG y = 0; y < height; ++y) buf32Line(b, y, 2, const_cast<BYTE*>(&rows[y * rowBytes]));
  return b;
}

std::vector<BYTE> Bytes(HBUF b) {
  BUFINFO info = {};
  if (!b || !buf32GetInfo(b, &info)) return {};
  std::vector<BYTE> bytes(static_cast<size_t>(info.dataSize));
  buf32GetMem(b, 0, 0, info.width, info.height, bytes.data());
  return bytes;
}

// The result of one run without dialog on a small object.
struct RunResult {
  LONG ok = 0;
  std::vector<BYTE> colour;
  std::vector<BYTE> mask;
};

RunResult RunEffect(texfx::EffectBlock* block) {
  constexpr LONG w = 24, h = 16;
  std::vector<BYTE> colour(w * h * 3), mask(w * h);
  for (size_t i = 0; i < colour.size(); ++i) colour[i] = static_cast<BYTE>(i * 7);
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) mask[y * w + x] = x > 3 && x < 20 && y > 3 && y < 12 ? 255 : 0;
  HBUF image = Buffer(24, w, h, colour), maskBuffer = Buffer(8, w, h, mask), resultImage = 0, resultMask = 0;
  texfx::PlugInRecord record;
  std::memset(&record, 0, sizeof record);
  record.run = {image, maskBuffer, &resultImage, &resultMask, 0, 0, 0, block, {0, 0}, RGB(1, 2, 3), nullptr};
  record.flags = texfx::kFlagApply | texfx::kFlagSingleObject;
  c32ResetDLLErrInfo();
  RunResult result;
  result.ok = TextEffects().action(0, &record);
  result.colour = Bytes(resultImage);
  result.mask = Bytes(resultMask);
  for (HBUF b : {image, maskBuffer, resultImage, resultMask})
    if (b) buf32Free(b);
  return result;
}

TEST(TextEffectBlocksAgainstModule, HostDefaultsRenderAsTheModulesOwn) {
  ASSERT_TRUE(TextEffects().action) << "module not loaded";
  int rendered = 0;
  for (int effect = 0; effect < 14; ++effect) {
    std::vector<uint8_t> ours;
    std::string error;
    ASSERT_TRUE(lvhost::BuildEffectBlock(effect, {}, &ours, &error)) << error;
    texfx::EffectBlock hostBlock, moduleBlock;
    std::memcpy(&hostBlock, ours.data(), sizeof hostBlock);
    // With the data word 0 the module fills in its own defaults, and hands
    // the completed block back on success.
    std::memset(&moduleBlock, 0, sizeof moduleBlock);
    std::memcpy(&moduleBlock, ours.data(), 12);
    RunResult fromHost = RunEffect(&hostBlock);
    RunResult fromModule = RunEffect(&moduleBlock);
    // Effects without a renderer in this build fail either way.
    ASSERT_EQ(fromHost.ok, fromModule.ok) << "effect " << effect;
    if (!fromHost.ok) continue;
    ++rendered;
    EXPECT_FALSE(fromHost.mask.empty());
    EXPECT_EQ(fromHost.colour, fromModule.colour) << "effect " << effect;
    EXPECT_EQ(fromHost.mask, fromModule.mask) << "effect " << effect;
    EXPECT_EQ(std::memcmp(moduleBlock.data, ours.data() + 20, sizeof moduleBlock.data), 0) << "effect " << effect;
  }
  EXPECT_GE(rendered, 7) << "effects 0 to 6 have renderers";
}

TEST(TextEffectBlocksAgainstModule, DefaultBlockIsOneOfItsOwnVariations) {
  ASSERT_TRUE(TextEffects().askStyler) << "module not loaded";
  for (int effect = 0; effect < 14; ++effect) {
    std::vector<uint8_t> ours;
    std::string error;
    ASSERT_TRUE(lvhost::BuildEffectBlock(effect, {}, &ours, &error));
    const auto* block = reinterpret_cast<const texfx::EffectBlock*>(ours.data());
    LONG count = TextEffects().askStyler(block, nullptr);
    ASSERT_TRUE(count == 3 || count == 9) << effect;
    std::vector<texfx::EffectBlock> out(static_cast<size_t>(count));
    LONG index = TextEffects().askStyler(block, out.data());
    ASSERT_GE(index, 0);
    ASSERT_LT(index, count);
    EXPECT_EQ(std::memcmp(&out[static_cast<size_t>(index)].data, block->data, sizeof block->data), 0)
        << "effect " << effect << ": the variation the module calls current differs from the block";
  }
}

}  // namespace
