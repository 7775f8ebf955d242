#include "platform/gfx/image_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "textures/image_fixtures.h"

using fixtures::Bytes;

namespace {

bool Decode(const Bytes& b, gfx::Image& out) {
  return gfx::DecodeImage(b.data(), b.size(), out);
}

void ExpectSame(const gfx::Image& want, const gfx::Image& got) {
  ASSERT_EQ(want.width, got.width);
  ASSERT_EQ(want.height, got.height);
  for (size_t i = 0; i < want.pixels.size(); ++i)
    ASSERT_EQ(want.pixels[i], got.pixels[i]) << "pixel " << i % want.width << "," << i / want.width;
}

}  // namespace

TEST(ImageDecode, PngKeepsEveryPixelAndItsAlpha) {
  gfx::Image src = fixtures::Pattern(13, 7, 0x80);
  src.pixels[0] = 0x00000000;  // fully transparent
  gfx::Image got;
  ASSERT_TRUE(Decode(fixtures::EncodePng(src), got));
  ExpectSame(src, got);
}

TEST(ImageDecode, JpegIsCloseAndOpaque) {
  gfx::Image src;
  src.width = 32, src.height = 16;
  src.pixels.assign(32 * 16, 0xFF3080C0);
  for (int x = 16; x < 32; ++x)
    for (int y = 0; y < 16; ++y) src.pixels[y * 32 + x] = 0xFFE0D020;
  gfx::Image got;
  ASSERT_TRUE(Decode(fixtures::EncodeJpeg(src), got));
  ASSERT_EQ(got.width, 32);
  ASSERT_EQ(got.height, 16);
  auto near = [](uint32_t a, uint32_t b) {
    for (int s = 0; s < 32; s += 8)
      if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > 6) return false;
    return true;
  };
  EXPECT_TRUE(near(got.pixels[4 * 32 + 4], 0xFF3080C0)) << std::hex << got.pixels[4 * 32 + 4];
  EXPECT_TRUE(near(got.pixels[4 * 32 + 27], 0xFFE0D020)) << std::hex << got.pixels[4 * 32 + 27];
}

TEST(ImageDecode, TgaHonoursOriginBitsInEveryLayout) {
  const gfx::Image src32 = fixtures::Pattern(9, 5, 0x7F);
  gfx::Image src24 = fixtures::Pattern(9, 5);
  for (bool topFirst : {false, true}) {
    for (bool rle : {false, true}) {
      for (bool rightFirst : {false, true}) {
        SCOPED_TRACE(testing::Message() << "top " << topFirst << " rle " << rle << " right " << rightFirst);
        gfx::Image got;
        ASSERT_TRUE(Decode(fixtures::EncodeTga(src32, 32, topFirst, rle, rightFirst, "id"), got));
        ExpectSame(src32, got);
        ASSERT_TRUE(Decode(fixtures::EncodeTga(src24, 24, topFirst, rle, rightFirst), got));
        ExpectSame(src24, got);  // 24-bit pictures are opaque
      }
    }
  }
}

TEST(ImageDecode, TgaRunsMayCrossRowEnds) {
  gfx::Image src;
  src.width = 5, src.height = 4;
  src.pixels.assign(20, 0xFF112233);
  src.pixels[7] = 0xFF445566;
  const Bytes tga = fixtures::EncodeTga(src, 32, true, true);
  ASSERT_LT(tga.size(), 18u + 20 * 4);  // really compressed
  gfx::Image got;
  ASSERT_TRUE(Decode(tga, got));
  ExpectSame(src, got);
}

TEST(ImageDecode, TgaFormatsWeDoNotReadAreRefused) {
  Bytes tga = fixtures::EncodeTga(fixtures::Pattern(4, 4), 32, true);
  gfx::Image got;
  for (auto [offset, value] :
       std::vector<std::pair<int, uint8_t>>{{2, 1}, {2, 3}, {2, 11}, {16, 16}, {16, 8}, {1, 7}}) {
    Bytes bad = tga;
    bad[offset] = value;
    EXPECT_FALSE(Decode(bad, got)) << "offset " << offset << " value " << int(value);
    EXPECT_TRUE(got.pixels.empty());
  }
}

TEST(ImageDecode, TruncatedImagesFailCleanly) {
  const gfx::Image src = fixtures::Pattern(24, 18);
  const std::vector<Bytes> files = {fixtures::EncodePng(src), fixtures::EncodeJpeg(src),
                                    fixtures::EncodeTga(src, 32, false),
                                    fixtures::EncodeTga(src, 24, true, true)};
  for (const Bytes& whole : files) {
    for (size_t cut :
         {size_t(0), size_t(1), size_t(8), size_t(17), size_t(30), whole.size() / 2, whole.size() - 13}) {
      Bytes part(whole.begin(), whole.begin() + std::min(cut, whole.size()));
      gfx::Image got;
      std::string error;
      EXPECT_FALSE(gfx::DecodeImage(part.data(), part.size(), got, &error)) << "cut at " << cut;
      EXPECT_TRUE(got.pixels.empty());
      EXPECT_EQ(got.width, 0);
      EXPECT_FALSE(error.empty());
    }
  }
}

TEST(ImageDecode, AbsurdSizesAreRefusedBeforeAllocating) {
  // Headers claiming huge pictures over a few bytes of data: each must fail at once.
  Bytes tga = fixtures::EncodeTga(fixtures::Pattern(2, 2), 32, true);
  tga[12] = tga[13] = tga[14] = tga[15] = 0xFF;  // 65535 x 65535
  gfx::Image got;
  std::string error;
  EXPECT_FALSE(gfx::DecodeImage(tga.data(), tga.size(), got, &error));
  EXPECT_NE(error.find("size"), std::string::npos) << error;

  // PNG: patch the IHDR width and height (big-endian at offsets 16 and 20) and its CRC.
  Bytes png = fixtures::EncodePng(fixtures::Pattern(2, 2));
  for (int i : {16, 20}) png[i] = 0, png[i + 1] = 0x01, png[i + 2] = 0x86, png[i + 3] = 0xA0;  // 100000
  uint32_t crc = 0xFFFFFFFFu;  // CRC-32 over type and data of IHDR (bytes 12..28)
  for (int i = 12; i < 29; ++i) {
    crc ^= png[i];
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  crc ^= 0xFFFFFFFFu;
  png[29] = uint8_t(crc >> 24), png[30] = uint8_t(crc >> 16), png[31] = uint8_t(crc >> 8),
  png[32] = uint8_t(crc);
  error.clear();
  EXPECT_FALSE(gfx::DecodeImage(png.data(), png.size(), got, &error));
  EXPECT_NE(error.find("size"), std::string::npos) << error;

  // JPEG: the SOF0 frame header holds height and width after its precision byte.
  Bytes jpg = fixtures::EncodeJpeg(fixtures::Pattern(8, 8));
  for (size_t i = 2; i + 9 < jpg.size(); ++i) {
    if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) {
      jpg[i + 5] = 0x4E, jpg[i + 6] = 0x20, jpg[i + 7] = 0x4E, jpg[i + 8] = 0x20;  // 20000 x 20000
      break;
    }
  }
  error.clear();
  EXPECT_FALSE(gfx::DecodeImage(jpg.data(), jpg.size(), got, &error));
  EXPECT_NE(error.find("size"), std::string::npos) << error;

  EXPECT_TRUE(gfx::ImageSizeAcceptable(gfx::kMaxImageSide, 1));
  EXPECT_FALSE(gfx::ImageSizeAcceptable(gfx::kMaxImageSide, gfx::kMaxImageSide));
  EXPECT_FALSE(gfx::ImageSizeAcceptable(0, 5));
}

TEST(ImageDecode, FormatIsFoundBySignature) {
  const gfx::Image src = fixtures::Pattern(3, 3);
  const Bytes png = fixtures::EncodePng(src), jpg = fixtures::EncodeJpeg(src);
  const Bytes tga = fixtures::EncodeTga(src, 24, true);
  EXPECT_EQ(gfx::DetectImageFormat(png.data(), png.size()), gfx::ImageFormat::kPng);
  EXPECT_EQ(gfx::DetectImageFormat(jpg.data(), jpg.size()), gfx::ImageFormat::kJpeg);
  EXPECT_EQ(gfx::DetectImageFormat(tga.data(), tga.size()), gfx::ImageFormat::kTga);
  EXPECT_EQ(gfx::DetectImageFormat(png.data(), 5), gfx::ImageFormat::kUnknown);
  gfx::Image got;
  std::string error;
  EXPECT_FALSE(gfx::LoadImageFile("/nonexistent/picture.png", got, &error));
  EXPECT_FALSE(error.empty());
}
