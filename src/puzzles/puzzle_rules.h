// The rules every puzzle scene shares, as pure functions: which buttons the option bits ask for,
// where the button bar puts them, when Skip becomes usable, and the small geometry the puzzles
// use to map their 1024 x 768 content frames and to turn dials with the pointer.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/screen_rect.h"

namespace puzzle {

// Option bits of a puzzle scene.
enum : uint32_t {
  kOptCorner = 0x01,
  kOptInventory = 0x02,
  kOptBack = 0x04,
  kOptSkip = 0x08,
  kOptReset = 0x10,
  kOptMenu = 0x20,
  kOptHelp = 0x40,
  kOptShuffle = 0x80,
  kOptButtons = 0xFC,
};

// Commands the frame and its buttons speak.
enum : int {
  kCmdMenu = 104,
  kCmdBack = 108,
  kCmdYes = 1205,
  kCmdSkip = 1291,
  kCmdHelp = 1293,
  kCmdSolved = 1315,
  kCmdReset = 1331,
  kCmdFlyToInventory = 1332,
  kCmdShuffle = 1342,
  kCmdSolvedSpeechClosed = 1352,
  kSkipBoxId = 1355,
  kCmdBookClosed = 1253,
  kCmdArrived = 1254,
};

inline constexpr float kSkipDelay = 30.0f;      // seconds before Skip may be used
inline constexpr float kSkipPenalty = 1200.0f;  // seconds added to the case time
inline constexpr float kBoardSlideTime = 0.5f;

struct ButtonSpec {
  int command;
  const char* label;  // string-table key
};

// The buttons of the option bits, left to right.
std::vector<ButtonSpec> ButtonsForOptions(uint32_t options);

// The bar: 0.8 of the client width wide, centred, 1/13.3 of that high, on the bottom edge.
ScreenRect ButtonBoardRect(float clientWidth, float clientHeight);
// The n buttons on a bar: as high as the bar's button area, 2.94 times as wide, equal gaps before,
// between and after them.
std::vector<ScreenRect> ButtonRects(const ScreenRect& board, int count);

// Whether Skip may be used at now for a puzzle entered at arrival.
bool SkipReady(float now, float arrival, bool cheat);

// A rectangle or point of the 1024 x 768 content frame on target.
ScreenRect FromReference(const ScreenRect& reference, const ScreenRect& target);
void PointFromReference(float x, float y, const ScreenRect& target, float& outX, float& outY);
// The reverse for a point (pointer positions into the content frame).
void PointToReference(float x, float y, const ScreenRect& target, float& outX, float& outY);

// An angle difference folded into (-pi, pi].
float WrapAngleDelta(float delta);
// The angle of (x, y) about (cx, cy), screen y downwards, 0 along +x, growing clockwise.
float PointerAngle(float cx, float cy, float x, float y);
// Whether (x, y) lies in the ring between inner and outer radius about (cx, cy) (inclusive).
bool InGrabBand(float cx, float cy, float x, float y, float inner, float outer);

// Turning a dial with the pointer: each step gives the wrapped change of angle since the last
// step, so a dial can be turned round and round without a jump at the half turn.
class DialDrag {
 public:
  void Begin(float angle) {
    last_ = angle;
    active_ = true;
  }
  float Step(float angle);
  void End() { active_ = false; }
  bool Active() const { return active_; }

 private:
  float last_ = 0;
  bool active_ = false;
};

}  // namespace puzzle
