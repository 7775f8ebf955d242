#include "content_check.h"

#include <algorithm>

#include "data/pakfile.h"

namespace contentcheck {
namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && SameText(text.substr(text.size() - tail.size()), tail);
}

bool IsPictureName(const std::string& value) {
  return EndsWith(value, ".png") || EndsWith(value, ".jpg") || EndsWith(value, ".tga");
}

// The folder part of a member name, with its trailing backslash ("Puzzles\Match3\").
std::string FolderOf(const std::string& member) {
  const size_t cut = member.find_last_of('\\');
  return cut == std::string::npos ? std::string() : member.substr(0, cut + 1);
}

// Environment class ids a stage's puzzle list may name.
constexpr int kPuzzleClasses[] = {26, 62, 70, 73, 77, 82, 84, 87, 93, 94, 97, 99};

}  // namespace

std::string Problem::Text() const {
  std::string text = file;
  if (!element.empty()) text += ": <" + element + ">";
  return text + ": " + message;
}

Context::Context(const Archives& archives) : archives_(archives) {
  if (std::optional<Element> strings = LoadXml("Localization\\US.xml"))
    for (const Element& key : strings->children) keys_.insert(Lower(key.name));
}

std::string Context::Lower(std::string text) {
  for (char& ch : text)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  return text;
}

void Context::Report(const std::string& file, const std::string& element, const std::string& message) {
  problems_.push_back({file, element, message});
}

std::optional<Element> Context::LoadXml(const std::string& member, const std::string& namedBy) {
  const std::string where = namedBy.empty() ? std::string() : " (named by " + namedBy + ")";
  std::optional<std::vector<uint8_t>> bytes;
  if (archives_.database) bytes = archives_.database->ReadMember(member);
  if (!bytes) {
    Report(member, "", "missing from Database.pak" + where);
    return std::nullopt;
  }
  std::optional<Element> tree = ParseTree(*bytes);
  if (!tree) Report(member, "", "does not parse as XML" + where);
  return tree;
}

std::vector<std::string> Context::DatabaseMembers(const std::string& prefix) const {
  std::vector<std::string> out;
  if (!archives_.database) return out;
  for (const CPakfile::Record& r : archives_.database->Records())
    if (r.name.size() > prefix.size() && SameText(r.name.substr(0, prefix.size()), prefix) &&
        EndsWith(r.name, ".xml"))
      out.push_back(r.name);
  std::sort(out.begin(), out.end());
  return out;
}

bool Context::HasDatabaseMember(const std::string& member) const {
  return archives_.database && archives_.database->HasMember(member);
}

bool Context::HasTexture(const std::string& member) const {
  return archives_.textures && archives_.textures->HasMember(member);
}

bool Context::HasSound(const std::string& member) const {
  return archives_.sounds && archives_.sounds->HasMember(member);
}

std::optional<std::vector<uint8_t>> Context::ReadTexture(const std::string& member) const {
  if (!archives_.textures) return std::nullopt;
  return archives_.textures->ReadMember(member);
}

bool Context::HasSpeech(const std::string& name) const {
  return HasKey(name) || HasDatabaseMember("GUI\\Characters\\" + name + ".xml");
}

void Context::ExpectKey(const std::string& file, const std::string& element, const std::string& key) {
  if (!HasKey(key)) Report(file, element, "key \"" + key + "\" is not in Localization\\US.xml");
}

void Context::ExpectTexture(const std::string& file, const std::string& element, const std::string& member) {
  if (!HasTexture(member)) Report(file, element, "picture \"" + member + "\" is not in Textures.pak");
}

// ---- Strings, story map, travel maps, conversations -------------------------------------------

void CheckStrings(Context& c) {
  const std::string file = "Localization\\US.xml";
  std::optional<Element> strings = c.LoadXml(file);
  if (!strings) return;
  for (const Element& key : strings->children) {
    bool ascii = PlainAscii(key.GetOr("Value"));
    for (const Element& line : key.children) ascii = ascii && PlainAscii(line.GetOr("Value"));
    if (!ascii) c.Report(file, key.name, "text is not plain ASCII");
  }
}

void CheckGameMap(Context& c) {
  const std::string file = "GameMap.xml";
  std::optional<Element> map = c.LoadXml(file);
  if (!map) return;
  int index = 0;
  for (const Element& stage : map->children) {
    const std::string where = "Stage " + std::to_string(index) + " \"" + stage.GetOr("Name") + "\"";
    if (std::optional<std::string> travel = stage.Get("MapName"); travel && !travel->empty())
      if (!c.HasDatabaseMember("Map\\" + *travel + ".xml"))
        c.Report(file, where, "travel map \"Map\\" + *travel + ".xml\" is not in Database.pak");
    if (std::optional<std::string> speech = stage.Get("ExitSpeech")) c.ExpectKey(file, where, *speech);
    const Element* venues = stage.Child("SearchVenues");
    if (!venues || venues->children.empty()) c.Report(file, where, "lists no search venue");
    std::vector<const Element*> named;
    if (venues)
      for (const Element& v : venues->children) named.push_back(&v);
    if (const Element* diff = stage.Child("Differences")) named.push_back(diff);
    for (const Element* v : named) {
      const std::string venue = v->GetOr("File");
      if (!c.HasDatabaseMember("Search\\Venues\\" + venue))
        c.Report(file, where, "venue \"" + venue + "\" is not in Database.pak (Search\\Venues\\)");
    }
    if (const Element* puzzles = stage.Child("Puzzles"))
      for (const Element& p : puzzles->children) {
        const int id = p.Int("EnvironmentID", -1);
        if (std::find(std::begin(kPuzzleClasses), std::end(kPuzzleClasses), id) == std::end(kPuzzleClasses))
          c.Report(file, where, "puzzle \"" + p.GetOr("Name") + "\" names no puzzle class");
        const std::string arg = p.GetOr("File");
        if (arg.find('\\') != std::string::npos && !c.HasDatabaseMember(arg))
          c.Report(file, where, "puzzle file \"" + arg + "\" is not in Database.pak");
      }
    ++index;
  }
  if (index == 0) c.Report(file, "", "holds no stage");
}

void CheckMaps(Context& c) {
  for (const std::string& file : c.DatabaseMembers("Map\\")) {
    std::optional<Element> map = c.LoadXml(file);
    if (!map) continue;
    c.ExpectTexture(file, "Map", "Map\\" + map->GetOr("Background"));
    if (const Element* icons = map->Child("Icons"))
      for (const Element& icon : icons->children) {
        const std::string where = "Icon " + icon.GetOr("Name");
        c.ExpectTexture(file, where, "Map\\" + icon.GetOr("Image"));
        c.ExpectKey(file, where, icon.GetOr("Name"));
      }
  }
}

void CheckConversations(Context& c) {
  for (const std::string& file : c.DatabaseMembers("GUI\\Characters\\")) {
    std::optional<Element> talk = c.LoadXml(file);
    if (!talk) continue;
    for (const Element& line : talk->children) {
      if (SameText(line.name, "Image"))
        c.ExpectTexture(file, "Image", "GUI\\Characters\\" + line.GetOr("Name"));
      else
        c.ExpectKey(file, line.name, line.GetOr("Text"));
    }
  }
}

// Pictures a puzzle file names sit beside it; the items a puzzle hands out are strip pictures.
void CheckPuzzleElement(Context& c, const std::string& file, const Element& e, FlagSources& flags) {
  for (const auto& [name, value] : e.attributes) {
    if (IsPictureName(value)) {
      const std::string lower = Context::Lower(name);
      const bool item = lower.rfind("inventory", 0) == 0 || lower.rfind("solution", 0) == 0;
      c.ExpectTexture(file, e.name, (item ? std::string("Search\\HiddenObjects\\") : FolderOf(file)) + value);
    }
    if (name.size() > 6 && SameText(name.substr(name.size() - 6), "Speech") && !c.HasSpeech(value))
      c.Report(file, e.name, name + " \"" + value + "\" is neither a conversation nor a key");
    if (SameText(name, "StartedFlag") || SameText(name, "SolvedFlag"))
      flags.setBy.emplace(e.Int(name, -1), file);
  }
  for (const Element& child : e.children) CheckPuzzleElement(c, file, child, flags);
}

void CheckPuzzleFiles(Context& c, FlagSources& flags) {
  for (const std::string& file : c.DatabaseMembers("Puzzles\\"))
    if (std::optional<Element> puzzle = c.LoadXml(file)) CheckPuzzleElement(c, file, *puzzle, flags);
}

void CheckVenueMap(Context& c) {
  const std::string file = "Search\\VenueMap\\VenueMap.xml";
  std::optional<Element> table = c.LoadXml(file);
  if (!table) return;
  for (const Element& venue : table->children) {
    if (!c.HasDatabaseMember("Search\\Venues\\" + venue.name + ".xml"))
      c.Report(file, venue.name, "no venue file Search\\Venues\\" + venue.name + ".xml");
    if (const Element* sounds = venue.Child("AmbientSounds"))
      for (const Element& s : sounds->children)
        if (!c.HasSound("Sounds\\" + s.GetOr("FileName")))
          c.Report(file, venue.name, "sound \"Sounds\\" + s.GetOr("FileName") + "\" is not in Sounds.pak");
  }
}

std::vector<Problem> CheckContent(const Archives& archives) {
  Context c(archives);
  FlagSources flags;
  CheckStrings(c);
  CheckGameMap(c);
  CheckMaps(c);
  CheckConversations(c);
  CheckPuzzleFiles(c, flags);
  CheckVenueMap(c);
  CheckVenues(c, flags);
  return c.Problems();
}

}  // namespace contentcheck
