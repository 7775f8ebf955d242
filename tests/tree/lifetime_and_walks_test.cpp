// Destruction, weak references, and the update, hover and device walks under deletion.
#include <gtest/gtest.h>

#include <algorithm>

#include "tree/tree_test_objects.h"

using namespace treetest;

namespace {
// A holder of a weak reference, as buttons and animators hold their owner.
struct Holder {
  CXRef* ref = nullptr;
};
}  // namespace

TEST_F(TreeTest, DeletingAParentTakesSpriteChildrenAndNullsTheirReferences) {
  auto* scene = new Probe("scene");
  auto* sprite = new SelfDeletingProbe("sprite");
  auto* inner = new SelfDeletingProbe("inner");
  auto* keeper = new Probe("keeper");  // plain objects live on, detached
  ASSERT_EQ(sprite->Attach(scene, 0), 1);
  ASSERT_EQ(inner->Attach(sprite, 0), 1);
  ASSERT_EQ(keeper->Attach(scene, 0), 1);
  Holder toScene, toInner, toKeeper;
  CreateWeakRef(scene, &toScene.ref);
  CreateWeakRef(inner, &toInner.ref);
  CreateWeakRef(keeper, &toKeeper.ref);
  ASSERT_EQ(WeakTarget(toInner.ref), inner);
  EXPECT_EQ(toInner.ref->GetTypeId(), TypeId::kXRef);
  int before = CountObjects();

  delete scene;
  EXPECT_EQ(toScene.ref, nullptr);
  EXPECT_EQ(toInner.ref, nullptr);
  ASSERT_NE(toKeeper.ref, nullptr);
  EXPECT_EQ(WeakTarget(toKeeper.ref), keeper);
  EXPECT_EQ(keeper->GetParent(), nullptr);
  EXPECT_EQ(keeper->NextSiblingRaw(), nullptr);
  // scene, sprite, inner and the two references that pointed into them are gone.
  EXPECT_EQ(CountObjects(), before - 5);
  EXPECT_NE(std::find(Log().begin(), Log().end(), "~inner"), Log().end());
}

TEST_F(TreeTest, WeakReferencesDropEarlyAndSurviveSlotReuse) {
  auto* target = new Probe("t");
  Holder h;
  CreateWeakRef(nullptr, &h.ref);
  EXPECT_EQ(h.ref, nullptr);
  CreateWeakRef(target, &h.ref);
  ASSERT_NE(h.ref, nullptr);
  delete h.ref;  // the holder lets go first
  EXPECT_EQ(h.ref, nullptr);
  EXPECT_EQ(target->FirstChild(), nullptr);

  // The holder points the slot at a newer reference before dropping the old one.
  CreateWeakRef(target, &h.ref);
  CXRef* old = h.ref;
  CreateWeakRef(target, &h.ref);
  CXRef* newer = h.ref;
  delete old;
  EXPECT_EQ(h.ref, newer);
  delete target;
  EXPECT_EQ(h.ref, nullptr);
}

TEST_F(TreeTest, UpdateWalkSurvivesDeletionAndPicksUpNewObjects) {
  auto* a = new Probe("a");
  auto* b = new Probe("b");
  auto* c = new Probe("c");
  auto* d = new Probe("d");
  a->onUpdate = [c](Probe* self) {  // deletes the object after next, once
    delete c;
    self->onUpdate = nullptr;
  };
  b->onUpdate = [](Probe* self) { delete self; };  // deletes itself
  d->onUpdate = [](Probe* self) {                  // the last one creates another
    auto* e = new Probe("e");
    e->onUpdate = [](Probe* me) {  // and that one yet another
      new Probe("f");
      me->onUpdate = nullptr;
    };
    self->onUpdate = nullptr;
  };

  UpdateAllObjects(2.5f, 0.02f);
  EXPECT_EQ(Log(), (std::vector<std::string>{"update a", "~c", "update b", "~b", "update d", "update e",
                                             "update f"}));
  EXPECT_FLOAT_EQ(GetTime(), 2.5f);
  EXPECT_FLOAT_EQ(GetElapsed(), 0.02f);
  uint32_t frame = GetFrameCount();
  UpdateAllObjects(2.52f, 0.02f);
  EXPECT_EQ(GetFrameCount(), frame + 1);
  (void)a;
}

TEST_F(TreeTest, DeletingTheNextObjectFromUpdateOfTheLastButOne) {
  auto* a = new Probe("a");
  auto* b = new Probe("b");
  a->onUpdate = [b](Probe*) { delete b; };
  UpdateAllObjects(0, 0.01f);
  EXPECT_EQ(Log(), (std::vector<std::string>{"update a", "~b"}));
}

TEST_F(TreeTest, BlockingObjectShieldsEverythingBelow) {
  auto* button = new ButtonProbe("button", kHitHovered);
  auto* dialog = new Probe("dialog", kHitBlocking);
  auto* above = new Probe("above", kHitNone);
  button->SetDepth(1);
  dialog->SetDepth(2);
  above->SetDepth(3);
  EXPECT_EQ(FindHoveredObject(), nullptr);
  EXPECT_EQ(Log(), (std::vector<std::string>{"hit above", "hit dialog"}));  // the button is never asked

  dialog->SetHit(kHitNone);
  EXPECT_EQ(FindHoveredObject(), button);
  EXPECT_EQ(button->GetCursorKind(), 2);
  dialog->SetHit(kHitHovered);
  EXPECT_EQ(FindHoveredObject(), dialog);  // the topmost hit wins
}

TEST_F(TreeTest, ObjectDestroyedDuringItsOwnHitTestEndsTheWalk) {
  auto* below = new Probe("below", kHitHovered);
  auto* vanishing = new Probe("vanishing");
  below->SetDepth(0);
  vanishing->SetDepth(1);
  vanishing->onHitTest = [](Probe* self) {
    delete self;
    return kHitHovered;
  };
  EXPECT_EQ(FindHoveredObject(), nullptr);
  // The next search starts afresh.
  EXPECT_EQ(FindHoveredObject(), below);
}

TEST_F(TreeTest, DeviceWalksVisitEveryObjectInCreationOrder) {
  auto* a = new Probe("a");
  auto* b = new Probe("b");
  auto* c = new Probe("c");
  b->onRestore = [c](Probe*) { delete c; };
  RestoreAllObjects(nullptr);
  EXPECT_EQ(Log(), (std::vector<std::string>{"restore a", "restore b", "~c"}));
  Log().clear();
  InvalidateAllObjects();
  DeleteAllDeviceObjects();
  EXPECT_EQ(Log(), (std::vector<std::string>{"invalidate a", "invalidate b", "delete a", "delete b"}));
  (void)a;
}

TEST_F(TreeTest, DestroyAllObjectsEmptiesTheTreeWhateverItsShape) {
  auto* root = new Probe("root");
  auto* s1 = new SelfDeletingProbe("s1");
  auto* s2 = new SelfDeletingProbe("s2");
  s1->Attach(root, 0);
  s2->Attach(s1, 0);
  s2->SetDepth(1);
  Holder h;
  CreateWeakRef(s2, &h.ref);
  new Probe("loose");
  DestroyAllObjects();
  EXPECT_EQ(CountObjects(), 0);
  EXPECT_EQ(FirstObject(), nullptr);
  EXPECT_EQ(FirstDepthObject(), nullptr);
  EXPECT_EQ(h.ref, nullptr);
}

TEST_F(TreeTest, ClientSizeAndDeviceArePublished) {
  SetClientSize(1024, 768);
  EXPECT_EQ(GetClientWidth(), 1024);
  EXPECT_EQ(GetClientHeight(), 768);
  EXPECT_EQ(GetViewport().maxZ, 1.0f);
  SetDevice(nullptr);
  EXPECT_EQ(GetDevice(), nullptr);
}
