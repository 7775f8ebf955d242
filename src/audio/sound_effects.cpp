// Sound effects: the device, the effect registry and playback with the game's volume curve.
#include "audio/sound_effects.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/loading_progress.h"
#include "core/settings.h"
#include "data/pak_names.h"
#include "data/pakfile.h"
#include "platform/os/host.h"
#include "platform/snd/null_device.h"

namespace {

snd::Device* g_device = nullptr;
SoundBackend g_backend = SoundBackend::kSdl;
float g_effectsVolume = 1.0f;
bool g_volumeKnown = false;  // read from the settings or set by the player: worth storing
CSoundEffect* g_first = nullptr;
CSoundEffect* g_last = nullptr;

constexpr int kRestoreTries = 100;  // 10 ms apart: give a lost buffer one second to come back

float Clamp01(float v) {
  return std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 1.0f);
}
float ClampPan(float v) {
  return std::isnan(v) ? 0.0f : std::clamp(v, -1.0f, 1.0f);
}

}  // namespace

// ---- Device ------------------------------------------------------------------------------------

void SelectSoundBackend(SoundBackend backend) {
  g_backend = backend;
}

snd::Device* GetSoundDevice() {
  return g_device;
}

int InitSoundWithDevice(snd::Device* device) {
  if (g_device) return 1;
  if (!device) return 0;
  device->AddRef();
  g_device = device;
  // The primary buffer format asks for this rate; we record it and mix at the output's own rate.
  g_device->SetPrimaryFormat(snd::WaveFormat::Pcm(2, 22050, 16));
  g_effectsVolume = Clamp01(GetSettingFloat("Sound", "SFX volume", 1.0f));
  g_volumeKnown = true;
  return 1;
}

int InitSound() {
  if (g_device) return 1;
  // Read even when no device opens, so that a silent run stores back what it found.
  g_effectsVolume = Clamp01(GetSettingFloat("Sound", "SFX volume", 1.0f));
  g_volumeKnown = true;
  snd::Device* device = nullptr;
  if (g_backend == SoundBackend::kSdl) {
    snd::CreateSdlDevice(&device);
  } else if (g_backend == SoundBackend::kNull) {
    snd::NullDevice* null = nullptr;
    snd::CreateNullDevice(&null);
    device = null;
  }
  if (!device) return 0;
  int ok = InitSoundWithDevice(device);
  device->Release();
  return ok;
}

void ShutdownSound() {
  if (g_volumeKnown) SetSettingFloat("Sound", "SFX volume", g_effectsVolume);
  while (g_first) delete g_first;
  if (g_device) {
    g_device->Release();
    g_device = nullptr;
  }
}

// ---- Effects -----------------------------------------------------------------------------------

CSoundEffect::CSoundEffect(const char* fileName)
    : path_(std::string("Sounds\\") + (fileName ? fileName : "")) {
  prev_ = g_last;
  if (g_last)
    g_last->next_ = this;
  else
    g_first = this;
  g_last = this;
  if (g_device) Load();
}

CSoundEffect::~CSoundEffect() {
  Unload();
  if (prev_)
    prev_->next_ = next_;
  else
    g_first = next_;
  if (next_)
    next_->prev_ = prev_;
  else
    g_last = prev_;
}

void CSoundEffect::Unload() {
  if (buffer_) {
    buffer_->Stop();
    buffer_->Release();
    buffer_ = nullptr;
  }
  wave_ = WaveData{};
  bytes_.clear();
}

int CSoundEffect::Load() {
  loaded_ = true;
  Unload();
  if (!g_device) return snd::E_FAIL;
  auto member = OpenDataPak("Sounds.pak")->ReadMember(path_);
  if (!member) return snd::E_FAIL;
  bytes_ = std::move(*member);
  std::string why;
  if (!ParseWave(bytes_.data(), bytes_.size(), wave_, &why)) {
    std::fprintf(stderr, "Sound: %s: %s\n", path_.c_str(), why.c_str());
    Unload();
    return snd::E_FAIL;
  }
  snd::BufferDesc desc;
  desc.flags =
      snd::DSBCAPS_STATIC | snd::DSBCAPS_CTRLPAN | snd::DSBCAPS_CTRLVOLUME | snd::DSBCAPS_CTRLFREQUENCY;
  desc.bytes = uint32_t(std::min<size_t>(wave_.dataSize, snd::DSBSIZE_MAX));
  desc.format = wave_.format;
  int hr = g_device->CreateSoundBuffer(desc, &buffer_);
  if (snd::Failed(hr)) {
    std::fprintf(stderr, "Sound: %s: the sound device refuses its format\n", path_.c_str());
    Unload();
    return hr;
  }
  hr = Fill();
  if (snd::Failed(hr)) Unload();
  return hr;
}

int CSoundEffect::Fill() {
  void* p1 = nullptr;
  void* p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  int hr = buffer_->Lock(0, 0, &p1, &n1, &p2, &n2, snd::DSBLOCK_ENTIREBUFFER);
  if (snd::Failed(hr)) return hr;
  std::copy_n(bytes_.data() + wave_.dataOffset, std::min<size_t>(n1, wave_.dataSize),
              static_cast<uint8_t*>(p1));
  return buffer_->Unlock(p1, n1, p2, n2);
}

void CSoundEffect::ApplyVolume() {
  if (buffer_) buffer_->SetVolume(AttenuationFor(volume_ * g_effectsVolume));
}

int CSoundEffect::Play(const SoundParams& params) {
  if (!loaded_) Load();
  if (!buffer_) return snd::E_FAIL;
  uint32_t status = 0;
  buffer_->GetStatus(&status);
  if (status & snd::DSBSTATUS_PLAYING) {
    buffer_->Stop();
    buffer_->SetCurrentPosition(0);
  }
  if (status & snd::DSBSTATUS_BUFFERLOST) {
    int tries = 0;
    while (buffer_->Restore() == snd::DSERR_BUFFERLOST && ++tries < kRestoreTries) os::SleepMs(10);
    Fill();
  }
  buffer_->SetPan(int32_t(ClampPan(params.pan) * 1000.0f));
  volume_ = Clamp01(params.volume);
  ApplyVolume();
  // Truncated to whole hertz, as DirectSound takes it; a rate the device cannot play is refused and the old
  // one stays.
  double hz = double(params.pitch) * double(wave_.format.samplesPerSec);
  if (hz >= 0.0 && hz < 4294967295.0) buffer_->SetFrequency(uint32_t(hz));
  return buffer_->Play(params.loop ? uint32_t(snd::DSBPLAY_LOOPING) : 0u);
}

void CSoundEffect::Stop() {
  if (!buffer_) return;
  buffer_->Stop();
  buffer_->SetCurrentPosition(0);
}

CSoundEffect* FirstSoundEffect() {
  return g_first;
}

CSoundEffect* FindSoundEffect(const char* fileName) {
  if (!g_device || !fileName) return nullptr;
  std::string path = std::string("Sounds\\") + fileName;
  for (CSoundEffect* e = g_first; e; e = e->Next())
    if (pak::EqualsFolded(e->Path(), path)) return e;
  return nullptr;
}

CSoundEffect* GetSoundEffect(const char* fileName) {
  if (CSoundEffect* e = FindSoundEffect(fileName)) return e;
  return g_device && fileName ? new CSoundEffect(fileName) : nullptr;
}

int PlaySound(CSoundEffect* effect, const SoundParams& params) {
  if (!g_device || !effect || reinterpret_cast<intptr_t>(effect) == -1) return snd::E_FAIL;
  return effect->Play(params);
}

void StopSound(CSoundEffect* effect) {
  if (effect && reinterpret_cast<intptr_t>(effect) != -1) effect->Stop();
}

void SetEffectsVolume(float volume) {
  g_effectsVolume = Clamp01(volume);
  g_volumeKnown = true;
  for (CSoundEffect* e = g_first; e; e = e->Next()) e->ApplyVolume();
}

float GetEffectsVolume() {
  return g_effectsVolume;
}

int32_t AttenuationFor(float level) {
  float v = Clamp01(level);
  if (v <= 0.01f) return snd::DSBVOLUME_MIN;
  return int32_t(v * 3000.0f - 3000.0f);
}

// ---- Pan helpers -------------------------------------------------------------------------------

float PanForScreenX(float x, float viewportWidth) {
  if (!(viewportWidth > 0.0f)) return 0.0f;
  float half = viewportWidth / 2.0f;
  return ClampPan((x - half) / half);
}

float PanRelative(float x, float referenceCenterX, float referenceWidth) {
  if (!(referenceWidth > 0.0f)) return 0.0f;
  return ClampPan((x - referenceCenterX) / (referenceWidth / 2.0f));
}
