// A process killed at any moment while it saves must leave a profile that loads, holding either
// what was on disk before or what the interrupted save wrote.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "player/player_fixture.h"

namespace {
constexpr int kVenues = 200;  // a large profile makes each write take long enough to be cut

// Fills the profile with venue states as a long game leaves them.
void AddVenueStates(XmlDocument& doc, XmlNode root) {
  for (int v = 0; v < kVenues; ++v) {
    std::string name = "Venue_" + std::to_string(v);
    ScopedXmlNode venue(doc, doc.CreateElement(root, name.c_str()));
    ScopedXmlNode board(doc, doc.CreateElement(venue, "ItemBoard"));
    doc.SetIntAttribute(board, "ItemSlots", 12);
    doc.SetIntAttribute(board, "UnfoundItems", v % 13);
  }
}

// The exact text a save of this profile writes at the given stage.
std::string ExpectedText(int stage) {
  XmlDocument doc;
  ScopedXmlNode root(doc, doc.CreateElement(0, "Player"));
  AddVenueStates(doc, root);
  GameState state;
  state.flags.Set(0);
  state.stage = stage;
  WritePlayerAttribs(doc, state);
  return doc.SaveToString();
}

[[noreturn]] void SaveForEver() {
  ResetPlayerModuleForTests();  // the parent's record is not ours to save
  if (!SelectPlayer("Crash")) _exit(2);
  for (;;) {
    AdvanceStage();
    if (SavePlayer() != 0) _exit(3);
  }
}
}  // namespace

using CrashSafetyTest = PlayerTest;

TEST_F(CrashSafetyTest, KilledWhileSavingLeavesTheOldOrTheNewProfile) {
  {
    ASSERT_NE(SelectPlayer("Crash"), nullptr);
    XmlNode root = kNoNode;
    XmlDocument* doc = ProfileDocument(&root);
    AddVenueStates(*doc, root);
    doc->ReleaseNode(root);
    ASSERT_EQ(SavePlayer(), 0);
    ResetPlayerModuleForTests();
  }
  ASSERT_EQ(Read("Crash.xml"), ExpectedText(0));

  std::mt19937 rng(20240611);
  std::uniform_int_distribution<int> delayUs(0, 50000);
  int previous = 0;
  int advancedRounds = 0;
  constexpr int kRounds = 250;
  for (int round = 0; round < kRounds; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForEver();
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process stopped by itself, status " << status;

    std::string text = Read("Crash.xml");
    XmlDocument doc;
    ASSERT_EQ(doc.LoadBytes(text.data(), text.size()), 0) << "round " << round;
    GameState loaded;
    ReadPlayerAttribs(doc, loaded);
    ASSERT_GE(loaded.stage, previous) << "round " << round;
    ASSERT_EQ(text, ExpectedText(loaded.stage)) << "round " << round;
    advancedRounds += loaded.stage > previous;
    previous = loaded.stage;
  }
  EXPECT_FALSE(Exists("Crash.xml.bad"));
  // Enough rounds must have got as far as writing, or the test proved little.
  EXPECT_GT(advancedRounds, kRounds / 8);
  std::printf("%d of %d rounds saved before the kill; last stage %d\n", advancedRounds, kRounds, previous);
}
