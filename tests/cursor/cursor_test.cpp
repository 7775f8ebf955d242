// The cursor: its squares per kind, the animated arrow, drawing through the recording device, the
// ghost pointer, and the frame loop's hover-to-shape path seen through the tree dump.
#include "scene/cursor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/tree_dump.h"
#include "audio/sound_effects.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/texture_cache.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"
#include "platform/snd/null_device.h"
#include "scene/input.h"
#include "support/test_env.h"

namespace {

// Textures.pak with a small distinct picture for every cursor image except the footprints.
void UseCursorArchive() {
  const char* names[] = {
      "GUI\\CursorArrowAnim.png", "GUI\\CursorHand.png",       "GUI\\CursorMagnifyingGlass.png",
      "GUI\\CursorOpenHand.png",  "GUI\\CursorClosedHand.png", "GUI\\CursorNotes.png",
      "GUI\\CursorGhost.png"};
  const std::string dir = testenv::MakeTempDir("cursor");
  std::vector<pak::MemberSource> members;
  uint32_t colour = 0xFF102030;
  for (const char* name : names) {
    gfx::Image img;
    img.width = img.height = 8;
    img.pixels.assign(64, colour += 0x00101010);
    const std::string png = os::JoinPath(dir, "p.png");
    ASSERT_TRUE(gfx::SavePng(png, img));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(os::ReadFile(png, bytes));
    members.push_back({name, bytes});
  }
  std::vector<uint8_t> pak;
  ASSERT_TRUE(pak::BuildArchive(members, 7, pak));
  ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(dir, "Textures.pak"), pak.data(), pak.size()));
  ResetPaksForTest();
  os::SetDataRoot(dir);
}

class CursorTest : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    UseCursorArchive();
    os::SetHost(os::CreateHeadlessHost(1024, 768));
    ASSERT_TRUE(gfx::Succeeded(gfx::CreateNullDevice(1024, 768, &dev)));
    rec = gfx::NullDevice::From(dev);
    SetDevice(dev);
    SetClientSize(1024, 768);
    CSprite::RestoreStaticDeviceObjects(dev);
  }
  void TearDown() override {
    Clean();
    CSprite::InvalidateStaticDeviceObjects();
    EXPECT_EQ(dev->LiveResourceCount(), 0);
    dev->Release();
  }
  static void Clean() {
    SetGhostAreaQuery(nullptr);
    DestroyAllObjects();
    DestroyAllTextures();
    ResetPaksForTest();
    ResetInput();
    SetDevice(nullptr);
  }
  void PointerAt(int x, int y) {
    os::host().InjectPointer(x, y);
    PollInput();
  }
  // Draws the cursor and returns the draws it made.
  std::vector<gfx::NullDraw> Draw() {
    rec->ClearRecords();
    DrawCursor(dev);
    return rec->Draws();
  }

  gfx::Device* dev = nullptr;
  gfx::NullDevice* rec = nullptr;
};

TEST(CursorGeometry, SquaresFollowTheKindTable) {
  ScreenRect r;
  // Client width 1024: the arrow is 40.96 pixels square, its left edge 11.52 pixels left of the pointer.
  ASSERT_TRUE(CursorSquare(kCursorArrow, 500, 300, 1024, r));
  EXPECT_NEAR(r.Width(), 40.96f, 1e-3);
  EXPECT_NEAR(r.Height(), 40.96f, 1e-3);
  EXPECT_NEAR(500.0f - r.left, 11.52f, 1e-3);
  EXPECT_FLOAT_EQ(r.top, 300.0f);
  // At 800 the units are pixels: (dx, dy, side) per kind.
  const float table[8][3] = {{0, 0, 0},    {9, 0, 32},   {12, 2, 32},  {16, 0, 32},
                             {16, 12, 48}, {16, 16, 32}, {16, 16, 32}, {9, 0, 32}};
  for (int k = 1; k < 8; ++k) {
    ASSERT_TRUE(CursorSquare(k, 100, 100, 800, r)) << k;
    EXPECT_FLOAT_EQ(r.left, 100 - table[k][0]) << k;
    EXPECT_FLOAT_EQ(r.top, 100 - table[k][1]) << k;
    EXPECT_FLOAT_EQ(r.Width(), table[k][2]) << k;
  }
  EXPECT_FALSE(CursorSquare(kCursorNone, 1, 1, 800, r));
  EXPECT_FALSE(CursorSquare(8, 1, 1, 800, r));
  EXPECT_FALSE(CursorSquare(-1, 1, 1, 800, r));
}

TEST(CursorGeometry, ArrowFramesPlayAtThirtyTwoPerSecond) {
  EXPECT_EQ(ArrowFrameAt(0.0f), 0);
  EXPECT_EQ(ArrowFrameAt(1.0f / 32.0f + 1e-4f), 1);
  EXPECT_EQ(ArrowFrameAt(0.49f), 15);
  EXPECT_EQ(ArrowFrameAt(0.5f), 0);
  EXPECT_EQ(ArrowFrameAt(10.25f + 1e-4f), 8);
  for (float t : {-0.3f, 1e6f}) {
    int f = ArrowFrameAt(t);
    EXPECT_TRUE(f >= 0 && f < 16) << t;
  }
}

TEST(CursorGeometry, GhostPointMirrorsBetweenThePictures) {
  const ScreenRect left(100, 50, 400, 450);
  float gx = 0, gy = 0;
  ASSERT_TRUE(GhostPoint(150, 60, left, gx, gy));
  EXPECT_FLOAT_EQ(gx, 450.0f);
  EXPECT_FLOAT_EQ(gy, 60.0f);
  ASSERT_TRUE(GhostPoint(400, 450, left, gx, gy));  // inclusive edges: still the left picture
  EXPECT_FLOAT_EQ(gx, 700.0f);
  ASSERT_TRUE(GhostPoint(650, 200, left, gx, gy));
  EXPECT_FLOAT_EQ(gx, 350.0f);
  EXPECT_FALSE(GhostPoint(750, 200, left, gx, gy));
  EXPECT_FALSE(GhostPoint(150, 451, left, gx, gy));
}

TEST(CursorGeometry, TooltipSitsBelowTheCursorSquare) {
  ScreenRect r = TooltipRectAtCursor(ScreenRect(100, 100, 132, 132), 800, 600);
  EXPECT_FLOAT_EQ(r.Width(), 400.0f);
  EXPECT_FLOAT_EQ(r.Height(), 33.0f);
  EXPECT_FLOAT_EQ(r.CenterX(), 116.0f);
  EXPECT_FLOAT_EQ(r.CenterY(), 132.0f + 0.6f * 33.0f);
}

TEST_F(CursorTest, OneCursorReachableUntilItIsDestroyed) {
  SetCursorKind(3);  // nothing to set yet
  EXPECT_TRUE(Draw().empty());
  CreateCursor();
  CCursor* c = GetCursor();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetTypeId(), 7);
  EXPECT_EQ(c->GetKind(), kCursorArrow);
  CreateCursor();
  EXPECT_EQ(GetCursor(), c);
  SetCursorKind(kCursorHand);
  EXPECT_EQ(c->GetKind(), kCursorHand);
  delete c;
  EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(CursorTest, ArrowDrawsTheAtlasFrameOfTheTimeOverItsSquare) {
  CreateCursor();
  PointerAt(500, 300);
  UpdateAllObjects(0.25f + 1e-4f, 0.016f);  // frame 8: third row, first column
  // Its own opacity and hidden flag do not matter.
  GetCursor()->SetOpacity(0.0f);
  GetCursor()->SetVisible(false);
  std::vector<gfx::NullDraw> draws = Draw();
  ASSERT_EQ(draws.size(), 1u);
  const gfx::NullDraw& d = draws[0];
  EXPECT_EQ(d.type, gfx::PT_TRIANGLEFAN);
  EXPECT_EQ(d.primitiveCount, 2u);
  EXPECT_EQ(d.vertexBuffer, CSprite::GetQuad(kQuadAtlasFirst + 8));
  EXPECT_FLOAT_EQ(d.material.diffuse.a, 1.0f);
  EXPECT_FLOAT_EQ(d.material.emissive.r, 1.0f);
  EXPECT_EQ(d.Rs(gfx::RS_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(d.Rs(gfx::RS_FOGENABLE), 0u);
  EXPECT_EQ(d.Tss(0, gfx::TSS_ADDRESSU), gfx::TADDRESS_CLAMP);
  ASSERT_NE(d.textures[0], nullptr);
  // The drawn square is the cursor's rectangle.
  ScreenRect r = GetCursor()->GetScreenRect();
  EXPECT_NEAR(r.left, 500.0f - 11.52f, 1e-3);
  EXPECT_NEAR(r.Width(), 40.96f, 1e-3);

  // Later, another frame of the sheet.
  UpdateAllObjects(0.25f + 1.0f / 32.0f + 1e-4f, 0.03125f);
  draws = Draw();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].vertexBuffer, CSprite::GetQuad(kQuadAtlasFirst + 9));
}

TEST_F(CursorTest, KindZeroMissingPicturesAndUnknownKindsDrawNothing) {
  CreateCursor();
  PointerAt(10, 10);
  SetCursorKind(kCursorNone);
  EXPECT_TRUE(Draw().empty());
  SetCursorKind(kCursorFootprints);  // no picture in the archive: invisible, no message
  EXPECT_TRUE(Draw().empty());
  SetCursorKind(42);
  EXPECT_TRUE(Draw().empty());
  SetCursorKind(kCursorHand);
  std::vector<gfx::NullDraw> draws = Draw();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].vertexBuffer, CSprite::GetQuad(kQuadNormal));
}

ScreenRect g_picture;
bool TwoPictures(ScreenRect& left) {
  left = g_picture;
  return true;
}

TEST_F(CursorTest, GhostPointerInTwoPictureScenes) {
  CreateCursor();
  g_picture = ScreenRect(0, 100, 500, 600);
  PointerAt(100, 200);
  EXPECT_EQ(Draw().size(), 1u);  // no scene asks for a ghost
  SetGhostAreaQuery(&TwoPictures);
  std::vector<gfx::NullDraw> draws = Draw();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_NE(draws[1].textureSerials[0], draws[0].textureSerials[0]);
  EXPECT_EQ(draws[1].vertexBuffer, CSprite::GetQuad(kQuadNormal));
  // The ghost square is centred on the mirrored point: its world origin moved by the picture width.
  const float clipShift = draws[1].world.m[3][0] - draws[0].world.m[3][0];
  EXPECT_NEAR(clipShift, 500.0f * 2.0f / 1024.0f + (40.96f / 2 - 11.52f) * 2.0f / 1024.0f * -1.0f, 1e-4);
  SetCursorKind(kCursorHand);  // only the arrow has a ghost
  EXPECT_EQ(Draw().size(), 1u);
  SetCursorKind(kCursorArrow);
  PointerAt(1010, 200);  // in neither picture
  EXPECT_EQ(Draw().size(), 1u);
}

TEST_F(CursorTest, BadClickSoundIsLoadedWithTheCursor) {
  CreateCursor();
  EXPECT_EQ(GetCursor()->GetBadClickSound(), nullptr);  // no sound device
  delete GetCursor();

  snd::NullDevice* sound = nullptr;
  ASSERT_TRUE(snd::CreateNullDevice(&sound) >= 0);
  ASSERT_EQ(InitSoundWithDevice(sound), 1);
  CreateCursor();
  CSoundEffect* effect = GetCursor()->GetBadClickSound();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect, GetSoundEffect("badclick.wav"));
  delete effect;  // the weak reference lets go
  EXPECT_EQ(GetCursor()->GetBadClickSound(), nullptr);
  DestroyAllObjects();
  ShutdownSound();
  sound->Release();
}

// A button-like object: hovered when the pointer is inside its rectangle, showing the hand.
class TestButton : public CSprite {
 public:
  TestButton() : CSprite(ScreenRect(100, 100, 300, 160), 5.0f, nullptr, nullptr) {}
  int GetCursorKind() override { return kCursorHand; }
  int HitTest() override {
    int x, y;
    GetPointerPosition(x, y);
    return ContainsPoint(float(x), float(y)) ? kHitHovered : kHitNone;
  }
};

// What the frame loop does before updating objects.
void FrameStart() {
  PollInput();
  CGameObject* hovered = FindHoveredObject();
  SetCursorKind(hovered ? hovered->GetCursorKind() : kCursorArrow);
}

std::string CursorPicture() {
  const std::string dump = DumpTreeJson();
  size_t at = dump.find("\"CCursor\"");
  if (at == std::string::npos) return "(no cursor)";
  size_t end = dump.find('}', at);
  size_t tex = dump.find("\"texture\"", at);
  if (tex == std::string::npos || tex > end) return "";
  size_t q1 = dump.find('"', tex + 10), q2 = dump.find('"', q1 + 1);
  return dump.substr(q1 + 1, q2 - q1 - 1);
}

TEST_F(CursorTest, MovingOverAButtonChangesTheShapeInTheTreeDump) {
  CreateCursor();
  new TestButton();
  os::host().InjectPointer(50, 50);
  FrameStart();
  EXPECT_EQ(GetCursor()->GetKind(), kCursorArrow);
  EXPECT_EQ(CursorPicture(), "GUI\\\\CursorArrowAnim.png");
  os::host().InjectPointer(200, 130);
  FrameStart();
  EXPECT_EQ(GetCursor()->GetKind(), kCursorHand);
  EXPECT_EQ(CursorPicture(), "GUI\\\\CursorHand.png");
  os::host().InjectPointer(400, 130);
  FrameStart();
  EXPECT_EQ(GetCursor()->GetKind(), kCursorArrow);
}

}  // namespace
