// The demo's built archives hold together: every conversation parses and names only keys of the
// string table and pictures of Textures.pak, every string-table entry carries its text both ways,
// and every key, conversation and picture named in the game's source exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/xml_document.h"
#include "platform/os/host.h"
#include "support/test_env.h"
#include "ui/character_corner.h"
#include "ui/conversation_script.h"

namespace {

class ContentCheck : public testing::Test {
 protected:
  void SetUp() override {
    const std::string root = testenv::BuildDir();
    for (const char* name : {"Database.pak", "Textures.pak", "Sounds.pak"}) {
      if (!os::FileExists(os::JoinPath(root, name))) GTEST_SKIP() << "the build has not packed " << name;
    }
    database_ = std::make_unique<CPakfile>(os::JoinPath(root, "Database.pak"), false);
    textures_ = std::make_unique<CPakfile>(os::JoinPath(root, "Textures.pak"), false);
    sounds_ = std::make_unique<CPakfile>(os::JoinPath(root, "Sounds.pak"), false);
    ResetPaksForTest();
    os::SetDataRoot(root);
    LoadStringTable("Localization\\US.xml");
    ASSERT_TRUE(StringTableLoaded());
  }
  void TearDown() override {
    FreeStringTable();
    ResetPaksForTest();
  }
  static bool HasKey(const std::string& key) { return LocalizeCount(key.c_str()) > 0; }

  std::unique_ptr<CPakfile> database_, textures_, sounds_;
};

TEST_F(ContentCheck, ConversationsNameOnlyKeysAndPicturesThatExist) {
  const std::string prefix = "GUI\\Characters\\";
  std::set<std::string> found;
  for (const CPakfile::Record& r : database_->Records()) {
    if (r.name.rfind(prefix, 0) != 0 || r.name.size() < 4 || r.name.substr(r.name.size() - 4) != ".xml")
      continue;
    found.insert(r.name.substr(prefix.size(), r.name.size() - prefix.size() - 4));
    const auto bytes = database_->ReadMember(r.name);
    ASSERT_TRUE(bytes) << r.name;
    speech::ConversationScript script;
    ASSERT_TRUE(speech::ParseConversationScript(bytes->data(), bytes->size(), script)) << r.name;
    EXPECT_FALSE(script.entries.empty()) << r.name;
    for (const speech::ConversationEntry& e : script.entries) {
      if (e.kind == speech::EntryKind::kPicture) {
        EXPECT_TRUE(textures_->HasMember(prefix + e.text)) << r.name << " shows " << e.text;
      } else {
        EXPECT_TRUE(HasKey(e.text)) << r.name << " says " << e.text;
        if (e.kind == speech::EntryKind::kCorner) {
          EXPECT_NE(script.character, -1) << r.name << ": " << e.speaker << " speaks without a corner";
        }
      }
    }
  }
  for (const char* name : {"HQ_Intro",
                           "Cabinet_First",
                           "Yard_First",
                           "Office_First",
                           "Safe_First",
                           "Photo_First",
                           "Diff_First",
                           "Street_First",
                           "Curio_First",
                           "Party_First",
                           "Lobby_First",
                           "Piano_First",
                           "Security_First",
                           "Barn_First",
                           "BarnOffice_First",
                           "ShopFloor_First",
                           "HousePhoto_First",
                           "FiberPuzzleDialog",
                           "FingerprintPuzzleDialog",
                           "Epilogue"}) {
    EXPECT_TRUE(found.count(name)) << "missing conversation " << name;
  }
}

TEST_F(ContentCheck, EveryStringCarriesItsValueAndItsLines) {
  XmlDocument doc;
  ASSERT_EQ(doc.LoadMember("Localization\\US.xml"), 0);
  ScopedXmlNode root(doc, doc.Root());
  int entries = 0;
  for (ScopedXmlNode key(doc, doc.FindChildNode(root)); key; key.Next()) {
    if (!doc.IsElement(key)) continue;
    ++entries;
    const std::string name = doc.CopyNodeName(key).value_or("");
    const auto value = doc.CopyAttribute(key, "Value");
    ASSERT_TRUE(value) << name;
    std::string joined;
    int lines = 0;
    for (ScopedXmlNode line(doc, doc.FindChildNode(key)); line; line.Next()) {
      if (!doc.IsElement(line)) continue;
      const auto text = doc.CopyAttribute(line, "Value");
      ASSERT_TRUE(text) << name << " line " << lines;
      joined += (lines++ ? " " : "") + *text;
    }
    EXPECT_GE(lines, 1) << name;
    EXPECT_EQ(joined, *value) << name;
  }
  EXPECT_GE(entries, 150);
}

// What a piece of source names: keys, conversations and pictures given as literal first arguments.
struct Named {
  std::vector<std::string> keys, conversations, pictures;
};

Named NamesIn(const std::string& text) {
  static const std::regex keyCall(
      R"re(\b(Localize|LocalizeText|LocalizeList|LocalizeCount|SpeakAsJorvane|SpeakAsCharacter|ShowSpeechBalloon|CTextSpriteLocalize|CTextContainer|ShowTooltip)\(\s*"([^"\\]+)")re");
  static const std::regex talkCall(R"re(\bStartConversation\(\s*"([^"\\]+)")re");
  static const std::regex pictureCall(
      R"re(\b(SpeakPictureAsJorvane|ShowPictureBalloon)\(\s*"((?:[^"\\]|\\\\)+)")re");
  Named out;
  for (std::sregex_iterator m(text.begin(), text.end(), keyCall), end; m != end; ++m)
    out.keys.push_back((*m)[2]);
  for (std::sregex_iterator m(text.begin(), text.end(), talkCall), end; m != end; ++m) {
    out.conversations.push_back((*m)[1]);
  }
  for (std::sregex_iterator m(text.begin(), text.end(), pictureCall), end; m != end; ++m) {
    out.pictures.push_back(std::regex_replace((*m)[2].str(), std::regex(R"(\\\\)"), "\\"));
  }
  return out;
}

TEST(ContentScan, FindsLiteralNamesInSource) {
  const Named n = NamesIn(R"src(
    SpeakAsJorvane("SafePuzzleHelp"); auto t = LocalizeText( "Play" ); MyLocalize("NotThis");
    SpeakAsJorvane(key);  StartConversation("HQ_Intro", env);
    SpeakPictureAsJorvane("Puzzles\\Safe\\Help.jpg", 0.4f, 1.3f);
  )src");
  EXPECT_EQ(n.keys, (std::vector<std::string>{"SafePuzzleHelp", "Play"}));
  EXPECT_EQ(n.conversations, std::vector<std::string>{"HQ_Intro"});
  EXPECT_EQ(n.pictures, std::vector<std::string>{"Puzzles\\Safe\\Help.jpg"});
}

TEST_F(ContentCheck, EverythingTheSourceNamesExists) {
  int checked = 0;
  for (const auto& f : std::filesystem::recursive_directory_iterator(testenv::SourceDir() + "/src")) {
    const std::string ext = f.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    std::ifstream in(f.path());
    const Named n =
        NamesIn(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    for (const std::string& key : n.keys) EXPECT_TRUE(HasKey(key)) << f.path() << " names the key " << key;
    for (const std::string& talk : n.conversations) {
      EXPECT_TRUE(database_->HasMember(speech::ConversationMemberName(talk))) << f.path() << ": " << talk;
    }
    for (const std::string& picture : n.pictures) {
      EXPECT_TRUE(textures_->HasMember(picture)) << f.path() << ": " << picture;
    }
    checked += int(n.keys.size() + n.conversations.size() + n.pictures.size());
  }
  RecordProperty("source_names_checked", checked);

  // The speech interface's own pictures and sound.
  for (int i = 0; i < speech::kCharacterCount; ++i) {
    const speech::CharacterInfo* c = speech::FindCharacter(i);
    if (c->portrait) {
      EXPECT_TRUE(textures_->HasMember(c->portrait)) << c->portrait;
    }
  }
  for (const char* name : {"GUI\\Characters\\SpeechBalloon.tga", "GUI\\Characters\\JorvaneCorner.tga",
                           "GUI\\Characters\\ClickToContinue.png"}) {
    EXPECT_TRUE(textures_->HasMember(name)) << name;
  }
  EXPECT_TRUE(sounds_->HasMember("Sounds\\Pop.wav"));
}

}  // namespace
