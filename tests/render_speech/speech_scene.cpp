#include "render_speech/speech_scene.h"

#include "app/shared_device_objects.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "scene/game_font.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "support/test_env.h"

namespace speechgl {

void SpeechScene::SetUp() {
  const std::string root = testenv::BuildDir();
  for (const char* pak : {"Textures.pak", "Database.pak"}) {
    if (!os::FileExists(os::JoinPath(root, pak))) GTEST_SKIP() << "the build has not packed " << pak;
  }
  ResetPaksForTest();
  os::SetDataRoot(root);
  LoadStringTable("Localization\\US.xml");
  if (!scene.Open(kW, kH)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
  RestoreSharedDeviceObjects(scene.dev);
  ResetInput();
  UpdateAllObjects(0.0f, 0.0f);
  env = new CSprite(ScreenRect(0, 0, kW, kH), 0.0f, "LoadingScreen\\Background.jpg", nullptr);
  SetCurrentEnvironment(env);
}

void SpeechScene::TearDown() {
  SetCurrentEnvironment(nullptr);
  DestroyAllObjects();
  InvalidateSharedDeviceObjects();
  scene.Close();
  DestroyAllFonts();
  FreeStringTable();
  ResetInput();
  ResetPaksForTest();
}

gfx::Image SpeechScene::Frame(float t, bool down, int x, int y, const std::string& capture) {
  os::InputSnapshot s;
  s.left = down;
  s.x = x;
  s.y = y;
  s.insideClient = true;
  PollInputFrom(s);
  FindHoveredObject();
  UpdateAllObjects(t, t - last);
  last = t;
  return scene.Frame(0xFF000000, capture);
}

void SpeechScene::RunUntil(float t) {
  while (last + 0.02f <= t + 1e-4f) Frame(last + 0.02f);
}

void SpeechScene::Click(float t, int x, int y) {
  Frame(t, true, x, y);
  Frame(t + 0.02f, false, x, y);
}

namespace {
template <class Test>
int Count(const gfx::Image& img, const ScreenRect& box, Test test) {
  int n = 0;
  for (int y = std::max(0, int(box.top)); y < std::min(img.height, int(box.bottom)); ++y) {
    for (int x = std::max(0, int(box.left)); x < std::min(img.width, int(box.right)); ++x) {
      const uint32_t p = scenegl::At(img, x, y);
      n += test(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)) ? 1 : 0;
    }
  }
  return n;
}
}  // namespace

int CountNear(const gfx::Image& img, const ScreenRect& box, uint32_t rgb, int tol) {
  const int r0 = int((rgb >> 16) & 0xFF), g0 = int((rgb >> 8) & 0xFF), b0 = int(rgb & 0xFF);
  return Count(img, box, [&](int r, int g, int b) {
    return std::abs(r - r0) <= tol && std::abs(g - g0) <= tol && std::abs(b - b0) <= tol;
  });
}

int CountDark(const gfx::Image& img, const ScreenRect& box, int threshold) {
  return Count(img, box,
               [&](int r, int g, int b) { return r < threshold && g < threshold && b < threshold; });
}

}  // namespace speechgl
