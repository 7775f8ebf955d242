// CPuzzlePatch: a rectangle of a puzzle's picture given in the 1024 x 768 content frame, usually
// a piece of an alternative background (a lit lamp, a pressed key), that may also be a click area
// sending a command to its parent. It can light up while pressed or blink.
#pragma once

#include <cstdint>

#include "puzzles/texture_window.h"
#include "scene/sprite.h"

class CPuzzlePatch : public CSprite {
 public:
  enum : uint32_t {
    kHighlight = 1,  // shown only while the pointer is pressed inside it
    kBlink = 2,      // drawn only in the first half of every half second
  };

  // reference: where it shows, in the content frame of the parent. texture: null for an invisible
  // click area. uv: the part of the texture shown (null: the same rectangle of a full-scene
  // picture). click: its own click area in the content frame (null: reference). Command 0 makes
  // a patch that never takes the pointer.
  CPuzzlePatch(CSprite* parent, const ScreenRect& reference, const char* texture, int command,
               uint32_t options = 0, const ScreenRect* uv = nullptr, const ScreenRect* click = nullptr);

  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int DeleteDeviceObjects() override;
  int GetTypeId() override { return TypeId::kPuzzlePatch; }
  int GetCursorKind() override { return command_ ? 2 : 0; }
  // Over its click area, whatever its opacity: an unlit patch is still a button.
  int HitTest() override;

  int GetCommand() const { return command_; }
  uint32_t GetOptions() const { return options_; }
  // A lamp that starts blinking (or stops) keeps its place and picture.
  void SetOptions(uint32_t options) { options_ = options; }
  ScreenRect ClickRect();
  const ScreenRect& TextureRect() const { return window_.Uv(); }
  // Whether a blinking patch is drawn at time t.
  static bool BlinkOn(float t);

 private:
  ScreenRect Target();
  void Place();

  ScreenRect reference_;
  ScreenRect clickReference_;
  int command_;
  uint32_t options_;
  TextureWindow window_;
};
