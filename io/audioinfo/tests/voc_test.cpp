// VOC files: header check, every block type, repeats, extended blocks, the
// text block, and broken or hostile files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../wavefacts.h"
#include "bytes.h"

namespace {

using audioinfo::MemorySource;
using audioinfo::ReadVoc;
using audioinfo::VocFacts;
using miotest::Put16;
using miotest::Put24;
using miotest::Put32;
using miotest::PutText;

// A VOC header with the given version and check value, first block at 26.
std::vector<BYTE> Header(uint16_t version = 0x010A, uint16_t check = 0x1129) {
  std::vector<BYTE> out;
  PutText(out, "Creative Voice File");
  out.push_back(0x1A);
  Put16(out, 26);
  Put16(out, version);
  Put16(out, check);
  return out;
}

void Block(std::vector<BYTE>& out, BYTE type, const std::vector<BYTE>& body) {
  out.push_back(type);
  Put24(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

// Sound data: time constant, packing, `bytes` sample bytes.
std::vector<BYTE> SoundData(BYTE timeConstant, size_t bytes) {
  std::vector<BYTE> body = {timeConstant, 0};
  body.resize(2 + bytes, 0x80);
  return body;
}

// New sound data: rate, bits, channels, format, reserved, `bytes` of samples.
std::vector<BYTE> NewSoundData(uint32_t rate, BYTE bits, BYTE channels, size_t bytes) {
  std::vector<BYTE> body;
  Put32(body, rate);
  body.push_back(bits);
  body.push_back(channels);
  Put16(body, bits == 16 ? 4 : 0);
  Put32(body, 0);
  body.resize(12 + bytes, 0);
  return body;
}

std::vector<BYTE> Extended(uint16_t timeConstant, BYTE mode) {
  std::vector<BYTE> body;
  Put16(body, timeConstant);
  body.push_back(0);
  body.push_back(mode);
  return body;
}

std::vector<BYTE> Word(uint16_t value) {
  std::vector<BYTE> body;
  Put16(body, value);
  return body;
}

bool Read(const std::vector<BYTE>& file, VocFacts* facts) {
  MemorySource source(file.data(), file.size());
  return ReadVoc(source, facts);
}

struct VocCase {
  const char* name;
  std::vector<BYTE> file;
  uint32_t rate, bits, channels, samples;
};

std::vector<VocCase> GoodCases() {
  std::vector<VocCase> cases;
  {
    auto f = Header();
    Block(f, 1, SoundData(131, 4000));  // 1,000,000 / 125 = 8000
    f.push_back(0);
    cases.push_back({"SoundData8000", f, 8000, 8, 1, 4000});
  }
  {
    auto f = Header();
    Block(f, 1, SoundData(156, 100));  // 10,000 samples per second
    Block(f, 2, std::vector<BYTE>(50, 0x80));
    std::vector<BYTE> silence = Word(30);
    silence.push_back(156);
    Block(f, 3, silence);
    Block(f, 4, Word(7));
    f.push_back(0);
    cases.push_back({"ContinuationSilenceMarker", f, 10000, 8, 1, 180});
  }
  {
    auto f = Header();
    Block(f, 6, Word(2));
    Block(f, 1, SoundData(131, 10));
    Block(f, 7, {});
    Block(f, 1, SoundData(131, 5));
    f.push_back(0);
    cases.push_back({"RepeatMultipliesInside", f, 8000, 8, 1, 35});
  }
  {
    auto f = Header();
    Block(f, 8, Extended(65536 - 256, 1));  // 256,000,000 / (256 * 2) = 500,000
    Block(f, 1, SoundData(0, 1000));
    f.push_back(0);
    cases.push_back({"ExtendedStereoKeepsItsRate", f, 500000, 8, 2, 500});
  }
  {
    auto f = Header();
    Block(f, 8, Extended(65536 - 32000, 0));  // 8000 mono
    Block(f, 1, SoundData(100, 800));
    Block(f, 1, SoundData(131, 800));           // sets the rate again
    f.push_back(0);
    cases.push_back({"OnlyTheNextBlockFollowsExtended", f, 8000, 8, 1, 1600});
  }
  {
    auto f = Header(0x0114, 0x111F);
    Block(f, 9, NewSoundData(22050, 16, 2, 4000));
    f.push_back(0);
    cases.push_back({"NewSound16BitStereo", f, 22050, 16, 2, 1000});
  }
  {
    auto f = Header(0x0114, 0x111F);
    Block(f, 9, NewSoundData(96000, 8, 1, 300));
    f.push_back(0);
    cases.push_back({"RateKeepsLow16Bits", f, 96000 & 0xFFFF, 8, 1, 300});
  }
  {
    auto f = Header();
    Block(f, 1, SoundData(131, 64));
    cases.push_back({"EndOfDataWithoutTerminator", f, 8000, 8, 1, 64});
  }
  {
    auto f = Header();
    f.push_back(0);
    cases.push_back({"NoSound", f, 0, 0, 0, 0});
  }
  {
    auto f = Header();
    Block(f, 6, Word(0xFFFF));
    Block(f, 9, NewSoundData(8000, 8, 1, 0x10000));
    Block(f, 7, {});
    f.push_back(0);
    cases.push_back({"EndlessRepeatSaturates", f, 8000, 8, 1, 0xFFFFFFFFu});
  }
  return cases;
}

class VocGoodTest : public testing::TestWithParam<VocCase> {};

TEST_P(VocGoodTest, Facts) {
  const VocCase& c = GetParam();
  VocFacts facts;
  ASSERT_TRUE(Read(c.file, &facts));
  EXPECT_EQ(facts.wave.sampleRate, c.rate);
  EXPECT_EQ(facts.wave.bits, c.bits);
  EXPECT_EQ(facts.wave.channels, c.channels);
  EXPECT_EQ(facts.wave.samples, c.samples);
}

INSTANTIATE_TEST_SUITE_P(Blocks, VocGoodTest, testing::ValuesIn(GoodCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
  const char* name;
  std::vector<BYTE> file;
};

std::vector<BadCase> BadCases() {
  std::vector<BadCase> cases;
  cases.push_back({"CheckValueWrong", [] { auto f = Header(0x010A, 0x1128); f.push_back(0); return f; }()});
  cases.push_back({"SignatureWrong", [] {
                     auto f = Header();
                     f[0] = 'c';
                     f.push_back(0);
                     return f;
                   }()});
  cases.push_back({"ShortHeader", [] { auto f = Header(); f.resize(20); return f; }()});
  cases.push_back({"UnknownBlockType", [] {
                     auto f = Header();
                     Block(f, 10, {1, 2});
                     return f;
                   }()});
  cases.push_back({"LengthPastTheEnd", [] {
                     auto f = Header();
                     Block(f, 1, SoundData(131, 100));
                     f.resize(f.size() - 10);
                     return f;
                   }()});
  cases.push_back({"HugeLength", [] {
                     auto f = Header();
                     f.push_back(2);
                     Put24(f, 0xFFFFFF);
                     return f;
                   }()});
  cases.push_back({"TruncatedBlockHeader", [] {
                     auto f = Header();
                     f.push_back(1);
                     f.push_back(5);
                     return f;
                   }()});
  cases.push_back({"SoundDataTooShort", [] {
                     auto f = Header();
                     Block(f, 1, {131});
                     return f;
                   }()});
  cases.push_back({"NewSoundTooShort", [] {
                     auto f = Header();
                     Block(f, 9, std::vector<BYTE>(11, 0));
                     return f;
                   }()});
  cases.push_back({"ZeroChannels", [] {
                     auto f = Header();
                     Block(f, 9, NewSoundData(8000, 8, 0, 10));
                     return f;
                   }()});
  cases.push_back({"FirstBlockPastTheEnd", [] {
                     auto f = Header();
                     f[20] = 0xFF;
                     f[21] = 0x7F;
                     return f;
                   }()});
  return cases;
}

class VocBadTest : public testing::TestWithParam<BadCase> {};

TEST_P(VocBadTest, Refused) {
  VocFacts facts;
  EXPECT_FALSE(Read(GetParam().file, &facts));
}

INSTANTIATE_TEST_SUITE_P(Broken, VocBadTest, testing::ValuesIn(BadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VocTextTest, FirstTextBlockCutTo511Characters) {
  auto f = Header();
  std::vector<BYTE> first(600, 'a');
  Block(f, 5, first);
  std::vector<BYTE> second = {'z', 0};
  Block(f, 5, second);
  f.push_back(0);
  VocFacts facts;
  ASSERT_TRUE(Read(f, &facts));
  EXPECT_EQ(facts.subject, std::string(511, 'a'));

  auto g = Header();
  Block(g, 5, {'H', 'a', 'l', 'l', 'o', 0, 'x', 'y'});
  g.push_back(0);
  ASSERT_TRUE(Read(g, &facts));
  EXPECT_EQ(facts.subject, "Hallo");
}

}  // namespace
