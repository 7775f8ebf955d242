// Reading jigsaw data files: the demo's file, defaults for what a file leaves out, picture names.
#include "puzzles/jigsaw_file.h"

#include <gtest/gtest.h>

#include <string>

#include "data/xml_document.h"

using namespace jigsaw;

namespace {

std::optional<JigsawFile> Parse(const std::string& text) {
  XmlDocument doc;
  doc.LoadBytes(text.data(), text.size());
  return ReadJigsawFile(doc);
}

TEST(JigsawFile, ReadsEveryAttribute) {
  const auto f = Parse(
      R"(<Jigsaw Path="Puzzles\W\" StartedFlag="53" SolvedFlag="54" IntroSpeech="I" HelpSpeech="H" SolvedSpeech="S"
          PieceInventoryClass="9" SolutionInventoryClass="10" SolutionImage="M.tga" SolutionNameSingular="Mended photo"
          SolutionNamePlural="Mended photos" ExitVenue="Warehouse_Safe.xml"/>)");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->path, "Puzzles\\W\\");
  EXPECT_EQ(f->startedFlag, 53);
  EXPECT_EQ(f->solvedFlag, 54);
  EXPECT_EQ(f->introSpeech + f->helpSpeech + f->solvedSpeech, "IHS");
  EXPECT_EQ(f->pieceInventoryClass, 9);
  EXPECT_EQ(f->solutionInventoryClass, 10);
  EXPECT_EQ(f->solutionImage, "M.tga");
  EXPECT_EQ(f->solutionPlural, "Mended photos");
  EXPECT_EQ(f->exitVenue.value_or(""), "Warehouse_Safe.xml");
  EXPECT_EQ(f->BackgroundName(), "Puzzles\\W\\Background.jpg");
  EXPECT_EQ(f->PieceName(3, 4), "Puzzles\\W\\Piece34.tga");
}

TEST(JigsawFile, MissingValuesAreEmptyAndFlagsAreNone) {
  const auto f = Parse("<Jigsaw SolutionNameSingular=\"Map\" ExitVenue=\"\"/>");
  ASSERT_TRUE(f);
  // Flag 0 is the tips option: a file without flags must never touch it.
  EXPECT_EQ(f->startedFlag, -1);
  EXPECT_EQ(f->solvedFlag, -1);
  EXPECT_TRUE(f->path.empty());
  EXPECT_TRUE(f->introSpeech.empty() && f->helpSpeech.empty() && f->solvedSpeech.empty());
  EXPECT_TRUE(f->solutionImage.empty());
  EXPECT_EQ(f->solutionPlural, "Map");
  EXPECT_FALSE(f->exitVenue);
  EXPECT_EQ(f->PieceName(1, 1), "Piece11.tga");
  EXPECT_FALSE(Parse("not xml"));
  EXPECT_FALSE(LoadJigsawFile(nullptr));
  EXPECT_FALSE(LoadJigsawFile(""));
}

}  // namespace
