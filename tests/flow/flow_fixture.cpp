#include "flow/flow_fixture.h"

#include "core/frame_timer.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "flow/environment_factory.h"
#include "flow/progress_table.h"
#include "platform/os/host.h"
#include "support/test_env.h"

namespace flowtest {

int TestScene::alive = 0;

namespace {
int64_t g_ticks = 0;
int64_t Ticks() {
  return g_ticks;
}
}  // namespace

void FlowTest::SetUp() {
  os::SetHost(os::CreateHeadlessHost(800, 600));
  ResetPaksForTest();
  // An empty picture archive: scenes here load nothing, quietly.
  static std::string root;
  if (root.empty()) {
    std::vector<uint8_t> archive;
    pak::BuildArchive({}, 1, archive);
    root = testenv::MakeTempDir("flow");
    os::WriteFileAtomic(os::JoinPath(root, "Textures.pak"), archive.data(), archive.size());
  }
  os::SetDataRoot(root);
  gfx::CreateNullDevice(800, 600, &device_);
  SetClientSize(800, 600);
  SetDevice(device_);
  CSprite::RestoreStaticDeviceObjects(device_);
  FrameTimer::SetCounterForTests(&Ticks, 1000);
  new FrameTimer();
  ResetEnvironmentBuilders();
  FreeTransitionTable();
  TestScene::alive = 0;
  UpdateAllObjects(0.0f, 0.0f);
}

void FlowTest::TearDown() {
  DestroyAllObjects();
  EXPECT_EQ(CountObjects(), 0);
  EXPECT_EQ(TestScene::alive, 0);
  DestroyAllTimers();
  FrameTimer::SetCounterForTests(nullptr, 0);
  CSprite::InvalidateStaticDeviceObjects();
  DestroyAllTextures();
  SetDevice(nullptr);
  device_->Release();
  ResetEnvironmentBuilders();
  FreeTransitionTable();
}

void FlowTest::RunAt(float t) {
  UpdateAllObjects(t, t - last_);
  last_ = t;
}

}  // namespace flowtest
