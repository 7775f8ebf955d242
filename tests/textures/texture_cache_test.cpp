#include "data/texture_cache.h"

#include <gtest/gtest.h>

#include <cmath>

#include "data/pakfile.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"
#include "scene/game_object.h"
#include "support/test_env.h"
#include "textures/image_fixtures.h"

using fixtures::Bytes;

namespace {

// A 4 x 2 mask picture: top row alpha 255, 0, 255, 0; bottom row all 0 except the last pixel.
gfx::Image MaskPicture() {
  gfx::Image img;
  img.width = 4, img.height = 2;
  img.pixels = {0xFF0000FF, 0x000000FF, 0xFF0000FF, 0x000000FF,  //
                0x00FF0000, 0x00FF0000, 0x00FF0000, 0xFFFF0000};
  return img;
}

class TextureCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    const gfx::Image wide = fixtures::Pattern(64, 32);
    fixtures::UseTexturePak({
        {"GUI\\CursorHand.png", fixtures::EncodePng(wide)},
        {"Backgrounds\\Photo.jpg", fixtures::EncodeJpeg(fixtures::Pattern(30, 40))},
        {"Items\\Mask.tga", fixtures::EncodeTga(MaskPicture(), 32, true)},
        {"Items\\BottomUp.tga", fixtures::EncodeTga(MaskPicture(), 32, false)},
        {"Items\\Opaque24.tga", fixtures::EncodeTga(fixtures::Pattern(8, 8), 24, true)},
        {"Items\\Broken.png", Bytes{0x89, 'P', 'N', 'G', 1, 2, 3}},
    });
    gfx::CreateNullDevice(800, 600, &device_);
    SetDevice(device_);
  }
  void TearDown() override {
    DestroyAllTextures();
    SetDevice(nullptr);
    EXPECT_EQ(device_->LiveResourceCount(), 0);
    device_->Release();
    ResetPaksForTest();
  }
  gfx::Device* device_ = nullptr;
};

}  // namespace

TEST_F(TextureCacheTest, EntriesAreSharedByNameWithoutRegardToCase) {
  TextureEntry* a = AcquireTexture("GUI\\CursorHand.png", 0);
  TextureEntry* b = AcquireTexture("gui\\cursorhand.png", kTexSingleLevel);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_EQ(GetTextureRefCount(a), 2);
  EXPECT_EQ(GetTextureFlags(a), 0u);  // the first acquirer's flags stay
  EXPECT_STREQ(GetTextureName(a), "GUI\\CursorHand.png");
  ASSERT_NE(GetDeviceTexture(a), nullptr);
  EXPECT_EQ(GetTextureWidth(a), 64);
  EXPECT_EQ(GetTextureHeight(a), 32);
  EXPECT_FLOAT_EQ(GetAspect(a), 2.0f);
  EXPECT_GT(GetDeviceTexture(a)->Levels(), 1);  // full mip chain by default
  EXPECT_EQ(CountTextures(), 1);
  ReleaseTexture(a);
  EXPECT_EQ(CountTextures(), 1);
  ReleaseTexture(b);
  EXPECT_EQ(CountTextures(), 0);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
}

TEST_F(TextureCacheTest, FlagsChooseLevelsAndMasks) {
  TextureEntry* single = AcquireTexture("Backgrounds\\Photo.jpg", kTexSingleLevel);
  ASSERT_NE(GetDeviceTexture(single), nullptr);
  EXPECT_EQ(GetDeviceTexture(single)->Levels(), 1);
  EXPECT_FLOAT_EQ(GetAspect(single), 0.75f);

  // A PNG asked for with the mask flag gets its texture but no mask: it hits everywhere.
  TextureEntry* png = AcquireTexture("GUI\\CursorHand.png", kTexHitMask);
  EXPECT_NE(GetDeviceTexture(png), nullptr);
  EXPECT_FALSE(HasHitMask(png));
  EXPECT_EQ(HitTestMask(png, 5.0f, -7.0f), 1);

  // 24-bit TGA: no mask either.
  TextureEntry* opaque = AcquireTexture("Items\\Opaque24.tga", kTexHitMask);
  EXPECT_NE(GetDeviceTexture(opaque), nullptr);
  EXPECT_FALSE(HasHitMask(opaque));

  // A 32-bit TGA without the flag has no mask.
  TextureEntry* noFlag = AcquireTexture("Items\\Mask.tga", 0);
  EXPECT_FALSE(HasHitMask(noFlag));
  for (TextureEntry* e : {single, png, opaque, noFlag}) ReleaseTexture(e);
}

TEST_F(TextureCacheTest, HitMaskReadsAlphaInFileOrder) {
  TextureEntry* e = AcquireTexture("items\\MASK.TGA", kTexHitMask);
  ASSERT_TRUE(HasHitMask(e));
  // Columns at x = -0.75, -0.25, 0.25, 0.75; the top row at y = 0.5, the bottom row at y = -0.5.
  EXPECT_EQ(HitTestMask(e, -0.75f, 0.5f), 1);
  EXPECT_EQ(HitTestMask(e, -0.25f, 0.5f), 0);
  EXPECT_EQ(HitTestMask(e, 0.25f, 0.5f), 1);
  EXPECT_EQ(HitTestMask(e, 0.75f, 0.5f), 0);
  EXPECT_EQ(HitTestMask(e, -0.75f, -0.5f), 0);
  EXPECT_EQ(HitTestMask(e, 0.75f, -0.5f), 1);
  // (0, 0) tests the pixel right of and below the centre: column 2, row 1.
  EXPECT_EQ(HitTestMask(e, 0.0f, 0.0f), 0);
  // (1, 1) is column w and row 0: outside, a miss even though row 0 is opaque there.
  EXPECT_EQ(HitTestMask(e, 1.0f, 1.0f), 0);
  EXPECT_EQ(HitTestMask(e, -1.0f, 1.0f), 1);  // column 0, row 0
  EXPECT_EQ(HitTestMask(e, 0.0f, -1.0f), 0);  // row h: outside
  EXPECT_EQ(HitTestMask(e, 1e30f, 0.0f), 0);
  EXPECT_EQ(HitTestMask(e, std::nanf(""), 0.0f), 0);

  // The mask ignores the origin bit: a bottom-up file's first stored row (the picture's bottom)
  // is the mask's top row, while the texture itself shows the picture the right way up.
  TextureEntry* up = AcquireTexture("Items\\BottomUp.tga", kTexHitMask);
  ASSERT_TRUE(HasHitMask(up));
  EXPECT_EQ(HitTestMask(up, 0.75f, 0.5f), 1);
  EXPECT_EQ(HitTestMask(up, -0.75f, 0.5f), 0);
  const gfx::Image* pixels = gfx::NullDevice::ImageOf(GetDeviceTexture(up));
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->pixels[0], 0xFF0000FFu);
  ReleaseTexture(e);
  ReleaseTexture(up);
}

TEST_F(TextureCacheTest, MissingAndBrokenPicturesGiveEntriesWithoutTexture) {
  TextureEntry* missing = AcquireTexture("Nowhere\\Nothing.png", kTexHitMask);
  TextureEntry* broken = AcquireTexture("Items\\Broken.png", 0);
  ASSERT_NE(missing, nullptr);
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(GetDeviceTexture(missing), nullptr);
  EXPECT_EQ(GetDeviceTexture(broken), nullptr);
  EXPECT_FLOAT_EQ(GetAspect(missing), 1.0f);
  EXPECT_EQ(HitTestMask(missing, 0, 0), 1);
  EXPECT_EQ(GetDeviceTexture(nullptr), nullptr);
  EXPECT_STREQ(GetTextureName(nullptr), "");
  ReleaseTexture(nullptr);
  ReleaseTexture(missing);
  ReleaseTexture(broken);
}

TEST_F(TextureCacheTest, DeviceResetRestoresEveryEntryIncludingThoseMadeWhileLost) {
  TextureEntry* a = AcquireTexture("GUI\\CursorHand.png", 0);
  TextureEntry* b = AcquireTexture("Items\\Mask.tga", kTexHitMask);
  TextureEntry* gone = AcquireTexture("Nowhere\\Nothing.png", 0);
  EXPECT_EQ(device_->LiveResourceCount(), 2);

  InvalidateAllTextures();
  EXPECT_EQ(GetDeviceTexture(a), nullptr);
  EXPECT_EQ(GetDeviceTexture(b), nullptr);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  EXPECT_TRUE(HasHitMask(b));  // masks survive device loss

  // Made while the device is gone: no texture yet, but its mask is there.
  SetDevice(nullptr);
  TextureEntry* c = AcquireTexture("Backgrounds\\Photo.jpg", 0);
  TextureEntry* d = AcquireTexture("Items\\BottomUp.tga", kTexHitMask);
  EXPECT_EQ(GetDeviceTexture(c), nullptr);
  EXPECT_TRUE(HasHitMask(d));

  // Once the device is published again (the restore step's start), new entries get their textures
  // at once, before the sweep: a loading screen shown during the restore needs its pictures.
  SetDevice(device_);
  TextureEntry* early = AcquireTexture("Items\\Opaque24.tga", 0);
  EXPECT_NE(GetDeviceTexture(early), nullptr);
  RestoreAllTextures(device_);
  EXPECT_EQ(device_->LiveResourceCount(), 5);
  ReleaseTexture(early);
  for (TextureEntry* e : {a, b, c, d}) EXPECT_NE(GetDeviceTexture(e), nullptr) << GetTextureName(e);
  EXPECT_EQ(GetDeviceTexture(gone), nullptr);
  EXPECT_FLOAT_EQ(GetAspect(c), 0.75f);
  EXPECT_EQ(device_->LiveResourceCount(), 4);
  RestoreAllTextures(device_);  // a second sweep makes nothing twice
  EXPECT_EQ(device_->LiveResourceCount(), 4);

  // A failing creation leaves that entry without texture and the sweep goes on.
  InvalidateAllTextures();
  gfx::NullDevice::From(device_)->FailNextCreations(gfx::NullDevice::ResourceKind::kTexture, 1);
  RestoreAllTextures(device_);
  EXPECT_EQ(GetDeviceTexture(a), nullptr);
  EXPECT_NE(GetDeviceTexture(b), nullptr);
  EXPECT_NE(GetDeviceTexture(d), nullptr);

  DestroyAllTextures();  // regardless of references
  EXPECT_EQ(CountTextures(), 0);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
}

TEST_F(TextureCacheTest, EntriesMadeBeforeAnyDeviceGetTexturesFromTheFirstRestore) {
  SetDevice(nullptr);
  TextureEntry* e = AcquireTexture("GUI\\CursorHand.png", 0);
  EXPECT_EQ(GetDeviceTexture(e), nullptr);
  SetDevice(device_);
  RestoreAllTextures(device_);
  EXPECT_NE(GetDeviceTexture(e), nullptr);
  ReleaseTexture(e);
}

TEST_F(TextureCacheTest, LooseFilesAreReadFromTheDataRootOrAnAbsolutePath) {
  const std::string dir = testenv::MakeTempDir("loose");
  const Bytes jpg = fixtures::EncodeJpeg(fixtures::Pattern(40, 20));
  os::MakeDirectories(os::JoinPath(os::DataRoot(), "Sub"));
  ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(os::DataRoot(), "Sub/Splash.jpg"), jpg.data(), jpg.size()));
  ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(dir, "Abs.tga"),
                                  fixtures::EncodeTga(MaskPicture(), 32, true).data(),
                                  fixtures::EncodeTga(MaskPicture(), 32, true).size()));
  TextureEntry* rel = AcquireTexture("Sub\\Splash.jpg", kTexLooseFile);
  TextureEntry* abs = AcquireTexture(os::JoinPath(dir, "Abs.tga"), kTexLooseFile | kTexHitMask);
  EXPECT_NE(GetDeviceTexture(rel), nullptr);
  EXPECT_FLOAT_EQ(GetAspect(rel), 2.0f);
  EXPECT_NE(GetDeviceTexture(abs), nullptr);
  EXPECT_TRUE(HasHitMask(abs));
  // Without the loose flag the same name is looked up in the archive, where it is missing.
  TextureEntry* packed = AcquireTexture("Sub\\Other.jpg", 0);
  EXPECT_EQ(GetDeviceTexture(packed), nullptr);
  for (TextureEntry* e : {rel, abs, packed}) ReleaseTexture(e);
}

TEST(HitMask, OnlyWholeUncompressed32BitFilesGiveMasks) {
  Bytes tga = fixtures::EncodeTga(MaskPicture(), 32, true, false, false, "an id");
  int w = 0, h = 0;
  std::vector<uint8_t> mask;
  ASSERT_TRUE(BuildHitMask(tga.data(), tga.size(), w, h, mask));
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(mask, (std::vector<uint8_t>{0xFF, 0, 0xFF, 0, 0, 0, 0, 0xFF}));
  EXPECT_FALSE(BuildHitMask(tga.data(), tga.size() - 1, w, h, mask));  // short
  EXPECT_TRUE(mask.empty());
  const Bytes rle = fixtures::EncodeTga(MaskPicture(), 32, true, true);
  EXPECT_FALSE(BuildHitMask(rle.data(), rle.size(), w, h, mask));
  Bytes huge = tga;
  huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
  EXPECT_FALSE(BuildHitMask(huge.data(), huge.size(), w, h, mask));
  EXPECT_FALSE(BuildHitMask(nullptr, 0, w, h, mask));
}

TEST(FrameDrawing, ScopesNestAndEnd) {
  EXPECT_FALSE(IsFrameBeingDrawn());
  {
    FrameDrawingScope frame;
    EXPECT_TRUE(IsFrameBeingDrawn());
    {
      FrameDrawingScope inner;
      EXPECT_TRUE(IsFrameBeingDrawn());
    }
    EXPECT_TRUE(IsFrameBeingDrawn());
  }
  EXPECT_FALSE(IsFrameBeingDrawn());
}
