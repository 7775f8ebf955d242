#include "flow/main_menu.h"

#include "audio/music.h"
#include "core/settings.h"
#include "data/string_table.h"
#include "effects/light_glare.h"
#include "effects/night_sky.h"
#include "flow/best_time_dialog.h"
#include "flow/environment_factory.h"
#include "flow/mode_dialog.h"
#include "flow/play_dialog.h"
#include "flow/player_editbox.h"
#include "flow/player_listbox.h"
#include "flow/portal_icon.h"
#include "flow/shutter.h"
#include "flow/travel_target.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "scene/sprite_animator.h"
#include "scene/text_sprite.h"
#include "ui/button_style.h"
#include "ui/dialog_host.h"
#include "ui/how_to_play.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/pushbutton.h"

namespace {

constexpr uint32_t kWelcomeColor = 0xFFFFEA80;
constexpr uint32_t kDeskLampTint = 0xFFA0A060;
constexpr int kMenuMusic = 1;
constexpr int kCreditsFirstPage = 2, kCreditsLastPage = 3;

struct BarButton {
  const char* key;
  int id;
  const char* tooltip;
};
// Left to right.
constexpr BarButton kBar[] = {
    {"Options", kCmdMenuOptions, "OptionsButtonTooltip"},
    {"Times", kCmdTimes, "ScoresButtonTooltip"},
    {"Play", kCmdPlay, "StartNewGameTooltip"},
    {"Credits", kCmdCredits, "CreditsButtonTooltip"},
    {"Exit", kCmdMenuExit, "ExitButtonTooltip"},
};

// The window's sky and the four lamps, in the 1024 x 768 frame of the background.
const ScreenRect kSky(763, 0, 1024, 156);
const ScreenRect kGlares[4] = {
    {887, 264, 996, 373}, {109, 255, 278, 428}, {363, 293, 451, 384}, {568, 299, 643, 376}};

CSprite* AsSprite(CGameObject* object) {
  return static_cast<CSprite*>(object);
}

}  // namespace

CMainEnvironment::CMainEnvironment() : CEnvironment("Main\\Background.png") {
  GetDialogHost().SetWindowTitle(LocalizeText("ProgramTitle"));
  // A stored name that no longer makes a player counts as none: the player is asked again.
  bool askForName = false;
  if (!CurrentPlayerName()) {
    const std::string recent = GetSettingString("Players", "Recent Player", "*", 16);
    askForName = recent == "*" || !SelectPlayer(recent.c_str());
  }
  const float W = float(GetClientWidth()), H = float(GetClientHeight());

  auto* bar = new CSprite();
  bar->Attach(this, 0);
  std::vector<CPushbutton*> buttons;
  for (const BarButton& b : kBar) {
    auto* button = new CPushbutton(b.key, b.id, kButtonLarge, this, bar);
    button->SetTooltip(b.tooltip, 0);
    buttons.push_back(button);
    if (b.id == kCmdPlay) play_ = button;
  }
  const std::vector<ScreenRect> slots = LayoutButtonBar(int(buttons.size()), play_->GetNaturalAspect(), W, H);
  bar->SetScreenRect(ButtonBarRect(slots));
  for (size_t i = 0; i < buttons.size(); ++i) buttons[i]->SetScreenRect(slots[i]);
  bar->SetDepthRecursive(GetDepth() + 1.0f);
  CreateWeakRef(bar, &bar_);

  if (GetDialogHost().IsCheatMode()) {
    auto* cheat = new CPushbutton("Cheat", kCmdCheat, kButtonLarge, this, this);
    cheat->SetTooltip("CheatButtonTooltip", kTooltipLeftAligned);
    cheat->SetScreenRect(CheatButtonRect(cheat->GetNaturalAspect(), W, H));
    cheat->SetDepth(GetDepth() + 1.0f);
    CreateWeakRef(cheat, &cheat_);
  }

  RebuildWelcome();

  new CNightSky(this, kSky);
  for (int i = 0; i < 4; ++i) {
    auto* glare = new CLightGlare(this, kGlares[i]);
    if (i >= 2) glare->SetColor(kDeskLampTint);
  }
  AddPortalIcon(this);

  if (askForName) {
    OpenPlayerEditbox(this, this, false);
    HideMenu(0.0f);
  }
}

CMainEnvironment::~CMainEnvironment() {
  delete welcome_;
  delete bar_;
  delete cheat_;
}

CSprite* CMainEnvironment::GetButtonBar() const {
  return AsSprite(WeakTarget(bar_));
}

CSprite* CMainEnvironment::GetWelcomeBlock() const {
  return AsSprite(WeakTarget(welcome_));
}

CPushbutton* CMainEnvironment::GetCheatButton() const {
  return static_cast<CPushbutton*>(WeakTarget(cheat_));
}

CPushbutton* CMainEnvironment::GetBarButton(int id) {
  CSprite* bar = GetButtonBar();
  return bar ? static_cast<CPushbutton*>(bar->FindChildById(id)) : nullptr;
}

std::string CMainEnvironment::WelcomeText() const {
  CSprite* block = GetWelcomeBlock();
  CGameObject* text = block ? block->FindChild(TypeId::kTextSprite) : nullptr;
  return text ? static_cast<CTextSprite*>(text)->GetText() : std::string();
}

void CMainEnvironment::RebuildWelcome() {
  delete GetWelcomeBlock();
  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  const char* name = CurrentPlayerName();
  auto* block = new CSprite();
  block->Attach(this, 0);
  auto* text =
      new CTextSprite(FormatWelcome(LocalizeText("WelcomeTemplate"), name ? name : "").c_str(), "GoldFlat2");
  text->SetColor(kWelcomeColor);
  auto* change = new CPushbutton("ChangePlayer", kCmdChangePlayer, kButtonWide, this, block);
  const WelcomeLayout layout = LayoutWelcome(text->GetNaturalAspect(), change->GetNaturalAspect(), W, H);
  block->SetScreenRect(layout.block);
  text->Attach(block, 0);
  text->SetScreenRect(layout.text);
  change->SetScreenRect(layout.button);
  block->SetDepthRecursive(GetDepth() + 1.0f);
  CreateWeakRef(block, &welcome_);
  // The Play button's promise follows the player shown.
  if (play_) play_->SetTooltip(IsNewGame() ? "StartNewGameTooltip" : "ContinueSavedGameTooltip", 0);
  // Built while the menu is hidden: it waits out of sight with the rest.
  if (slides_.Hidden()) new CSpriteAnimator(block, kAnimSlideOutRight, 0.0f, 0);
}

void CMainEnvironment::HideMenu(float duration) {
  lastDialogChange_ = GetTime();
  if (!slides_.Hide()) return;
  if (CSprite* w = GetWelcomeBlock()) new CSpriteAnimator(w, kAnimSlideOutRight, duration, 0);
  if (CSprite* b = GetButtonBar()) new CSpriteAnimator(b, kAnimSlideOutTop, duration, 0);
  if (CSprite* c = GetCheatButton()) new CSpriteAnimator(c, kAnimSlideOutLeft, duration, 0);
}

void CMainEnvironment::ShowMenu() {
  lastDialogChange_ = GetTime();
  if (!slides_.Show()) return;
  if (CSprite* w = GetWelcomeBlock()) new CSpriteAnimator(w, kAnimSlideInRight, kDialogAnimationTime, 0);
  if (CSprite* b = GetButtonBar()) new CSpriteAnimator(b, kAnimSlideInTop, kDialogAnimationTime, 0);
  if (CSprite* c = GetCheatButton()) new CSpriteAnimator(c, kAnimSlideInLeft, kDialogAnimationTime, 0);
}

bool CMainEnvironment::Sliding() {
  for (CSprite* s : {GetWelcomeBlock(), GetButtonBar(), static_cast<CSprite*>(GetCheatButton())})
    if (s && s->IsAnimating()) return true;
  return false;
}

void CMainEnvironment::OnNotify(CGameObject* sender, int code) {
  const MenuAction action = MenuActionFor(code);
  if (action == MenuAction::kNone) {
    CEnvironment::OnNotify(sender, code);
    return;
  }
  Act(sender, action);
}

void CMainEnvironment::OnEscape() {
  OpenExitQuestion();
}

void CMainEnvironment::OpenExitQuestion() {
  for (CGameObject* c = FindChild(TypeId::kMessageBox); c; c = c->NextSibling(TypeId::kMessageBox))
    if (c->GetId() == kCodeExitBoxClosed && !static_cast<CMessageBox*>(c)->IsClosing()) return;
  auto* box = new CMessageBox("ConfirmExit", "VictorianLET", 0.05f, this, kBoxYesNo);
  box->SetId(kCodeExitBoxClosed);
  HideMenu(kDialogAnimationTime);
}

void CMainEnvironment::StartAtBeginning() {
  if (std::optional<std::string> first = StageFirstVenue(0); first && !first->empty())
    StartTransition(TypeId::kSearchEnvironment, first->c_str());
}

void CMainEnvironment::Continue() {
  const SceneTarget target = ContinueTarget();
  if (target.classId == 0)
    StartAtBeginning();
  else if (target.classId != TypeId::kMainEnvironment)
    StartTransitionTo(target);
}

void CMainEnvironment::Act(CGameObject* sender, MenuAction action) {
  const float slide = kDialogAnimationTime;
  switch (action) {
    case MenuAction::kOpenOptions:
      if (COptionsDialog* open = GetOptionsDialog(); open && !open->IsClosing()) break;
      OpenOptionsDialog(this, this);
      HideMenu(slide);
      break;
    case MenuAction::kConfirmExit:
      OpenExitQuestion();
      break;
    case MenuAction::kOpenPlayerList:
      if (GetPlayerListbox()) break;
      OpenPlayerListbox(this, this);
      HideMenu(slide);
      break;
    case MenuAction::kAddPlayer:
      if (GetPlayerEditbox()) break;
      OpenPlayerEditbox(this, this, true);
      HideMenu(slide);
      break;
    case MenuAction::kQuit:
      GetDialogHost().RequestQuit();
      break;
    case MenuAction::kContinue:
      Continue();
      break;
    case MenuAction::kPlay:
      if (IsNewGame()) {
        if (GetModeDialog()) break;
        OpenModeDialog(this, this);
      } else {
        if (GetPlayDialog()) break;
        OpenPlayDialog(this, this);
      }
      HideMenu(slide);
      break;
    case MenuAction::kArrived:
      if (TakeGameCompleteNotice()) Act(sender, MenuAction::kOpenTimes);
      break;
    case MenuAction::kOpenTimes:
      if (GetBestTimeDialog()) break;
      OpenBestTimeDialog(this, this);
      HideMenu(slide);
      break;
    case MenuAction::kOpenCredits:
      if (GetHowToPlay()) break;
      OpenHowToPlay(this, this, kCreditsFirstPage, kCreditsLastPage, 0);
      HideMenu(slide);
      break;
    case MenuAction::kCheat:
      if (ReturnToCheat() || Sliding()) break;
      ResetPlayer();
      StartTransition(TypeId::kCheatEnvironment, nullptr);
      break;
    case MenuAction::kStartNewGame:
      ResetPlayer();
      if (GetModeDialog()) break;
      OpenModeDialog(this, this);
      HideMenu(slide);
      break;
    case MenuAction::kStartAtBeginning:
      StartAtBeginning();
      // The mode dialog closed with this command: one dialog fewer.
      if (sender && sender->GetTypeId() == TypeId::kModeDialog) ShowMenu();
      break;
    case MenuAction::kRebuildWelcomeAndShow:
      RebuildWelcome();
      ShowMenu();
      break;
    case MenuAction::kShow:
      ShowMenu();
      break;
    case MenuAction::kNone:
      break;
  }
}

CEnvironment* BuildMainMenu(const char*) {
  auto* menu = new CMainEnvironment();
  SetMusicMode(kMenuMusic);
  return menu;
}
