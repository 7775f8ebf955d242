// Every cursor picture drawn by the GL device at a marked pointer, for a person to check the
// hotspots, plus a check that each picture's ink touches its pointer.
#include <gtest/gtest.h>

#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "fonts/scene_gl.h"
#include "platform/os/host.h"
#include "scene/cursor.h"
#include "scene/input.h"
#include "support/test_env.h"

namespace {

constexpr uint32_t kBackground = 0xFF5A7890;

bool UseBuiltCursorArt() {
  const std::string stage = testenv::BuildDir() + "/stage/Textures/GUI";
  std::vector<pak::MemberSource> members;
  for (const std::string& name : os::ListDirectory(stage)) {
    if (name.rfind("Cursor", 0) != 0) continue;
    std::vector<uint8_t> bytes;
    if (!os::ReadFile(os::JoinPath(stage, name), bytes)) return false;
    members.push_back({"GUI\\" + name, bytes});
  }
  if (members.size() < 8) return false;
  const std::string dir = testenv::MakeTempDir("cursorart");
  std::vector<uint8_t> pak;
  if (!pak::BuildArchive(members, 3, pak)) return false;
  if (!os::WriteFileAtomic(os::JoinPath(dir, "Textures.pak"), pak.data(), pak.size())) return false;
  ResetPaksForTest();
  os::SetDataRoot(dir);
  return true;
}

// A one-pixel-wide cross of pre-transformed vertices centred on (x, y), without the centre pixel.
void Cross(gfx::Device* dev, int x, int y, uint32_t argb) {
  auto rect = [&](float l, float t, float r, float b) {
    gfx::VertexRhwColorUv v[4] = {{l, t, 0.5f, 1, argb, 0, 0},
                                  {r, t, 0.5f, 1, argb, 1, 0},
                                  {r, b, 0.5f, 1, argb, 1, 1},
                                  {l, b, 0.5f, 1, argb, 0, 1}};
    dev->SetTexture(0, nullptr);
    dev->SetVertexShader(gfx::FVF_RHW_COLOR_UV);
    dev->DrawPrimitiveUP(gfx::PT_TRIANGLEFAN, 2, v, sizeof v[0]);
  };
  const float fx = float(x), fy = float(y);
  rect(fx - 8, fy, fx - 2, fy + 1);
  rect(fx + 3, fy, fx + 9, fy + 1);
  rect(fx, fy - 8, fx + 1, fy - 2);
  rect(fx, fy + 3, fx + 1, fy + 9);
}

TEST(CursorRender, EachKindAtItsPointer) {
  ResetInput();
  if (!UseBuiltCursorArt()) GTEST_SKIP() << "the build has not made the cursor art";
  scenegl::Scene scene;
  if (!scene.Open(800, 200)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
  os::SetHost(os::CreateHeadlessHost(800, 200));
  CreateCursor();
  ASSERT_NE(GetCursor(), nullptr);

  const int pointerY = 60;
  auto pointerX = [](int kind) { return 60 + (kind - 1) * 105; };
  gfx::Image img = scene.Frame(kBackground, "cursor_kinds.png", [&](gfx::Device* dev) {
    for (int kind = 1; kind < kCursorKindCount; ++kind) {
      os::host().InjectPointer(pointerX(kind), pointerY);
      PollInput();
      SetCursorKind(kind);
      DrawCursor(dev);
      Cross(dev, pointerX(kind), pointerY, 0xFFFF0000);
    }
  });
  for (int kind = 1; kind < kCursorKindCount; ++kind) {
    const int x = pointerX(kind);
    // The hotspot lies on or right next to the picture.
    EXPECT_GT(scenegl::CountInk(img, x - 3, pointerY - 3, x + 4, pointerY + 4, kBackground), 0)
        << "kind " << kind;
  }
  DestroyAllObjects();
  scene.Close();
  ResetPaksForTest();
}

}  // namespace
