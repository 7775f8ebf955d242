// The checker on altered copies of the built archives: each change must be reported with its file
// and element, and the untouched archives must not already report it.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "content_check.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "support/test_env.h"

namespace {

struct Archive {
  std::unique_ptr<CPakfile> pak;
  std::vector<pak::MemberSource> members;
};

Archive Load(const std::string& name) {
  Archive a;
  a.pak = std::make_unique<CPakfile>(testenv::BuildDir() + "/" + name, false);
  for (size_t i = 0; i < a.pak->Records().size(); ++i)
    a.members.push_back({a.pak->Records()[i].name, a.pak->ReadMemberAt(i).value_or(std::vector<uint8_t>())});
  return a;
}

// A copy of the archive with one member dropped (replacement empty) or its text edited.
std::unique_ptr<CPakfile> Altered(const Archive& a, const std::string& member, const std::string& pattern,
                                  const std::string& replacement, bool drop) {
  std::vector<pak::MemberSource> members;
  for (const pak::MemberSource& m : a.members) {
    if (m.name != member) {
      members.push_back(m);
      continue;
    }
    if (drop) continue;
    const std::string text(m.bytes.begin(), m.bytes.end());
    const std::string edited = std::regex_replace(text, std::regex(pattern), replacement);
    EXPECT_NE(edited, text) << member << " holds no " << pattern;
    members.push_back({m.name, std::vector<uint8_t>(edited.begin(), edited.end())});
  }
  std::vector<uint8_t> image;
  EXPECT_TRUE(pak::BuildArchive(members, 0, image));
  return CPakfile::FromImage(member, std::move(image));
}

std::string AllText(const std::vector<contentcheck::Problem>& problems) {
  std::string all;
  for (const auto& p : problems) all += p.Text() + "\n";
  return all;
}

struct Breakage {
  const char* what;
  int archive;  // 0 database, 1 textures
  const char* member;
  const char* pattern;  // empty: the member is dropped
  const char* replacement;
  const char* expected;
};

TEST(ContentCheck, ReportsEachBreakageWithFileAndElement) {
  Archive archives[3] = {Load("Database.pak"), Load("Textures.pak"), Load("Sounds.pak")};
  ASSERT_EQ(archives[0].pak->GetState(), CPakfile::State::kOk) << "build the content first";
  const std::string baseline = AllText(
      contentcheck::CheckContent({archives[0].pak.get(), archives[1].pak.get(), archives[2].pak.get()}));

  const Breakage cases[] = {
      {"missing picture", 1, "Search\\Backgrounds\\Warehouse_Office.jpg", "", "",
       "Search\\Venues\\Warehouse_Office.xml: <Venue>: picture \"Search\\Backgrounds\\Warehouse_Office.jpg\" "
       "is not "
       "in Textures.pak"},
      {"missing key", 0, "Localization\\US.xml", "<BackTooltip [^]*?</BackTooltip>", "",
       "<BackButton>: key \"BackTooltip\" is not in Localization\\US.xml"},
      {"misspelled venue", 0, "GameMap.xml", "Warehouse_Safe\\.xml", "Warehouse_Saef.xml",
       "GameMap.xml: <Stage 1 \"Dock Four\">: venue \"Warehouse_Saef.xml\" is not in Database.pak"},
      {"hidden back button", 0, "Search\\Venues\\Warehouse_Safe.xml", "ButtonID=\"0\"", "ButtonID=\"2\"",
       "Warehouse_Safe.xml: <BackButton>: ButtonID must be 0"},
      {"board size", 0, "Search\\Venues\\Warehouse_Office.xml", "ItemSlots=\"9\"", "ItemSlots=\"8\"",
       "ItemSlots is 8, the objects need 9"},
      {"object under the portrait", 0, "Search\\Venues\\Warehouse_Office.xml", "Coords=\"-0.1414,0.2698\"",
       "Coords=\"0.42,-0.4\"",
       "<Object Photo scrap>: lies in the zone kept clear for the lead character's portrait"},
      {"long name", 0, "Search\\Venues\\Warehouse_Office.xml", "Name=\"Tobacco tin\"",
       "Name=\"Tobacco tin of the foreman\"",
       "Name \"Tobacco tin of the foreman\" is longer than 14 characters"},
      {"lost scrap", 0, "Search\\Venues\\Warehouse_Office.xml",
       "Name=\"Photo scrap\"( [^>]*File=\"PhotoScrap4)", "Name=\"Photo scrip\"$1",
       "photo scraps under 2 names"},
      {"door flag", 0, "Search\\Venues\\Warehouse_Office.xml", "CompletionFlag=\"119\"",
       "CompletionFlag=\"28\"", "sets flag 28, which must stay clear"},
      {"broken XML", 0, "Map\\ToTheDocks.xml", "</Icons>", "</Icon>",
       "Map\\ToTheDocks.xml: does not parse as XML"},
  };
  for (const Breakage& b : cases) {
    SCOPED_TRACE(b.what);
    ASSERT_EQ(baseline.find(b.expected), std::string::npos) << "reported before the change";
    std::unique_ptr<CPakfile> altered =
        Altered(archives[b.archive], b.member, b.pattern, b.replacement, *b.pattern == '\0');
    contentcheck::Archives set{archives[0].pak.get(), archives[1].pak.get(), archives[2].pak.get()};
    (b.archive == 0 ? set.database : set.textures) = altered.get();
    EXPECT_NE(AllText(contentcheck::CheckContent(set)).find(b.expected), std::string::npos);
  }
}

}  // namespace
