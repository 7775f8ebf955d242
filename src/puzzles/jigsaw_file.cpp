#include "puzzles/jigsaw_file.h"

#include <cstdio>

#include "data/xml_document.h"

namespace jigsaw {

std::string JigsawFile::BackgroundName() const {
  return path + "Background.jpg";
}

std::string JigsawFile::PieceName(int row, int column) const {
  char tail[32];
  std::snprintf(tail, sizeof tail, "Piece%d%d.tga", row, column);
  return path + tail;
}

std::optional<JigsawFile> ReadJigsawFile(XmlDocument& doc) {
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return std::nullopt;
  auto text = [&](const char* name) { return doc.CopyAttribute(root.get(), name, "").value_or(""); };
  JigsawFile f;
  f.path = text("Path");
  f.startedFlag = doc.GetIntAttribute(root.get(), "StartedFlag", -1);
  f.solvedFlag = doc.GetIntAttribute(root.get(), "SolvedFlag", -1);
  f.introSpeech = text("IntroSpeech");
  f.helpSpeech = text("HelpSpeech");
  f.solvedSpeech = text("SolvedSpeech");
  f.pieceInventoryClass = doc.GetIntAttribute(root.get(), "PieceInventoryClass", 0);
  f.solutionInventoryClass = doc.GetIntAttribute(root.get(), "SolutionInventoryClass", 0);
  f.solutionImage = text("SolutionImage");
  f.solutionSingular = text("SolutionNameSingular");
  f.solutionPlural = text("SolutionNamePlural");
  if (f.solutionPlural.empty()) f.solutionPlural = f.solutionSingular;
  if (auto venue = doc.CopyAttribute(root.get(), "ExitVenue"); venue && !venue->empty()) f.exitVenue = venue;
  return f;
}

std::optional<JigsawFile> LoadJigsawFile(const char* member) {
  if (!member || !*member) return std::nullopt;
  XmlDocument doc;
  if (doc.LoadMember(member) != 0) return std::nullopt;
  return ReadJigsawFile(doc);
}

}  // namespace jigsaw
