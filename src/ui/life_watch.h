// Watches an object across a call that may delete it (an owner's notification may end a scene).
#pragma once

#include "scene/game_object.h"

class LifeWatch {
 public:
  explicit LifeWatch(CGameObject* object) { CreateWeakRef(object, &ref_); }
  ~LifeWatch() { delete ref_; }
  LifeWatch(const LifeWatch&) = delete;
  LifeWatch& operator=(const LifeWatch&) = delete;
  bool Alive() const { return ref_ != nullptr; }

 private:
  CXRef* ref_ = nullptr;
};
