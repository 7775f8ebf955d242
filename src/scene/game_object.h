// The game object tree. Every scene node is a CGameObject, made with new and freed with delete.
// Each live object sits in three intrusive structures at once: the creation list (update order),
// the depth list (draw and hit-test order, once it has a depth) and its parent's child list.
// A parent never frees its children: its destructor tells each one through OnParentDestroyed, and
// the child's class decides (sprites delete themselves, plain objects live on detached).
#pragma once

#include <cstdint>

#include "core/published_device.h"
#include "platform/gfx/device.h"

// Type ids returned by GetTypeId: one number per class; lookups, the environment switch and
// notifications compare them.
namespace TypeId {
// clang-format off
enum : int {
  kBestTimeDialog = 2, kCamera = 4, kCheatEnvironment = 5, kClouds = 6, kCursor = 7, kEditControl = 8,
  kEnvironment = 9, kPuzzleEnvironment = 9, kFireEffect = 11, kFireHalo = 12, kGameDialog = 14,
  kGameObject = 15, kGameFont = 15, kHiddenObject = 17, kHintButton = 18, kHintHalo = 19, kHowToPlay = 20,
  kInventoryBoard = 21, kInventoryItem = 22, kItemBoard = 23, kItemSlot = 24, kJorvaneCorner = 25,
  kJigsawEnvironment = 26, kJigsawPiece = 27, kLoadingScreen = 28, kMainEnvironment = 29,
  kMapEnvironment = 31, kMessageBox = 32, kOptionsDialog = 33, kParticleTrail = 34, kPlayerEditbox = 35,
  kPlayerListbox = 36, kPlayerName = 37, kPortal = 38, kPortalIcon = 39, kPushbutton = 40,
  kSearchEnvironment = 43, kSearchStatusBoard = 44, kShadow = 45, kShutter = 46, kSlider = 47,
  kSmokeEffect = 48, kSoundEffect = 49, kSpeechBalloon = 50, kSpriteAnimator = 52, kSprite = 53,
  kDialogBackground = 53, kDialogScaledFrame = 53, kMovementBoundingBox = 53, kStarburst = 55,
  kTextContainer = 57, kTextSprite = 58, kTextSpriteLocalize = 58, kDebugDialog = 58, kTooltip = 60,
  kXRef = 61, kCameraPuzzleEnvironment = 62, kInventoryMultiplier = 63, kPlayDialog = 64,
  kPuzzleButtonBoard = 65, kNightSky = 67, kLyricLine = 68, kBouncingBall = 69,
  kPlayerPianoEnvironment = 70, kPlayerPianoProgress = 71, kHotSyllable = 72,
  kCircuitPuzzleEnvironment = 73, kCircuitPuzzleWire = 74, kMicroscopeImage = 75, kCheckbox = 76,
  kMicroscopeEnvironment = 77, kFocusRing = 78, kBackButton = 79, kPuzzleCheckbox = 81,
  kStreetcarPowerEnvironment = 82, kPuzzlePatch = 83, kSlidePuzzleEnvironment = 84,
  kSlidePuzzleToken = 85, kMatch3PuzzleBacker = 86, kMatch3PuzzleEnvironment = 87,
  kMatch3PuzzleToken = 88, kSparkleEmitter = 89, kSparkleSprite = 90, kModeDialog = 91,
  kSearchPatch = 92, kTrolleyBarnDoorEnvironment = 93, kSafePuzzleEnvironment = 94, kSafeDial = 95,
  kRoomLockDigit = 96, kRoomLockPuzzleEnvironment = 97, kRoomLockRow = 98, kJewelPuzzleEnvironment = 99,
  kJewelPuzzleToken = 100, kPianoRoll = 101, kCharacterCorner = 102, kDialogManager = 103,
  kExtensibleLine = 104, kLightGlare = 105, kClickToContinue = 106, kPopupImage = 107,
  kEpilogueEnvironment = 108,
};
// clang-format on
}  // namespace TypeId

// GetTypeFlags bits.
constexpr uint32_t kTypeFlagSprite = 256;
// FindChild / NextSibling filters: -1 any object; >= 256 a type-flag mask; otherwise a type id.
constexpr int kFilterAny = -1;

// HitTest answers.
enum : int { kHitNone = 0, kHitHovered = 1, kHitBlocking = 2 };

class CGameObject {
 public:
  CGameObject();
  CGameObject(const CGameObject&) = delete;
  CGameObject& operator=(const CGameObject&) = delete;

  // The sixteen virtual operations, in their slot order.
  virtual void OnChildChanged(CGameObject* child, int attached);
  virtual int DeleteDeviceObjects();
  virtual void Update();
  virtual int InvalidateDeviceObjects();
  virtual void OnParentDestroyed(CGameObject* parent);
  virtual void Render(gfx::Device* device);
  virtual int RestoreDeviceObjects(gfx::Device* device);
  virtual ~CGameObject();
  virtual gfx::Matrix* GetTransform(gfx::Matrix* out);
  virtual uint32_t GetTypeFlags();
  virtual int GetTypeId();
  virtual int GetCursorKind();
  virtual int HitTest();
  virtual void OnNotify(CGameObject* sender, int code);
  virtual void SetColor(uint32_t argb);
  virtual void SetDepth(float z);

  // Tree
  // 0 when already attached, when parent is null or being destroyed, or when a cycle would form.
  int Attach(CGameObject* parent, int mode);
  void Detach();
  CGameObject* GetParent() const { return parent_; }
  CGameObject* FirstChild() const { return firstChild_; }
  CGameObject* LastChild() const { return lastChild_; }
  CGameObject* PrevSiblingRaw() const { return prevSibling_; }
  CGameObject* NextSiblingRaw() const { return nextSibling_; }
  CGameObject* FindChild(int filter);
  CGameObject* NextSibling(int filter);
  CGameObject* FindAncestor(int typeId);
  CGameObject* FindChildById(int id);
  int GetAttachMode() const { return attachMode_; }

  int GetId() const { return id_; }
  void SetId(int id) { id_ = id; }
  void* GetUserPointer() const { return userPointer_; }
  void SetUserPointer(void* p) { userPointer_ = p; }
  float GetDepth() const { return depth_; }
  bool InDepthList() const;

  const gfx::Material& GetMaterial() const { return material_; }
  const gfx::Matrix& WorldTransform() const { return world_; }
  const gfx::Matrix& RelativeTransform() const { return relative_; }
  void SetWorldTransform(const gfx::Matrix& m) { world_ = m; }

  // Creation list and depth list neighbours (for walks and the tree dump).
  CGameObject* CreationNext() const { return createNext_; }
  CGameObject* DepthNext() const { return depthNext_; }
  CGameObject* DepthPrev() const { return depthPrev_; }

 protected:
  gfx::Material material_{};

 private:
  void UnlinkDepth();

  CGameObject* createPrev_ = nullptr;
  CGameObject* createNext_ = nullptr;
  CGameObject* depthPrev_ = nullptr;
  CGameObject* depthNext_ = nullptr;
  gfx::Matrix world_;
  float depth_ = 0;
  int id_ = 0;
  void* userPointer_ = nullptr;
  CGameObject* parent_ = nullptr;
  CGameObject* firstChild_ = nullptr;
  CGameObject* lastChild_ = nullptr;
  CGameObject* prevSibling_ = nullptr;
  CGameObject* nextSibling_ = nullptr;
  int attachMode_ = 0;
  gfx::Matrix relative_;
  bool destroying_ = false;  // inside the destructor: refuses new children
};

// A weak reference: a child of its target that nulls the holder's pointer slot when it dies.
// The holder's slot holds the CXRef; the referenced object is the CXRef's parent. A holder that
// dies first deletes its CXRef (the slot would otherwise point into freed memory).
class CXRef : public CGameObject {
 public:
  CXRef(CGameObject* target, CXRef** slot);
  ~CXRef() override;
  void OnParentDestroyed(CGameObject* parent) override;
  int GetTypeId() override { return TypeId::kXRef; }
  CGameObject* Target() const { return GetParent(); }

 private:
  CXRef** slot_;
};

// Null target stores null in the slot; otherwise a new CXRef (target, slot).
void CreateWeakRef(CGameObject* target, CXRef** slot);
// The referenced object, or null when the reference is gone.
inline CGameObject* WeakTarget(CXRef* ref) {
  return ref ? ref->Target() : nullptr;
}

// ---- Module functions driven by the frame loop -----------------------------------------------

void UpdateAllObjects(float time, float elapsed);
void RenderAllObjects(gfx::Device* device);
CGameObject* FindHoveredObject();
void RestoreAllObjects(gfx::Device* device);
void InvalidateAllObjects();
void DeleteAllDeviceObjects();
void DestroyAllObjects();

float GetTime();
float GetElapsed();
uint32_t GetFrameCount();
const gfx::Viewport& GetViewport();
void SetClientSize(int width, int height);
int GetClientWidth();
int GetClientHeight();
float GetTopDepth();
CGameObject* FirstObject();       // head of the creation list
CGameObject* FirstDepthObject();  // head of the depth list (lowest depth)
int CountObjects();

// Whether a shutter transition exists (nothing is hovered then). Answered by the transition module.
bool ShutterTransitionExists();
