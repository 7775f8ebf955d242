// CStreetcarPowerEnvironment: the barn's power cabinet. Nine lamps and five levers are pieces of
// the lit picture laid over the dark one; a lever shows lit or dark as its piece's opacity. The
// rules live in power::LampPanel, this scene draws them and plays the levers.
#pragma once

#include <array>

#include "puzzles/lamp_panel.h"
#include "puzzles/puzzle_environment.h"

class CPuzzlePatch;

class CStreetcarPowerEnvironment : public CPuzzleEnvironment {
 public:
  CStreetcarPowerEnvironment();
  ~CStreetcarPowerEnvironment() override;

  int GetTypeId() override { return TypeId::kStreetcarPowerEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  const power::LampPanel& Panel() const { return panel_; }
  CPuzzlePatch* Lamp(int index) const;
  CPuzzlePatch* Lever(int value) const;

 private:
  void Flip(CGameObject* sender);
  void Sync();
  void Solved();

  power::LampPanel panel_;
  std::array<CXRef*, power::kLampCount> lamps_{};
  std::array<CXRef*, power::kSwitchCount> levers_{};
};

// The factory entry of class 82 (no data file).
CEnvironment* BuildStreetcarPower(const char* fileName);
