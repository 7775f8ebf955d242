// A private, empty players folder per test and no current player before or after it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "player/game_state.h"
#include "player/game_state.h"
#include "support/test_env.h"

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPlayerModuleForTests();
    home_ = testenv::MakeTempDir("player");
    setenv("XDG_DATA_HOME", home_.c_str(), 1);
    CreatePlayersFolder();
    folder_ = PlayersFolder();
  }
  void TearDown() override { ResetPlayerModuleForTests(); }

  std::string PathOf(const std::string& file) const { return folder_ + "/" + file; }
  bool Exists(const std::string& file) const { return std::filesystem::exists(PathOf(file)); }
  std::string Read(const std::string& file) const {
    std::ifstream in(PathOf(file), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Write(const std::string& file, const std::string& text) const {
    std::ofstream(PathOf(file), std::ios::binary) << text;
  }
  size_t FileCount() const {
    size_t n = 0;
    for (auto& e : std::filesystem::recursive_directory_iterator(home_)) n += e.is_regular_file();
    return n;
  }

  std::string home_;
  std::string folder_;
};

// The text a save writes for a profile whose only element is this "PlayerAttribs" line.
inline std::string ProfileText(const std::string& attribs) {
  return "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<Player>\r\n  <PlayerAttribs " + attribs +
         "/>\r\n</Player>";
}
