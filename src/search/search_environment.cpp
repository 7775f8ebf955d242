#include "search/search_environment.h"

#include <cstdio>

#include "audio/music.h"
#include "core/tree_dump_fields.h"
#include "effects/clouds.h"
#include "effects/fire_effect.h"
#include "effects/night_sky.h"
#include "effects/smoke_effect.h"
#include "effects/sparkle.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "scene/cursor.h"
#include "scene/input.h"
#include "search/hidden_object.h"
#include "search/item_board.h"
#include "search/search_patch.h"
#include "search/status_board.h"
#include "search/venue_parts.h"
#include "ui/back_button.h"
#include "ui/dialog_manager.h"
#include "ui/jorvane_corner.h"

namespace {

constexpr int kRookieFlag = 58;
constexpr float kDividerDepth = 4.98f;

// The cursor's ghost pointer: only a differences venue with its divider shows one.
bool GhostArea(ScreenRect& leftPicture) {
  CSearchEnvironment* venue = CurrentSearchVenue();
  if (!venue || !venue->IsDifferencesMode() || !venue->HasDivider() || venue->IsEditor()) return false;
  leftPicture = venue->GetSceneArea();
  return true;
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* v = dynamic_cast<CSearchEnvironment*>(object);
  if (!v) return;
  char extra[96];
  std::snprintf(extra, sizeof extra, " | loaded %d | wrong clicks %d | unfound %d", v->IsLoaded() ? 1 : 0,
                v->GetWrongClicks(), v->GetItemBoard() ? v->GetItemBoard()->UnfoundTotal() : -1);
  f.hasText = true;
  f.text = v->GetVenueName() + extra;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CSearchEnvironment* CurrentSearchVenue() {
  return static_cast<CSearchEnvironment*>(GetCurrentEnvironmentOfType(TypeId::kSearchEnvironment));
}

CEnvironment* OpenSearchVenue(const char* fileName) {
  SetMusicMode(2, -1);
  return new CSearchEnvironment(fileName ? fileName : "");
}

CSearchEnvironment::CSearchEnvironment(const char* fileName, bool editor)
    : CEnvironment(nullptr), editor_(editor) {
  SetGhostAreaQuery(&GhostArea);
  loaded_ = LoadVenue(venue::VenueMemberPath(fileName ? fileName : ""));
}

CSearchEnvironment::~CSearchEnvironment() {
  SaveVenueState();
  // The objects unlink themselves from this venue's list, so they go while it is still whole.
  while (head_) delete head_;
  delete itemBoard_;
  delete inventory_;
  delete corner_;
  delete hintButton_;
  delete statusBoard_;
  delete divider_;
  ReleaseTexture(background_);
}

// ---- Loading ---------------------------------------------------------------------------------

bool CSearchEnvironment::LoadVenue(const std::string& path) {
  XmlDocument doc;
  const bool opened = doc.LoadMember(path.c_str()) == 0;
  ScopedXmlNode root(doc, opened ? doc.Root() : kNoNode);
  if (!root) {
    os::ShowMessageBox("Failed to open search venue", path, os::MsgIcon::Error);
    return false;
  }
  fullPath_ = path;
  venueName_ = venue::VenueNameFromPath(path);
  XmlDocument* profile = nullptr;
  XmlNode saved = kNoNode;
  if (!editor_) saved = FindProfileElement(venueName_.c_str(), &profile);

  attributes_ = venue::VenueAttributes::Read(doc, root);
  if (!attributes_.background.empty()) SetBackground(attributes_.background);

  if (attributes_.firstVisitSpeech && !SetFlag(attributes_.visitedFlag))
    StartConversation(attributes_.firstVisitSpeech->c_str(), this);

  BuildHiddenObjects(doc, root);
  if (attributes_.differences) {
    delete divider_;
    const venue::ScreenLayout layout = Layout();
    auto* divider = new CSprite(layout.divider, kDividerDepth, "Search\\BackgroundDivider.jpg", this);
    CreateWeakRef(divider, &divider_);
  }
  BuildEffects(doc, root);
  BuildItemBoard(profile, saved);
  if (profile && saved != kNoNode) profile->ReleaseNode(saved);
  BuildInterface();
  return true;
}

void CSearchEnvironment::SetBackground(const std::string& name) {
  attributes_.background = name;
  ReleaseTexture(background_);
  background_ = name.empty() ? nullptr : AcquireTexture("Search\\Backgrounds\\" + name, 0);
}

void CSearchEnvironment::BuildHiddenObjects(XmlDocument& doc, XmlNode root) {
  while (head_) delete head_;
  const bool rookie = TestFlag(kRookieFlag);
  int index = 0;
  for (const venue::HiddenObjectSpec& spec : venue::ReadHiddenObjects(doc, root)) {
    auto* object = new CHiddenObject(this, spec, index++);
    if (rookie && (object->IsActiveHotspot() || object->GetBehavior() == venue::kMoveable))
      new CSparkleEmitter(object);
  }
}

void CSearchEnvironment::DeleteChildrenOfType(int typeId) {
  while (CGameObject* child = FindChild(typeId)) delete child;
}

void CSearchEnvironment::BuildEffects(XmlDocument& doc, XmlNode root) {
  // Each kind of child element: the container's children of the given name, in order.
  auto each = [&](const char* list, const char* item, auto build) {
    ScopedXmlNode container(doc, doc.FindChildNode(root, list));
    if (!container || !doc.IsElement(container)) return;
    for (ScopedXmlNode e(doc, doc.FindChildNode(container, item)); e; e.Next()) {
      char name[32] = {};
      if (!doc.IsElement(e) || doc.GetNodeName(e, name, sizeof name) >= sizeof name) continue;
      if (!SameTextureName(name, item)) continue;
      build(e.get());
    }
  };
  VenueParts& parts = GetVenueParts();
  DeleteChildrenOfType(TypeId::kPortal);
  if (parts.buildPortal) each("Portals", "Portal", [&](XmlNode e) { parts.buildPortal(this, doc, e); });
  DeleteChildrenOfType(TypeId::kSmokeEffect);
  each("SmokeEffects", "SmokeEffect", [&](XmlNode e) { new CSmokeEffect(this, doc, e); });
  DeleteChildrenOfType(TypeId::kFireEffect);
  each("FireEffects", "FireEffect", [&](XmlNode e) { new CFireEffect(this, doc, e); });
  DeleteChildrenOfType(TypeId::kSearchPatch);
  each("Patches", "Patch", [&](XmlNode e) { new CSearchPatch(this, doc, e); });
  auto single = [&](const char* name, int typeId, auto build) {
    DeleteChildrenOfType(typeId);
    ScopedXmlNode e(doc, doc.FindChildNode(root, name));
    if (e && doc.IsElement(e)) build(e.get());
  };
  single("Clouds", TypeId::kClouds, [&](XmlNode e) { new CClouds(this, doc, e); });
  single("NightSky", TypeId::kNightSky, [&](XmlNode e) { new CNightSky(this, doc, e); });
  // Every back button is shown: no rule for its "ButtonID" is defined yet, so the number is kept.
  single("BackButton", TypeId::kBackButton, [&](XmlNode e) { new CBackButton(this, doc, e); });
}

void CSearchEnvironment::BuildItemBoard(XmlDocument* profile, XmlNode saved) {
  delete itemBoard_;
  itemBoard_ = nullptr;
  if (profile && saved != kNoNode) {
    ScopedXmlNode element(*profile, profile->FindChildNode(saved, "ItemBoard"));
    if (element && profile->IsElement(element)) {
      const venue::SavedBoard board = venue::SavedBoard::Read(*profile, element);
      if (board.Usable()) {
        CreateWeakRef(new CItemBoard(this, board, attributes_.differences), &itemBoard_);
        return;
      }
    }
  }
  bool anyFindable = false;
  for (CHiddenObject* o = head_; o; o = o->NextInVenue()) anyFindable = anyFindable || o->IsFindable();
  if (!anyFindable) return;
  auto* board = new CItemBoard(this, attributes_.itemSlots, attributes_.differences);
  CreateWeakRef(board, &itemBoard_);
  for (CHiddenObject* o = head_; o; o = o->NextInVenue()) {
    if (!o->IsFindable()) continue;
    // A regular list names what it asks for; an object without a name cannot be asked for.
    if (!attributes_.differences && o->Spec().BoardName().empty()) continue;
    board->Offer(o);
  }
  if (attributes_.differences)
    board->FillDifferencesSlot();
  else
    board->ChooseList(attributes_.itemsToFind);
}

void CSearchEnvironment::BuildInterface() {
  VenueParts& parts = GetVenueParts();
  const venue::ScreenLayout layout = Layout();
  delete inventory_;
  inventory_ = nullptr;
  if (parts.buildInventory) CreateWeakRef(parts.buildInventory(this), &inventory_);
  delete WeakTarget(corner_);
  CreateWeakRef(new CJorvaneCorner(this), &corner_);
  delete WeakTarget(hintButton_);
  delete hintButton_;
  hintButton_ = nullptr;
  if (parts.buildHintButton) CreateWeakRef(parts.buildHintButton(this), &hintButton_);
  delete WeakTarget(statusBoard_);
  const bool cheat = parts.isCheatMode && parts.isCheatMode();
  CreateWeakRef(new CSearchStatusBoard(this, layout.statusBoard, cheat), &statusBoard_);
  UpdateStatusCount();
}

// ---- Layout and drawing ------------------------------------------------------------------------

venue::ScreenLayout CSearchEnvironment::Layout() {
  return venue::ComputeScreenLayout(GetScreenRect(), attributes_.differences);
}

ScreenRect CSearchEnvironment::GetSceneArea() {
  return Layout().sceneArea;
}

void CSearchEnvironment::Render(gfx::Device* device) {
  gfx::Texture* texture = GetDeviceTexture(background_);
  if (!device || !texture || IsHidden() || GetEffectiveOpacity() == 0 || !GetQuad(kQuadNormal)) return;
  const venue::ScreenLayout layout = Layout();
  BeginSpriteStates(device, false);
  DrawQuad(device, layout.sceneArea, kQuadNormal, texture, RenderMaterial());
  if (attributes_.differences) DrawQuad(device, layout.secondArea, kQuadNormal, texture, RenderMaterial());
  EndSpriteStates(device);
}

int CSearchEnvironment::HitTest() {
  if (IsHidden() || IsAnimating()) return kHitNone;
  lastBackgroundClickFrame_ = int(GetFrameCount());
  return kHitHovered;
}

void CSearchEnvironment::Update() {
  CEnvironment::Update();
  if (editor_) return;
  if (!loaded_) {
    // The message about the file was shown while building; rather than leave the player in front
    // of an empty black scene, the main menu takes over once the transition that brought it is done.
    if (!GetShutter()) StartTransition(TypeId::kMainEnvironment, nullptr);
    return;
  }
  const int frame = int(GetFrameCount());
  if ((lastBackgroundClickFrame_ == frame || lastBackgroundClickFrame_ == frame - 1) && IsLeftClick())
    CountWrongClick();
}

void CSearchEnvironment::CountWrongClick() {
  ++wrongClicks_;
  if (auto count = GetVenueParts().countWrongClick) count(TypeId::kSearchEnvironment);
}

void CSearchEnvironment::UpdateStatusCount() {
  CSearchStatusBoard* status = GetStatusBoard();
  if (!status) return;
  CItemBoard* board = GetItemBoard();
  status->SetCount(board ? board->UnfoundTotal() : 0);
}

// ---- Children ----------------------------------------------------------------------------------

void CSearchEnvironment::LinkObject(CHiddenObject* object) {
  object->prev_ = tail_;
  object->next_ = nullptr;
  (tail_ ? tail_->next_ : head_) = object;
  tail_ = object;
}

void CSearchEnvironment::UnlinkObject(CHiddenObject* object) {
  (object->prev_ ? object->prev_->next_ : head_) = object->next_;
  (object->next_ ? object->next_->prev_ : tail_) = object->prev_;
  object->prev_ = object->next_ = nullptr;
  object->venue_ = nullptr;
}

CHiddenObject* CSearchEnvironment::FindObjectByIndex(int index) const {
  for (CHiddenObject* o = head_; o; o = o->NextInVenue())
    if (o->GetIndex() == index) return o;
  return nullptr;
}

int CSearchEnvironment::HiddenObjectCount() const {
  int n = 0;
  for (CHiddenObject* o = head_; o; o = o->NextInVenue()) ++n;
  return n;
}

CHiddenObject* CSearchEnvironment::FirstHintTarget() const {
  for (CHiddenObject* o = head_; o; o = o->NextInVenue())
    if (o->IsListed() && o->IsFindable() && !o->IsFound() && o->GetOpacity() > 0) return o;
  for (CHiddenObject* o = head_; o; o = o->NextInVenue())
    if (o->IsActiveHotspot()) return o;
  return nullptr;
}

CItemBoard* CSearchEnvironment::GetItemBoard() const {
  return static_cast<CItemBoard*>(WeakTarget(itemBoard_));
}

CSearchStatusBoard* CSearchEnvironment::GetStatusBoard() const {
  return static_cast<CSearchStatusBoard*>(WeakTarget(statusBoard_));
}

CSprite* CSearchEnvironment::GetInventory() const {
  return static_cast<CSprite*>(WeakTarget(inventory_));
}

bool CSearchEnvironment::HasExit() {
  return FindChild(TypeId::kPortal) || FindChild(TypeId::kBackButton);
}
