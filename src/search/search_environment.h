// CSearchEnvironment: the scene of one venue. It reads the venue file, builds the background and
// every object the file lists, adds the search interface (item board, character corner, status
// board and the parts of VenueParts), says the first-visit conversation, reacts to its children's
// notifications, decides when the venue is complete, and on leaving writes its progress into the
// current player's profile.
#pragma once

#include <string>

#include "flow/environment.h"
#include "scene/scene_context.h"
#include "search/venue_file.h"
#include "search/venue_rules.h"

class CHiddenObject;
class CItemBoard;
class CSearchStatusBoard;

// Notification codes a venue answers.
enum : int {
  kCodeVenueMenu = 104,
  kCodeVenueBack = 108,
  kCodeHint = 1276,
  kCodeListDone = 1280,
  kCodeCheatFindAll = 1298,
  kCodeHintArrived = 1351,
  kCodeStageAdvance = 1353,
  kCodeOpenDifferences = 1354,
};

class CSearchEnvironment : public CEnvironment, public SceneAreaSource {
 public:
  // Loads "Search\Venues\<fileName>"; a venue that cannot be read comes up empty after a message.
  explicit CSearchEnvironment(const char* fileName, bool editor = false);
  ~CSearchEnvironment() override;

  void Update() override;  // the wrong-click check of background clicks
  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kSearchEnvironment; }
  int HitTest() override;
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;
  int CountsPlayTime() override { return 1; }

  ScreenRect GetSceneArea() override;
  venue::ScreenLayout Layout();

  bool IsLoaded() const { return loaded_; }
  bool IsEditor() const { return editor_; }
  // Saving on the way out: flights still running land quietly.
  bool IsLeaving() const { return leaving_; }
  const std::string& GetFullPath() const { return fullPath_; }
  const std::string& GetVenueName() const { return venueName_; }
  const venue::VenueAttributes& Attributes() const { return attributes_; }
  bool IsDifferencesMode() const { return attributes_.differences; }
  bool HasDivider() const { return WeakTarget(divider_) != nullptr; }
  bool HasExit();
  TextureEntry* GetBackground() const { return background_; }
  void SetBackground(const std::string& name);

  CHiddenObject* FirstHiddenObject() const { return head_; }
  CHiddenObject* FindObjectByIndex(int index) const;
  int HiddenObjectCount() const;
  // The first listed, findable, unfound, visible object; else the first active hotspot; else null.
  CHiddenObject* FirstHintTarget() const;

  CItemBoard* GetItemBoard() const;
  CSearchStatusBoard* GetStatusBoard() const;
  CSprite* GetInventory() const;
  CSprite* GetDivider() const { return static_cast<CSprite*>(WeakTarget(divider_)); }

  bool TryCompleteVenue();
  void RunCompletionSequence();
  void SayExitSpeech();
  // Writes the board (and the strip) into the profile, finishing any flight first; nothing for a
  // venue that failed to load, an editor, or a name that cannot be saved.
  void SaveVenueState();

  // A click that found nothing (the background, an object that is not on the list).
  void CountWrongClick();
  int GetWrongClicks() const { return wrongClicks_; }
  // The status board follows the board's unfound total.
  void UpdateStatusCount();

  // The hidden objects' list; objects join at construction and leave at destruction.
  void LinkObject(CHiddenObject* object);
  void UnlinkObject(CHiddenObject* object);
  CHiddenObject* LastHiddenObject() const { return tail_; }

 private:
  bool LoadVenue(const std::string& path);
  void BuildHiddenObjects(XmlDocument& doc, XmlNode root);
  void BuildEffects(XmlDocument& doc, XmlNode root);
  void BuildItemBoard(XmlDocument* profile, XmlNode saved);
  void BuildInterface();
  void OnShown();
  void ListDone();
  void TravelBack(CGameObject* sender);
  void AdvanceStageAndLeave();
  void Say(const char* key, int code = 0);
  void DeleteChildrenOfType(int typeId);

  std::string fullPath_;
  std::string venueName_;
  venue::VenueAttributes attributes_;
  TextureEntry* background_ = nullptr;
  bool loaded_ = false;
  bool editor_ = false;
  bool leaving_ = false;
  int lastBackgroundClickFrame_ = -10;
  int wrongClicks_ = 0;
  CHiddenObject* head_ = nullptr;
  CHiddenObject* tail_ = nullptr;
  CXRef* itemBoard_ = nullptr;
  CXRef* inventory_ = nullptr;
  CXRef* corner_ = nullptr;
  CXRef* hintButton_ = nullptr;
  CXRef* statusBoard_ = nullptr;
  CXRef* divider_ = nullptr;
};

// The factory entry of class 43: the venue file named by the argument, with search music.
CEnvironment* OpenSearchVenue(const char* fileName);
// The current scene when it is a venue, else null.
CSearchEnvironment* CurrentSearchVenue();
