// Venue files and the rules that span the whole story: flags, scraps and jewels, dead ends.
#include <algorithm>
#include <cstring>
#include <set>

#include "content_check.h"
#include "player/flag_set.h"
#include "search/hotspot_rules.h"
#include "search/item_class_rules.h"
#include "search/portal_rules.h"
#include "search/venue_file.h"
#include "search/venue_rules.h"

namespace contentcheck {
namespace {

constexpr size_t kMaxObjectName = 14;  // "%d %s" captions must fit the item board's columns
constexpr int kScrapClass = 9, kScrapCount = 12;
constexpr int kJewelClass = 15, kJewelCount = 13;
// Portal build flags of the doors the story uses: setting all of a rule's flags removes its door.
constexpr int kFlagsThatStayClear[] = {24, 25, 28, 32, 33, 34, 38, 57};
// What the puzzles set themselves on arrival and when solved (the jigsaws name theirs in their files).
constexpr int kPuzzleFlags[] = {9,  19, 20, 51, 52, 60, 62, 66, 68, 72,
                                73, 74, 75, 76, 77, 82, 83, 91, 92, 96};
constexpr int kRuleIds = 48, kItemClasses = 32;

struct VenueFacts {
  std::string file;  // member name
  bool hasPortal = false, hasBack = false, differences = false;
  std::vector<std::pair<int, std::string>> hotspots;  // id, element
  std::map<int, int> classCounts;                     // inventory class -> objects
  std::set<std::string> scrapNames;
};

std::string ObjectLabel(const Element& o) {
  return "Object " + o.GetOr("Name", o.GetOr("File"));
}

// The P-frame point of a venue-relative centre ("Coords").
void ToPaintingFrame(float cx, float cy, float& px, float& py) {
  px = (cx + 0.5f) * 1024.0f / 0.918f;
  py = (cy + 0.5f) * 768.0f / 0.889f;
}

std::string KeepClearZone(float px, float py, bool backButton) {
  if (px > 890 && py < 240) return "the lead character's portrait";
  if (px > 990) return "the inventory strip";
  if (py > 735) return "the item board";
  if (backButton && px < 125 && py > 690) return "the back button";
  return {};
}

// A clickable picture: a 32-bit uncompressed TGA stored top row first, opaque at its centre.
void CheckClickablePicture(Context& c, const std::string& file, const std::string& where,
                           const std::string& member) {
  std::optional<std::vector<uint8_t>> bytes = c.ReadTexture(member);
  if (!bytes) return;  // reported as missing already
  const std::vector<uint8_t>& b = *bytes;
  if (b.size() < 18 || b[2] != 2 || b[16] != 32 || (b[17] & 0x20) == 0) {
    c.Report(file, where, "\"" + member + "\" is not a 32-bit uncompressed TGA stored top row first");
    return;
  }
  const int w = b[12] | (b[13] << 8), h = b[14] | (b[15] << 8);
  const size_t at = 18 + b[0] + (size_t(h / 2) * size_t(w) + size_t(w / 2)) * 4;
  if (w <= 0 || h <= 0 || at + 3 >= b.size()) {
    c.Report(file, where, "\"" + member + "\" is truncated");
    return;
  }
  if (b[at + 3] < 128)
    c.Report(file, where, "\"" + member + "\" is transparent at its centre (clicks there miss)");
}

// pluralShown: the venue holds more than one object of this name, so the board shows the plural.
void CheckObject(Context& c, const std::string& file, const Element& o, VenueFacts& facts, bool backButton,
                 bool pluralShown) {
  const std::string where = ObjectLabel(o);
  const int behavior = o.Int("Behavior", venue::kFindable);
  const std::string member = "Search\\HiddenObjects\\" + o.GetOr("File");
  c.ExpectTexture(file, where, member);
  const bool clickable =
      behavior == venue::kFindable || behavior == venue::kHotspot || behavior == venue::kMoveable;
  if (clickable && c.HasTexture(member)) CheckClickablePicture(c, file, where, member);
  for (const char* attribute : {"Name", "Plural"}) {
    const std::string text = o.GetOr(attribute);
    if (!pluralShown && SameText(attribute, "Plural")) continue;
    if (!PlainAscii(text)) c.Report(file, where, std::string(attribute) + " is not plain ASCII");
    if (text.size() > kMaxObjectName)
      c.Report(file, where, std::string(attribute) + " \"" + text + "\" is longer than 14 characters");
  }
  if (const Element* shadow = o.Child("Shadow");
      shadow && (shadow->Int("TextureIndex", 0) < 0 || shadow->Int("TextureIndex", 0) > 5))
    c.Report(file, where, "shadow TextureIndex outside 0..5");
  const std::vector<float> at = o.Floats("Coords");
  if (clickable && !facts.differences && at.size() == 2) {
    float px = 0, py = 0;
    ToPaintingFrame(at[0], at[1], px, py);
    if (std::string zone = KeepClearZone(px, py, backButton); !zone.empty())
      c.Report(file, where, "lies in the zone kept clear for " + zone);
  }
  if (behavior == venue::kHotspot) facts.hotspots.emplace_back(o.Int("HotspotID", 0), where);
  if (const int cls = o.Int("InventoryClass", 0); cls > 0) {
    ++facts.classCounts[cls];
    if (cls == kScrapClass) facts.scrapNames.insert(o.GetOr("Name"));
  }
}

VenueFacts CheckVenue(Context& c, const std::string& file, const Element& v, FlagSources& flags) {
  VenueFacts facts;
  facts.file = file;
  facts.differences = v.Int("FindDifferences", 0) != 0;
  const Element* back = v.Child("BackButton");
  facts.hasBack = back != nullptr;
  const Element* portals = v.Child("Portals");
  facts.hasPortal = portals && !portals->children.empty();

  const std::string bg = v.GetOr("Background");
  if (bg.empty())
    c.Report(file, "Venue", "has no Background");
  else
    c.ExpectTexture(file, "Venue", "Search\\Backgrounds\\" + bg);
  if (auto speech = v.Get("FirstVisitSpeech"); speech && !c.HasSpeech(*speech))
    c.Report(file, "Venue", "FirstVisitSpeech \"" + *speech + "\" is neither a conversation nor a key");
  if (auto speech = v.Get("ExitSpeech"); speech && !c.HasSpeech(*speech))
    c.Report(file, "Venue", "ExitSpeech \"" + *speech + "\" is neither a conversation nor a key");
  for (const char* flag : {"VisitedFlag", "CompletionFlag"})
    if (const int f = v.Int(flag, -1); f >= 0) flags.setBy.emplace(f, file);

  std::vector<std::string> names;
  int findable = 0;
  const Element* objects = v.Child("HiddenObjects");
  if (objects)
    for (const Element& o : objects->children)
      if (o.Int("Behavior", venue::kFindable) == venue::kFindable) {
        ++findable;
        names.push_back(o.GetOr("Name"));
      }
  if (objects)
    for (const Element& o : objects->children)
      CheckObject(c, file, o, facts, facts.hasBack,
                  std::count(names.begin(), names.end(), o.GetOr("Name")) > 1);
  std::sort(names.begin(), names.end());
  const int distinct = int(std::unique(names.begin(), names.end()) - names.begin());
  const int wantSlots = facts.differences ? 1 : distinct;
  if (v.Int("ItemSlots", -1) != wantSlots)
    c.Report(file, "Venue",
             "ItemSlots is " + v.GetOr("ItemSlots", "missing") + ", the objects need " +
                 std::to_string(wantSlots));
  if (v.Int("ItemsToFind", -1) != findable)
    c.Report(file, "Venue",
             "ItemsToFind is " + v.GetOr("ItemsToFind", "missing") + ", the venue lists " +
                 std::to_string(findable) + " findable objects");

  auto expectVenue = [&](const std::string& where, const std::string& level) {
    if (!c.HasDatabaseMember("Search\\Venues\\" + venue::VenueFileForLevel(level)))
      c.Report(file, where, "leads to \"" + level + "\", which is not a venue file");
  };
  if (portals)
    for (const Element& p : portals->children) {
      const std::string where = "Portal " + p.GetOr("PortalID");
      expectVenue(where, p.GetOr("LevelName"));
      if (!PlainAscii(p.GetOr("DisplayName"))) c.Report(file, where, "DisplayName is not plain ASCII");
      const std::vector<float> r = p.Floats("Rect");
      if (r.size() == 4)
        if (std::string zone = KeepClearZone((r[0] + r[2]) / 2, (r[1] + r[3]) / 2, facts.hasBack);
            !zone.empty())
          c.Report(file, where, "lies in the zone kept clear for " + zone);
    }
  if (back) {
    if (back->Int("ButtonID", -1) != 0) c.Report(file, "BackButton", "ButtonID must be 0 (always shown)");
    expectVenue("BackButton", back->GetOr("LevelName"));
    if (auto tip = back->Get("Tooltip")) c.ExpectKey(file, "BackButton", *tip);
  }
  if (const Element* patches = v.Child("Patches"))
    for (const Element& p : patches->children) c.ExpectTexture(file, "Patch", p.GetOr("Texture"));
  return facts;
}

// Flags play can reach: from the venues' and puzzles' own flags, every rule run with every held
// item until nothing new is set. Also collects the venues that hotspot rules open.
void CloseOverRules(FlagSources& flags, std::set<std::string>& openedByHotspots) {
  for (int f : kPuzzleFlags) flags.setBy.emplace(f, "its puzzle");
  flags.setBy.emplace(0, "a new player");
  for (bool changed = true; changed;) {
    changed = false;
    FlagSet set;
    for (const auto& [f, who] : flags.setBy) set.Set(f);
    auto take = [&](const rules::Outcome& o, const std::string& who) {
      for (int f : o.setFlags) changed |= flags.setBy.emplace(f, who).second;
      if (o.openClass == rules::kOpenVenue && who.rfind("hotspot", 0) == 0)
        openedByHotspots.insert(o.openArgument);
    };
    for (int id = 0; id < kRuleIds; ++id)
      for (int cls = 0; cls < kItemClasses; ++cls)
        for (int n : {1, 12, 13}) {
          const rules::HeldItem held{cls, cls ? n : 0};
          take(rules::HotspotRule(id, held, set), "hotspot rule " + std::to_string(id));
          take(rules::PortalEntryRule(id, held, set), "portal rule " + std::to_string(id));
        }
  }
}

}  // namespace

void CheckVenues(Context& c, FlagSources& flags) {
  std::vector<VenueFacts> venues;
  for (const std::string& file : c.DatabaseMembers("Search\\Venues\\"))
    if (std::optional<Element> v = c.LoadXml(file)) venues.push_back(CheckVenue(c, file, *v, flags));

  std::set<std::string> openedByHotspots;
  CloseOverRules(flags, openedByHotspots);
  for (int f : kFlagsThatStayClear)
    if (auto it = flags.setBy.find(f); it != flags.setBy.end())
      c.Report(it->second, "",
               "sets flag " + std::to_string(f) + ", which must stay clear (it removes a door)");

  int scraps = 0;
  std::set<std::string> scrapNames;
  std::vector<std::string> jewelVenues;
  for (const VenueFacts& v : venues) {
    for (const auto& [id, where] : v.hotspots) {
      const int flag = venue::HotspotActivityFlag(id);
      if (flag >= 0 && !flags.setBy.count(flag))
        c.Report(v.file, where,
                 "hotspot " + std::to_string(id) + " stays active for ever: nothing sets flag " +
                     std::to_string(flag));
    }
    if (auto it = v.classCounts.find(kScrapClass); it != v.classCounts.end()) scraps += it->second;
    scrapNames.insert(v.scrapNames.begin(), v.scrapNames.end());
    if (v.classCounts.count(kJewelClass)) jewelVenues.push_back(v.file);
    const std::string name = venue::VenueNameFromPath(v.file);
    for (const std::string& opened : openedByHotspots)
      if (SameText(venue::VenueNameFromPath(opened), name) && !v.hasBack && !v.hasPortal)
        c.Report(v.file, "Venue", "is opened as a close-up but has no back button");
  }
  if (scraps != kScrapCount || scrapNames.size() > 1)
    c.Report("Search\\Venues\\", "",
             "the venues hold " + std::to_string(scraps) + " photo scraps under " +
                 std::to_string(scrapNames.size()) + " names; the jigsaw needs 12 under one");
  int jewels = 0;
  for (const VenueFacts& v : venues)
    if (auto it = v.classCounts.find(kJewelClass); it != v.classCounts.end()) jewels += it->second;
  if (jewels != kJewelCount || jewelVenues.size() != 1)
    c.Report("Search\\Venues\\", "",
             "the venues hold " + std::to_string(jewels) + " jewels in " +
                 std::to_string(jewelVenues.size()) + " venues; the setting needs 13 in one");
}

}  // namespace contentcheck
