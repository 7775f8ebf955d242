// The last scene: sunrise over the city, the lead character in her corner and the closing
// conversation; when it ends (or on Esc) the game is recorded as complete and the main menu opens.
#pragma once

#include "flow/environment.h"

inline constexpr int kCodeEpilogueOver = 1367;

class CEpilogueEnvironment : public CEnvironment {
 public:
  CEpilogueEnvironment();
  int GetTypeId() override { return TypeId::kEpilogueEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;

 private:
  bool started_ = false;
};

CEnvironment* BuildEpilogue(const char* argument);
