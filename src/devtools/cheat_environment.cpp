#include "devtools/cheat_environment.h"

#include "core/tree_dump_fields.h"
#include "flow/environment_factory.h"
#include "flow/shutter.h"
#include "player/game_state.h"
#include "scene/sprite_animator.h"
#include "ui/button_style.h"
#include "ui/how_to_play.h"
#include "ui/pushbutton.h"

namespace {
constexpr int kCmdBack = 108, kCmdHelp = 1293, kCmdEntry = 1350;
constexpr float kSlideTime = 0.5f;
constexpr float kButtonHeight = 0.05f, kButtonMargin = 0.033f;

// The dump names each entry by its label, so scripts can find the scene they want to open.
void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* button = dynamic_cast<CPushbutton*>(object);
  if (!button || !dynamic_cast<CCheatEnvironment*>(button->GetParent())) return;
  f.hasText = true;
  f.text = button->GetLabelText();
}
TreeDumpRegistration g_dump(&FillDumpFields);
}  // namespace

CEnvironment* BuildCheatScreen(const char*) {
  return new CCheatEnvironment();
}

CCheatEnvironment::CCheatEnvironment() : CEnvironment("Cheat\\Background.jpg") {
  SetReturnToCheat(true);
  const ScreenRect screen = GetScreenRect();
  const float cx = screen.CenterX(), h = kButtonHeight * screen.Height(), m = kButtonMargin * screen.Height();

  auto* back = new CPushbutton("Back", kCmdBack, kButtonLarge, this, this);
  const float wb = h * back->GetNaturalAspect();
  back->SetScreenRect(ScreenRect(cx - wb - m, screen.bottom - h - m, cx - m, screen.bottom - m));
  CreateWeakRef(back, &back_);
  auto* help = new CPushbutton("Help", kCmdHelp, kButtonLarge, this, this);
  const float wh = h * help->GetNaturalAspect();
  help->SetScreenRect(ScreenRect(cx + m, screen.bottom - h - m, cx + m + wh, screen.bottom - m));
  CreateWeakRef(help, &help_);

  listing_ = cheat::LayOut(cheat::ReadStoryMap());
  const float r = cheat::RowHeight(screen);
  entryButtons_.assign(listing_.entries.size(), nullptr);
  for (size_t i = 0; i < listing_.entries.size(); ++i) {
    cheat::Entry& e = listing_.entries[i];
    auto* button = new CPushbutton(e.label.c_str(), kCmdEntry,
                                   uint32_t(kButtonLabelOnly) | kButtonTooltipFont, this, this);
    button->SetUserPointer(&e);
    button->SetLabelColors(cheat::NormalColour(e.kind), cheat::kHoveredColour);
    button->SetScreenRect(ScreenRect::FromCenter(button->GetLabelAspect() * r, r,
                                                 cheat::ColumnCentreX(screen, e.column, listing_.columns),
                                                 cheat::RowCentreY(screen, e.row)));
    CreateWeakRef(button, &entryButtons_[i]);
  }
}

CCheatEnvironment::~CCheatEnvironment() {
  for (CXRef*& ref : entryButtons_) delete ref;
  delete back_;
  delete help_;
}

CPushbutton* CCheatEnvironment::EntryButton(size_t i) const {
  return i < entryButtons_.size() ? static_cast<CPushbutton*>(WeakTarget(entryButtons_[i])) : nullptr;
}

CPushbutton* CCheatEnvironment::GetBackButton() const {
  return static_cast<CPushbutton*>(WeakTarget(back_));
}

CPushbutton* CCheatEnvironment::GetHelpButton() const {
  return static_cast<CPushbutton*>(WeakTarget(help_));
}

void CCheatEnvironment::OnEscape() {
  SetReturnToCheat(false);
  StartTransition(TypeId::kMainEnvironment, nullptr);
}

void CCheatEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdBack:
      if (!IsAnimating()) OnEscape();
      break;
    case kCmdHelp:
      if (slidOut_) break;
      for (CPushbutton* b : {GetBackButton(), GetHelpButton()}) {
        if (b) new CSpriteAnimator(b, kAnimSlideOutBottom, kSlideTime, 0);
      }
      slidOut_ = true;
      OpenHowToPlay(this, this, 1, 1, 0);
      break;
    case kCodeBookClosed:
      if (!slidOut_) break;
      for (CPushbutton* b : {GetBackButton(), GetHelpButton()}) {
        if (b) new CSpriteAnimator(b, kAnimSlideInBottom, kSlideTime, 0);
      }
      slidOut_ = false;
      break;
    case kCmdEntry:
      // Only this screen's own entry buttons carry an entry.
      for (size_t i = 0; i < entryButtons_.size(); ++i) {
        if (sender && sender == EntryButton(i)) {
          OpenEntry(listing_.entries[i]);
          break;
        }
      }
      break;
    default:
      break;
  }
}

void CCheatEnvironment::OpenEntry(const cheat::Entry& entry) {
  SetStage(entry.stage);
  const cheat::Destination d = cheat::DestinationOf(entry, StageFirstVenue(entry.stage));
  if (d.classId != 0) StartTransition(d.classId, d.file ? d.file->c_str() : nullptr);
}
