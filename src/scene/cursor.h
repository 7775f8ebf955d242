// The game's own pointer: a sprite drawn on top of everything after the scene, whose picture
// follows the hovered object's cursor kind. The system pointer stays hidden over the client area.
#pragma once

#include "scene/sprite.h"

class CSoundEffect;

enum CursorKind : int {
  kCursorNone = 0,
  kCursorArrow = 1,  // animated 4 x 4 sheet
  kCursorHand = 2,
  kCursorFootprints = 3,
  kCursorMagnifier = 4,
  kCursorOpenHand = 5,
  kCursorClosedHand = 6,
  kCursorNotes = 7,
  kCursorKindCount = 8,
};

class CCursor : public CSprite {
 public:
  CCursor();  // loads the seven pictures, the ghost and "BadClick.wav"
  ~CCursor() override;

  void Render(gfx::Device*) override {}  // drawn by DrawCursor, after every object
  int GetTypeId() override { return TypeId::kCursor; }

  void SetKind(int kind) { kind_ = kind; }
  int GetKind() const { return kind_; }
  TextureEntry* GetKindTexture(int kind) const;
  TextureEntry* GetGhostTexture() const { return ghost_; }
  // The wrong-click sound the click penalty plays; null without a sound device.
  CSoundEffect* GetBadClickSound() const;
  void Draw(gfx::Device* device);

 private:
  int kind_ = kCursorArrow;
  TextureEntry* textures_[kCursorKindCount] = {};  // index 0 unused
  TextureEntry* ghost_ = nullptr;
};

// The one cursor, or null.
CCursor* GetCursor();
void CreateCursor();  // only when none exists
void SetCursorKind(int kind);
void DrawCursor(gfx::Device* device);

// ---- Geometry --------------------------------------------------------------------------------

// The square a kind is drawn in for a pointer at (x, y): side and hotspot offset scale with
// client width / 800. False for kind 0 and unknown kinds.
bool CursorSquare(int kind, int x, int y, int clientWidth, ScreenRect& out);
// The arrow sheet's frame at an application time: 16 frames played twice a second.
int ArrowFrameAt(float time);

// The ghost pointer of a two-picture scene: the scene answers whether it wants one and where its
// left picture lies (the right picture is the same rectangle moved right by its width). Until a
// scene registers an answer there is no ghost.
using GhostAreaQuery = bool (*)(ScreenRect& leftPicture);
void SetGhostAreaQuery(GhostAreaQuery query);
// The mirrored point in the other picture; false when the pointer is in neither.
bool GhostPoint(int x, int y, const ScreenRect& leftPicture, float& gx, float& gy);

// Tooltip placement under the cursor square: half the client width wide, 0.055 of its height high,
// centred on the square, its centre 0.6 heights below the square's bottom.
ScreenRect TooltipRectAtCursor(const ScreenRect& cursorSquare, int clientWidth, int clientHeight);
void ShowTooltipAtCursor(const char* text);
// Tooltips live in the controls layer above; it installs how one is shown (null: none are shown).
using TooltipPresenter = void (*)(const ScreenRect& rect, const char* text, uint32_t flags);
void SetTooltipPresenter(TooltipPresenter presenter);
