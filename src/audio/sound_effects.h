// Short sounds from Sounds.pak. Each distinct file is loaded once into a static sound buffer held by
// a CSoundEffect; callers ask for an effect by file name and play it with SoundParams. The effects
// belong to this module (ShutdownSound deletes them), so holders that may outlive one ask again by
// name rather than keep the pointer. One effects volume scales every effect. The sound device made
// here also carries the music. Panning from scene objects is in scene/sound_pan.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/wave_reader.h"
#include "platform/snd/device.h"

struct SoundParams {
  float volume = 1.0f;  // 0..1
  float pitch = 1.0f;   // multiplies the file's sample rate
  float pan = 0.0f;     // -1 left .. +1 right
  bool loop = false;
};

class CSoundEffect {
 public:
  explicit CSoundEffect(const char* fileName);
  ~CSoundEffect();
  CSoundEffect(const CSoundEffect&) = delete;
  CSoundEffect& operator=(const CSoundEffect&) = delete;
  // The class number of the object table (TypeId::kSoundEffect), kept although an effect is no
  // longer an object of the scene tree.
  int GetTypeId() const { return 49; }

  // "Sounds\" + the requested file name: the member name in Sounds.pak.
  const std::string& Path() const { return path_; }
  bool IsLoaded() const { return loaded_; }
  bool HasBuffer() const { return buffer_ != nullptr; }
  float VolumeFactor() const { return volume_; }
  const snd::WaveFormat& Format() const { return wave_.format; }
  snd::Buffer* SoundBuffer() const { return buffer_; }

  int Load();  // 0 or a failure code; the loaded flag is set either way
  int Play(const SoundParams& params);
  void Stop();
  void ApplyVolume();  // the effect's factor times the effects volume

  CSoundEffect* Next() const { return next_; }

 private:
  void Unload();
  int Fill();

  CSoundEffect* prev_ = nullptr;
  CSoundEffect* next_ = nullptr;
  std::string path_;
  bool loaded_ = false;
  float volume_ = 1.0f;
  snd::Buffer* buffer_ = nullptr;
  WaveData wave_;
  std::vector<uint8_t> bytes_;  // the member, kept so a lost buffer can be filled again
};

// Opens the sound device chosen by SelectSoundBackend, sets its 22050 Hz 16-bit stereo primary
// format and reads "Sound"/"SFX volume". 1 when a device exists afterwards, 0 when the game runs
// silent. A second call does nothing.
int InitSound();
// Stores "Sound"/"SFX volume", deletes every effect and releases the device.
void ShutdownSound();

enum class SoundBackend { kSdl, kNull, kNone };
// The device InitSound opens: SDL (the game), the null device (--headless runs) or none.
void SelectSoundBackend(SoundBackend backend);
// Starts sound on a device made elsewhere (tests); takes a reference. 1 on success.
int InitSoundWithDevice(snd::Device* device);
// The device, or null when sound is off.
snd::Device* GetSoundDevice();

// Null without a device. Otherwise the effect whose path equals "Sounds\" + fileName without
// regard to case, or a new one.
CSoundEffect* GetSoundEffect(const char* fileName);
// The same lookup without making one: null when it was never asked for or has been deleted.
CSoundEffect* FindSoundEffect(const char* fileName);
// E_FAIL without a device or without an effect; otherwise the result of starting playback.
int PlaySound(CSoundEffect* effect, const SoundParams& params);
void StopSound(CSoundEffect* effect);
void SetEffectsVolume(float volume);  // clamped to 0..1, applied at once to every effect
float GetEffectsVolume();
CSoundEffect* FirstSoundEffect();

// Buffer volume for a linear level: silence at 0.01 and below, else level x 3000 - 3000.
int32_t AttenuationFor(float level);

// Pan helpers, each clamped to -1..+1, against the viewport width.
float PanForScreenX(float x, float viewportWidth);
float PanRelative(float x, float referenceCenterX, float referenceWidth);
