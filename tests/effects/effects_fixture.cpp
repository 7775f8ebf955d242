#include "effects/effects_fixture.h"

#include <cmath>

#include "core/random.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "effects/effects_shared.h"
#include "platform/os/host.h"
#include "support/test_env.h"

namespace effectstest {

void EffectsTest::SetUp() {
  // An archive without the effect pictures: the effects must cope with missing art.
  static std::string root;
  if (root.empty()) {
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2, tga[12] = 1, tga[14] = 1, tga[16] = 32, tga[17] = 0x28;
    tga.insert(tga.end(), {255, 255, 255, 255});
    std::vector<uint8_t> archive;
    pak::BuildArchive({{"Art\\White.tga", tga}}, 3, archive);
    root = testenv::MakeTempDir("effects");
    os::WriteFileAtomic(os::JoinPath(root, "Textures.pak"), archive.data(), archive.size());
  }
  ResetPaksForTest();
  os::SetDataRoot(root);
  os::SetMessageBoxHook([this](const std::string& caption, const std::string& text, os::MsgIcon) {
    boxes_.push_back(caption + "|" + text);
    return int(os::kMsgOk);
  });
  gfx::CreateNullDevice(kClientW, kClientH, &device_);
  SetClientSize(kClientW, kClientH);
  SetDevice(device_);
  ASSERT_EQ(CSprite::RestoreStaticDeviceObjects(device_), 0);
  SeedRandom(7);
  UpdateAllObjects(0.0f, 0.0f);
  lastTime_ = 0;
}

void EffectsTest::TearDown() {
  DestroyAllObjects();
  EXPECT_EQ(CountObjects(), 0);
  CSprite::InvalidateStaticDeviceObjects();
  effects::ResetEffectsSharedObjects();
  DestroyAllTextures();
  SetDevice(nullptr);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  device_->Release();
  os::SetMessageBoxHook({});
}

void EffectsTest::RunFrameAt(float t) {
  UpdateAllObjects(t, t - lastTime_);
  lastTime_ = t;
}

std::vector<gfx::NullDraw> EffectsTest::RenderFrame() {
  Rec()->ClearRecords();
  RenderAllObjects(device_);
  return Rec()->Draws();
}

CSprite* EffectsTest::MakeHost(const ScreenRect& rect, CGameObject* parent, float depth) {
  return new CSprite(rect, depth, nullptr, parent);
}

testing::AssertionResult RectNear(const ScreenRect& got, const ScreenRect& want, float tol) {
  const float d[4] = {got.left - want.left, got.top - want.top, got.right - want.right,
                      got.bottom - want.bottom};
  for (float v : d)
    if (!(std::fabs(v) <= tol))
      return testing::AssertionFailure()
             << "got (" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom << ")";
  return testing::AssertionSuccess();
}

testing::AssertionResult StatesRestoredAfter(gfx::NullDevice* rec, size_t drawIndex) {
  // The last value each state was given after the draw.
  struct Want {
    gfx::RenderState state;
    uint32_t value;
  };
  const Want wants[] = {{gfx::RS_ZENABLE, 1},
                        {gfx::RS_ZWRITEENABLE, 1},
                        {gfx::RS_POINTSPRITEENABLE, 0},
                        {gfx::RS_ALPHABLENDENABLE, 0},
                        {gfx::RS_ALPHATESTENABLE, 0}};
  for (const Want& w : wants) {
    uint32_t value = ~0u;
    for (const gfx::NullStateChange& c : rec->StateChanges())
      if (c.drawIndex > drawIndex && c.kind == gfx::NullStateChange::kRenderState && c.state == w.state)
        value = c.value;
    if (value == ~0u) {
      uint32_t current = 0;
      rec->GetRenderState(w.state, &current);
      value = current;
    }
    if (value != w.value)
      return testing::AssertionFailure() << "render state " << w.state << " left at " << value;
  }
  return testing::AssertionSuccess();
}

}  // namespace effectstest
