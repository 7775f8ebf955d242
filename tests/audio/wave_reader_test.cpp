// The RIFF/WAVE reader: the chunk walk and its distrust of stored sizes.
#include "audio/wave_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct WaveBuilder {
  std::vector<uint8_t> bytes;
  size_t riffSizeAt = 4;

  WaveBuilder() { Tag("RIFF").U32(0).Tag("WAVE"); }
  WaveBuilder& Tag(const char* t) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(t[i]));
    return *this;
  }
  WaveBuilder& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
    return *this;
  }
  WaveBuilder& U16(uint16_t v) {
    bytes.push_back(uint8_t(v));
    bytes.push_back(uint8_t(v >> 8));
    return *this;
  }
  WaveBuilder& Raw(size_t n, uint8_t fill) {
    bytes.insert(bytes.end(), n, fill);
    return *this;
  }
  WaveBuilder& PcmFmt(uint16_t channels = 1, uint32_t rate = 22050) {
    return Tag("fmt ")
        .U32(16)
        .U16(1)
        .U16(channels)
        .U32(rate)
        .U32(rate * channels * 2)
        .U16(uint16_t(channels * 2))
        .U16(16);
  }
  WaveBuilder& Data(uint32_t declared, size_t present) {
    return Tag("data").U32(declared).Raw(present, 0x11);
  }
  std::vector<uint8_t> Done() {
    uint32_t size = uint32_t(bytes.size() - 8);
    std::memcpy(bytes.data() + riffSizeAt, &size, 4);
    return bytes;
  }
};

bool Parse(const std::vector<uint8_t>& b, WaveData& w, std::string* why = nullptr) {
  return ParseWave(b.data(), b.size(), w, why);
}

TEST(WaveReader, FindsFormatAndDataPastOtherAndOddSizedChunks) {
  auto file = WaveBuilder()
                  .Tag("LIST")
                  .U32(3)
                  .Raw(3, 0)
                  .Raw(1, 0)
                  .PcmFmt(2, 44100)
                  .Tag("junk")
                  .U32(0)
                  .Data(8, 8)
                  .Done();
  WaveData w;
  ASSERT_TRUE(Parse(file, w));
  EXPECT_EQ(w.format.formatTag, 1);
  EXPECT_EQ(w.format.channels, 2);
  EXPECT_EQ(w.format.samplesPerSec, 44100u);
  EXPECT_EQ(w.format.blockAlign, 4);
  EXPECT_EQ(w.format.bitsPerSample, 16);
  EXPECT_TRUE(w.format.extra.empty());
  EXPECT_EQ(w.dataSize, 8u);
  EXPECT_EQ(file[w.dataOffset], 0x11);
  EXPECT_EQ(w.dataOffset + w.dataSize, file.size());
}

TEST(WaveReader, SizesBeyondTheBytesPresentAreCut) {
  WaveData w;
  // A data chunk claiming far more than the file holds keeps what is there.
  ASSERT_TRUE(Parse(WaveBuilder().PcmFmt().Data(0xFFFFFFF0u, 100).Done(), w));
  EXPECT_EQ(w.dataSize, 100u);
  // So does a RIFF size larger than the file.
  auto file = WaveBuilder().PcmFmt().Data(50, 50).Done();
  file[4] = file[5] = file[6] = file[7] = 0xFF;
  ASSERT_TRUE(Parse(file, w));
  EXPECT_EQ(w.dataSize, 50u);
  // A RIFF size smaller than the file hides what lies beyond it.
  file = WaveBuilder().PcmFmt().Data(50, 50).Done();
  uint32_t shortSize = 4 + 24;
  std::memcpy(file.data() + 4, &shortSize, 4);
  std::string why;
  EXPECT_FALSE(Parse(file, w, &why));
  EXPECT_EQ(why, "no data chunk");
  // A chunk whose size would wrap the walk does not loop or read past the end.
  EXPECT_FALSE(Parse(WaveBuilder().Tag("LIST").U32(0xFFFFFFFFu).PcmFmt().Done(), w, &why));
  EXPECT_EQ(why, "no fmt chunk");
}

TEST(WaveReader, RejectsWhatIsNotAWave) {
  WaveData w;
  std::string why;
  EXPECT_FALSE(ParseWave(nullptr, 0, w, &why));
  EXPECT_FALSE(Parse({'R', 'I', 'F', 'F'}, w, &why));
  auto notRiff = WaveBuilder().PcmFmt().Data(4, 4).Done();
  notRiff[0] = 'X';
  EXPECT_FALSE(Parse(notRiff, w, &why));
  EXPECT_EQ(why, "not a RIFF file");
  auto notWave = WaveBuilder().PcmFmt().Data(4, 4).Done();
  notWave[8] = 'A';
  EXPECT_FALSE(Parse(notWave, w, &why));
  EXPECT_EQ(why, "RIFF form is not WAVE");
  EXPECT_FALSE(Parse(WaveBuilder().Tag("fmt ").U32(14).Raw(14, 1).Data(4, 4).Done(), w, &why));
  EXPECT_EQ(why, "fmt chunk shorter than 16 bytes");
  // A format chunk cut short by the end of the file.
  EXPECT_FALSE(Parse(WaveBuilder().Tag("fmt ").U32(16).Raw(10, 1).Done(), w, &why));
  EXPECT_FALSE(Parse(WaveBuilder().PcmFmt().Done(), w, &why));
  EXPECT_EQ(why, "no data chunk");
}

TEST(WaveReader, OtherFormatsCarryTheirExtraBytesWhenTheChunkHoldsThem) {
  WaveData w;
  auto adpcm = WaveBuilder()
                   .Tag("fmt ")
                   .U32(22)
                   .U16(2)
                   .U16(1)
                   .U32(22050)
                   .U32(11025)
                   .U16(256)
                   .U16(4)
                   .U16(4)
                   .Raw(4, 0xAB)
                   .Data(4, 4)
                   .Done();
  ASSERT_TRUE(Parse(adpcm, w));
  EXPECT_EQ(w.format.formatTag, 2);
  EXPECT_EQ(w.format.extra, std::vector<uint8_t>(4, 0xAB));
  std::string why;
  auto lying = WaveBuilder()
                   .Tag("fmt ")
                   .U32(18)
                   .U16(2)
                   .U16(1)
                   .U32(22050)
                   .U32(11025)
                   .U16(256)
                   .U16(4)
                   .U16(500)
                   .Data(4, 4)
                   .Done();
  EXPECT_FALSE(Parse(lying, w, &why));
  EXPECT_EQ(why, "fmt chunk extra bytes run past the chunk");
}

}  // namespace
