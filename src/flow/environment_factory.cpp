#include "flow/environment_factory.h"

#include <map>

#include "core/frame_timer.h"
#include "scene/game_object.h"

namespace {
std::map<int, EnvironmentBuilder>& Builders() {
  static std::map<int, EnvironmentBuilder> builders;
  return builders;
}
bool g_returnToCheat = false;
}  // namespace

void RegisterEnvironmentBuilder(int classId, EnvironmentBuilder builder) {
  if (builder)
    Builders()[classId] = builder;
  else
    Builders().erase(classId);
}

bool HasEnvironmentBuilder(int classId) {
  return Builders().count(classId) != 0;
}

void ResetEnvironmentBuilders() {
  Builders().clear();
  g_returnToCheat = false;
}

CEnvironment* BuildEnvironment(int classId, const char* argument) {
  if (classId == TypeId::kMainEnvironment && g_returnToCheat) classId = TypeId::kCheatEnvironment;
  auto it = Builders().find(classId);
  if (it == Builders().end()) return nullptr;
  // Held for the whole build, so a builder that returns early cannot leave the clock stopped.
  ClockPauseGuard pause;
  return it->second(argument);
}

void SetReturnToCheat(bool on) {
  g_returnToCheat = on;
}

bool ReturnToCheat() {
  return g_returnToCheat;
}
