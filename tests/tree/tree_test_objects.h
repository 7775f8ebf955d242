// Small game objects that record what the tree does to them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scene/game_object.h"

namespace treetest {

// A log shared by the objects of one test.
inline std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

class Probe : public CGameObject {
 public:
  explicit Probe(std::string name, int hit = kHitNone) : name_(std::move(name)), hit_(hit) {}
  ~Probe() override { Log().push_back("~" + name_); }

  void Update() override {
    Log().push_back("update " + name_);
    // A copy: the callback may delete this object (and with it the member).
    if (auto fn = onUpdate) fn(this);
  }
  void Render(gfx::Device*) override { Log().push_back("render " + name_); }
  int HitTest() override {
    Log().push_back("hit " + name_);
    if (auto fn = onHitTest) return fn(this);
    return hit_;
  }
  int RestoreDeviceObjects(gfx::Device*) override {
    Log().push_back("restore " + name_);
    if (auto fn = onRestore) fn(this);
    return 0;
  }
  int InvalidateDeviceObjects() override {
    Log().push_back("invalidate " + name_);
    return 0;
  }
  int DeleteDeviceObjects() override {
    Log().push_back("delete " + name_);
    return 0;
  }
  void OnChildChanged(CGameObject* child, int attached) override {
    auto* p = dynamic_cast<Probe*>(child);
    Log().push_back(name_ + (attached ? " +" : " -") + (p ? p->name_ : std::string("?")));
  }
  int GetCursorKind() override { return 2; }

  const std::string& Name() const { return name_; }
  void SetHit(int hit) { hit_ = hit; }

  std::function<void(Probe*)> onUpdate;
  std::function<int(Probe*)> onHitTest;
  std::function<void(Probe*)> onRestore;

 private:
  std::string name_;
  int hit_;
};

// Deletes itself with its parent, as sprites do; reports the sprite type flag.
class SelfDeletingProbe : public Probe {
 public:
  using Probe::Probe;
  void OnParentDestroyed(CGameObject*) override { delete this; }
  uint32_t GetTypeFlags() override { return kTypeFlagSprite; }
  int GetTypeId() override { return TypeId::kSprite; }
};

class ButtonProbe : public Probe {
 public:
  using Probe::Probe;
  int GetTypeId() override { return TypeId::kPushbutton; }
};

// Every test starts with an empty tree and an empty log.
class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroyAllObjects();
    Log().clear();
  }
  void TearDown() override { DestroyAllObjects(); }
};

}  // namespace treetest
