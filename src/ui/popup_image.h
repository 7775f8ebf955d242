// CPopupImage: a picture of a conversation (a newspaper, a staff card) that grows out of the middle
// of the scene, waits for a click anywhere and shrinks away.
#pragma once

#include "scene/sprite.h"
#include "ui/speech_fade.h"

class CPopupImage : public CSprite {
 public:
  // The picture "GUI\Characters\<name>", as large as fits into the scene's picture turned by
  // angle, attached to the environment above everything there is.
  CPopupImage(const char* name, CGameObject* environment, float aspect, float angle);
  ~CPopupImage() override;

  void Update() override;
  void Render(gfx::Device* device) override;  // scaled about its centre by its opacity
  int HitTest() override;                     // blocks while it appears, takes every click once shown
  int GetTypeId() override { return TypeId::kPopupImage; }

  void SetNotifyTarget(CGameObject* target, int code);
  speech::FadeState GetState() const { return fade_.State(); }

 private:
  speech::SpeechFade fade_;
  CXRef* targetRef_ = nullptr;
  int notifyCode_ = 0;
  int hoveredFrame_ = -2;
};
