// The fuse box scene with real input: the random start, left and right clicks, clicks while a
// tile turns, Reset, the story's way of solving it, Skip's animated solution, bad files.
#include <gtest/gtest.h>

#include "platform/os/host.h"
#include "player/game_state.h"
#include "puzzles/circuit_puzzle_environment.h"
#include "puzzles/circuit_puzzle_wire.h"
#include "puzzles/puzzle_fixture.h"
#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "ui/speech_balloon.h"

using namespace puzzle;
using circuit::QuarterIndex;

namespace {

constexpr const char* kFuseBox = "Puzzles\\CircuitPuzzle\\CircuitPuzzle.xml";

class CircuitScene : public puzzletest::PuzzleTest {
 protected:
  CCircuitPuzzleEnvironment* Open(const char* file = kFuseBox) {
    auto* s = static_cast<CCircuitPuzzleEnvironment*>(BuildCircuitPuzzle(file));
    Frame(now_ + 0.02f, 1, 1, false);
    return s;
  }
  bool Saying(const char* key) {
    for (CSpeechBalloon* b : AllSpeechBalloons())
      if (b->GetKey() == key) return true;
    return false;
  }
  void RightClick(int x, int y) {
    for (bool right : {false, true, false}) {
      os::InputSnapshot snap;
      snap.right = right, snap.x = x, snap.y = y, snap.insideClient = true;
      PollInputFrom(snap);
      FindHoveredObject();
      UpdateAllObjects(now_ + 0.02f, 0.02f);
      now_ += 0.02f;
    }
  }
  int Turn(CCircuitPuzzleEnvironment* s, int i) { return QuarterIndex(s->Board().At(i).angle); }
  // The first tile that is no cross.
  int Turnable(CCircuitPuzzleEnvironment* s) {
    for (int i = 0; i < s->Board().Count(); ++i)
      if (s->Board().At(i).type != circuit::kCross) return i;
    return -1;
  }
};

TEST_F(CircuitScene, BuildsTheBoxTurnedAtRandomWithItsCable) {
  CCircuitPuzzleEnvironment* s = Open();
  ASSERT_TRUE(s);
  ASSERT_EQ(s->Board().Count(), 29);
  EXPECT_EQ(s->CableCount(), 3) << "cells left of x 212 in 100-unit steps until the edge";
  EXPECT_FALSE(s->IsSolved());
  int unturned = 0;
  for (int i = 0; i < 29; ++i) {
    const circuit::Tile& t = s->Board().At(i);
    CCircuitPuzzleWire* w = s->GetWire(i);
    ASSERT_TRUE(w);
    const ScreenRect r = w->GetScreenRect();
    EXPECT_NEAR(r.Width(), 101, 0.01) << "cells enlarged a hundredth";
    EXPECT_NEAR(r.CenterX(), 262 + 100 * t.column, 0.01);
    EXPECT_NEAR(r.CenterY(), 184 + 100 * t.row, 0.01);
    EXPECT_FLOAT_EQ(w->GetAngle(), t.angle);
    EXPECT_EQ(std::string(GetTextureName(w->GetTexture())), WirePicture(t.type, t.powered));
    if (t.type == circuit::kCross) {
      EXPECT_EQ(t.angle, 0);
    }
    unturned += t.angle == 0 ? 1 : 0;
  }
  EXPECT_LT(unturned, 29);
  // Help once, on the first arrival only.
  s->OnNotify(s, kCmdArrived);
  EXPECT_TRUE(TestFlag(73));
  EXPECT_TRUE(Saying("CircuitPuzzleHelp"));
}

TEST_F(CircuitScene, ClicksTurnAQuarterAndWaitForTheTurnToEnd) {
  CCircuitPuzzleEnvironment* s = Open();
  const int i = Turnable(s);
  const ScreenRect r = s->GetWire(i)->GetScreenRect();
  const int before = Turn(s, i);
  Click(int(r.CenterX()), int(r.CenterY()));
  EXPECT_TRUE(s->Board().At(i).turning);
  Click(int(r.CenterX()), int(r.CenterY()));  // ignored: still turning
  RunUntil(now_ + 0.6f);
  EXPECT_EQ(Turn(s, i), (before + 1) % 4);
  RightClick(int(r.CenterX()), int(r.CenterY()));
  RunUntil(now_ + 0.6f);
  EXPECT_EQ(Turn(s, i), before);
  // A cross never turns.
  for (int k = 0; k < s->Board().Count(); ++k) {
    if (s->Board().At(k).type != circuit::kCross) continue;
    const ScreenRect c = s->GetWire(k)->GetScreenRect();
    Click(int(c.CenterX()), int(c.CenterY()));
    EXPECT_FALSE(s->Board().At(k).turning);
  }
  // Reset after several turns: back to the first random turn of each tile.
  const int start = Turn(s, i);
  Click(int(r.CenterX()), int(r.CenterY()));
  RunUntil(now_ + 0.6f);
  Click(int(r.CenterX()), int(r.CenterY()));
  RunUntil(now_ + 0.6f);
  s->OnNotify(s, kCmdReset);
  RunUntil(now_ + 1.2f);
  EXPECT_EQ(Turn(s, i), start);
}

TEST_F(CircuitScene, TheStorysClicksSolveItAndOpenTheShop) {
  CCircuitPuzzleEnvironment* s = Open();
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < s->Board().Count(); ++i) {
      const circuit::Tile& t = s->Board().At(i);
      if (t.type == circuit::kCross || (QuarterIndex(t.solution) - Turn(s, i) + 4) % 4 == 0) continue;
      ClickCentre(s->GetWire(i));
    }
    RunUntil(now_ + 0.6f);
  }
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(20));
  EXPECT_TRUE(Saying("CircuitPuzzleSolved"));
  for (int i = 0; i < s->Board().Count(); ++i) EXPECT_TRUE(s->Board().At(i).powered) << i;
  // Solved: clicks and Reset change nothing.
  const int i = Turnable(s);
  const int before = Turn(s, i);
  ClickCentre(s->GetWire(i));
  s->OnNotify(s, kCmdReset);
  RunUntil(now_ + 0.6f);
  EXPECT_EQ(Turn(s, i), before);
  EXPECT_FALSE(s->Board().AnyTurning());
}

TEST_F(CircuitScene, SkipTurnsEveryTileToItsSolutionAndIgnoresClicks) {
  CCircuitPuzzleEnvironment* s = Open();
  s->SolveNow();
  EXPECT_TRUE(s->IsSolvingNow());
  EXPECT_FALSE(s->IsSolved());
  int waiting = -1;
  for (int i = 0; i < s->Board().Count() && waiting < 0; ++i)
    if (!s->Board().At(i).turning && s->Board().At(i).type != circuit::kCross) waiting = i;
  if (waiting >= 0) {
    ClickCentre(s->GetWire(waiting));
    EXPECT_FALSE(s->Board().At(waiting).turning) << "no input while the solution turns in";
  }
  RunUntil(now_ + 1.7f);
  EXPECT_TRUE(s->IsSolved());
  EXPECT_TRUE(TestFlag(20));
  for (int i = 0; i < s->Board().Count(); ++i)
    if (s->Board().At(i).type != circuit::kCross) {
      EXPECT_EQ(Turn(s, i), QuarterIndex(s->Board().At(i).solution)) << i;
    }
}

TEST_F(CircuitScene, BadFilesOpenNothing) {
  EXPECT_EQ(BuildCircuitPuzzle("Puzzles\\Nowhere.xml"), nullptr);
  EXPECT_EQ(BuildCircuitPuzzle(nullptr), nullptr);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[0].find("Failed to open circuit puzzle"), std::string::npos);
}

}  // namespace
