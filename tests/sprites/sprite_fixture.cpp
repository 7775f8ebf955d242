#include "sprites/sprite_fixture.h"

#include "app/shared_device_objects.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "support/test_env.h"

namespace spritetest {
namespace {

std::vector<uint8_t> SolidTga(int w, int h, uint32_t argb) {
  std::vector<uint8_t> out(18, 0);
  out[2] = 2;
  out[12] = uint8_t(w), out[14] = uint8_t(h);
  out[16] = 32;
  out[17] = 0x28;
  for (int i = 0; i < w * h; ++i)
    out.insert(out.end(), {uint8_t(argb), uint8_t(argb >> 8), uint8_t(argb >> 16), uint8_t(argb >> 24)});
  return out;
}

}  // namespace

void SpriteTest::SetUp() {
  static std::string root;
  if (root.empty()) {
    std::vector<uint8_t> archive;
    pak::BuildArchive(
        {{"Art\\White.tga", SolidTga(8, 4, 0xFFFFFFFF)}, {"Art\\Red.tga", SolidTga(4, 4, 0xFFFF0000)}}, 7,
        archive);
    root = testenv::MakeTempDir("sprites");
    os::WriteFileAtomic(os::JoinPath(root, "Textures.pak"), archive.data(), archive.size());
  }
  ResetPaksForTest();
  os::SetDataRoot(root);
  gfx::CreateNullDevice(kClientW, kClientH, &device_);
  SetClientSize(kClientW, kClientH);
  SetDevice(device_);
  ASSERT_EQ(CSprite::RestoreStaticDeviceObjects(device_), 0);
  UpdateAllObjects(0.0f, 0.0f);
}

void SpriteTest::TearDown() {
  DestroyAllObjects();
  EXPECT_EQ(CSprite::LiveCount(), 0);
  EXPECT_EQ(CountObjects(), 0);
  // As the shell does: every shared resource a test restored goes with the device.
  InvalidateSharedDeviceObjects();
  DestroyAllTextures();
  SetDevice(nullptr);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  device_->Release();
}

void SpriteTest::RunFrameAt(float t) {
  UpdateAllObjects(t, t - lastTime_);
  lastTime_ = t;
}

testing::AssertionResult RectNear(const ScreenRect& got, const ScreenRect& want, float tol) {
  const float d[5] = {got.left - want.left, got.top - want.top, got.right - want.right,
                      got.bottom - want.bottom, got.angle - want.angle};
  for (float v : d) {
    if (!(std::fabs(v) <= tol)) {
      return testing::AssertionFailure()
             << "got (" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom << ", a "
             << got.angle << ") want (" << want.left << ", " << want.top << ", " << want.right << ", "
             << want.bottom << ", a " << want.angle << ")";
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace spritetest
