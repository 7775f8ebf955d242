#include "flow/player_listbox.h"

#include <algorithm>
#include <cmath>

#include "core/frame_timer.h"
#include "data/string_table.h"
#include "flow/main_menu_rules.h"
#include "player/game_state.h"
#include "player/player_name.h"
#include "scene/input.h"
#include "scene/sprite_animator.h"
#include "ui/button_resources.h"
#include "ui/button_style.h"
#include "ui/control_hover.h"
#include "ui/dialog_layouts.h"
#include "ui/label_mesh.h"
#include "ui/message_box.h"
#include "ui/pushbutton.h"

namespace {

constexpr uint32_t kYellow = 0xFFFFFF00, kWhite = 0xFFFFFFFF;
constexpr float kNameShare = 0.8f;  // a name's height in its row
constexpr float kButtonRow = 0.05f, kPad = 0.06f, kBorder = 0.05f, kButtonGap = 0.02f;
constexpr const char* kBoxFont = "VictorianLET";

CPlayerName* g_firstName = nullptr;
CPlayerName* g_lastName = nullptr;
int g_nameCount = 0;
CPlayerName* g_highlighted = nullptr;
float g_highlightedAt = 0;
CPlayerListbox* g_list = nullptr;

// The confirmation boxes hang on the scene, not on the list (the list slides away under them), so
// their owner is this stand-in, which hands what they say to the list.
class BoxRelay : public CGameObject {
 public:
  explicit BoxRelay(CPlayerListbox* list) : list_(list) {}
  void OnNotify(CGameObject*, int code) override { list_->OnBoxAnswer(code); }

 private:
  CPlayerListbox* list_;
};

}  // namespace

// ---- CPlayerName ------------------------------------------------------------------------------

CPlayerName::CPlayerName(const char* name) : CTextSprite(name, "GoldFlat2") {
  prev_ = g_lastName;
  if (g_lastName)
    g_lastName->next_ = this;
  else
    g_firstName = this;
  g_lastName = this;
  ++g_nameCount;
  highlight_ = AcquireTexture("GUI\\TextHighlight.jpg");
  SetColor(kWhite);
}

CPlayerName::~CPlayerName() {
  if (prev_)
    prev_->next_ = next_;
  else if (g_firstName == this)
    g_firstName = next_;
  if (next_)
    next_->prev_ = prev_;
  else if (g_lastName == this)
    g_lastName = prev_;
  --g_nameCount;
  if (g_highlighted == this) g_highlighted = nullptr;
  ReleaseTexture(highlight_);
}

int CPlayerName::HitTest() {
  if (!PointerOverControl(this)) return kHitNone;
  SetLastHoveredFrame(int(GetFrameCount()));
  return kHitHovered;
}

void CPlayerName::Update() {
  if (HoveredThisFrame(this) && IsLeftClick()) {
    PlayButtonSound(ButtonSound::kClick, 0.6f);
    Highlight();
  }
}

void CPlayerName::Highlight() {
  if (g_highlighted && g_highlighted != this) g_highlighted->SetColor(kWhite);
  g_highlighted = this;
  g_highlightedAt = GetTime();
  SetColor(kYellow);
}

bool CPlayerName::IsHighlighted() const {
  return g_highlighted == this;
}

void CPlayerName::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  if (opacity == 0.0f) return;
  gfx::Texture* glow = GetDeviceTexture(highlight_);
  if (IsHighlighted() && glow && GetQuad(kQuadNormal)) {
    // A soft band behind the name that swells and fades, drawn additively over the sky.
    const ScreenRect r = GetScreenRect();
    const ScreenRect band =
        ScreenRect::FromCenter(r.Width() + r.Height(), r.Height() / kNameShare, r.CenterX(), r.CenterY());
    const int grey = int(255.0f * HighlightBrightness(GetTime() - g_highlightedAt));
    BeginSpriteStates(device, true);
    DrawQuad(device, band, kQuadNormal, glow,
             TintMaterial(0xFF000000u | uint32_t(grey) * 0x010101u, opacity));
    EndSpriteStates(device);
  }
  CTextSprite::Render(device);
}

CPlayerName* FirstPlayerName() {
  return g_firstName;
}

int CountPlayerNames() {
  return g_nameCount;
}

CPlayerName* HighlightedPlayerName() {
  return g_highlighted;
}

float HighlightBrightness(float seconds) {
  const float s = std::sin(3.0f * seconds);
  return s * s;
}

// ---- CPlayerListbox ---------------------------------------------------------------------------

CPlayerListbox::CPlayerListbox(CGameObject* owner, CGameObject* parent) {
  g_list = this;
  SetOwner(owner);
  if (parent) Attach(parent, 0);
  SetClosingKind(kAnimSlideOutBottom);
  CreateWeakRef(new BoxRelay(this), &relay_);

  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  const float parentH = (parent && (parent->GetTypeFlags() & kTypeFlagSprite))
                            ? static_cast<CSprite*>(parent)->GetScreenRect().Height()
                            : H;
  const std::vector<std::string> players = ListPlayers();
  const int n = int(players.size());
  rowHeight_ = PlayerRowHeight(n, H);
  const float area = PlayerListAreaHeight(n, H, parentH), nameH = kNameShare * rowHeight_;

  std::vector<CPlayerName*> names;
  float widest = 0;
  for (const std::string& p : players) {
    auto* name = new CPlayerName(p.c_str());
    name->Attach(this, 0);
    names.push_back(name);
    widest = std::max(widest, name->GetNaturalAspect() * nameH);
  }
  const int ids[3] = {kCmdDeletePlayer, kCmdAddPlayer, kCmdSelectPlayer};
  const char* keys[3] = {"Delete", "Add", "Select"};
  CPushbutton* buttons[3];
  for (int i = 0; i < 3; ++i) buttons[i] = new CPushbutton(keys[i], ids[i], kButtonLarge, this, this);
  const float buttonH = kButtonRow * H, buttonW = buttons[0]->GetNaturalAspect() * buttonH;
  const float rowW = 3 * buttonW + 2 * kButtonGap * H;
  const float frameW = std::min(std::max(widest, rowW) + 2 * (kBorder + kPad) * H, 0.95f * W);
  const float frameH = 2 * kBorder * H + 3 * kPad * H + area + buttonH;
  const ScreenRect frame = ScreenRect::FromCenter(frameW, frameH, W / 2, H / 2);
  SetScreenRect(frame);

  const float room = frameW - 2 * (kBorder + kPad) * H;
  const float top = frame.top + (kBorder + kPad) * H;
  for (size_t i = 0; i < names.size(); ++i) {
    const float w = std::min(names[i]->GetNaturalAspect() * nameH, room);
    const float h = names[i]->GetNaturalAspect() > 0 ? w / names[i]->GetNaturalAspect() : nameH;
    names[i]->SetScreenRect(ScreenRect::FromCenter(w, h, W / 2, top + (float(i) + 0.5f) * rowHeight_));
    if (const char* current = CurrentPlayerName(); current && SameNameIgnoringCase(players[i], current))
      names[i]->Highlight();
  }
  const float by = top + area + kPad * H + buttonH / 2;
  for (int i = 0; i < 3; ++i)
    buttons[i]->SetScreenRect(
        ScreenRect::FromCenter(buttonW, buttonH, W / 2 + float(i - 1) * (buttonW + kButtonGap * H), by));
  Layout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

CPlayerListbox::~CPlayerListbox() {
  if (g_list == this) g_list = nullptr;
  delete WeakTarget(relay_);
}

void CPlayerListbox::ShowAnimated() {
  new CSpriteAnimator(this, kAnimSlideInBottom, kDialogAnimationTime, kAnimDeleteAnimator);
}

std::vector<CPlayerName*> CPlayerListbox::Names() const {
  std::vector<CPlayerName*> out;
  for (CGameObject* c = FirstChild(); c; c = c->NextSiblingRaw())
    if (c->GetTypeId() == TypeId::kPlayerName) out.push_back(static_cast<CPlayerName*>(c));
  return out;
}

CPushbutton* CPlayerListbox::GetButton(int id) {
  return static_cast<CPushbutton*>(FindChildById(id));
}

void CPlayerListbox::OnNotify(CGameObject* sender, int code) {
  (void)sender;
  if (IsClosing() || confirming_) return;
  CPlayerName* chosen = HighlightedPlayerName();
  if (chosen && chosen->GetParent() != this) chosen = nullptr;
  switch (code) {
    case kCmdSelectPlayer:
      // Nothing highlighted: nothing to select, and the list stays.
      if (!chosen) return;
      SelectPlayer(chosen->GetText().c_str());
      Close(kCodePlayerListClosed);
      break;
    case kCmdAddPlayer:
      // The editor opens first, so the menu never counts zero dialogs in between.
      if (!NotifyOwner(kCmdAddPlayer)) return;
      Close(kCodePlayerListClosed);
      break;
    case kCmdDeletePlayer:
      if (chosen) AskToDelete();
      break;
    default:
      break;
  }
}

void CPlayerListbox::AskToDelete() {
  if (Names().size() < 2) {
    new CMessageBox("DeleteOnlyPlayer", kBoxFont, 0.05f, WeakTarget(relay_), kBoxOk);
    return;
  }
  pending_ = HighlightedPlayerName()->GetText();
  const std::string question = LocalizeText("ConfirmDelete");
  const char* lines[2] = {question.c_str(), pending_.c_str()};
  confirming_ = true;
  new CMessageBox(lines, 2, kBoxFont, 0.05f, WeakTarget(relay_), kBoxYesNo);
  slidAway_ = true;
  new CSpriteAnimator(this, kAnimSlideOutBottom, kDialogAnimationTime, 0);
}

void CPlayerListbox::OnBoxAnswer(int code) {
  if (code == kCmdYes && confirming_) {
    DeleteHighlighted();
  } else if (code == kCodeBoxDismissed) {
    confirming_ = false;
    if (slidAway_ && !IsClosing()) {
      slidAway_ = false;
      new CSpriteAnimator(this, kAnimSlideInBottom, kDialogAnimationTime, kAnimDeleteAnimator);
    }
  }
}

void CPlayerListbox::DeleteHighlighted() {
  std::vector<CPlayerName*> names = Names();
  auto it =
      std::find_if(names.begin(), names.end(), [&](CPlayerName* n) { return n->GetText() == pending_; });
  if (it == names.end() || names.size() < 2) return;
  DeletePlayer(pending_.c_str());
  // Every name below moves up into the freed row.
  for (auto below = it + 1; below != names.end(); ++below) {
    ScreenRect r = (*below)->GetScreenRect();
    r.top -= rowHeight_, r.bottom -= rowHeight_;
    (*below)->SetScreenRect(r);
  }
  delete *it;
  names.erase(it);
  names.front()->Highlight();
  SelectPlayer(names.front()->GetText().c_str());
}

void CPlayerListbox::OnEscape() {
  if (!confirming_) Close(kCodePlayerListClosed);
}

CPlayerListbox* OpenPlayerListbox(CGameObject* owner, CGameObject* parent) {
  if (CPlayerListbox* open = GetPlayerListbox()) return open;
  ClockPauseGuard pause;
  return new CPlayerListbox(owner, parent);
}

CPlayerListbox* GetPlayerListbox() {
  return g_list && !g_list->IsClosing() ? g_list : nullptr;
}
