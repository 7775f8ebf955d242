// The SDL backend: one S16 stereo output whose callback runs our mixer under the device lock.
#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/snd/device_core.h"

namespace snd {
namespace {

constexpr int kOutputRate = 44100;
constexpr int kCallbackFrames = 1024;  // about 23 ms a callback

class SdlDevice final : public Device {
 public:
  SdlDevice() : shared_(kOutputRate) {}

  // The output opens paused; mixing starts here, once the device is bound to it.
  void Start(SDL_AudioDeviceID id, const char* driver) {
    id_ = id;
    driver_ = driver ? driver : "";
    SDL_PauseAudioDevice(id_, 0);
  }
  static void Callback(void* user, Uint8* stream, int len) {
    auto* core = static_cast<detail::DeviceCore*>(user);
    std::lock_guard<std::mutex> lock(core->mutex);
    core->MixLocked(reinterpret_cast<int16_t*>(stream), len / 4);
  }
  detail::DeviceCore* CorePtr() { return &shared_.Core(); }

  uint32_t AddRef() override { return refs_.fetch_add(1) + 1; }
  uint32_t Release() override {
    uint32_t left = refs_.fetch_sub(1) - 1;
    if (left == 0) delete this;
    return left;
  }
  HRESULT CreateSoundBuffer(const BufferDesc& desc, Buffer** out) override {
    return shared_.CreateSoundBuffer(desc, out);
  }
  HRESULT SetPrimaryFormat(const WaveFormat& format) override { return shared_.SetPrimaryFormat(format); }
  WaveFormat PrimaryFormat() const override { return shared_.PrimaryFormat(); }
  uint32_t OutputRate() const override { return shared_.OutputRate(); }
  const char* DriverName() const override { return driver_.c_str(); }
  int LiveBufferCount() const override { return shared_.LiveBufferCount(); }

 private:
  ~SdlDevice() override {
    // Closing waits for a running callback, so nothing mixes once this returns.
    if (id_ == 0) return;
    SDL_CloseAudioDevice(id_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  std::atomic<uint32_t> refs_{1};
  detail::DeviceShared shared_;
  SDL_AudioDeviceID id_ = 0;
  std::string driver_;
};

// Opens an output with the current driver choice; 0 (and the audio subsystem closed) on failure.
SDL_AudioDeviceID OpenOutput(void* user, SDL_AudioSpec& have) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kCallbackFrames;
  want.callback = SdlDevice::Callback;
  want.userdata = user;
  SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (id == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return id;
}

}  // namespace

HRESULT CreateSdlDevice(Device** out) {
  if (!out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  // The mixer exists before the output opens: the callback's user pointer is its core. Opening
  // allows no format change, so SDL converts for outputs that run at another rate.
  auto* device = new SdlDevice();
  SDL_AudioSpec have{};
  SDL_AudioDeviceID id = OpenOutput(device->CorePtr(), have);
  if (id == 0) {
    std::fprintf(stderr, "Sound: no audio output (%s); trying the dummy driver\n", SDL_GetError());
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    id = OpenOutput(device->CorePtr(), have);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  }
  if (id == 0) {
    std::fprintf(stderr, "Sound: no audio driver could be opened (%s); the game runs silent\n",
                 SDL_GetError());
    device->Release();
    return DSERR_NODRIVER;
  }
  device->Start(id, SDL_GetCurrentAudioDriver());
  *out = device;
  return S_OK;
}

}  // namespace snd
