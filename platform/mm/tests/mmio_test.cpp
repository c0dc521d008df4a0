// RIFF file access: descending into nested forms and lists, padding of odd
// chunks, refusal of chunks that run past their parent or the file, reads
// that stop at the end, and the open errors.
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <filesystem>

#include "mmfiles.h"

using namespace mmtest;

namespace {

// RIFF WAVE: "fmt " (16), LIST INFO {ISBJ "Hallo\0", ICMT "odd!!" (5)},
// "odd " (3 bytes, padded), "data" (8).
Bytes SampleWave() {
  Bytes fmt(16);
  for (size_t i = 0; i < fmt.size(); ++i) fmt[i] = static_cast<uint8_t>(i + 1);
  return Form("RIFF", "WAVE",
              {Chunk("fmt ", fmt),
               Form("LIST", "INFO", {Chunk("ISBJ", Text(std::string("Hallo", 6))), Chunk("ICMT", Text("odd!!"))}),
               Chunk("odd ", {7, 8, 9}), Chunk("data", {1, 2, 3, 4, 5, 6, 7, 8})});
}

class MmioFile : public ::testing::Test {
 protected:
  void Open(const Bytes& bytes) {
    name_ = WriteFile("sample.wav", bytes);
    mmio_ = mmioOpenA(name_.c_str(), nullptr, MMIO_READ | MMIO_ALLOCBUF | MMIO_DENYWRITE);
    ASSERT_NE(mmio_, 0u) << name_;
  }
  void TearDown() override {
    if (mmio_) {
      EXPECT_EQ(mmioClose(mmio_, 0), MMSYSERR_NOERROR);
    }
  }
  std::string name_;
  HMMIO mmio_ = 0;
};

TEST_F(MmioFile, DescendsThroughNestedListAndPaddedChunks) {
  Bytes file = SampleWave();
  Open(file);
  MMCKINFO riff{}, fmt{}, list{}, sub{}, data{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  ASSERT_EQ(mmioDescend(mmio_, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.ckid, FOURCC_RIFF);
  EXPECT_EQ(riff.cksize, file.size() - 8);
  EXPECT_EQ(riff.dwDataOffset, 8u);
  EXPECT_EQ(mmioSeek(mmio_, 0, SEEK_CUR), 12);

  fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
  ASSERT_EQ(mmioDescend(mmio_, &fmt, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(fmt.cksize, 16u);
  EXPECT_EQ(fmt.dwDataOffset, 20u);
  char body[16];
  ASSERT_EQ(mmioRead(mmio_, body, 16), 16);
  EXPECT_EQ(body[0], 1);
  EXPECT_EQ(body[15], 16);
  ASSERT_EQ(mmioAscend(mmio_, &fmt, 0), MMSYSERR_NOERROR);

  list.fccType = mmioFOURCC('I', 'N', 'F', 'O');
  ASSERT_EQ(mmioDescend(mmio_, &list, &riff, MMIO_FINDLIST), MMSYSERR_NOERROR);
  EXPECT_EQ(list.ckid, FOURCC_LIST);
  sub.ckid = mmioFOURCC('I', 'C', 'M', 'T');
  ASSERT_EQ(mmioDescend(mmio_, &sub, &list, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(sub.cksize, 5u);
  char text[8] = {};
  EXPECT_EQ(mmioRead(mmio_, text, 5), 5);
  EXPECT_STREQ(text, "odd!!");
  ASSERT_EQ(mmioAscend(mmio_, &sub, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(mmioSeek(mmio_, 0, SEEK_CUR), static_cast<LONG>(sub.dwDataOffset + 6)) << "odd size padded";
  ASSERT_EQ(mmioAscend(mmio_, &list, 0), MMSYSERR_NOERROR);

  // The search for "data" skips the 3-byte chunk and its pad byte.
  data.ckid = mmioFOURCC('d', 'a', 't', 'a');
  ASSERT_EQ(mmioDescend(mmio_, &data, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(data.cksize, 8u);
  EXPECT_EQ(data.dwDataOffset, file.size() - 8);
  char samples[8];
  EXPECT_EQ(mmioRead(mmio_, samples, 8), 8);
  EXPECT_EQ(samples[7], 8);
}

TEST_F(MmioFile, PlainDescendTakesTheNextChunk) {
  Open(SampleWave());
  MMCKINFO riff{}, first{}, second{};
  ASSERT_EQ(mmioDescend(mmio_, &riff, nullptr, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.fccType, mmioFOURCC('W', 'A', 'V', 'E'));
  ASSERT_EQ(mmioDescend(mmio_, &first, &riff, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(first.ckid, mmioFOURCC('f', 'm', 't', ' '));
  mmioAscend(mmio_, &first, 0);
  ASSERT_EQ(mmioDescend(mmio_, &second, &riff, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(second.ckid, FOURCC_LIST);
  EXPECT_EQ(second.fccType, mmioFOURCC('I', 'N', 'F', 'O'));
}

TEST_F(MmioFile, MissingChunkInsideParentIsNotFound) {
  Open(SampleWave());
  MMCKINFO riff{}, list{}, chunk{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  ASSERT_EQ(mmioDescend(mmio_, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
  list.fccType = mmioFOURCC('I', 'N', 'F', 'O');
  ASSERT_EQ(mmioDescend(mmio_, &list, &riff, MMIO_FINDLIST), MMSYSERR_NOERROR);
  // "data" exists, but not inside the INFO list.
  chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
  EXPECT_EQ(mmioDescend(mmio_, &chunk, &list, MMIO_FINDCHUNK), static_cast<MMRESULT>(MMIOERR_CHUNKNOTFOUND));
  mmioSeek(mmio_, 12, SEEK_SET);
  chunk.ckid = mmioFOURCC('j', 'u', 'n', 'k');
  EXPECT_EQ(mmioDescend(mmio_, &chunk, &riff, MMIO_FINDCHUNK), static_cast<MMRESULT>(MMIOERR_CHUNKNOTFOUND));
  mmioSeek(mmio_, 0, SEEK_SET);
  riff.fccType = mmioFOURCC('A', 'V', 'I', ' ');
  EXPECT_EQ(mmioDescend(mmio_, &riff, nullptr, MMIO_FINDRIFF), static_cast<MMRESULT>(MMIOERR_CHUNKNOTFOUND));
}

struct BrokenCase {
  const char* name;
  Bytes file;
  const char* wanted;  // chunk searched for inside the RIFF form; nullptr: the form itself
};

TEST(MmioBroken, ChunksRunningPastParentOrFileAreRefused) {
  const BrokenCase cases[] = {
      {"child past parent", Form("RIFF", "WAVE", {Chunk("data", Bytes(8), 20), Chunk("pad ", Bytes(40))}, 20),
       "data"},
      {"form past end of file", Form("RIFF", "WAVE", {Chunk("data", Bytes(8))}, 400), nullptr},
      {"child past end of file", Form("RIFF", "WAVE", {Chunk("data", Bytes(8), 0x7FFFFFF0)}), "data"},
      {"skipped chunk past parent", Form("RIFF", "WAVE", {Chunk("junk", Bytes(4), 0xFFFFFFF0), Chunk("data", Bytes(2))}),
       "data"},
      {"header cut off", Bytes{'R', 'I', 'F', 'F', 4, 0}, nullptr},
      {"form without type", Chunk("RIFF", Bytes{'W', 'A'}), nullptr},
  };
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string name = WriteFile("broken.wav", c.file);
    HMMIO mmio = mmioOpenA(name.c_str(), nullptr, MMIO_READ);
    ASSERT_NE(mmio, 0u);
    MMCKINFO riff{}, chunk{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMRESULT r = mmioDescend(mmio, &riff, nullptr, MMIO_FINDRIFF);
    if (c.wanted) {
      ASSERT_EQ(r, MMSYSERR_NOERROR);
      chunk.ckid = mmioStringToFOURCCA(c.wanted, 0);
      r = mmioDescend(mmio, &chunk, &riff, MMIO_FINDCHUNK);
    }
    EXPECT_EQ(r, static_cast<MMRESULT>(MMIOERR_CHUNKNOTFOUND));
    mmioClose(mmio, 0);
  }
}

TEST_F(MmioFile, ReadsStopAtTheEndOfTheFile) {
  Bytes file = SampleWave();
  Open(file);
  char buffer[64];
  EXPECT_EQ(mmioSeek(mmio_, -4, SEEK_END), static_cast<LONG>(file.size() - 4));
  EXPECT_EQ(mmioRead(mmio_, buffer, sizeof buffer), 4);
  EXPECT_EQ(mmioRead(mmio_, buffer, sizeof buffer), 0);
  EXPECT_EQ(mmioSeek(mmio_, 100, SEEK_END), static_cast<LONG>(file.size() + 100));
  EXPECT_EQ(mmioRead(mmio_, buffer, sizeof buffer), 0);
  EXPECT_EQ(mmioRead(mmio_, buffer, -1), -1);
  EXPECT_EQ(mmioSeek(mmio_, -1, SEEK_SET), -1);
  EXPECT_EQ(mmioSeek(mmio_, 0, 7), -1);
  EXPECT_EQ(mmioSeek(mmio_, 2, SEEK_SET), 2);
  EXPECT_EQ(mmioSeek(mmio_, 3, SEEK_CUR), 5);
}

TEST(MmioOpen, FailuresNameTheirReason) {
  MMIOINFO info{};
  EXPECT_EQ(mmioOpenA("C:\\no such file.wav", &info, MMIO_READ), 0u);
  EXPECT_EQ(info.wErrorRet, static_cast<UINT>(MMIOERR_FILENOTFOUND));
  EXPECT_EQ(mmioOpenA("C:\\no folder\\x.wav", &info, MMIO_READ), 0u);
  EXPECT_EQ(info.wErrorRet, static_cast<UINT>(MMIOERR_PATHNOTFOUND));
  std::string name = WriteFile("open.wav", SampleWave());
  EXPECT_EQ(mmioOpenA(name.c_str(), &info, MMIO_WRITE), 0u);
  EXPECT_EQ(info.wErrorRet, static_cast<UINT>(MMIOERR_ACCESSDENIED));
  EXPECT_EQ(mmioOpenA(name.c_str(), &info, MMIO_CREATE | MMIO_READWRITE), 0u);
  EXPECT_EQ(info.wErrorRet, static_cast<UINT>(MMIOERR_ACCESSDENIED));
  EXPECT_EQ(std::filesystem::file_size(lvtest::Prefix() / "open.wav"), SampleWave().size()) << "file untouched";
}

TEST(MmioOpen, OpensThroughDriveCAndClosesOnce) {
  std::filesystem::create_directories(lvtest::Prefix() / "C" / "Sounds");
  Bytes file = SampleWave();
  std::ofstream(lvtest::Prefix() / "C" / "Sounds" / "Klang.wav", std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  MMIOINFO info{};
  HMMIO mmio = mmioOpenA("c:\\sounds\\KLANG.WAV", &info, MMIO_READ);
  ASSERT_NE(mmio, 0u);
  EXPECT_EQ(info.hmmio, mmio);
  char magic[4];
  EXPECT_EQ(mmioRead(mmio, magic, 4), 4);
  EXPECT_EQ(mmioFOURCC(magic[0], magic[1], magic[2], magic[3]), FOURCC_RIFF);
  EXPECT_EQ(mmioClose(mmio, 0), MMSYSERR_NOERROR);
  EXPECT_EQ(mmioClose(mmio, 0), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
  EXPECT_EQ(mmioRead(mmio, magic, 4), -1);
  MMCKINFO ck{};
  EXPECT_EQ(mmioDescend(mmio, &ck, nullptr, 0), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
}

TEST(MmioFourcc, StringsArePaddedAndOptionallyUpperCased) {
  EXPECT_EQ(mmioStringToFOURCCA("WAVE", 0), mmioFOURCC('W', 'A', 'V', 'E'));
  EXPECT_EQ(mmioStringToFOURCCA("ab", 0), mmioFOURCC('a', 'b', ' ', ' '));
  EXPECT_EQ(mmioStringToFOURCCA("rmidi", MMIO_TOUPPER), mmioFOURCC('R', 'M', 'I', 'D'));
  EXPECT_EQ(mmioStringToFOURCCA("", 0), mmioFOURCC(' ', ' ', ' ', ' '));
}

}  // namespace
