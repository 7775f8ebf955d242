#include "flow/shutter.h"

#include <algorithm>

#include "data/texture_cache.h"
#include "flow/environment.h"
#include "flow/environment_factory.h"
#include "flow/progress_table.h"
#include "flow/screen_quad.h"
#include "platform/os/host.h"
#include "player/game_state.h"

namespace {
constexpr float kFadeOut = 0.5f;
constexpr float kDone = 1.0f;
constexpr float kBarStart = 0.118f, kBarEnd = 0.882f;  // the gauge's empty and full marks

CShutter* g_shutter = nullptr;
int g_pointerHidden = 0;

ScreenRect BarRect() {
  const float w = 0.6f * float(GetClientWidth());
  const float h = w / 7.65f;
  return ScreenRect::FromCenter(w, h, float(GetClientWidth()) * 0.5f, float(GetClientHeight()) * 0.75f);
}

ScreenRect ClientArea() {
  return ScreenRect(0, 0, float(GetClientWidth()), float(GetClientHeight()));
}
}  // namespace

CShutter::CShutter(int classId, const char* argument, float delay)
    : classId_(classId),
      argument_(argument ? argument : ""),
      hasArgument_(argument != nullptr),
      startTime_(GetTime()),
      delay_(std::max(0.0f, delay)) {
  ++g_pointerHidden;
  if (os::HasHost()) os::host().DisableInput();
  SetScreenRect(ClientArea());
  SetColor(0);
  expectedTotal_ = TransitionProgressTable().Lookup(classId_, Argument());
  barEmpty_ = AcquireTexture("LoadingScreen\\ProgressBarEmpty.png");
  barFull_ = AcquireTexture("LoadingScreen\\ProgressBarFull.png");
}

CShutter::~CShutter() {
  // What this build took is the bar's total next time.
  TransitionProgressTable().Learn(classId_, Argument(), progressCount_);
  delete newScene_;
  ReleaseTexture(barEmpty_);
  ReleaseTexture(barFull_);
  if (g_shutter == this) g_shutter = nullptr;
  if (os::HasHost()) os::host().EnableInput();
  --g_pointerHidden;
}

void CShutter::Update() {
  const float e = GetTime() - startTime_ - delay_;
  if (state_ == 0) {
    if (e < kFadeOut) return;
    state_ = 1;
    // The builder deletes the old scene; this shutter is attached to nothing and survives it.
    CEnvironment* scene = BuildEnvironment(classId_, Argument());
    CreateWeakRef(scene, &newScene_);
    return;
  }
  if (e < kDone) return;
  finished_ = true;
  if (CGameObject* scene = NewScene()) scene->OnNotify(this, kCodeTransitionDone);
  delete this;
}

float CShutter::Opacity() const {
  const float sinceStart = GetTime() - startTime_;
  const float e = sinceStart - delay_;
  if (state_ == 0) return sinceStart > delay_ ? std::clamp(e * 2.0f, 0.0f, 1.0f) : 0.0f;
  return std::clamp(1.0f - (e - kFadeOut) * 2.0f, 0.0f, 1.0f);
}

void CShutter::DrawLayer(gfx::Device* device, float opacity, float fullFraction) {
  CSprite::BeginSpriteStates(device, false);
  DrawScreenQuad(device, ClientArea(), 0.0f, 1.0f, nullptr, BlackWithAlpha(opacity));
  if (expectedTotal_ > 0) {
    const ScreenRect bar = BarRect();
    if (fullFraction < 0) {
      TextureEntry* picture = state_ == 0 ? barEmpty_ : barFull_;
      DrawScreenQuad(device, bar, 0.0f, 1.0f, GetDeviceTexture(picture), WhiteWithAlpha(opacity));
    } else {
      DrawScreenQuad(device, bar, 0.0f, 1.0f, GetDeviceTexture(barEmpty_), WhiteWithAlpha(opacity));
      ScreenRect part = bar;
      part.right = bar.left + bar.Width() * fullFraction;
      DrawScreenQuad(device, part, 0.0f, fullFraction, GetDeviceTexture(barFull_), WhiteWithAlpha(opacity));
    }
  }
  CSprite::EndSpriteStates(device);
}

void CShutter::Draw(gfx::Device* device) {
  const float opacity = Opacity();
  if (!device || opacity <= 0.0f) return;
  DrawLayer(device, opacity, -1.0f);
}

void CShutter::CountStep() {
  ++progressCount_;
  gfx::Device* device = GetDevice();
  // Inside a frame the step only counts: a present here would land in the open scene.
  if (expectedTotal_ <= 0 || !device || IsFrameBeingDrawn()) return;
  const float f = std::clamp(float(progressCount_) / float(expectedTotal_), 0.0f, 1.0f);
  if (gfx::Failed(device->BeginScene())) return;
  DrawLayer(device, 1.0f, kBarStart + f * (kBarEnd - kBarStart));
  device->EndScene();
  device->Present();
}

CShutter* StartTransition(int classId, const char* argument, float delay) {
  if (g_shutter) return g_shutter;
  g_shutter = new CShutter(classId, argument, delay);
  return g_shutter;
}

CShutter* ResumeGame(float delay) {
  if (g_shutter) return g_shutter;
  if (std::optional<std::string> venue = GetLastVenue()) {
    const std::string file = *venue + ".xml";
    return StartTransition(TypeId::kSearchEnvironment, file.c_str(), delay);
  }
  return StartTransition(TypeId::kMainEnvironment, nullptr, delay);
}

void ReturnToMainMenu() {
  if (g_shutter) return;
  CompleteGame();
  StartTransition(TypeId::kMainEnvironment, nullptr);
}

CShutter* GetShutter() {
  return g_shutter;
}

bool ShutterTransitionExists() {
  return g_shutter != nullptr;
}

void DrawShutter(gfx::Device* device) {
  if (g_shutter) g_shutter->Draw(device);
}

int PointerHideCount() {
  return g_pointerHidden;
}
