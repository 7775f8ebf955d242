#include <gtest/gtest.h>

#include "app/tree_dump.h"
#include "scene/sprite.h"
#include "scene/sprite_animator.h"
#include "sprites/sprite_fixture.h"

using spritetest::RectNear;
using spritetest::SpriteTest;

namespace {
constexpr float kQuarter = 1.5707964f;
}

TEST_F(SpriteTest, ConstructorsPlaceTextureAndCount) {
  auto* top = new CSprite(ScreenRect(100, 50, 500, 350), 2.0f, "art\\white.TGA", nullptr);
  EXPECT_EQ(CSprite::LiveCount(), 1);
  EXPECT_TRUE(RectNear(top->GetScreenRect(), ScreenRect(100, 50, 500, 350)));
  EXPECT_FLOAT_EQ(top->GetNaturalAspect(), 400.0f / 300.0f);
  EXPECT_FLOAT_EQ(top->GetScale(), 0.5f);
  EXPECT_FLOAT_EQ(top->GetOffsetX(), -0.125f);
  EXPECT_FLOAT_EQ(top->GetOffsetY(), -100.0f / 600.0f);
  EXPECT_FLOAT_EQ(top->GetDepth(), 2.0f);
  EXPECT_EQ(top->GetColor(), 0xFFFFFFFFu);
  EXPECT_NE(GetDeviceTexture(top->GetTexture()), nullptr);
  EXPECT_EQ(top->GetTypeFlags(), kTypeFlagSprite);
  EXPECT_EQ(top->GetTypeId(), TypeId::kSprite);

  auto* plain = new CSprite();  // covers the client area, no texture
  EXPECT_TRUE(RectNear(plain->GetScreenRect(), ScreenRect(100, 0, 700, 600)));
  EXPECT_EQ(plain->GetTexture(), nullptr);
  EXPECT_EQ(CSprite::LiveCount(), 2);
  delete plain;
  EXPECT_EQ(CSprite::LiveCount(), 1);
}

TEST_F(SpriteTest, ChildWithScaleOneCoversItsParentAndTurnsWithIt) {
  auto* parent = new CSprite(ScreenRect(100, 100, 500, 300), 0, nullptr, nullptr);
  auto* cover = new CSprite(ScreenRect(0, 0, 10, 10), 0, nullptr, parent);
  cover->SetScale(1);
  cover->SetOffset(0, 0);
  cover->SetAspectRatio(2);
  EXPECT_TRUE(RectNear(cover->GetScreenRect(), ScreenRect(100, 100, 500, 300)));

  // A child a quarter of the parent's width right of its centre.
  auto* side = new CSprite(ScreenRect(370, 180, 430, 220), 0, nullptr, parent);
  EXPECT_FLOAT_EQ(side->GetOffsetX(), 0.25f);

  parent->SetAngle(kQuarter);  // turns clockwise on screen about (300, 200)
  EXPECT_TRUE(RectNear(cover->GetScreenRect(), ScreenRect(100, 100, 500, 300, kQuarter)));
  // The offset turns with the parent: right of the centre becomes below it.
  const ScreenRect s = side->GetScreenRect();
  EXPECT_NEAR(s.CenterX(), 300, 1e-3);
  EXPECT_NEAR(s.CenterY(), 300, 1e-3);
  EXPECT_NEAR(s.angle, kQuarter, 1e-6);
  EXPECT_NEAR(s.Width(), 60, 1e-3);

  // A grandchild follows a change two levels up.
  auto* grandchild = new CSprite(ScreenRect(0, 0, 10, 10), 0, nullptr, side);
  grandchild->SetScale(0.5f);
  grandchild->SetAspectRatio(1);
  grandchild->SetOffset(0, 0);
  parent->SetScale(1.0f);  // the parent triples in size (it was a third of the client height)
  EXPECT_NEAR(grandchild->GetScreenRect().Height(), 40 * 3 * 0.5f, 1e-3);
}

TEST_F(SpriteTest, SetScreenRectRoundTripsUnderTurnedParents) {
  auto* root = new CSprite(ScreenRect(50, 60, 650, 460, 0.3f), 0, nullptr, nullptr);
  auto* mid = new CSprite(ScreenRect(200, 150, 400, 300, 0.9f), 0, nullptr, root);
  auto* leaf = new CSprite(ScreenRect(0, 0, 1, 1), 0, nullptr, mid);
  const ScreenRect want(250, 180, 330, 220, -0.4f);
  leaf->SetScreenRect(want);
  EXPECT_TRUE(RectNear(leaf->GetScreenRect(), want));
  leaf->InvalidateRect();  // recomputed from the stored placement
  EXPECT_TRUE(RectNear(leaf->GetScreenRect(), want));
  EXPECT_TRUE(RectNear(mid->GetScreenRect(), ScreenRect(200, 150, 400, 300, 0.9f)));
  EXPECT_NEAR(leaf->GetAngle(), -0.4f - 0.9f, 1e-6);

  // Moving an ancestor invalidates the cached rectangles below it.
  root->SetScreenRect(ScreenRect(0, 0, 600, 400, 0.3f));
  EXPECT_FALSE(leaf->GetFlags() & kSpriteRectValid);
  EXPECT_FALSE(RectNear(leaf->GetScreenRect(), want));
}

TEST_F(SpriteTest, RestoreRecomputesForANewClientSize) {
  auto* full = new CSprite(ScreenRect(0, 0, 800, 600), 0, nullptr, nullptr);
  SetClientSize(1024, 768);
  RestoreAllObjects(device_);
  EXPECT_TRUE(RectNear(full->GetScreenRect(), ScreenRect(0, 0, 1024, 768)));
  SetClientSize(spritetest::kClientW, spritetest::kClientH);
}

TEST_F(SpriteTest, HiddenOrFadedParentsHideTheBranch) {
  auto* parent = new CSprite(ScreenRect(0, 0, 400, 300), 0, "Art\\White.tga", nullptr);
  auto* child = new CSprite(ScreenRect(100, 100, 200, 200), 1, "Art\\White.tga", parent);
  parent->SetOpacity(0.5f);
  child->SetOpacity(0.5f);
  EXPECT_FLOAT_EQ(child->GetEffectiveOpacity(), 0.25f);
  EXPECT_FLOAT_EQ(child->GetMaterial().diffuse.a, 0.25f);

  parent->SetVisible(false);
  EXPECT_TRUE(parent->IsHidden());
  EXPECT_EQ(child->GetEffectiveOpacity(), 0.0f);
  EXPECT_FLOAT_EQ(child->GetOpacity(), 0.5f);  // its own opacity is untouched
  Rec()->ClearRecords();
  RenderAllObjects(device_);
  EXPECT_TRUE(Rec()->Draws().empty());

  parent->SetVisible(true);
  RenderAllObjects(device_);
  EXPECT_EQ(Rec()->Draws().size(), 2u);
}

TEST_F(SpriteTest, SettersStoreOnlyChangesAndTextureSwapsByName) {
  auto* s = new CSprite(ScreenRect(0, 0, 100, 100), 0, "Art\\White.tga", nullptr);
  TextureEntry* white = s->GetTexture();
  EXPECT_EQ(GetTextureRefCount(white), 1);
  s->SetTexture("ART\\WHITE.TGA");  // same name: nothing happens
  EXPECT_EQ(s->GetTexture(), white);
  EXPECT_EQ(GetTextureRefCount(white), 1);
  s->SetTexture("Art\\Red.tga");
  EXPECT_STREQ(GetTextureName(s->GetTexture()), "Art\\Red.tga");
  EXPECT_EQ(CountTextures(), 1);  // the white entry was released
  s->SetTexture(nullptr);
  EXPECT_EQ(s->GetTexture(), nullptr);
  EXPECT_EQ(CountTextures(), 0);

  s->GetScreenRect();
  s->SetScale(s->GetScale());
  EXPECT_TRUE(s->GetFlags() & kSpriteRectValid);
  s->SetAngle(0.5f);
  EXPECT_FALSE(s->GetFlags() & kSpriteRectValid);

  s->SetColor(0x80402010);
  EXPECT_EQ(s->GetColor(), 0x80402010u);
  const gfx::Material& m = s->GetMaterial();
  EXPECT_FLOAT_EQ(m.emissive.r, 0x40 / 255.0f);
  EXPECT_FLOAT_EQ(m.diffuse.a, 0x80 / 255.0f);
  EXPECT_EQ(m.diffuse.r, 0.0f);
  EXPECT_EQ(m.ambient.g, 0.0f);
}

TEST_F(SpriteTest, GeometryQuestions) {
  auto* s = new CSprite(ScreenRect(100, 100, 300, 200), 0, nullptr, nullptr);
  EXPECT_FALSE(s->IsOffScreen());
  s->SetScreenRect(ScreenRect(-100, 0, 0.01f, 50));
  EXPECT_TRUE(s->IsOffScreen());
  s->SetScreenRect(ScreenRect(799.99f, 0, 900, 50));
  EXPECT_TRUE(s->IsOffScreen());
  s->SetScreenRect(ScreenRect(799.98f, 0, 900, 50));
  EXPECT_FALSE(s->IsOffScreen());

  // A horizontal bar crossed by a vertical one through its middle, and one beyond its end.
  auto* bar = new CSprite(ScreenRect(100, 290, 300, 310), 0, nullptr, nullptr);
  auto* cross = new CSprite(ScreenRect(190, 250, 210, 350, 0), 0, nullptr, nullptr);
  cross->SetAngle(kQuarter);  // its centre line now runs vertically through x = 200
  EXPECT_EQ(bar->CrossesCenterLine(cross), 1);
  cross->SetScreenRect(ScreenRect(340, 250, 360, 350, kQuarter));
  EXPECT_EQ(bar->CrossesCenterLine(cross), 0);  // crosses the line beyond the bar's end
  auto* parallel = new CSprite(ScreenRect(100, 320, 300, 330), 0, nullptr, nullptr);
  EXPECT_EQ(bar->CrossesCenterLine(parallel), 0);

  // A bar stretched between two sprites.
  auto* a = new CSprite(ScreenRect(90, 90, 110, 110), 0, nullptr, nullptr);
  auto* b = new CSprite(ScreenRect(390, 490, 410, 510), 0, nullptr, nullptr);
  auto* link = new CSprite(ScreenRect(0, 0, 1, 1), 0, nullptr, nullptr);
  link->StretchBetween(a, b);
  const ScreenRect r = link->GetScreenRect();
  EXPECT_NEAR(r.CenterX(), 250, 1e-3);
  EXPECT_NEAR(r.CenterY(), 300, 1e-3);
  EXPECT_NEAR(r.Width(), 500, 1e-3);
  EXPECT_NEAR(r.Height(), 20, 1e-3);
  EXPECT_NEAR(r.angle, std::atan2(400.0f, 300.0f), 1e-5);
  EXPECT_EQ(link->ContainsPoint(250, 300), 1);
  EXPECT_EQ(link->ContainsPoint(110, 300), 0);
}

TEST_F(SpriteTest, DepthRecursionAndAnimationQueries) {
  auto* root = new CSprite(ScreenRect(0, 0, 100, 100), 0, nullptr, nullptr);
  auto* c1 = new CSprite(ScreenRect(0, 0, 10, 10), 0, nullptr, root);
  auto* c2 = new CSprite(ScreenRect(0, 0, 10, 10), 0, nullptr, root);
  auto* g = new CSprite(ScreenRect(0, 0, 5, 5), 0, nullptr, c1);
  auto* plain = new CGameObject();
  plain->Attach(root, 0);
  root->SetDepthRecursive(3);
  EXPECT_EQ(root->GetDepth(), 3);
  EXPECT_EQ(c1->GetDepth(), 4);
  EXPECT_EQ(c2->GetDepth(), 4);
  EXPECT_EQ(g->GetDepth(), 5);
  EXPECT_FALSE(plain->InDepthList());

  EXPECT_EQ(root->IsAnimating(), 0);
  new CSpriteAnimator(root, kAnimFadeIn, 1.0f, 0);
  EXPECT_EQ(root->IsAnimating(), 1);
  root->StopAnimation();
  EXPECT_EQ(root->IsAnimating(), 0);
  root->StopAnimation();  // nothing to stop
  delete plain;
}

TEST_F(SpriteTest, DeletingAParentDeletesSpriteChildrenAndNullsReferences) {
  auto* root = new CSprite(ScreenRect(0, 0, 100, 100), 0, "Art\\White.tga", nullptr);
  auto* child = new CSprite(ScreenRect(0, 0, 10, 10), 0, "Art\\White.tga", root);
  auto* grandchild = new CSprite(ScreenRect(0, 0, 5, 5), 0, nullptr, child);
  CXRef* toChild = nullptr;
  CXRef* toGrandchild = nullptr;
  CreateWeakRef(child, &toChild);
  CreateWeakRef(grandchild, &toGrandchild);
  auto* survivor = new CGameObject();
  survivor->Attach(child, 0);
  delete root;
  EXPECT_EQ(toChild, nullptr);
  EXPECT_EQ(toGrandchild, nullptr);
  EXPECT_EQ(CSprite::LiveCount(), 0);
  EXPECT_EQ(survivor->GetParent(), nullptr);  // plain objects live on, detached
  EXPECT_EQ(CountTextures(), 0);
  delete survivor;
}

TEST_F(SpriteTest, TreeDumpShowsSpriteFields) {
  auto* s = new CSprite(ScreenRect(10, 20, 110, 70), 1, "Art\\White.tga", nullptr);
  s->SetOpacity(0.5f);
  s->SetVisible(false);
  const std::string json = DumpTreeJson();
  EXPECT_NE(json.find("\"texture\": \"Art\\\\White.tga\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"rect\": [10, 20, 110, 70]"), std::string::npos) << json;
  EXPECT_NE(json.find("\"opacity\": 0.5"), std::string::npos) << json;
  EXPECT_NE(json.find("\"hidden\": true"), std::string::npos) << json;
}
