// The two-step hover every control uses: the frame loop hit-tests before it advances the frame
// counter, so an object hovered in this frame's hit test has a last hovered frame one below the
// counter its Update and Render see.
#pragma once

#include <cstdint>

#include "scene/sprite.h"

inline bool HoveredThisFrame(int lastHoveredFrame, uint32_t frameCount) {
  return lastHoveredFrame >= 0 && int64_t(lastHoveredFrame) + 1 == int64_t(frameCount);
}
inline bool HoveredThisFrame(const CSprite* sprite) {
  return HoveredThisFrame(sprite->GetLastHoveredFrame(), GetFrameCount());
}

// Called from HitTest (frame counter not yet advanced): the rollover sound is due only when the
// pointer comes back after a gap of more than one frame (and on the very first hover, however
// early in the game's life that is).
inline bool RolloverSoundDue(int lastHoveredFrame, uint32_t frameCount) {
  return lastHoveredFrame < 0 || int64_t(lastHoveredFrame) < int64_t(frameCount) - 2;
}

// The hit test shared by controls: fully opaque and the pointer inside the rectangle. Records the
// frame on success.
bool PointerOverControl(CSprite* control);
