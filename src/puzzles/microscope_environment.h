// CMicroscopeEnvironment: the fibre or print comparison. One sample lies under the eyepiece,
// turned at a random angle; the player may turn it with the focus ring and clicks the matching
// one of sixteen candidates. Each match flies into a check box; five solve the puzzle, and the
// evidence it used up leaves the player's strip.
#pragma once

#include <array>

#include "puzzles/microscope_rules.h"
#include "puzzles/puzzle_environment.h"

class CFocusRing;
class CMicroscopeImage;
class CPuzzleCheckbox;

class CMicroscopeEnvironment : public CPuzzleEnvironment {
 public:
  // The solved message closes with this code.
  static constexpr int kCmdSolvedDialogClosed = 1367;

  explicit CMicroscopeEnvironment(microscope::Variant variant);
  ~CMicroscopeEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kMicroscopeEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  const microscope::Game& Game() const { return game_; }
  const microscope::Layout& GetLayout() const { return layout_; }
  CMicroscopeImage* GetView() const;
  CFocusRing* GetRing() const;
  CMicroscopeImage* GetCandidate(int k) const;
  CPuzzleCheckbox* GetBox(int i) const;
  bool IsFlying(int box) const;

 private:
  struct Flight {
    CXRef* copy = nullptr;
    float start = -1;  // negative: nothing on the way to this box
    ScreenRect from;
  };

  void Pick(CMicroscopeImage* candidate);
  void StartFlight(CMicroscopeImage* candidate, int box);
  void FlightStep(int box);
  void Land(int box);
  void Solved();

  microscope::Game game_;
  microscope::Layout layout_;
  CXRef* view_ = nullptr;
  CXRef* ring_ = nullptr;
  // Weak references write into these slots when their targets die: the arrays never move.
  std::array<CXRef*, microscope::kSamples> candidates_{};
  std::array<CXRef*, microscope::kMatchesToSolve> boxes_{};
  std::array<Flight, microscope::kMatchesToSolve> flights_{};
};

// The factory entry of class 77: "Print" opens the prints, anything else (or nothing) the fibres.
CEnvironment* BuildMicroscope(const char* argument);
