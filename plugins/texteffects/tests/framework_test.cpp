// TavikPlugInAction without dialog, driven by a recording host: the record
// fields it fills, the working block, one and several objects, the
// progress split, result delivery and the clean-up of failed runs.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <texteffects/params.h>
#include <texteffects/records.h>

#include <cstring>
#include <vector>

#include "support.h"

namespace {

using texfx::EffectBlock;
using texfx::PlugInRecord;
using texfxtest::Bytes;
using texfxtest::FlatMask;
using texfxtest::LeakProbe;
using texfxtest::MakeRecord;
using texfxtest::RecordingHost;
using texfxtest::TextEffects;

constexpr LONG kApply = texfx::kFlagApply;

LONG ErrorNumber() { return lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr); }

class ActionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(TextEffects().action, nullptr) << "texteffects.tpi not loaded";
    c32ResetDLLErrInfo();
    image = texfxtest::PatternImage(3, 4);
    mask = FlatMask(3, 4, 255);
  }
  void TearDown() override {
    for (HBUF b : {image, mask, resultImage, resultMask})
      if (b && buf32GetInfo(b, nullptr)) buf32Free(b);
  }
  HBUF image = 0, mask = 0, resultImage = 0, resultMask = 0;
};

TEST_F(ActionTest, WithoutBlockRunsTheGradientDefaults) {
  RecordingHost host;
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, nullptr, host.link(), kApply);
  record.run.x = 12;
  record.run.y = 34;
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  // Vertical opacity 255 at the top falling towards 0: 255 x (4 - y) / 4.
  EXPECT_EQ(Bytes(resultMask),
            (std::vector<BYTE>{255, 255, 255, 191, 191, 191, 127, 127, 127, 63, 63, 63}));
  EXPECT_EQ(Bytes(resultImage), Bytes(image));
  EXPECT_EQ(record.run.block, nullptr) << "block pointer restored";
  EXPECT_STREQ(record.key, "TPIF-TypeEff");
  EXPECT_STREQ(record.styleFormat, "TPIF-Type %d");
  EXPECT_EQ(record.blockSize, 1024);
  ASSERT_EQ(host.delivered.size(), 1u);
  EXPECT_EQ(host.delivered[0].x, 12);
  EXPECT_EQ(host.delivered[0].y, 34);
  ASSERT_EQ(host.Codes(1005).size(), 1u);
  EXPECT_EQ(host.Codes(1005)[0].word4, 77) << "user value passed back";
}

TEST_F(ActionTest, BlockWithoutDataIsCompletedAndWrittenBack) {
  RecordingHost host;
  EffectBlock block = {};
  block.header = {texfx::kGradient, 0, 16, 0, 0};
  std::memset(block.data, 0x42, 16);  // no data: ignored
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, &block, host.link(), kApply);
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  EXPECT_NE(block.header.data, 0u);
  const texfx::GradientData& data = *texfx::DataOf<texfx::GradientData>(&block);
  EXPECT_EQ(data.style, 1001);
  EXPECT_EQ(data.startOpacity, 255);
  EXPECT_EQ(data.endOpacity, 0);
  EXPECT_EQ(record.run.block, &block);
  EXPECT_EQ(Bytes(resultMask)[0], 255);
}

TEST_F(ActionTest, StoredDataWordIsOnlyAFlag) {
  RecordingHost host;
  EffectBlock block = {};
  block.header = {texfx::kGradient, 0, 16, 0xDEADBEEF, 0x12345678};  // stale pointers
  texfx::GradientData& data = *texfx::DataOf<texfx::GradientData>(&block);
  data.style = 1001;
  data.startOpacity = 100;
  data.endOpacity = 100;
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, &block, host.link(), kApply);
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  EXPECT_EQ(Bytes(resultMask), std::vector<BYTE>(12, 100));
}

TEST_F(ActionTest, WildStoredValuesAreHeldInRange) {
  RecordingHost host;
  HBUF base = texfxtest::PatternImage(50, 50);
  EffectBlock block = {};
  block.header = {texfx::kGlass, 20, 12, texfx::kDataPresent, 0};
  texfx::GlassData& data = *texfx::DataOf<texfx::GlassData>(&block);
  data.reflection = 99;
  data.flakiness = 100000;  // held to 20: a pad of 21
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, &block, host.link(), kApply);
  record.run.baseImage = base;
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  EXPECT_EQ(texfxtest::SizeOf(resultImage).cx, 3 + 2 * 21);
  EXPECT_EQ(data.flakiness, 100000) << "the host's block keeps what it stored";
  buf32Free(base);
}

TEST_F(ActionTest, MissingMaskFailsWith5201) {
  RecordingHost host;
  EffectBlock block = {};
  block.header.effect = 3;
  PlugInRecord record = MakeRecord(image, 0, &resultImage, &resultMask, &block, host.link(), kApply);
  const EffectBlock before = block;
  EXPECT_EQ(TextEffects().action(0, &record), 0);
  EXPECT_EQ(ErrorNumber(), 5201);
  EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0) << "host block unchanged";
  EXPECT_TRUE(host.notices().empty());
}

TEST_F(ActionTest, FlagsWithoutApplyReturnZero) {
  for (LONG flags : {0, 0x8, 0x100}) {
    RecordingHost host;
    PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, nullptr, host.link(), flags);
    EXPECT_EQ(TextEffects().action(0, &record), 0) << flags;
    EXPECT_EQ(resultMask, 0u);
  }
}

TEST_F(ActionTest, UnknownEffectFailsAndLeavesTheBlock) {
  RecordingHost host;
  EffectBlock block = {};
  block.header = {14, 0, 0, texfx::kDataPresent, 0};
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, &block, host.link(), kApply);
  EXPECT_EQ(TextEffects().action(0, &record), 0);
  EXPECT_EQ(ErrorNumber(), 3200);
  EXPECT_EQ(resultImage, 0u);
  EXPECT_TRUE(host.Codes(8).empty());
}

TEST_F(ActionTest, ResultSlotsAreReplacedAndOldResultsFreed) {
  RecordingHost host;
  resultImage = texfxtest::PatternImage(1, 1);
  resultMask = FlatMask(1, 1, 1);
  const HBUF oldImage = resultImage, oldMask = resultMask;
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, nullptr, host.link(), kApply);
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  EXPECT_NE(resultImage, oldImage);
  EXPECT_FALSE(buf32GetInfo(oldImage, nullptr));
  EXPECT_FALSE(buf32GetInfo(oldMask, nullptr));
  EXPECT_EQ(texfxtest::SizeOf(resultMask).cx, 3);
}

TEST_F(ActionTest, WithoutProgressLinkRunsSilently) {
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, nullptr, nullptr, kApply);
  LeakProbe probe;
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  EXPECT_EQ(probe.Leaked({resultImage, resultMask}), std::vector<HBUF>{});
}

TEST_F(ActionTest, EscapeFailsWith5200AndFreesEverything) {
  RecordingHost host;
  host.link()->cancelOnEsc = 1;
  PlugInRecord record = MakeRecord(image, mask, &resultImage, &resultMask, nullptr, host.link(), kApply);
  LeakProbe probe;
  {
    texfxtest::EscapePressed escape;
    EXPECT_EQ(TextEffects().action(0, &record), 0);
  }
  EXPECT_EQ(ErrorNumber(), 5200);
  EXPECT_EQ(resultImage, 0u);
  EXPECT_EQ(resultMask, 0u);
  EXPECT_EQ(probe.Leaked(), std::vector<HBUF>{});
  EXPECT_TRUE(host.Codes(8).empty()) << "no results delivered";
}

// Several selected objects.
class TargetsTest : public testing::Test {
 protected:
  struct Target {
    HBUF image = 0, mask = 0, resultImage = 0, resultMask = 0;
  };
  void SetUp() override {
    ASSERT_NE(TextEffects().action, nullptr);
    c32ResetDLLErrInfo();
    own = texfxtest::PatternImage(2, 2);
    ownMask = FlatMask(2, 2, 255);
    for (int i = 0; i < 3; ++i) {
      targets[i].image = texfxtest::PatternImage(2 + i, 2);
      targets[i].mask = FlatMask(2 + i, 2, 200);
    }
  }
  void TearDown() override {
    for (Target& t : targets)
      for (HBUF b : {t.image, t.mask, t.resultImage, t.resultMask})
        if (b && buf32GetInfo(b, nullptr)) buf32Free(b);
    for (HBUF b : {own, ownMask, ownResult, ownResultMask})
      if (b && buf32GetInfo(b, nullptr)) buf32Free(b);
  }
  void Offer(RecordingHost* host, int count) {
    host->objectCount = count;
    for (int i = 0; i < count; ++i) {
      host->targets.push_back({targets[i].image, targets[i].mask, &targets[i].resultImage,
                               &targets[i].resultMask});
      host->positions.push_back(POINT{10 * (i + 1), 20 * (i + 1)});
    }
  }
  Target targets[3];
  HBUF own = 0, ownMask = 0, ownResult = 0, ownResultMask = 0;
};

TEST_F(TargetsTest, EachTargetGetsItsResultAndProgressShare) {
  RecordingHost host;
  Offer(&host, 2);
  PlugInRecord record = MakeRecord(own, ownMask, &ownResult, &ownResultMask, nullptr, host.link(), kApply);
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(texfxtest::SizeOf(targets[i].resultMask).cx, 2 + i) << i;
    EXPECT_EQ(Bytes(targets[i].resultMask)[0], 200) << i;
  }
  EXPECT_EQ(ownResult, 0u) << "the record's own object is not run";
  // Starts and ends: the first runs over 0..50, the second over 50..100.
  std::vector<LONG> starts, ends;
  for (const auto& n : host.Codes(1)) starts.push_back(n.word2);
  for (const auto& n : host.Codes(4)) ends.push_back(n.word2);
  EXPECT_EQ(starts, (std::vector<LONG>{0, 50}));
  EXPECT_EQ(ends, (std::vector<LONG>{50, 100}));
  ASSERT_EQ(host.delivered.size(), 2u);
  EXPECT_EQ(host.delivered[1].x, 20);
  EXPECT_EQ(host.delivered[1].y, 40);
  // The requests come in order: count, shared record, targets, descriptions.
  std::vector<LONG> order;
  for (const auto& n : host.notices())
    if (n.code >= 1000) order.push_back(n.code);
  EXPECT_EQ(order, (std::vector<LONG>{1005, 1008, 1009, 1011}));
}

TEST_F(TargetsTest, UnevenSplitGivesTheRestToTheLast) {
  RecordingHost host;
  host.link()->startPercent = 10;
  host.link()->endPercent = 90;
  Offer(&host, 3);
  PlugInRecord record = MakeRecord(own, ownMask, &ownResult, &ownResultMask, nullptr, host.link(), kApply);
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  std::vector<LONG> starts, ends;
  for (const auto& n : host.Codes(1)) starts.push_back(n.word2);
  for (const auto& n : host.Codes(4)) ends.push_back(n.word2);
  EXPECT_EQ(starts, (std::vector<LONG>{10, 36, 62}));
  EXPECT_EQ(ends, (std::vector<LONG>{36, 62, 90}));
  EXPECT_EQ(host.link()->startPercent, 10) << "the host's range is left as it was";
  EXPECT_EQ(host.link()->endPercent, 90);
}

TEST_F(TargetsTest, FailingTargetFreesTheResultsOfAllTargets) {
  RecordingHost host;
  Offer(&host, 3);
  host.targets[2].mask = 0;  // the third target has no mask
  PlugInRecord record = MakeRecord(own, ownMask, &ownResult, &ownResultMask, nullptr, host.link(), kApply);
  LeakProbe probe;
  EXPECT_EQ(TextEffects().action(0, &record), 0);
  EXPECT_EQ(ErrorNumber(), 5201);
  for (const Target& t : targets) {
    EXPECT_EQ(t.resultImage, 0u);
    EXPECT_EQ(t.resultMask, 0u);
  }
  EXPECT_EQ(probe.Leaked(), std::vector<HBUF>{});
  EXPECT_TRUE(host.Codes(8).empty());
}

TEST_F(TargetsTest, PreviewStateStartsClearedEachCall) {
  RecordingHost host;
  Offer(&host, 2);
  PlugInRecord record = MakeRecord(own, ownMask, &ownResult, &ownResultMask, nullptr, host.link(), kApply);
  record.previewState = texfx::kPreviewShown;
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  // The record's preview state starts at 0 for every call, so no 1002.
  EXPECT_TRUE(host.Codes(1002).empty());
}

TEST_F(TargetsTest, Bit28RunsTheRecordsObjectWithoutAsking) {
  RecordingHost host;
  Offer(&host, 2);
  PlugInRecord record = MakeRecord(own, ownMask, &ownResult, &ownResultMask, nullptr, host.link(),
                                   kApply | texfx::kFlagSingleObject);
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  EXPECT_TRUE(host.Codes(1005).empty());
  EXPECT_NE(ownResult, 0u);
  EXPECT_EQ(targets[0].resultMask, 0u);
}

TEST_F(TargetsTest, ZeroCountRunsTheRecordsObject) {
  RecordingHost host;
  host.objectCount = 0;
  PlugInRecord record = MakeRecord(own, ownMask, &ownResult, &ownResultMask, nullptr, host.link(), kApply);
  ASSERT_EQ(TextEffects().action(0, &record), 1);
  EXPECT_NE(ownResultMask, 0u);
}

}  // namespace
