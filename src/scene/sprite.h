// CSprite: the textured, tinted, possibly turned rectangle every visible thing is built from. A
// sprite stores where it sits inside its parent sprite (scale, offset, angle, aspect ratio), so its
// screen rectangle follows whenever the parent moves, scales or turns. The rectangle is computed
// lazily and cached; every geometric setter invalidates the sprite and its sprite descendants.
#pragma once

#include <cstdint>

#include "data/texture_cache.h"
#include "scene/game_object.h"
#include "scene/screen_rect.h"

// Sprite flag bits (other bits are free for sub-classes).
enum : uint32_t {
  kSpriteHidden = 2,
  kSpriteRectValid = 4,  // the cached screen rectangle is current
  kSpriteMirror = 8,     // mirror horizontally
  kSpriteFlip = 16,      // flip vertically
  kSpriteNoRotation = 32,
  kSpriteAdditive = 64,
};

// The twenty shared quads: four orientations and a 4 x 4 sheet of atlas frames.
enum : int {
  kQuadNormal = 0,
  kQuadMirrored = 1,
  kQuadFlipped = 2,
  kQuadMirroredFlipped = 3,
  kQuadAtlasFirst = 4,  // atlas frame i is quad kQuadAtlasFirst + i, i = 0..15 row by row
  kQuadCount = 20,
};

class CSprite : public CGameObject {
 public:
  // All defaults (scale 1, offset 0, angle 0, aspect 1, opacity 1, white, depth 0, no texture).
  CSprite();
  // Placed at rect inside parent (attached with mode 0 when given), textured by the named image
  // from the texture cache (null or empty: no texture).
  CSprite(const ScreenRect& rect, float depth, const char* textureName, CGameObject* parent);
  ~CSprite() override;

  // Slot overrides.
  void OnParentDestroyed(CGameObject* parent) override;  // deletes the sprite
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;  // the client size may have changed
  uint32_t GetTypeFlags() override { return kTypeFlagSprite; }
  int GetTypeId() override { return TypeId::kSprite; }
  // The colour is a tint: emissive RGB = colour, diffuse and ambient RGB = 0, alphas = colour alpha.
  void SetColor(uint32_t argb) override;

  // Slots 16 to 19.
  virtual ScreenRect GetScreenRect();
  virtual float GetNaturalAspect();
  virtual int IsAnimating();     // 1 with a CSpriteAnimator child
  virtual void StopAnimation();  // deletes the first CSpriteAnimator child

  // Placement. Each setter stores only a changed value and then invalidates this rectangle and
  // those of every sprite descendant.
  void SetScreenRect(const ScreenRect& rect);
  void SetScale(float scale);
  void SetOffset(float x, float y);
  void SetAngle(float angle);
  void SetAspectRatio(float aspect);
  void SetNaturalAspect(float aspect) { naturalAspect_ = aspect; }
  float GetScale() const { return scale_; }
  float GetOffsetX() const { return offsetX_; }
  float GetOffsetY() const { return offsetY_; }
  float GetAngle() const { return angle_; }
  float GetAspectRatio() const { return aspect_; }
  void InvalidateRect();  // clears the cache here and in every sprite descendant
  // The parent's screen rectangle when the parent is a sprite, else the client area.
  ScreenRect GetParentRect();

  // Looks.
  void SetOpacity(float opacity) { opacity_ = opacity; }
  float GetOpacity() const { return opacity_; }
  // 0 when hidden, else opacity times the sprite parent's effective opacity; also becomes the
  // material's diffuse alpha (the opacity the device draws with).
  float GetEffectiveOpacity();
  void SetVisible(bool visible);
  bool IsHidden() const { return (flags_ & kSpriteHidden) != 0; }
  void AddFlags(uint32_t bits) { flags_ |= bits; }
  void RemoveFlags(uint32_t bits) { flags_ &= ~bits; }
  uint32_t GetFlags() const { return flags_; }
  uint32_t GetColor() const;  // the tint given to SetColor (alpha from the emissive alpha)
  // Nothing when the current texture already has that name (any case); else swaps textures.
  void SetTexture(const char* name);
  TextureEntry* GetTexture() const { return texture_; }
  int GetLastHoveredFrame() const { return lastHoveredFrame_; }
  void SetLastHoveredFrame(int frame) { lastHoveredFrame_ = frame; }

  // Geometry questions.
  int IsOffScreen();
  int ContainsPoint(float x, float y);
  // 1 when other's horizontal centre line crosses this sprite's horizontal centre line within
  // this sprite's width.
  int CrossesCenterLine(CSprite* other);
  // A bar from a's centre to b's centre, as high as a.
  void StretchBetween(CSprite* a, CSprite* b);
  void SetDepthRecursive(float z);

  // ---- Shared drawing helpers (also for sub-classes that draw their own way) ----
  // The world transform that puts the unit quad (-1..1 on both axes, local y -1 at the top) exactly
  // on the rectangle, with the identity view and projection the scene camera uses.
  static gfx::Matrix WorldFromRect(const ScreenRect& rect);
  // The sprite render states (blending by the additive flag, alpha test, no depth, no fog, clamp)
  // and their restore afterwards.
  static void BeginSpriteStates(gfx::Device* device, bool additive);
  static void EndSpriteStates(gfx::Device* device);
  // The material a draw uses: with the additive flag a copy premultiplied by the opacity.
  gfx::Material RenderMaterial() const;
  // Draws one shared quad (kQuad*) over rect with the given texture and material, in the current states.
  static void DrawQuad(gfx::Device* device, const ScreenRect& rect, int quad, gfx::Texture* texture,
                       const gfx::Material& material);
  // The quad a sprite with these flags draws (mirror and flip select it).
  static int QuadForFlags(uint32_t flags);

  // The twenty shared quads (null until created or after the invalidate pass).
  static gfx::VertexBuffer* GetQuad(int index);
  static int RestoreStaticDeviceObjects(gfx::Device* device);  // creates the missing ones
  static void InvalidateStaticDeviceObjects();
  static int LiveCount();  // live sprites

 protected:
  uint32_t flags_ = 0;
  float scale_ = 1.0f;
  float offsetX_ = 0.0f;
  float offsetY_ = 0.0f;
  float angle_ = 0.0f;
  float aspect_ = 1.0f;
  float naturalAspect_ = 1.0f;
  float opacity_ = 1.0f;
  ScreenRect rect_;
  TextureEntry* texture_ = nullptr;
  int lastHoveredFrame_ = -1;
};
