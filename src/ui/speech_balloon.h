// CSpeechBalloon: a comic balloon that grows out of a speaker's mouth, pops, waits for a click and
// fades away. It holds a line of text from the string table or a picture. All balloons sit in one
// list in creation order; only one stays shown, because a new balloon closes the others.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/sprite.h"
#include "ui/speech_fade.h"

class CSpeechBalloon : public CSprite {
 public:
  // Attaches to parent with its top corner on the anchor side at (anchorX, anchorY); flags are
  // sprite flags (kSpriteMirror grows it to the right). A balloon has either the lines of the
  // string-table entry key, or (pictureHeight > 0) the picture named key at that fraction of the
  // client height and the given aspect.
  CSpeechBalloon(const char* key, float anchorX, float anchorY, CGameObject* parent, uint32_t flags,
                 float pictureHeight = 0.0f, float pictureAspect = 1.0f);
  ~CSpeechBalloon() override;

  void Update() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int InvalidateDeviceObjects() override;
  int DeleteDeviceObjects() override;
  int GetTypeId() override { return TypeId::kSpeechBalloon; }
  int HitTest() override;

  // The target hears OnNotify (balloon, code) when the balloon is clicked away or pushed out.
  void SetNotifyTarget(CGameObject* target, int code);
  CGameObject* GetNotifyTarget() const { return WeakTarget(targetRef_); }
  int GetNotifyCode() const { return notifyCode_; }

  const std::string& GetKey() const { return key_; }
  speech::FadeState GetState() const { return fade_.State(); }
  float GetCurrentOpacity() const { return fade_.Opacity(); }
  CSprite* GetContent() const { return content_; }  // the text block or the picture
  // Starts the fade-out from the current opacity and tells the target. The target may delete
  // this balloon, so nothing touches it afterwards.
  void Dismiss();
  // A closing balloon is shown again (reuse by key); an appearing one keeps appearing.
  void Reshow() { fade_.Reshow(); }
  static void AcquirePicture();  // the shared balloon picture, once

 private:
  void Grow(const ScreenRect& final);
  void Pop();

  speech::SpeechFade fade_;
  std::string key_;
  CXRef* targetRef_ = nullptr;
  int notifyCode_ = 0;
  CSprite* content_ = nullptr;
  int hoveredFrame_ = -2;
  gfx::VertexBuffer* vertices_ = nullptr;
  gfx::IndexBuffer* indices_ = nullptr;
};

// The balloon for key: a balloon already showing that key (any letter case) is shown and returned
// as it is; otherwise every balloon that is not closing starts closing and tells its target, and a
// new balloon is made. Null (nothing shown) for a null or empty key.
CSpeechBalloon* ShowSpeechBalloon(const char* key, float anchorX, float anchorY, CGameObject* parent,
                                  uint32_t flags);
// The same with the picture named name (also the balloon's key), heightFraction of the client
// height high and aspect times that wide.
CSpeechBalloon* ShowPictureBalloon(const char* name, float anchorX, float anchorY, CGameObject* parent,
                                   float heightFraction, float aspect);
// The largest current opacity among balloons that wait with a notification code; 0 when none.
float GetClickToContinueOpacity();

// The balloon list, oldest first.
const std::vector<CSpeechBalloon*>& AllSpeechBalloons();
bool IsLiveSpeechBalloon(const CSpeechBalloon* balloon);

// Shared resources: the balloon picture and the pop sound.
void RestoreSpeechBalloonResources(gfx::Device* device);
void InvalidateSpeechBalloonResources();
