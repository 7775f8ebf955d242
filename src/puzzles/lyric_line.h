// One line of the player piano's lyrics (CLyricLine), the ball that bounces over its syllables
// (CBouncingBall) and the glow on its hot stretch (CHotSyllable). The puzzle decides which line is
// sung; a line places its ball and reports whether the ball is on its hot stretch.
#pragma once

#include <vector>

#include "puzzles/piano_rules.h"
#include "puzzles/piano_song.h"
#include "scene/text_sprite.h"

class CBouncingBall : public CSprite {
 public:
  explicit CBouncingBall(CSprite* line);
  int GetTypeId() override { return TypeId::kBouncingBall; }
  void Render(gfx::Device* device) override;
  // Drawn in this frame or the one before.
  bool DrawnLately() const;

 private:
  int drawnFrame_ = -10;
};

class CHotSyllable : public CSprite {
 public:
  explicit CHotSyllable(CSprite* line);
  int GetTypeId() override { return TypeId::kHotSyllable; }
  int HitTest() override;
  int GetCursorKind() override;
  // Under the pointer in this frame or the one before.
  bool PointedAtLately() const;
  // The song times the stretch is sung between.
  void SetTimes(float from, float to) {
    from_ = from;
    to_ = to;
  }
  float From() const { return from_; }
  float To() const { return to_; }

 private:
  float from_ = 0, to_ = 0;
};

class CLyricLine : public CTextSprite {
 public:
  // Centred on board (screen pixels), as high as the board and at most as wide.
  CLyricLine(CSprite* parent, const piano::SongLine& line, const ScreenRect& board, float depth);
  ~CLyricLine() override;

  int GetTypeId() override { return TypeId::kLyricLine; }

  const piano::SongLine& Line() const { return line_; }
  const piano::HotStretch& Stretch() const { return stretch_; }
  const std::vector<piano::SyllableSpan>& Syllables() const { return syllables_; }

  // Chooses the hot stretch from a random value, once; later calls keep the first choice.
  void ChooseStretch(int randomValue);
  bool StretchChosen() const { return chosen_; }
  // Shown as the sung line at song time t (ball placed, hot stretch lit) or hidden.
  void Sing(float t, float beat);
  void Silence();
  // The ball was drawn lately and its centre lies within the hot stretch.
  bool BallOnTarget();
  bool PointerOnStretch() const;
  CBouncingBall* Ball() const;
  CHotSyllable* Hot() const;

 private:
  void MeasureSyllables();
  void PlaceParts();

  piano::SongLine line_;
  piano::HotStretch stretch_;
  std::vector<piano::SyllableSpan> syllables_;
  CXRef* ball_ = nullptr;
  CXRef* hot_ = nullptr;
  bool chosen_ = false;
};
