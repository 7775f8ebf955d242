// CDialogManager: plays a conversation script one entry per click. Lines of the lead character
// come from her corner, lines of the other speaker from the character corner (which slides in
// before its first line and out after the last entry), pictures pop up over the scene. At the end
// the manager tells its end target and removes itself.
#pragma once

#include <string>

#include "scene/game_object.h"
#include "ui/conversation_script.h"

class CCharacterCorner;

// The code the manager's balloons, pictures and corner slides report back with.
constexpr int kConversationStepCode = 1364;

class CDialogManager : public CGameObject {
 public:
  CDialogManager(const speech::ConversationScript& script, CGameObject* environment);
  ~CDialogManager() override;

  int GetTypeId() override { return TypeId::kDialogManager; }
  void Update() override;  // a finished manager deletes itself
  void OnNotify(CGameObject* sender, int code) override;
  void OnParentDestroyed(CGameObject* parent) override;  // the conversation ends with its scene

  // The target hears OnNotify (manager, code) once, when the last entry has been clicked away.
  void SetNotifyTarget(CGameObject* target, int code);
  // Shows the next entry (the first when none is shown yet).
  void Advance();

  bool IsFinished() const { return finished_; }
  int GetCurrentEntry() const { return current_; }
  int GetEntryCount() const { return int(script_.entries.size()); }
  CCharacterCorner* GetCorner() const;

 private:
  // What showing one entry came to.
  enum class Shown { kWaiting, kSkipped, kSlidingIn, kFinishedAtOnce };
  Shown Show(int index);
  void Finish();

  speech::ConversationScript script_;
  int current_ = -1;
  bool finished_ = false;
  bool advancing_ = false;
  int slideTriedFor_ = -1;  // the entry a slide-in was started for
  CXRef* cornerRef_ = nullptr;
  CXRef* targetRef_ = nullptr;
  int notifyCode_ = 0;
};

// Reads "GUI\Characters\<name>.xml" and attaches a manager for it to the environment; null (after
// a message box naming the file) when the file cannot be read. The caller calls Advance.
CDialogManager* StartConversation(const char* name, CGameObject* environment);
