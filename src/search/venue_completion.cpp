// What the venue does with its children's notifications: the first-visit conversation, the
// completion of the venue and the end of a stage, the way back, and saving on leaving.
#include <cmath>

#include "audio/sound_effects.h"
#include "core/random.h"
#include "flow/shutter.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "player/player_name.h"
#include "search/hidden_object.h"
#include "search/item_board.h"
#include "search/search_environment.h"
#include "search/venue_parts.h"
#include "ui/back_button.h"
#include "ui/dialog_manager.h"
#include "ui/game_dialog.h"
#include "ui/jorvane_corner.h"
#include "ui/speech_balloon.h"

namespace {

constexpr int kPhotoCompleteFlag = 48;
constexpr int kMendedPhotoClass = 10;

void PlayCentred(const char* sound) {
  SoundParams params;
  PlaySound(GetSoundEffect(sound), params);
}

}  // namespace

void CSearchEnvironment::Say(const char* key, int code) {
  CSpeechBalloon* balloon = SpeakAsJorvane(key);
  if (balloon && code) balloon->SetNotifyTarget(this, code);
}

void CSearchEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCodeVenueMenu:
      OnEscape();
      return;
    case kCodeVenueBack:
      TravelBack(sender);
      return;
    case 1254:  // the transition that brought the venue has finished
      OnShown();
      return;
    case kCodeHint: {
      auto start = GetVenueParts().startHint;
      if (!start || !start(this)) SayExitSpeech();
      return;
    }
    case kCodeListDone:
      ListDone();
      return;
    case kCodeCheatFindAll:
      for (CHiddenObject* o = FirstHiddenObject(); o; o = o->NextInVenue())
        if (o->IsListed() && o->GetOpacity() > 0 && !o->IsFound()) o->Found();
      return;
    case kCodeHintArrived:
      if (auto arrived = GetVenueParts().hintArrived)
        if (CHiddenObject* target = FindObjectByIndex(sender ? sender->GetId() : -1)) arrived(this, target);
      return;
    case kCodeStageAdvance:
      AdvanceStageAndLeave();
      return;
    case kCodeOpenDifferences:
      if (std::optional<std::string> file = StageDifferences(GetStage()); file && !file->empty())
        StartTransition(TypeId::kSearchEnvironment, file->c_str());
      return;
    default:
      CEnvironment::OnNotify(sender, code);
  }
}

void CSearchEnvironment::OnEscape() {
  // The in-game menu with Options, Resume and Help.
  OpenGameDialog(this, 7);
}

void CSearchEnvironment::OnShown() {
  if (!loaded_) return;
  const bool finishedDeadEnd = !HasExit() && TestFlag(attributes_.completionFlag);
  if (TryCompleteVenue() || finishedDeadEnd) {
    RunCompletionSequence();
    return;
  }
  for (CGameObject* c = FindChild(TypeId::kDialogManager); c; c = c->NextSibling(TypeId::kDialogManager)) {
    static_cast<CDialogManager*>(c)->Advance();
    return;
  }
}

void CSearchEnvironment::ListDone() {
  if (leaving_) return;  // the state is being written; the venue completes when it is next shown
  if (TryCompleteVenue())
    RunCompletionSequence();
  else
    Say("UnfinishedBusiness");
}

bool CSearchEnvironment::TryCompleteVenue() {
  if (TestFlag(attributes_.completionFlag) || FirstHintTarget()) return false;
  SetFlag(attributes_.completionFlag);
  if (attributes_.completionFlag == kPhotoCompleteFlag) {
    VenueParts& parts = GetVenueParts();
    if (CSprite* strip = GetInventory(); strip && parts.removeInventoryClass)
      parts.removeInventoryClass(strip, kMendedPhotoClass);
  }
  return true;
}

void CSearchEnvironment::RunCompletionSequence() {
  const int stage = GetStage();
  const venue::CompletionStep step =
      venue::DecideCompletion(HasExit(), attributes_.differences, StageDifferences(stage).has_value(),
                              venue::VenueBelongsToStage(stage, venueName_));
  switch (step) {
    case venue::CompletionStep::kExitSpeech:
      SayExitSpeech();
      return;
    case venue::CompletionStep::kCheckDifferences:
      Say("CheckDifferences", kCodeOpenDifferences);
      return;
    case venue::CompletionStep::kOpenStageStart:
      StartTransitionTo(StageStartTarget(stage));
      return;
    case venue::CompletionStep::kStageEndSpeech: {
      const std::string speech = venue::StageEndSpeech(stage);
      Say(speech.c_str(), kCodeStageAdvance);
      if (SameNameIgnoringCase(speech, "WarehouseExitSpeech")) PlayCentred("Running.wav");
      return;
    }
  }
}

void CSearchEnvironment::SayExitSpeech() {
  if (attributes_.exitSpeech) {
    Say(attributes_.exitSpeech->c_str());
    return;
  }
  static const char* const kDone[3] = {"SearchLevelComplete0", "SearchLevelComplete1",
                                       "SearchLevelComplete2"};
  Say(kDone[RandomValue() % 3]);
}

void CSearchEnvironment::AdvanceStageAndLeave() {
  if (GetShutter()) return;
  bool driveAway = false;
  const SceneTarget target = venue::StageAdvanceTarget(AdvanceStage(), &driveAway);
  StartTransitionTo(target);
  if (driveAway) PlayCentred("DriveAway.wav");
}

void CSearchEnvironment::TravelBack(CGameObject* sender) {
  auto* button = dynamic_cast<CBackButton*>(sender);
  if (!button) button = static_cast<CBackButton*>(FindChild(TypeId::kBackButton));
  // A back button that names no destination leads nowhere.
  if (!button || button->GetLevelName().empty()) return;
  if (SameNameIgnoringCase(venueName_, "Headquarters_FilingCabinet")) PlayCentred("FileDrawer.wav");
  if (SameNameIgnoringCase(venueName_, "Warehouse_Safe")) PlayCentred("CloseSafe.wav");
  const std::string file = venue::VenueFileForLevel(button->GetLevelName());
  StartTransition(TypeId::kSearchEnvironment, file.c_str());
}

void CSearchEnvironment::SaveVenueState() {
  if (!loaded_ || editor_ || leaving_) return;
  leaving_ = true;
  // Objects still in flight land first, so what the player found is what is written.
  for (CHiddenObject* o = FirstHiddenObject(); o; o = o->NextInVenue()) o->FinishFlight(true);
  if (!venue::IsSavableVenueName(venueName_)) return;
  XmlNode rootNode = kNoNode;
  XmlDocument* doc = ProfileDocument(&rootNode);
  if (!doc) return;
  ScopedXmlNode root(*doc, rootNode);
  if (!root) return;
  RemoveProfileElement(venueName_.c_str());
  ScopedXmlNode element(*doc, doc->CreateElement(root, venueName_.c_str()));
  if (CItemBoard* board = GetItemBoard(); board && element) board->Save(*doc, element);
  VenueParts& parts = GetVenueParts();
  if (CSprite* strip = GetInventory(); strip && parts.saveInventory) parts.saveInventory(strip);
  SetLastVenue(venueName_.c_str());
}
