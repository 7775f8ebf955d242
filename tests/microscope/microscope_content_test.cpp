// The shipped microscope content: every sample of both variants has its picture source and exactly
// one candidate showing it, no two slides of a kind are the same picture, and the other pictures
// and texts the scene names exist.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "puzzles/microscope_rules.h"

using namespace microscope;

namespace {

const std::filesystem::path kArt = VARDELL_SOURCE_DIR "/content/textures";

// The SVG source of a texture member ("Puzzles\Microscope\Fibre00.jpg").
std::filesystem::path SourceOf(std::string member) {
  for (char& c : member) c = c == '\\' ? '/' : c;
  return kArt / (member + ".svg");
}

std::string Read(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(MicroscopeContent, EverySampleHasItsPictureAndItsCandidate) {
  for (Variant v : {Variant::Fibre, Variant::Print}) {
    // The scene gives candidate k the picture of sample number k.
    std::map<std::string, int> candidates;
    for (int k = 0; k < kSamples; ++k) ++candidates[SampleName(v, k)];
    std::map<std::string, std::string> seen;  // source text -> picture
    for (int n = 0; n < kSamples; ++n) {
      const std::string name = SampleName(v, n);
      EXPECT_EQ(candidates[name], 1) << name;
      const std::filesystem::path src = SourceOf(name);
      ASSERT_TRUE(std::filesystem::exists(src)) << src;
      const std::string text = Read(src);
      EXPECT_NE(text.find("width=\"256\" height=\"256\""), std::string::npos) << name;
      const auto [at, fresh] = seen.emplace(text, name);
      EXPECT_TRUE(fresh) << name << " is the same picture as " << at->second;
    }
  }
}

TEST(MicroscopeContent, TheSceneFindsItsPicturesAndTexts) {
  for (const char* member :
       {"Puzzles\\Microscope\\Background.jpg", "Puzzles\\Microscope\\FocusRing.png",
        "Puzzles\\Microscope\\ImageRing.png", "Puzzles\\CheckmarkBkgd.png", "Puzzles\\Checkmark.png",
        Info(Variant::Fibre).helpPicture, Info(Variant::Print).helpPicture})
    EXPECT_TRUE(std::filesystem::exists(SourceOf(member))) << member;
  const std::string strings = Read(VARDELL_SOURCE_DIR "/content/database/Localization/US.xml");
  for (const char* key : {"NotAMatch", Info(Variant::Fibre).solvedDialog, Info(Variant::Print).solvedDialog})
    EXPECT_NE(strings.find(std::string("<") + key + " "), std::string::npos) << key;
}

}  // namespace
