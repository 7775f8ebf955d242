// Where on screen a sound comes from: pans for effects played by the pointer or by a scene object,
// against the viewport or against another object's width.
#pragma once

#include "audio/sound_effects.h"

class CSprite;

void SetPanFromPointer(SoundParams& params);
void SetPanFromObject(SoundParams& params, CSprite* object);
void SetPanRelativeTo(SoundParams& params, CSprite* object, CSprite* reference);
