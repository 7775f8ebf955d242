// CPlayerPianoEnvironment: the hotel's player piano. The roll plays a song while its lyrics run
// line by line under a bouncing ball; the player holds the button on each line's glowing stretch
// while the ball is on it, filling the tube at the side. Full before the song ends: solved.
#pragma once

#include <vector>

#include "puzzles/piano_rules.h"
#include "puzzles/piano_song.h"
#include "puzzles/puzzle_environment.h"

class CLyricLine;
class CPianoRoll;
class CPlayerPianoProgress;
class CSlider;

class CPlayerPianoEnvironment : public CPuzzleEnvironment {
 public:
  explicit CPlayerPianoEnvironment(const piano::Song& song);
  ~CPlayerPianoEnvironment() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kPlayerPianoEnvironment; }
  void OnNotify(CGameObject* sender, int code) override;
  void SolveNow() override;
  void ShowHelp() override;

  float GetScore() const { return score_; }
  float GetTarget() const { return target_; }
  bool IsPlaying() const { return playing_; }
  bool IsWon() const { return won_; }
  int GetLyricMode() const { return lyricMode_; }
  int GetCurrentLine() const { return current_; }
  int LineCount() const { return int(lines_.size()); }
  CLyricLine* GetLine(int index) const;
  CPlayerPianoProgress* GetProgress() const;
  CPianoRoll* GetRoll() const;
  CSlider* GetSlider() const;
  bool KeysFlicker() const { return keysOn_; }

 private:
  void BuildLines(const ScreenRect& board);
  void ChooseStretches();
  void BuildControls();
  void StartSong();
  void SongOver();
  void SetKeysFlicker(bool on);
  void Score(CLyricLine* line);
  void Solve();

  piano::Song song_;
  piano::LyricClock clock_;
  std::vector<CXRef*> lines_;
  std::vector<CXRef*> keys_;
  CXRef* progress_ = nullptr;
  CXRef* roll_ = nullptr;
  CXRef* slider_ = nullptr;
  CXRef* label_ = nullptr;
  float score_ = 0, target_ = 0;
  bool playing_ = false, won_ = false, keysOn_ = false, stretchesChosen_ = false;
  int lyricMode_ = 0;  // 0 idle, 2 playing back the song
  int current_ = -1;
};

// The factory entry of class 70: the song file of the demo; null (after a message) when it
// cannot be sung.
CEnvironment* BuildPlayerPiano(const char* argument);
