// Tooltips: a parchment frame around a line of text (or a string-table key's lines) that fades in
// over a quarter second, stays while someone keeps asking for it, and fades out and deletes itself
// once nobody does. Sticky ones stay until their parent goes; close-on-click ones until the player
// clicks in the scene.
#pragma once

#include <cstdint>
#include <string>

#include "scene/sprite.h"

class CTooltip : public CSprite {
 public:
  // asked: the rectangle to fit the text into; flags as in button_style.h. parent may be null.
  CTooltip(const ScreenRect& asked, const char* text, uint32_t flags, CGameObject* parent);
  ~CTooltip() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kTooltip; }

  // Asked for again this frame: stays, turns back if fading out, follows the new rectangle.
  void Refresh(const ScreenRect& asked);

  const std::string& GetText() const { return text_; }
  uint32_t GetTooltipFlags() const { return flags_; }
  int GetState() const { return state_; }
  // The opacity of the current state at the current time.
  float CurrentOpacity() const;
  // The full-size frame (the drawn one grows towards it while appearing).
  const ScreenRect& GetFullFrame() const { return fullFrame_; }
  CSprite* GetTextObject() const { return textObject_; }
  CTooltip* Next() const { return next_; }

 private:
  void Relayout();
  void PlaceAt(float opacity);
  void BeginState(int state, float opacity);
  void ReleaseBuffers();

  CTooltip* prev_ = nullptr;
  CTooltip* next_ = nullptr;
  std::string text_;
  uint32_t flags_;
  uint32_t lastRefreshed_;
  ScreenRect asked_;
  ScreenRect fullFrame_;
  int state_;
  float stateStart_;
  gfx::VertexBuffer* vertices_ = nullptr;
  gfx::IndexBuffer* indices_ = nullptr;
  CSprite* textObject_ = nullptr;  // a child: dies with the tooltip
};

// Shows the tooltip for text in rect: the live one with the same text (any letter case) is
// refreshed, otherwise a new one is made. Null, and nothing shown, for a null or empty text.
CTooltip* ShowTooltip(const ScreenRect& rect, const char* text, uint32_t flags);
// A sticky explanation (string-table key) below an object, on the half of the screen away from
// it, closed by a click in the scene; it belongs to the current scene when there is one.
CTooltip* ShowObjectTooltip(CSprite* object, const char* key);
// Live tooltips in creation order.
CTooltip* FirstTooltip();
int CountTooltips();
