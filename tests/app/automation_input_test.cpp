// The command line and the automation script: what is accepted, what is refused, and when each
// scripted action happens.
#include <gtest/gtest.h>

#include "app/automation_script.h"
#include "app/command_line.h"

namespace {

bool Parse(std::vector<const char*> args, LaunchOptions& o, std::string& err) {
  args.insert(args.begin(), "vardell");
  return ParseCommandLine(int(args.size()), args.data(), o, err);
}

struct Recorder : ScriptSink {
  std::vector<std::string> log;
  uint32_t frame = 0;
  void Add(const std::string& s) { log.push_back(std::to_string(frame) + " " + s); }
  void ScriptPointer(int x, int y, bool ref) override {
    Add("move " + std::string(ref ? "ref " : "") + std::to_string(x) + " " + std::to_string(y));
  }
  void ScriptButton(bool right, bool down) override {
    Add(std::string(right ? "r" : "") + (down ? "down" : "up"));
  }
  void ScriptKey(int vk, bool down) override { Add("key " + std::to_string(vk) + (down ? " down" : " up")); }
  void ScriptText(const std::string& t) override { Add("text [" + t + "]"); }
  void ScriptScreenshot(const std::string& p) override { Add("shot " + p); }
  void ScriptDump(const std::string& p) override { Add("dump " + p); }
  void ScriptQuit() override { Add("quit"); }
};

}  // namespace

TEST(CommandLine, AcceptsEveryOptionAndRejectsBadValues) {
  LaunchOptions o;
  std::string err;
  ASSERT_TRUE(Parse({"--headless", "--fixed-dt", "0.02", "--frames=100", "--data", "/tmp", "/Cheat",
                     "--script", "s.txt", "--screenshot", "a.png", "--dump-tree", "t.json", "--windowed"},
                    o, err))
      << err;
  EXPECT_TRUE(o.headless);
  EXPECT_TRUE(o.windowed);
  EXPECT_TRUE(o.cheat);
  EXPECT_DOUBLE_EQ(o.fixedDt, 0.02);
  EXPECT_EQ(o.frames, 100);
  EXPECT_EQ(o.dataDir, "/tmp");
  EXPECT_EQ(o.scriptFile, "s.txt");
  EXPECT_EQ(o.screenshotFile, "a.png");
  EXPECT_EQ(o.dumpTreeFile, "t.json");
  EXPECT_TRUE(o.Automation());

  ASSERT_TRUE(Parse({"--windowed", "/Cheat"}, o, err));
  EXPECT_FALSE(o.Automation());  // what a player types

  for (auto bad : std::vector<std::vector<const char*>>{{"--frames", "-1"},
                                                        {"--frames", "ten"},
                                                        {"--fixed-dt", "0"},
                                                        {"--fixed-dt", "nan"},
                                                        {"--fixed-dt", "1e9"},
                                                        {"--data"},
                                                        {"--headless=yes"},
                                                        {"--bogus"},
                                                        {"/cheat"}}) {
    EXPECT_FALSE(Parse(bad, o, err)) << bad[0];
    EXPECT_FALSE(err.empty());
  }
}

TEST(Script, ParsesCommandsAndReportsTheBadLine) {
  std::vector<ScriptCommand> cmds;
  std::string err;
  ASSERT_TRUE(
      ParseScript("# a comment\n\nat 1.5\nframe 3\nmove ref 512 384\ndown\nup\nrdown\nrup\n"
                  "key escape\ntext Hello # World\nscreenshot a.png\ndump t.json\nquit\n",
                  cmds, err))
      << err;
  EXPECT_EQ(cmds.front().kind, ScriptCommand::kAt);
  EXPECT_DOUBLE_EQ(cmds.front().seconds, 1.5);

  EXPECT_FALSE(ParseScript("move 1 2\nclick 3\n", cmds, err));
  EXPECT_EQ(err, "line 2: click needs X Y or ref X Y");
  EXPECT_TRUE(cmds.empty());
  EXPECT_FALSE(ParseScript("key Hyper\n", cmds, err));
  EXPECT_NE(err.find("unknown key"), std::string::npos);
  EXPECT_FALSE(ParseScript("jump 1 2\n", cmds, err));
  EXPECT_FALSE(ParseScript("at -1\n", cmds, err));
  EXPECT_FALSE(ParseScript("quit now\n", cmds, err));

  // Story set-up commands: the argument of goto and the player's name are the rest of the line.
  ASSERT_TRUE(
      ParseScript("player Ada Lovelace \nflag 58 on\nflag 3 OFF\nstage 2\ngoto 43 Hotel Lobby.xml\n"
                  "goto 108\n",
                  cmds, err))
      << err;
  ASSERT_EQ(cmds.size(), 6u);
  EXPECT_EQ(cmds[0].text, "Ada Lovelace");
  EXPECT_TRUE(cmds[1].on && cmds[1].number == 58);
  EXPECT_FALSE(cmds[2].on);
  EXPECT_EQ(cmds[3].number, 2);
  EXPECT_TRUE(cmds[4].on && cmds[4].number == 43 && cmds[4].text == "Hotel Lobby.xml");
  EXPECT_FALSE(cmds[5].on);
  for (const char* bad :
       {"flag 128 on\n", "flag 3 maybe\n", "stage -1\n", "goto\n", "goto menu\n", "player\n"})
    EXPECT_FALSE(ParseScript(bad, cmds, err)) << bad;

  EXPECT_EQ(VirtualKeyForName("Escape"), 0x1B);
  EXPECT_EQ(VirtualKeyForName("return"), 0x0D);
  EXPECT_EQ(VirtualKeyForName("F1"), 0x70);
  EXPECT_EQ(VirtualKeyForName("f12"), 0x7B);
  EXPECT_EQ(VirtualKeyForName("a"), 'A');
  EXPECT_EQ(VirtualKeyForName("7"), '7');
  EXPECT_EQ(VirtualKeyForName("Delete"), 0x2E);
  EXPECT_EQ(VirtualKeyForName("f0"), -1);
}

TEST(Script, ClicksAndKeysSpanFramesAndWaitsHold) {
  std::vector<ScriptCommand> cmds;
  std::string err;
  ASSERT_TRUE(ParseScript(
      "click 10 20\nkey Return\nat 1.0\nrclick ref 5 6\ntext ab\nframe 20\nquit\nmove 1 1\n", cmds, err));
  ScriptRunner runner(cmds);
  Recorder rec;
  for (rec.frame = 0; rec.frame < 30 && !runner.Finished(); ++rec.frame)
    runner.BeforeFrame(rec.frame, float(rec.frame) / 10.0f, rec);
  std::vector<std::string> expected = {
      "0 move 10 20",    "0 down",   "1 up",   "2 key 13 down", "3 key 13 up",
      "10 move ref 5 6", "10 rdown", "11 rup", "12 text [ab]",  "20 quit",
  };
  EXPECT_EQ(rec.log, expected);
  EXPECT_TRUE(runner.Finished());  // quit ends the script; the move after it never runs
}
