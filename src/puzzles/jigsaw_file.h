// A jigsaw's data file: the root element's attributes say where its pictures are, which story
// flags it uses, what the lead character says and what the player gets for solving it.
#pragma once

#include <optional>
#include <string>

class XmlDocument;

namespace jigsaw {

struct JigsawFile {
  std::string path;      // prefix of the picture members ("Puzzles\WarehouseJigsaw\")
  int startedFlag = -1;  // -1: none (flag 0 is the player's tips option, never a puzzle's)
  int solvedFlag = -1;
  std::string introSpeech, helpSpeech, solvedSpeech;  // empty: nothing said
  int pieceInventoryClass = 0;
  int solutionInventoryClass = 0;
  std::string solutionImage, solutionSingular, solutionPlural;
  std::optional<std::string> exitVenue;

  // Path + "Background.jpg".
  std::string BackgroundName() const;
  // Path + "Piece<row><column>.tga", row 1..3, column 1..4.
  std::string PieceName(int row, int column) const;
};

// Reads the root of a parsed document; nullopt without a root element.
std::optional<JigsawFile> ReadJigsawFile(XmlDocument& doc);
// Loads the archive member and reads it; nullopt when it cannot be opened.
std::optional<JigsawFile> LoadJigsawFile(const char* member);

}  // namespace jigsaw
