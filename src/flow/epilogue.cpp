#include "flow/epilogue.h"

#include "flow/shutter.h"
#include "ui/dialog_manager.h"
#include "ui/jorvane_corner.h"

CEpilogueEnvironment::CEpilogueEnvironment() : CEnvironment("Epilogue\\Background.jpg") {
  new CJorvaneCorner(this);
}

void CEpilogueEnvironment::OnNotify(CGameObject* sender, int code) {
  if (code == kCodeTransitionDone && !started_) {
    started_ = true;
    if (CDialogManager* talk = StartConversation("Epilogue", this)) {
      talk->SetNotifyTarget(this, kCodeEpilogueOver);
      talk->Advance();
    } else {
      // Without its conversation the scene still ends the game instead of stranding the player.
      ReturnToMainMenu();
    }
    return;
  }
  if (code == kCodeEpilogueOver) ReturnToMainMenu();
  CEnvironment::OnNotify(sender, code);
}

void CEpilogueEnvironment::OnEscape() {
  ReturnToMainMenu();
}

CEnvironment* BuildEpilogue(const char*) {
  return new CEpilogueEnvironment();
}
