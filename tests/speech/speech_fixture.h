// A null device of 800 x 600, a string table and conversation files in a private Database.pak, a
// full-screen environment sprite, and frame helpers that feed scripted pointer input.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/device.h"
#include "scene/game_object.h"
#include "scene/sprite.h"

namespace speechtest {

constexpr int kClientW = 800;
constexpr int kClientH = 600;

// Hears notifications; an optional hook runs inside OnNotify.
class Listener : public CGameObject {
 public:
  void OnNotify(CGameObject* sender, int code) override {
    heard.emplace_back(sender, code);
    if (hook) hook(sender, code);
  }
  std::vector<std::pair<CGameObject*, int>> heard;
  std::function<void(CGameObject*, int)> hook;
};

// Adds "GUI\Characters\<name>.xml" with the given text to every later test's archive.
void RegisterConversation(const std::string& name, const std::string& xml);

class SpeechTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // One frame at time t with the left button down or up and the pointer at (x, y).
  void Frame(float t, bool down = false, int x = 400, int y = 300);
  // A press at t and the release one frame later.
  void Click(float t, int x = 400, int y = 300);
  // Frames every 20 ms from the last frame's time up to t.
  void RunUntil(float t);

  gfx::Device* device_ = nullptr;
  CSprite* env_ = nullptr;
  float last_ = 0;
};

int CountOfType(int typeId);
CGameObject* FindOfType(int typeId);

}  // namespace speechtest
