#include "ui/dialog_manager.h"

#include "data/xml_document.h"
#include "platform/os/host.h"
#include "scene/sprite_animator.h"
#include "ui/character_corner.h"
#include "ui/jorvane_corner.h"
#include "ui/popup_image.h"
#include "ui/speech_balloon.h"

namespace {
constexpr float kSlideTime = 0.5f;
}  // namespace

CDialogManager::CDialogManager(const speech::ConversationScript& script, CGameObject* environment)
    : script_(script) {
  if (environment) Attach(environment, 0);
  if (script_.character >= 0 && script_.character < speech::kCharacterCount) {
    auto* corner = new CCharacterCorner(environment, script_.character);
    CreateWeakRef(corner, &cornerRef_);
    // Parked off screen at once; the parked state stays with the corner, so the slide in later
    // starts from its place on screen.
    new CSpriteAnimator(corner, kAnimSlideOutLeft, 0.0f, 0);
  }
}

CDialogManager::~CDialogManager() {
  delete cornerRef_;
  delete targetRef_;
}

CCharacterCorner* CDialogManager::GetCorner() const {
  return static_cast<CCharacterCorner*>(WeakTarget(cornerRef_));
}

void CDialogManager::SetNotifyTarget(CGameObject* target, int code) {
  delete targetRef_;
  targetRef_ = nullptr;
  CreateWeakRef(target, &targetRef_);
  notifyCode_ = code;
}

void CDialogManager::Update() {
  if (finished_) delete this;
}

void CDialogManager::OnParentDestroyed(CGameObject*) {
  delete this;
}

void CDialogManager::OnNotify(CGameObject*, int code) {
  // Our own new balloon pushing out the previous one is not a click.
  if (code == kConversationStepCode && !advancing_) Advance();
}

CDialogManager::Shown CDialogManager::Show(int index) {
  const speech::ConversationEntry& e = script_.entries[size_t(index)];
  switch (e.kind) {
    case speech::EntryKind::kLead: {
      CSpeechBalloon* balloon = SpeakAsJorvane(e.text.c_str());
      if (!balloon) return Shown::kSkipped;
      if (script_.entries.size() > 1 || WeakTarget(targetRef_)) {
        balloon->SetNotifyTarget(this, kConversationStepCode);
        return Shown::kWaiting;
      }
      return Shown::kFinishedAtOnce;
    }
    case speech::EntryKind::kCorner: {
      CCharacterCorner* corner = GetCorner();
      if (!corner || e.text.empty()) return Shown::kSkipped;
      // One slide per line: a corner that cannot get on screen still gets to speak.
      if (corner->IsOffScreen() && slideTriedFor_ != index) {
        slideTriedFor_ = index;
        auto* slide = new CSpriteAnimator(corner, kAnimSlideInLeft, kSlideTime, kAnimDeleteAnimator);
        slide->SetNotifyTarget(this, kConversationStepCode);
        return Shown::kSlidingIn;
      }
      CSpeechBalloon* balloon = SpeakAsCharacter(e.text.c_str());
      if (!balloon) return Shown::kSkipped;
      balloon->SetNotifyTarget(this, kConversationStepCode);
      return Shown::kWaiting;
    }
    case speech::EntryKind::kPicture: {
      if (e.text.empty()) return Shown::kSkipped;
      auto* popup = new CPopupImage(e.text.c_str(), GetParent(), e.aspect, e.angle);
      popup->SetNotifyTarget(this, kConversationStepCode);
      return Shown::kWaiting;
    }
  }
  return Shown::kSkipped;
}

void CDialogManager::Advance() {
  if (finished_ || advancing_) return;
  advancing_ = true;
  // Showing an entry pushes out older balloons, whose targets may end the scene and this manager.
  CXRef* self = nullptr;
  CreateWeakRef(this, &self);
  // Entries with nothing to wait for (no text, no corner for their speaker) are passed over here,
  // in a loop, so a script of such entries still reaches its end.
  for (;;) {
    const int next = current_ + 1;
    if (next >= GetEntryCount()) {
      delete self;
      advancing_ = false;
      Finish();  // may delete this
      return;
    }
    const Shown shown = Show(next);
    if (!self) return;
    if (shown == Shown::kSlidingIn) break;  // the same entry is tried again when the slide ends
    current_ = next;
    if (shown == Shown::kWaiting) break;
    if (shown == Shown::kFinishedAtOnce) {
      finished_ = true;
      // Nobody waits for this one line; a corner that never came on screen goes with the manager.
      if (CCharacterCorner* corner = GetCorner()) {
        new CSpriteAnimator(corner, kAnimSlideOutLeft, 0.0f, kAnimDeleteSprite);
      }
      break;
    }
  }
  delete self;
  advancing_ = false;
}

void CDialogManager::Finish() {
  finished_ = true;
  if (CCharacterCorner* corner = GetCorner()) {
    new CSpriteAnimator(corner, kAnimSlideOutLeft, kSlideTime, kAnimDeleteSprite);
  }
  // Last: the target may end the scene, and this manager with it.
  if (CGameObject* target = WeakTarget(targetRef_)) target->OnNotify(this, notifyCode_);
}

CDialogManager* StartConversation(const char* name, CGameObject* environment) {
  const std::string member = speech::ConversationMemberName(name ? name : "");
  XmlDocument doc;
  speech::ConversationScript script;
  if (!name || !*name || doc.LoadMember(member.c_str()) != 0 ||
      !speech::ReadConversationScript(doc, script)) {
    os::ShowMessageBox("StartConversation()", "Failed to open conversation \"" + member + "\"");
    return nullptr;
  }
  return new CDialogManager(script, environment);
}
