// Shared set-up for the font tests: archives in a private data root, hand-made font descriptions,
// and a clean object tree around each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "data/pak_writer.h"
#include "scene/text_layout.h"

namespace fonttest {

// A font description in the game's format: one "Glyph" per (code, coordinates).
std::string FontXml(float aspect, const std::vector<std::pair<int, GlyphRect>>& glyphs);
pak::MemberSource Member(const std::string& name, const std::string& text);
pak::MemberSource FileMember(const std::string& name, const std::string& path);

// Writes Database.pak and Textures.pak into a fresh folder and makes it the data root.
void UseArchives(const std::vector<pak::MemberSource>& database,
                 const std::vector<pak::MemberSource>& textures);
// Adds the five fonts baked by the build (atlas and description) to the member lists; false when the
// build has not baked them.
bool AddBakedFonts(std::vector<pak::MemberSource>& database, std::vector<pak::MemberSource>& textures);
extern const char* const kStandardFonts[5];

// Every test starts and ends with an empty tree, no textures, no open archives, no string table.
class SceneTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace fonttest
