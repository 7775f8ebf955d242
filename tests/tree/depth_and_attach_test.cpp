// Depth order, re-insertion, the tree links and the refusals of Attach.
#include <gtest/gtest.h>

#include "platform/gfx/matrix_math.h"
#include "tree/tree_test_objects.h"

using namespace treetest;

namespace {
std::vector<std::string> DepthOrder() {
  std::vector<std::string> out;
  for (CGameObject* o = FirstDepthObject(); o; o = o->DepthNext())
    out.push_back(static_cast<Probe*>(o)->Name());
  return out;
}
}  // namespace

TEST_F(TreeTest, EqualDepthsDrawInOrderGivenAndLaterIsHitFirst) {
  auto* a = new Probe("a", kHitHovered);
  auto* b = new Probe("b", kHitHovered);
  auto* low = new Probe("low");
  auto* never = new Probe("never");  // no depth: updated, never drawn
  a->SetDepth(1);
  b->SetDepth(1);
  low->SetDepth(0.5f);
  EXPECT_EQ(DepthOrder(), (std::vector<std::string>{"low", "a", "b"}));
  EXPECT_FALSE(never->InDepthList());
  EXPECT_TRUE(low->InDepthList());  // the head counts as listed

  Log().clear();
  RenderAllObjects(nullptr);
  EXPECT_EQ(Log(), (std::vector<std::string>{"render low", "render a", "render b"}));
  EXPECT_EQ(FindHoveredObject(), b);
  EXPECT_FLOAT_EQ(GetTopDepth(), 1.0f);
}

TEST_F(TreeTest, SetDepthMovesAndSameValueGoesBehindItsEquals) {
  auto* a = new Probe("a");
  auto* b = new Probe("b");
  auto* c = new Probe("c");
  a->SetDepth(1);
  b->SetDepth(1);
  c->SetDepth(2);
  a->SetDepth(1);  // same value: now after b
  EXPECT_EQ(DepthOrder(), (std::vector<std::string>{"b", "a", "c"}));
  c->SetDepth(0);
  EXPECT_EQ(DepthOrder(), (std::vector<std::string>{"c", "b", "a"}));
  b->SetDepth(5);
  EXPECT_EQ(DepthOrder(), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_FLOAT_EQ(GetTopDepth(), 5.0f);
  delete b;
  EXPECT_EQ(DepthOrder(), (std::vector<std::string>{"c", "a"}));
  delete c;
  delete a;
  EXPECT_EQ(FirstDepthObject(), nullptr);
  EXPECT_FLOAT_EQ(GetTopDepth(), 0.0f);
}

TEST_F(TreeTest, AttachRefusesSecondParentAndCyclesAndChangesNothing) {
  auto* root = new Probe("root");
  auto* mid = new Probe("mid");
  auto* leaf = new Probe("leaf");
  auto* other = new Probe("other");
  ASSERT_EQ(mid->Attach(root, 3), 1);
  ASSERT_EQ(leaf->Attach(mid, 0), 1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"root +mid", "mid +leaf"}));
  EXPECT_EQ(mid->GetAttachMode(), 3);
  Log().clear();

  EXPECT_EQ(leaf->Attach(other, 0), 0);  // already attached
  EXPECT_EQ(root->Attach(leaf, 0), 0);   // would close a cycle
  EXPECT_EQ(root->Attach(root, 0), 0);   // itself
  EXPECT_EQ(root->Attach(nullptr, 0), 0);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(root->GetParent(), nullptr);
  EXPECT_EQ(leaf->GetParent(), mid);
  EXPECT_EQ(root->FirstChild(), mid);
  EXPECT_EQ(root->LastChild(), mid);
  EXPECT_EQ(other->FirstChild(), nullptr);

  leaf->Detach();
  EXPECT_EQ(Log(), (std::vector<std::string>{"mid -leaf"}));
  EXPECT_EQ(leaf->GetParent(), nullptr);
  EXPECT_EQ(leaf->GetAttachMode(), 0);
  EXPECT_EQ(mid->FirstChild(), nullptr);
  leaf->Detach();  // no parent: nothing happens
  EXPECT_EQ(Log().size(), 1u);
  EXPECT_EQ(leaf->Attach(other, 0), 1);
}

TEST_F(TreeTest, FindersHonourFiltersAndSiblingOrder) {
  auto* root = new Probe("root");
  auto* plain = new Probe("plain");
  auto* sprite = new SelfDeletingProbe("sprite");
  auto* button = new ButtonProbe("button");
  auto* sprite2 = new SelfDeletingProbe("sprite2");
  for (CGameObject* c : {static_cast<CGameObject*>(plain), static_cast<CGameObject*>(sprite),
                         static_cast<CGameObject*>(button), static_cast<CGameObject*>(sprite2)})
    ASSERT_EQ(c->Attach(root, 0), 1);
  button->SetId(1204);

  EXPECT_EQ(root->FindChild(kFilterAny), plain);
  EXPECT_EQ(root->FindChild(int(kTypeFlagSprite)), sprite);
  EXPECT_EQ(sprite->NextSibling(int(kTypeFlagSprite)), sprite2);
  EXPECT_EQ(sprite2->NextSibling(int(kTypeFlagSprite)), nullptr);
  EXPECT_EQ(root->FindChild(TypeId::kPushbutton), button);
  EXPECT_EQ(root->FindChild(TypeId::kGameObject), plain);
  EXPECT_EQ(plain->NextSibling(TypeId::kGameObject), nullptr);
  EXPECT_EQ(root->FindChildById(1204), button);
  EXPECT_EQ(root->FindChildById(7), nullptr);

  auto* grandchild = new Probe("gc");
  ASSERT_EQ(grandchild->Attach(button, 0), 1);
  EXPECT_EQ(grandchild->FindAncestor(TypeId::kPushbutton), button);
  EXPECT_EQ(grandchild->FindAncestor(TypeId::kGameObject), root);
  EXPECT_EQ(button->FindAncestor(TypeId::kPushbutton), nullptr);  // not the object itself
}

TEST_F(TreeTest, AttachExpressesTheWorldInTheParentAndDetachResets) {
  auto* parent = new Probe("p");
  auto* child = new Probe("c");
  parent->SetWorldTransform(gfx::MatrixTranslation(10, 20, 0));
  child->SetWorldTransform(gfx::MatrixTranslation(13, 24, 1));
  ASSERT_EQ(child->Attach(parent, 0), 1);
  const gfx::Matrix& rel = child->RelativeTransform();
  EXPECT_FLOAT_EQ(rel.m[3][0], 3);
  EXPECT_FLOAT_EQ(rel.m[3][1], 4);
  EXPECT_FLOAT_EQ(rel.m[3][2], 1);
  // Back through the parent gives the child's world again.
  gfx::Matrix back = rel * parent->WorldTransform();
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(back.m[r][c], child->WorldTransform().m[r][c], 1e-5f);
  child->Detach();
  gfx::Matrix id = gfx::Matrix::Identity();
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(child->RelativeTransform().m[r][c], id.m[r][c]);

  gfx::Matrix out;
  EXPECT_EQ(child->GetTransform(&out), &out);
  EXPECT_EQ(out.m[0][0], 1.0f);
  EXPECT_EQ(out.m[3][0], 0.0f);
}

TEST_F(TreeTest, SetColorFillsDiffuseAndAmbientOnly) {
  auto* o = new Probe("o");
  EXPECT_FLOAT_EQ(o->GetMaterial().diffuse.a, 1.0f);  // white at construction
  o->SetColor(0x80FF0033);
  const gfx::Material& m = o->GetMaterial();
  EXPECT_NEAR(m.diffuse.a, 128 / 255.0f, 1e-6f);
  EXPECT_FLOAT_EQ(m.diffuse.r, 1.0f);
  EXPECT_FLOAT_EQ(m.diffuse.g, 0.0f);
  EXPECT_NEAR(m.ambient.b, 0x33 / 255.0f, 1e-6f);
  EXPECT_NEAR(m.ambient.a, 128 / 255.0f, 1e-6f);
  EXPECT_EQ(m.emissive.r, 0.0f);
  EXPECT_EQ(m.specular.a, 0.0f);
}
