#include "fonts/font_fixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "scene/game_object.h"
#include "scene/input.h"
#include "support/test_env.h"

namespace fonttest {

const char* const kStandardFonts[5] = {"ComicStrip", "GoldFlat", "GoldFlat2", "Tooltip", "VictorianLet"};

std::string FontXml(float aspect, const std::vector<std::pair<int, GlyphRect>>& glyphs) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "<?xml version=\"1.0\"?>\n<Font AspectRatio=\"%g\">\n  <Glyphs>\n", aspect);
  std::string s = buf;
  for (const auto& [code, g] : glyphs) {
    std::snprintf(buf, sizeof buf, "    <Glyph Value=\"%d\" TexCoords=\"%g,%g,%g,%g\"/>\n", code, g.uLeft,
                  g.vTop, g.uRight, g.vBottom);
    s += buf;
  }
  return s + "  </Glyphs>\n</Font>\n";
}

pak::MemberSource Member(const std::string& name, const std::string& text) {
  return {name, std::vector<uint8_t>(text.begin(), text.end())};
}

pak::MemberSource FileMember(const std::string& name, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {name, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
}

void UseArchives(const std::vector<pak::MemberSource>& database,
                 const std::vector<pak::MemberSource>& textures) {
  std::string dir = testenv::MakeTempDir("fonts");
  for (auto [name, members] : {std::pair{"Database.pak", &database}, std::pair{"Textures.pak", &textures}}) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(pak::BuildArchive(*members, 1234, bytes));
    ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(dir, name), bytes.data(), bytes.size()));
  }
  ResetPaksForTest();
  os::SetDataRoot(dir);
}

bool AddBakedFonts(std::vector<pak::MemberSource>& database, std::vector<pak::MemberSource>& textures) {
  const std::string stage = testenv::BuildDir() + "/stage";
  for (const char* name : kStandardFonts) {
    const std::string xml = stage + "/Database/Fonts/" + name + ".xml";
    const std::string png = stage + "/Textures/Fonts/" + name + ".png";
    if (!os::FileExists(xml) || !os::FileExists(png)) return false;
    database.push_back(FileMember(std::string("Fonts\\") + name + ".xml", xml));
    textures.push_back(FileMember(std::string("Fonts\\") + name + ".png", png));
  }
  return true;
}

namespace {
void Clean() {
  DestroyAllObjects();
  DestroyAllTextures();
  FreeStringTable();
  ResetPaksForTest();
  ResetInput();
  SetDevice(nullptr);
  SetClientSize(1024, 768);
}
}  // namespace

void SceneTest::SetUp() {
  Clean();
}
void SceneTest::TearDown() {
  Clean();
}

}  // namespace fonttest
