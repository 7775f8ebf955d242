// The venue file reader and the venue's fixed rules, without a scene.
#include <gtest/gtest.h>

#include <cstring>

#include "data/xml_document.h"
#include "search/venue_file.h"
#include "search/venue_rules.h"

namespace {

using namespace venue;

XmlNode Parse(XmlDocument& doc, const char* text) {
  doc.LoadBytes(text, std::strlen(text));
  return doc.Root();
}

TEST(VenueFile, RootAttributesDefaultsAndChecks) {
  struct Case {
    const char* xml;
    int items, slots;
    bool differences;
    int completion, visited;
    bool exit, first;
  } cases[] = {
      {"<Venue/>", 12, 12, false, -1, -1, false, false},
      {R"(<Venue ItemsToFind="7" ItemSlots="1" FindDifferences="3" CompletionFlag="120" VisitedFlag="106"
              ExitSpeech="Done" FirstVisitSpeech="Hello"/>)",
       7, 1, true, 120, 106, true, true},
      {R"(<Venue ItemSlots="99" ItemsToFind="-4" ExitSpeech="" FindDifferences="0"/>)", 0, 12, false, -1, -1,
       false, false},
      {R"(<Venue ItemSlots="0" ItemsToFind="junk" CompletionFlag="x"/>)", 12, 1, false, -1, -1, false, false},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    ScopedXmlNode root(doc, Parse(doc, c.xml));
    const VenueAttributes a = VenueAttributes::Read(doc, root);
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(a.itemsToFind, c.items);
    EXPECT_EQ(a.itemSlots, c.slots);
    EXPECT_EQ(a.differences, c.differences);
    EXPECT_EQ(a.completionFlag, c.completion);
    EXPECT_EQ(a.visitedFlag, c.visited);
    EXPECT_EQ(a.exitSpeech.has_value(), c.exit);
    EXPECT_EQ(a.firstVisitSpeech.has_value(), c.first);
  }
}

TEST(VenueFile, NamesPathsAndSavableElements) {
  const std::pair<const char*, const char*> names[] = {
      {"Search\\Venues\\Warehouse_Safe.xml", "Warehouse_Safe"},
      {"Search\\Venues\\A.b.xml", "A.b"},
      {"Plain", "Plain"},
      {"dir/Sub\\x.XML", "x"},
      {"Search\\Venues\\", ""},
  };
  for (auto [path, name] : names) EXPECT_EQ(VenueNameFromPath(path), name) << path;
  EXPECT_EQ(VenueMemberPath("Headquarters_Office.xml"), "Search\\Venues\\Headquarters_Office.xml");
  EXPECT_EQ(VenueFileForLevel("Warehouse_Office"), "Warehouse_Office.xml");
  EXPECT_EQ(VenueFileForLevel("Warehouse_Office.XML"), "Warehouse_Office.XML");

  const std::pair<const char*, bool> savable[] = {
      {"Headquarters_Office", true},
      {"_x-1.2", true},
      {"", false},
      {"1st", false},
      {"has space", false},
      {"PlayerAttribs", false},
      {"inventoryboard", false},
      {"XmlThing", false},
      {"caf\xe9", false},
  };
  for (auto [name, ok] : savable) EXPECT_EQ(IsSavableVenueName(name), ok) << name;
}

TEST(VenueFile, HiddenObjectValues) {
  XmlDocument doc;
  ScopedXmlNode root(doc, Parse(doc, R"(<Venue><HiddenObjects>
    <Object/>
    <!-- not an element -->
    <Thing Name="Cup" Behavior="5" InventoryClass="3" HotspotID="9" File="Cup.tga" Coords="0.25,-0.5"
           Size="0.1" Angle="0.3" AspectRatio="2" Flags="31" ARGB="0.5,1,0,2">
      <Shadow/><BoundingBox Origin="0.1,0.2" Size="0.3" AspectRatio="2"/>
    </Thing>
    <Object Name="Short" ARGB="0.5,1,1" Behavior="9" Coords="1,2,3"/>
  </HiddenObjects></Venue>)"));
  const std::vector<HiddenObjectSpec> objects = ReadHiddenObjects(doc, root);
  ASSERT_EQ(objects.size(), 3u);  // elements only: the comment takes no index

  const HiddenObjectSpec& plain = objects[0];
  EXPECT_FALSE(plain.name);
  EXPECT_EQ(plain.BoardName(), "");
  EXPECT_EQ(plain.behavior, kFindable);
  EXPECT_EQ(plain.aspect, 1.0f);
  EXPECT_EQ(plain.color, 0xFFFFFFFFu);
  EXPECT_FALSE(plain.shadow || plain.box);

  const HiddenObjectSpec& cup = objects[1];
  EXPECT_EQ(*cup.name, "Cup");
  EXPECT_EQ(cup.plural, "Cup");  // the name when no plural is given
  EXPECT_EQ(cup.behavior, kMoveable);
  EXPECT_EQ(cup.inventoryClass, 3);
  EXPECT_EQ(cup.hotspotId, 9);
  EXPECT_FLOAT_EQ(cup.x, 0.25f);
  EXPECT_FLOAT_EQ(cup.y, -0.5f);
  EXPECT_EQ(cup.flips, 24u);          // only the mirror and flip bits
  EXPECT_EQ(cup.color, 0x7FFF00FFu);  // each channel kept to 0..1, truncated
  EXPECT_FLOAT_EQ(cup.alpha, 0.5f);
  ASSERT_TRUE(cup.shadow);
  EXPECT_EQ(cup.shadow->size, 1.0f);
  EXPECT_EQ(cup.shadow->aspect, 0.0f);  // the object's own aspect
  EXPECT_EQ(cup.shadow->intensity, 1.0f);
  ASSERT_TRUE(cup.box);
  EXPECT_FLOAT_EQ(cup.box->y, 0.2f);

  const HiddenObjectSpec& odd = objects[2];
  EXPECT_EQ(odd.color, 0xFFFFFFFFu);  // three numbers are not a colour
  EXPECT_EQ(odd.alpha, 1.0f);
  EXPECT_EQ(odd.behavior, kIgnoresClicks);
  EXPECT_EQ(odd.x, 0.0f);
}

TEST(VenueFile, PatchesAndSavedBoards) {
  struct PatchCase {
    const char* xml;
    float period, variance;
  } patches[] = {
      {"<Patch/>", 0.5f, 0.8f},
      {R"(<Patch Period="2" Variance="0"/>)", 2.0f, 0.0f},
      {R"(<Patch Period="0" Variance="-1"/>)", 0.5f, 0.0f},
      {R"(<Patch Period="-3" Variance="4"/>)", 0.5f, 1.0f},
  };
  for (const PatchCase& c : patches) {
    XmlDocument doc;
    ScopedXmlNode e(doc, Parse(doc, c.xml));
    const PatchSpec p = PatchSpec::Read(doc, e);
    EXPECT_EQ(p.period, c.period) << c.xml;
    EXPECT_EQ(p.variance, c.variance) << c.xml;
  }
  struct BoardCase {
    const char* xml;
    int slots;
    size_t items;
  } boards[] = {
      {"<ItemBoard/>", 0, 0},
      {R"(<ItemBoard ItemSlots="30"><Item SlotIndex="1" ObjectIndex="4" Flags="1"/><Other/></ItemBoard>)", 12,
       1},
      {R"(<ItemBoard ItemSlots="-2"><Item/></ItemBoard>)", 0, 1},
  };
  for (const BoardCase& c : boards) {
    XmlDocument doc;
    ScopedXmlNode e(doc, Parse(doc, c.xml));
    const SavedBoard b = SavedBoard::Read(doc, e);
    EXPECT_EQ(b.slots, c.slots) << c.xml;
    EXPECT_EQ(b.Usable(), c.slots > 0);
    EXPECT_EQ(b.items.size(), c.items) << c.xml;
  }
}

TEST(VenueRules, ScreenLayoutInBothModes) {
  const ScreenRect env(0, 0, 1000, 750);
  const ScreenLayout normal = ComputeScreenLayout(env, false);
  EXPECT_EQ(normal.sceneArea, ScreenRect(0, 0, 918, 666.75f));
  EXPECT_EQ(normal.secondArea.Width(), 0.0f);
  EXPECT_NEAR(normal.itemBoard.Width(), 652.3f, 0.01f);
  EXPECT_NEAR(normal.itemBoard.Height(), 110.0f, 0.01f);
  EXPECT_NEAR(normal.itemBoard.right, 915.0f, 0.01f);
  EXPECT_EQ(normal.itemBoard.bottom, 750.0f);
  EXPECT_NEAR(normal.inventory.Height(), 110.0f / 0.223f, 0.01f);
  EXPECT_NEAR(normal.inventory.bottom, 665.0f, 0.01f);
  EXPECT_EQ(normal.hintButton, ScreenRect(890, 640, 1000, 750));
  EXPECT_NEAR(normal.statusBoard.Width(), 299.2f, 0.01f);

  const ScreenLayout diff = ComputeScreenLayout(env, true);
  EXPECT_NEAR(diff.sceneArea.Width(), 459.0f, 0.01f);
  EXPECT_EQ(diff.secondArea.left, diff.sceneArea.right);
  EXPECT_NEAR(diff.secondArea.Width(), 459.0f, 0.01f);
  EXPECT_NEAR(diff.divider.Width(), 0.03f * 459.0f, 0.01f);
  EXPECT_NEAR(diff.divider.CenterX(), diff.sceneArea.right, 0.01f);
  EXPECT_EQ(diff.divider.Height(), diff.sceneArea.Height());
}

TEST(VenueRules, HotspotFlagsAndCompletionDecisions) {
  const std::pair<int, int> flags[] = {{1, 13}, {13, 49}, {16, 65}, {22, 90}, {5, -1},
                                       {6, -1}, {9, -1},  {0, -1},  {99, -1}};
  for (auto [id, flag] : flags) EXPECT_EQ(HotspotActivityFlag(id), flag) << id;

  using S = CompletionStep;
  struct Case {
    bool exit, differences, stageHasDifferences, belongs;
    S step;
  } cases[] = {
      {true, false, true, true, S::kExitSpeech},        {true, false, false, false, S::kExitSpeech},
      {false, false, true, true, S::kCheckDifferences}, {false, true, true, true, S::kStageEndSpeech},
      {false, false, false, true, S::kStageEndSpeech},  {false, false, true, false, S::kOpenStageStart},
      {false, true, true, false, S::kOpenStageStart},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecideCompletion(c.exit, c.differences, c.stageHasDifferences, c.belongs), c.step)
        << c.exit << c.differences << c.stageHasDifferences << c.belongs;
}

}  // namespace
