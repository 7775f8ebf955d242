// The penalty for random clicking, shared by every venue: three wrong clicks within two seconds of
// the first cost two minutes of play time and a message. Every wrong click also shows a small red
// puff at the pointer with a sound, in the match-three puzzle too, which never costs time.
#pragma once

namespace penalty {

inline constexpr float kWindowSeconds = 2.0f;
inline constexpr int kClicksForPenalty = 3;
inline constexpr float kPenaltySeconds = 120.0f;

// The counting window. A window starts at its first click; the third click inside it is penalised
// and closes it, so the next click opens a new window.
class WrongClickWindow {
 public:
  // Counts a click at now; true when it costs the penalty (the window is then reset).
  bool Count(float now);
  void Reset();
  float Start() const { return start_; }
  float Clicks() const { return clicks_; }

 private:
  float start_ = 0;
  float clicks_ = 0;
};

WrongClickWindow& SharedWrongClicks();

}  // namespace penalty

// Class id of the caller: 43 (a venue or its objects) counts toward the penalty, others only get
// the puff and the sound.
void CountWrongClick(int classId);
// A find ends the window.
void ResetWrongClicks();
