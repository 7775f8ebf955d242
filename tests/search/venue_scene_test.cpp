// The venue scene on the null device: loading, clicks through the hit tests, the found sequence
// with the board and the status board, dragging, completion, saving and restoring.
#include <cmath>

#include "flow/shutter.h"
#include "player/game_state.h"
#include "scene/cursor.h"
#include "scene/text_container.h"
#include "scene/text_sprite.h"
#include "search/hidden_object.h"
#include "search/item_board.h"
#include "search/search_environment.h"
#include "search/search_patch.h"
#include "search/status_board.h"
#include "search/venue_fixture.h"
#include "search/venue_parts.h"
#include "ui/jorvane_corner.h"
#include "ui/pushbutton.h"
#include "ui/speech_balloon.h"

namespace venuetest {
namespace {

int CountOfType(int typeId) {
  int n = 0;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) n += o->GetTypeId() == typeId ? 1 : 0;
  return n;
}

CSpeechBalloon* LastBalloon() {
  CSpeechBalloon* last = nullptr;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext())
    if (o->GetTypeId() == TypeId::kSpeechBalloon) last = static_cast<CSpeechBalloon*>(o);
  return last;
}

std::string Caption(CItemSlot* slot) {
  return slot && slot->GetCaption() ? slot->GetCaption()->GetText() : std::string("<none>");
}

class VenueScene : public VenueTest {
 protected:
  // Waits until every running found sequence has landed.
  void Settle(CSearchEnvironment* venue) {
    for (int i = 0; i < 400; ++i) {
      bool flying = false;
      for (CHiddenObject* o = venue->FirstHiddenObject(); o; o = o->NextInVenue())
        flying = flying || o->IsFlying();
      if (!flying) return;
      RunUntil(now_ + 0.02f);
    }
  }
};

TEST_F(VenueScene, OfficeBuildsEverythingItsFileLists) {
  SetFlag(58);  // rookie mode: sparkles on the hotspot and the moveable object
  CSearchEnvironment* v = Open("Headquarters_Office.xml");
  ASSERT_TRUE(v->IsLoaded());
  EXPECT_EQ(v->GetVenueName(), "Headquarters_Office");
  EXPECT_EQ(v->HiddenObjectCount(), 12);
  float depth = v->GetDepth();
  int index = 0;
  for (CHiddenObject* o = v->FirstHiddenObject(); o; o = o->NextInVenue(), ++index) {
    EXPECT_EQ(o->GetIndex(), index);
    EXPECT_NEAR(o->GetDepth(), depth + 0.01f, 1e-5f);
    depth = o->GetDepth();
  }
  CItemBoard* board = v->GetItemBoard();
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(board->GetSlotCount(), 10);
  EXPECT_EQ(board->UnfoundTotal(), 10);
  EXPECT_EQ(v->GetStatusBoard()->GetShownCount(), 10);
  EXPECT_FALSE(v->FindObjectByIndex(10)->IsListed());  // the drawer hotspot
  EXPECT_FALSE(v->FindObjectByIndex(11)->IsListed());  // the newspaper
  EXPECT_EQ(CountOfType(TypeId::kSparkleEmitter), 2);
  EXPECT_EQ(CountOfType(TypeId::kNightSky), 1);
  EXPECT_EQ(CountOfType(TypeId::kSmokeEffect), 1);
  EXPECT_EQ(CountOfType(TypeId::kFireEffect), 1);
  EXPECT_EQ(CountOfType(TypeId::kDialogManager), 1);
  EXPECT_FALSE(v->HasExit());
  EXPECT_TRUE(TestFlag(100));
  ScreenRect ghost;
  EXPECT_FALSE(GhostPoint(10, 10, v->GetSceneArea(), ghost.left, ghost.top) && false);
  EXPECT_TRUE(boxes.empty()) << boxes.front();

  // The second visit has no first-visit conversation.
  v = Open("Headquarters_Office.xml");
  EXPECT_EQ(CountOfType(TypeId::kDialogManager), 0);
}

TEST_F(VenueScene, ClicksFollowMasksAndBehaviours) {
  int hotspotRuns = 0, penalties = 0;
  static int* runs;
  static int* wrong;
  runs = &hotspotRuns;
  wrong = &penalties;
  GetVenueParts().runHotspot = [](CSearchEnvironment*, CHiddenObject*) { ++*runs; };
  GetVenueParts().countWrongClick = [](int classId) { *wrong += classId == 43 ? 1 : 100; };
  CSearchEnvironment* v = Open("Test_Kinds.xml");
  CHiddenObject* leftHalf = v->FindObjectByIndex(0);
  CHiddenObject* mirrored = v->FindObjectByIndex(1);
  CHiddenObject* flipped = v->FindObjectByIndex(2);
  ASSERT_TRUE(leftHalf && mirrored && flipped);
  EXPECT_EQ(v->FindObjectByIndex(3)->GetBehavior(), 1);  // the comment took no index
  EXPECT_FALSE(v->FindObjectByIndex(5)->IsListed());     // a findable without a name is not asked for
  EXPECT_EQ(v->GetItemBoard()->ListedTotal(), 3);

  struct Case {
    CHiddenObject* object;
    float fx, fy;  // point inside the object, as fractions of its rectangle
    bool finds;
  } cases[] = {
      {leftHalf, 0.75f, 0.5f, false},  // the transparent half: through the glass to the venue
      {mirrored, 0.25f, 0.5f, false},  // mirrored: its left half is the transparent one
      {flipped, 0.5f, 0.25f, false},   // flipped: its top half is the transparent one
      {leftHalf, 0.25f, 0.5f, true},   // the glass above lets the click through
      {mirrored, 0.75f, 0.5f, true},  {flipped, 0.5f, 0.75f, true},
  };
  int expectedWrong = 0;
  for (const Case& c : cases) {
    const ScreenRect r = c.object->GetScreenRect();
    Click(int(r.left + c.fx * r.Width()), int(r.top + c.fy * r.Height()));
    EXPECT_EQ(c.object->IsFound(), c.finds) << c.object->GetIndex() << " " << c.fx << "," << c.fy;
    if (!c.finds) ++expectedWrong;
    EXPECT_EQ(v->GetWrongClicks(), expectedWrong);
  }
  // In flight an object takes no clicks: the click lands on the venue.
  ClickObject(leftHalf);
  EXPECT_EQ(v->GetWrongClicks(), ++expectedWrong);

  ClickObject(v->FindObjectByIndex(3));  // blocks clicks
  ClickObject(v->FindObjectByIndex(5));  // findable but not listed
  expectedWrong += 2;
  ClickObject(v->FindObjectByIndex(6));  // the hotspot, active while flag 49 is clear
  EXPECT_EQ(hotspotRuns, 1);
  SetFlag(49);
  ClickObject(v->FindObjectByIndex(6));
  EXPECT_EQ(hotspotRuns, 1);
  EXPECT_EQ(v->GetWrongClicks(), ++expectedWrong);
  EXPECT_EQ(penalties, expectedWrong);

  // The back button names no destination: it leads nowhere.
  v->OnNotify(v->FindChild(TypeId::kBackButton), kCodeVenueBack);
  EXPECT_EQ(GetShutter(), nullptr);
}

TEST_F(VenueScene, FoundSequenceCountsDownStrikesOutAndCompletes) {
  CSearchEnvironment* v = Open("Test_Pair.xml");
  CItemBoard* board = v->GetItemBoard();
  ASSERT_EQ(board->GetSlotCount(), 2);
  CHiddenObject* cup1 = v->FindObjectByIndex(0);
  CHiddenObject* cup2 = v->FindObjectByIndex(1);
  CHiddenObject* key = v->FindObjectByIndex(2);
  ASSERT_EQ(cup1->GetSlot(), cup2->GetSlot());  // one name without regard to case
  CItemSlot* cups = cup1->GetSlot();
  EXPECT_EQ(Caption(cups), "2 Cups");
  EXPECT_EQ(Caption(key->GetSlot()), "Key");

  const float size = cup1->GetScale();
  ClickObject(cup1);
  const float start = cup1->GetFoundStart();
  EXPECT_EQ(v->GetStatusBoard()->GetShownCount(), 2);  // counted at the click
  EXPECT_EQ(cups->GetShownCount(), 2);                 // shown until it arrives
  RunUntil(start + 0.25f);
  EXPECT_NEAR(cup1->GetScale(), 1.3f * size, 0.02f * size);
  const float flight = cup1->GetFlightTime();
  ScreenRect target;
  cups->TargetPoint(target.left, target.top);
  EXPECT_GT(flight, 0.1f);
  RunUntil(start + 1.0f + flight - 0.05f);
  EXPECT_TRUE(cup1->IsFlying());
  RunUntil(start + 1.0f + flight + 0.03f);
  EXPECT_FALSE(cup1->IsFlying());
  EXPECT_EQ(cup1->GetOpacity(), 0.0f);
  EXPECT_NEAR(cup1->GetScreenRect().CenterX(), target.left, 1.0f);
  EXPECT_EQ(Caption(cups), "cup");  // the singular of the group's first name in name order
  EXPECT_EQ(cups->GetShownCount(), 1);

  ClickObject(cup2);
  Settle(v);
  EXPECT_TRUE(cups->IsStriking());
  RunUntil(now_ + 0.6f);
  EXPECT_FALSE(cups->IsStriking());
  EXPECT_EQ(cups->GetCaption()->GetColor(), itemlist::kCaptionStruck);
  EXPECT_EQ(cups->GetStrikeout()->GetOpacity(), 1.0f);

  // Without an inventory strip the key counts on the board alone; the last arrival completes the
  // venue, and as a venue of no stage it sends the player to the stage's start.
  ClickObject(key);
  Settle(v);
  EXPECT_EQ(v->GetStatusBoard()->GetShownCount(), 0);
  ASSERT_NE(GetShutter(), nullptr);
  EXPECT_STREQ(GetShutter()->Argument(), "Headquarters_Office.xml");
}

TEST_F(VenueScene, StateSurvivesLeavingEvenInFlight) {
  CSearchEnvironment* v = Open("Test_Pair.xml");
  const int keySlot = v->FindObjectByIndex(2)->GetSlot()->GetIndex();
  ClickObject(v->FindObjectByIndex(0));
  Settle(v);
  ClickObject(v->FindObjectByIndex(2));  // still in flight when the venue goes
  delete v;
  EXPECT_EQ(VenueUnfoundItems("Test_Pair"), 1);
  EXPECT_EQ(GetLastVenue().value_or(""), "Test_Pair");

  v = Open("Test_Pair.xml");
  CHiddenObject* cup1 = v->FindObjectByIndex(0);
  EXPECT_EQ(cup1->GetOpacity(), 0.0f);
  EXPECT_TRUE(v->FindObjectByIndex(2)->IsFound());
  EXPECT_FALSE(v->FindObjectByIndex(1)->IsFound());
  EXPECT_EQ(v->FindObjectByIndex(2)->GetSlot()->GetIndex(), keySlot);
  EXPECT_EQ(Caption(cup1->GetSlot()), "Cup");  // named after the first saved object of the slot
  CItemSlot* keyItem = v->FindObjectByIndex(2)->GetSlot();
  EXPECT_EQ(keyItem->GetShownCount(), 0);  // struck out at once, without the animation
  EXPECT_FALSE(keyItem->IsStriking());
  EXPECT_EQ(keyItem->GetStrikeout()->GetOpacity(), 1.0f);
  EXPECT_EQ(v->GetStatusBoard()->GetShownCount(), 1);
}

TEST_F(VenueScene, DifferencesCountInEitherPicture) {
  AtStage(1);
  CSearchEnvironment* v = Open("Warehouse_Differences.xml");
  ASSERT_TRUE(v->IsDifferencesMode());
  EXPECT_TRUE(v->HasDivider());
  ScreenRect picture;
  SetCursorKind(1);
  CItemBoard* board = v->GetItemBoard();
  ASSERT_EQ(board->GetSlotCount(), 1);
  EXPECT_EQ(board->ListedTotal(), 7);  // every difference, whatever "ItemsToFind" says
  EXPECT_EQ(Caption(board->GetSlot(0)), "Find 7 differences");
  const float a = v->GetSceneArea().Width();

  Click(int(v->GetSceneArea().CenterX()), 700 / 2 + 300);  // the parquet: nothing there
  EXPECT_EQ(v->GetWrongClicks(), 1);
  int i = 0;
  for (CHiddenObject* o = v->FirstHiddenObject(); o; o = o->NextInVenue(), ++i) {
    const ScreenRect r = o->GetScreenRect();
    const bool inLeft = r.CenterX() < v->GetSceneArea().right;
    // Every other difference is clicked in the picture that does not show it.
    float x = (i % 2) ? (inLeft ? r.CenterX() + a : r.CenterX() - a) : r.CenterX();
    // The lead character's corner covers the top right of the right picture.
    if (GetJorvaneCorner() && GetJorvaneCorner()->ContainsPoint(x, r.CenterY())) x = r.CenterX();
    Click(int(x), int(r.CenterY()));
    EXPECT_TRUE(o->IsFound()) << i;
    Settle(v);
  }
  EXPECT_EQ(v->GetWrongClicks(), 1);
  EXPECT_TRUE(TestFlag(120));
  CSpeechBalloon* balloon = LastBalloon();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->GetKey(), "WarehouseExitSpeech");
  EXPECT_EQ(balloon->GetNotifyCode(), kCodeStageAdvance);
  v->OnNotify(balloon, kCodeStageAdvance);
  EXPECT_EQ(GetStage(), 2);
  ASSERT_NE(GetShutter(), nullptr);
  EXPECT_EQ(GetShutter()->ClassId(), TypeId::kMapEnvironment);
  EXPECT_STREQ(GetShutter()->Argument(), "ToLanternStreet");
  (void)picture;
}

TEST_F(VenueScene, DifferencesDrawTheBackgroundTwice) {
  CSearchEnvironment* v = Open("Test_Diff.xml");
  EXPECT_EQ(v->GetItemBoard()->ListedTotal(), 2);
  ScreenRect left;
  float gx = 0, gy = 0;
  const ScreenRect area = v->GetSceneArea();
  EXPECT_TRUE(GhostPoint(int(area.left + 10), int(area.top + 10), area, gx, gy));
  EXPECT_NEAR(gx, area.left + 10 + area.Width(), 1.0f);
  Rec()->ClearRecords();
  RenderAllObjects(device_);
  const gfx::Texture* background = GetDeviceTexture(v->GetBackground());
  const gfx::Texture* half = GetDeviceTexture(v->FindObjectByIndex(2)->GetTexture());
  int backgrounds = 0, halves = 0;
  for (const gfx::NullDraw& d : Rec()->Draws()) {
    backgrounds += d.textures[0] == background ? 1 : 0;
    halves += d.textures[0] == half ? 1 : 0;
  }
  EXPECT_EQ(backgrounds, 2);
  EXPECT_EQ(halves, 3);  // the difference once, the blocker in both pictures
  (void)left;
}

TEST_F(VenueScene, NewspaperDragsInsideItsBoxAndFalls) {
  CSearchEnvironment* v = Open("Headquarters_Office.xml");
  CHiddenObject* paper = v->FindObjectByIndex(11);
  const ScreenRect box = paper->DragLimits();
  const ScreenRect r = paper->GetScreenRect();
  const int x = int(r.CenterX()), y = int(r.CenterY());
  Frame(now_ + 0.02f, x, y, false);
  Frame(now_ + 0.02f, x, y, true);
  EXPECT_TRUE(paper->IsDragging());
  EXPECT_EQ(paper->GetCursorKind(), 6);
  Frame(now_ + 0.02f, x + 140, y - 60, true);
  Frame(now_ + 0.02f, x + 140, y - 60, true);
  const ScreenRect held = paper->GetScreenRect().BoundingBox();
  EXPECT_NEAR(held.right, box.right, 0.5f);  // clamped at the box's right edge
  EXPECT_NEAR(held.top, r.top - 60, 0.5f);
  Frame(now_ + 0.02f, x + 140, y - 60, false);
  EXPECT_TRUE(paper->IsFalling());
  RunUntil(now_ + 3.0f);
  EXPECT_FALSE(paper->IsFalling());
  EXPECT_NEAR(paper->GetScreenRect().BoundingBox().bottom, box.bottom, 0.01f);
  EXPECT_EQ(v->GetWrongClicks(), 0);
}

TEST_F(VenueScene, BrokenAndMissingVenues) {
  CSearchEnvironment* v = Open("Test_Broken.xml");
  EXPECT_TRUE(v->IsLoaded());
  EXPECT_EQ(v->Attributes().itemSlots, 12);
  EXPECT_EQ(v->Attributes().itemsToFind, 12);
  EXPECT_EQ(v->HiddenObjectCount(), 2);
  EXPECT_EQ(v->FindObjectByIndex(0)->GetBehavior(), 2);
  RenderAllObjects(device_);
  RunUntil(now_ + 0.5f);

  v = Open("No_Such_Venue.xml");
  EXPECT_FALSE(v->IsLoaded());
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back(), "Failed to open search venue: Search\\Venues\\No_Such_Venue.xml");
  const std::optional<std::string> before = GetLastVenue();
  delete v;
  EXPECT_EQ(GetLastVenue(), before);  // still the broken venue, not a venue of no name
  XmlNode root = kNoNode;
  XmlDocument* doc = ProfileDocument(&root);
  ScopedXmlNode r(*doc, root);
  for (ScopedXmlNode c(*doc, doc->FindChildNode(r)); c; c.Next())
    EXPECT_NE(doc->CopyNodeName(c).value_or(""), "") << "a nameless element was saved";
}

TEST_F(VenueScene, PatchesBlinkOnTheirPeriod) {
  Open("Test_Kinds.xml");
  ASSERT_EQ(CountPatches(), 2);
  CSearchPatch* steady = CSearchPatch::First();
  CSearchPatch* clamped = steady->Next();
  EXPECT_EQ(clamped->GetPeriod(), 0.5f);
  EXPECT_EQ(clamped->GetVariance(), 1.0f);
  EXPECT_FLOAT_EQ(steady->GetNextToggle() - now_, 0.25f - 0.02f);
  std::vector<float> toggles;
  float opacity = steady->GetOpacity();
  const float t0 = now_;
  while (now_ < t0 + 1.2f) {
    Frame(now_ + 0.01f, 0, 0, false);
    if (steady->GetOpacity() != opacity) toggles.push_back(now_), opacity = steady->GetOpacity();
  }
  ASSERT_GE(toggles.size(), 4u);
  for (size_t i = 1; i < toggles.size(); ++i) EXPECT_NEAR(toggles[i] - toggles[i - 1], 0.25f, 0.011f);
  SetPatchesVisible(false);
  EXPECT_TRUE(steady->IsHidden() && clamped->IsHidden());
  SetPatchesVisible(true);
  EXPECT_FALSE(steady->IsHidden());
}

TEST_F(VenueScene, StatusBoardWords) {
  CSearchEnvironment* v = Open("Test_Pair.xml");
  CSearchStatusBoard* status = v->GetStatusBoard();
  ASSERT_NE(status->GetMenuButton(), nullptr);
  EXPECT_EQ(status->GetCheatButton(), nullptr);
  struct Step {
    int n;
    const char* number;
    bool label, allFound;
  } steps[] = {{3, "3", true, false}, {2, "2", true, false}, {1, "1", true, false}, {0, "0", false, true}};
  std::string plural;
  auto words = [&] { return status->GetLabel()->GetLine(0)->GetText(); };
  for (const Step& s : steps) {
    status->SetCount(s.n);
    EXPECT_EQ(status->GetNumber()->GetText(), s.number);
    EXPECT_EQ(status->GetLabel()->GetOpacity() == 1.0f, s.label) << s.n;
    EXPECT_EQ(status->GetAllFound()->GetOpacity() == 1.0f, s.allFound) << s.n;
    EXPECT_LT(status->GetNumber()->GetScreenRect().right, status->GetLabel()->GetScreenRect().left);
    // The words stay between the button and the plaque's right margin, whatever their length.
    EXPECT_GE(status->GetNumber()->GetScreenRect().left,
              status->GetMenuButton()->GetScreenRect().right - 0.5f);
    EXPECT_LE(status->GetLabel()->GetScreenRect().right, status->GetScreenRect().right + 0.5f);
    if (s.n == 2) plural = words();
    if (s.n == 1) {
      EXPECT_NE(words(), plural);
    }  // "ItemLeft" replaces "ItemsLeft"
  }
}

TEST_F(VenueScene, CompletionOnArrival) {
  // A finished dead end of this stage runs its end again; of an earlier stage it hands over to
  // the current stage's start instead of advancing the story twice.
  SetFlag(117);
  SetFlag(49);
  CSearchEnvironment* v = Open("Headquarters_Office.xml");
  v->OnNotify(nullptr, 1254);
  ASSERT_NE(LastBalloon(), nullptr);
  EXPECT_EQ(LastBalloon()->GetKey(), "BureauExitSpeech");
  EXPECT_EQ(GetShutter(), nullptr);

  AtStage(1);
  SetFlag(117);
  v = Open("Headquarters_Office.xml");
  v->OnNotify(nullptr, 1254);
  ASSERT_NE(GetShutter(), nullptr);
  EXPECT_STREQ(GetShutter()->Argument(), "Warehouse_Yard.xml");

  // The filing cabinet has a way back: "Headquarters_Office" opens the office's file.
  DestroyAllObjects();
  v = Open("Headquarters_FilingCabinet.xml");
  EXPECT_TRUE(v->HasExit());
  v->OnNotify(v->FindChild(TypeId::kBackButton), kCodeVenueBack);
  ASSERT_NE(GetShutter(), nullptr);
  EXPECT_STREQ(GetShutter()->Argument(), "Headquarters_Office.xml");
}

}  // namespace
}  // namespace venuetest
