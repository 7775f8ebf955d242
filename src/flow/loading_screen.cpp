#include "flow/loading_screen.h"

#include <algorithm>

#include "core/loading_progress.h"
#include "core/settings.h"
#include "data/texture_cache.h"
#include "flow/event_pump.h"
#include "flow/portal_link.h"
#include "flow/screen_quad.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "scene/cursor.h"

namespace {
constexpr unsigned kSplashMs = 3000, kLogoMs = 3000, kFadeMs = 500, kPollMs = 10;
constexpr float kFadeSeconds = 0.5f;

CLoadingScreen* g_loading = nullptr;
bool g_firstStart = true;
bool g_fadeStarted = false;
float g_fadeStart = 0.0f;

ScreenRect ClientArea() {
  return ScreenRect(0, 0, float(GetClientWidth()), float(GetClientHeight()));
}

bool HasPicture(TextureEntry* entry) {
  return GetDeviceTexture(entry) != nullptr;
}
}  // namespace

CLoadingScreen::CLoadingScreen() {
  if (os::HasHost()) os::host().DisableInput();
  maximum_ = GetSettingInt("LoadingScreen", "MaxProgress", kDefaultMaxProgress);
  // A stored 0 (or a hand-edited negative) would divide by zero.
  if (maximum_ <= 0) maximum_ = kDefaultMaxProgress;
  // Become current before loading: the pictures' own progress steps land here.
  g_loading = this;
  g_fadeStarted = false;
  background_ = AcquireTexture("LoadingScreen\\Background.jpg");
  progressPicture_ = AcquireTexture("LoadingScreen\\Progress.jpg");
  if (g_firstStart) {
    logo_ = AcquireTexture("LoadingScreen\\Brannock.jpg");
    const std::string splash = os::JoinPath(os::DataRoot(), "PortalSplash.jpg");
    if (os::FileExists(splash)) splash_ = AcquireTexture(splash, kTexLooseFile);
  }
  logoAlpha_ = HasPicture(logo_) ? 1.0f : 0.0f;
  splashAlpha_ = HasPicture(splash_) ? 1.0f : 0.0f;
  DrawFrame(1.0f, logoAlpha_, splashAlpha_);
  if (g_firstStart) ShowFirstStartPictures();
}

CLoadingScreen::~CLoadingScreen() {
  // The bar of the next start fits what this start really loaded.
  if (g_firstStart) SetSettingInt("LoadingScreen", "MaxProgress", steps_);
  for (TextureEntry* t : {background_, progressPicture_, logo_, splash_}) ReleaseTexture(t);
  if (g_loading == this) g_loading = nullptr;
  g_firstStart = false;
  if (gfx::Device* device = GetDevice()) {
    device->SetRenderState(gfx::RS_ZENABLE, 1);
    device->SetRenderState(gfx::RS_ZWRITEENABLE, 1);
  }
  if (os::HasHost()) os::host().EnableInput();
}

float CLoadingScreen::RevealFraction() const {
  return std::min(float(progress_) / float(maximum_), 1.0f) * 0.716f + 0.138f;
}

void CLoadingScreen::Step() {
  ++steps_;
  progress_ = std::min(maximum_, progress_ + 1);
  DrawFrame(1.0f, logoAlpha_, splashAlpha_);
}

void CLoadingScreen::DrawLayers(gfx::Device* device, float background, float logo, float splash) {
  device->SetRenderState(gfx::RS_ZENABLE, 0);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 1);
  device->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_SRCALPHA);
  device->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_INVSRCALPHA);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 1);
  device->SetRenderState(gfx::RS_FOGENABLE, 0);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_CLAMP);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSV, gfx::TADDRESS_CLAMP);
  const ScreenRect all = ClientArea();
  DrawScreenQuad(device, all, 0.0f, 1.0f, GetDeviceTexture(background_), WhiteWithAlpha(background));
  const float w = RevealFraction();
  ScreenRect lit = all;
  lit.right = all.left + all.Width() * w;
  DrawScreenQuad(device, lit, 0.0f, w, GetDeviceTexture(progressPicture_), WhiteWithAlpha(background));
  if (logo > 0.0f) DrawScreenQuad(device, all, 0.0f, 1.0f, GetDeviceTexture(logo_), WhiteWithAlpha(logo));
  if (splash > 0.0f)
    DrawScreenQuad(device, all, 0.0f, 1.0f, GetDeviceTexture(splash_), WhiteWithAlpha(splash));
}

void CLoadingScreen::DrawFrame(float background, float logo, float splash) {
  gfx::Device* device = GetDevice();
  // A picture loaded while the frame loop draws only counts; it never begins a second frame.
  if (!device || IsFrameBeingDrawn()) return;
  if (gfx::Failed(device->BeginScene())) return;
  DrawLayers(device, background, logo, splash);
  device->EndScene();
  device->Present();
}

bool CLoadingScreen::DrawFading(gfx::Device* device, float alpha) {
  if (!device) return true;
  DrawLayers(device, alpha, 0.0f, 0.0f);
  device->SetRenderState(gfx::RS_ALPHABLENDENABLE, 0);
  device->SetRenderState(gfx::RS_ALPHATESTENABLE, 0);
  device->SetRenderState(gfx::RS_ZENABLE, 1);
  device->SetRenderState(gfx::RS_ZWRITEENABLE, 1);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSU, gfx::TADDRESS_WRAP);
  device->SetTextureStageState(0, gfx::TSS_ADDRESSV, gfx::TADDRESS_WRAP);
  return alpha <= 0.0f;
}

void CLoadingScreen::Fade(float& alpha, float from, float to) {
  const unsigned start = WaitClockNow();
  for (;;) {
    const float t = std::min(1.0f, float(WaitClockNow() - start) / float(kFadeMs));
    alpha = from + (to - from) * t;
    DrawFrame(1.0f, logoAlpha_, splashAlpha_);
    if (t >= 1.0f) return;
    PumpWindowEvents();
    WaitClockSleep(int(kPollMs));
  }
}

void CLoadingScreen::ShowFirstStartPictures() {
  bool closing = false;
  if (splashAlpha_ > 0.0f) {
    const std::string& url = PortalUrl();
    SetCursorKind(url.empty() ? kCursorNone : kCursorHand);
    const unsigned start = WaitClockNow();
    while (!closing && WaitClockNow() - start < kSplashMs) {
      closing = PumpWindowEvents();
      if (!url.empty() && os::HasHost() && os::host().Input().left) {
        os::OpenUrl(url);
        break;
      }
      WaitClockSleep(int(kPollMs));
    }
    SetCursorKind(kCursorArrow);
    if (!closing) Fade(splashAlpha_, 1.0f, 0.0f);
    splashAlpha_ = 0.0f;
  }
  if (logoAlpha_ > 0.0f && !closing) {
    const unsigned start = WaitClockNow();
    while (!closing && WaitClockNow() - start < kLogoMs) {
      closing = PumpWindowEvents();
      WaitClockSleep(int(kPollMs));
    }
    if (!closing) Fade(logoAlpha_, 1.0f, 0.0f);
  }
  logoAlpha_ = 0.0f;
}

void CreateLoadingScreen() {
  // A second one while the first still fades replaces it; the window's input gate is counted,
  // so the first one's release cannot open the window early.
  delete g_loading;
  new CLoadingScreen();
}

CLoadingScreen* GetLoadingScreen() {
  return g_loading;
}

void UpdateLoadingScreenFade() {
  if (!g_loading) return;
  const float now = GetTime();
  if (!g_fadeStarted) {
    g_fadeStarted = true;
    g_fadeStart = now;
  }
  const float alpha = 1.0f - std::clamp((now - g_fadeStart) / kFadeSeconds, 0.0f, 1.0f);
  if (g_loading->DrawFading(GetDevice(), alpha) || now - g_fadeStart >= kFadeSeconds) delete g_loading;
}

bool IsFirstStart() {
  return g_firstStart;
}

void SetFirstStart(bool first) {
  g_firstStart = first;
}

void LoadingProgressStep() {
  if (g_loading) {
    g_loading->Step();
    return;
  }
  CShutter* shutter = GetShutter();
  if (shutter && shutter->State() == 1 && !shutter->Finished()) shutter->CountStep();
}
