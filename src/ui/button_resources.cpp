#include "ui/button_resources.h"

#include "audio/sound_effects.h"
#include "core/loading_progress.h"
#include "platform/os/host.h"
#include "scene/cursor.h"
#include "ui/tooltip.h"

namespace {

constexpr const char* kCaption = "CPushbutton::RestoreDeviceObjects()";
constexpr const char* kSoundNames[3] = {"Click.wav", "Rollover.wav", "HintReady.wav"};

bool g_soundsLoaded[3] = {};  // the effects belong to the sound module: played by name
gfx::VertexBuffer* g_halves[2] = {};

gfx::HRESULT CreateHalfQuad(gfx::Device* device, bool hovered, gfx::VertexBuffer** out) {
  gfx::VertexBuffer* vb = nullptr;
  gfx::HRESULT hr = device->CreateVertexBuffer(4 * sizeof(gfx::VertexPosUv), gfx::FVF_POS_UV, &vb);
  if (gfx::Failed(hr) || !vb) {
    os::ShowMessageBox(kCaption, "Failed to create vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  void* data = nullptr;
  hr = vb->Lock(0, 0, &data, 0);
  if (gfx::Failed(hr) || !data) {
    vb->Release();
    os::ShowMessageBox(kCaption, "Failed to lock vertex buffer");
    return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  }
  const float u0 = hovered ? 0.5f : 0.0f, u1 = u0 + 0.5f;
  auto* v = static_cast<gfx::VertexPosUv*>(data);
  // The corner order of the sprite's normal quad: (1,-1), (1,1), (-1,1), (-1,-1); y -1 is the top.
  v[0] = {1, -1, 0, u1, 0};
  v[1] = {1, 1, 0, u1, 1};
  v[2] = {-1, 1, 0, u0, 1};
  v[3] = {-1, -1, 0, u0, 0};
  vb->Unlock();
  *out = vb;
  return gfx::S_OK;
}

void PresentTooltip(const ScreenRect& rect, const char* text, uint32_t flags) {
  ShowTooltip(rect, text, flags);
}

}  // namespace

int RestoreButtonResources(gfx::Device* device) {
  SetTooltipPresenter(&PresentTooltip);
  for (int i = 0; i < 3; ++i) {
    if (g_soundsLoaded[i]) continue;
    g_soundsLoaded[i] = GetSoundEffect(kSoundNames[i]) != nullptr;
    LoadingProgressStep();
  }
  gfx::HRESULT result = gfx::S_OK;
  for (int h = 0; h < 2 && device; ++h) {
    if (g_halves[h]) continue;
    const gfx::HRESULT hr = CreateHalfQuad(device, h == 1, &g_halves[h]);
    LoadingProgressStep();
    if (gfx::Failed(hr)) {
      result = hr;
      break;
    }
  }
  return result;
}

void InvalidateButtonResources() {
  for (gfx::VertexBuffer*& vb : g_halves) {
    if (vb) vb->Release();
    vb = nullptr;
  }
  for (bool& loaded : g_soundsLoaded) loaded = false;
}

gfx::VertexBuffer* ButtonHalfQuad(bool hovered) {
  return g_halves[hovered ? 1 : 0];
}

void PlayButtonSound(ButtonSound sound, float volume) {
  CSoundEffect* effect = FindSoundEffect(kSoundNames[int(sound)]);
  if (!effect) return;
  SoundParams params;
  params.volume = volume;
  PlaySound(effect, params);
}
