// Timed input for automation runs: one command a line, "#" starts a comment.
//   at SECONDS | frame N          wait until that application time / frame number
//   move X Y | click X Y | rclick X Y    pointer (back-buffer pixels, or "ref X Y" in 1024 x 768)
//   down | up | rdown | rup       left / right button
//   key NAME | text STRING        a key press (Escape, Return, Left, F1, A...) / typed characters
//   screenshot FILE | dump FILE | quit
// and, to start a test where it needs to be without clicking through the story:
//   player NAME                   select (or create) that player
//   flag N on|off | stage N       set or clear a story flag; set the stage
//   goto CLASS [ARGUMENT]         start a transition (the argument is the rest of the line)
//   seed N                        reseed the game's random generator (repeatable scatters and lists)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptCommand {
  enum Kind {
    kAt,
    kFrame,
    kNextFrame,
    kMove,
    kButton,
    kKey,
    kText,
    kScreenshot,
    kDump,
    kQuit,
    kPlayer,
    kFlag,
    kStage,
    kGoto,
    kSeed,
  };
  Kind kind = kQuit;
  double seconds = 0;  // kAt
  uint32_t frame = 0;  // kFrame
  int x = 0, y = 0;    // kMove
  bool ref = false;    // kMove: x, y are in the 1024 x 768 reference frame
  bool right = false;  // kButton
  bool down = false;   // kButton, kKey
  int key = 0;         // kKey: virtual-key code
  int number = 0;      // kFlag: the flag; kStage: the stage; kGoto: the class id; kSeed: the seed
  bool on = false;     // kFlag: set (true) or clear; kGoto: an argument was given
  std::string text;    // kText (Windows-1252), kScreenshot, kDump, kPlayer, kGoto (the argument)
  int line = 0;
};

// Parses a script; clicks and key presses expand to press, next frame, release, next frame, so
// every press is seen by exactly one frame's snapshot. False with "line N: ..." in error.
bool ParseScript(const std::string& source, std::vector<ScriptCommand>& out, std::string& error);

// Virtual-key code for a key name (case-insensitive), -1 when unknown.
int VirtualKeyForName(const std::string& name);

// Where the runner's actions go (the application in a run, a recorder in tests).
class ScriptSink {
 public:
  virtual ~ScriptSink() = default;
  virtual void ScriptPointer(int x, int y, bool ref) = 0;
  virtual void ScriptButton(bool right, bool down) = 0;
  virtual void ScriptKey(int vk, bool down) = 0;
  virtual void ScriptText(const std::string& text) = 0;
  virtual void ScriptScreenshot(const std::string& path) = 0;
  virtual void ScriptDump(const std::string& path) = 0;
  virtual void ScriptQuit() = 0;
  virtual void ScriptPlayer(const std::string& name) { (void)name; }
  virtual void ScriptFlag(int flag, bool on) { (void)flag, (void)on; }
  virtual void ScriptStage(int stage) { (void)stage; }
  virtual void ScriptGoto(int classId, const char* argument) { (void)classId, (void)argument; }
  virtual void ScriptSeed(int seed) { (void)seed; }
};

class ScriptRunner {
 public:
  explicit ScriptRunner(std::vector<ScriptCommand> commands) : commands_(std::move(commands)) {}
  // Runs every command due before frame number `frame` (0 for the first) at application time
  // `time`, stopping at the first wait that is not over yet.
  void BeforeFrame(uint32_t frame, float time, ScriptSink& sink);
  bool Finished() const { return next_ >= commands_.size(); }

 private:
  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;
  bool waitingNextFrame_ = false;
  uint32_t nextFrameAfter_ = 0;
};
