// The sound device the game sees. Its shape follows the buffer-based sound API the game was written
// for: secondary buffers with a wave format and a size, Lock/Unlock, Play looping or once, a play
// cursor, volume and pan in hundredths of a decibel, a playback frequency, and notification
// positions that set an event as the play cursor crosses them.
// Two backends: SDL2 audio with our own mixer in the audio callback, and a recording null backend
// whose play cursors tests move by hand (null_device.h).
// Every call is safe from any thread: the device keeps one internal lock that the game thread, the
// music thread and the audio callback all take.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace snd {

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = int32_t(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = int32_t(0x8007000Eu);
constexpr HRESULT DSERR_INVALIDPARAM = int32_t(0x80070057u);
constexpr HRESULT DSERR_BADFORMAT = int32_t(0x88780064u);
constexpr HRESULT DSERR_BUFFERLOST = int32_t(0x88780096u);
constexpr HRESULT DSERR_INVALIDCALL = int32_t(0x88780032u);
constexpr HRESULT DSERR_NODRIVER = int32_t(0x88780078u);
constexpr HRESULT DSERR_CONTROLUNAVAIL = int32_t(0x8878001Eu);
inline bool Failed(HRESULT hr) {
  return hr < 0;
}
inline bool Succeeded(HRESULT hr) {
  return hr >= 0;
}

constexpr uint16_t WAVE_FORMAT_PCM = 1;

// The wave format as a file stores it: the 16 bytes of the PCM format, plus the extra bytes that
// other formats carry.
struct WaveFormat {
  uint16_t formatTag = WAVE_FORMAT_PCM;
  uint16_t channels = 2;
  uint32_t samplesPerSec = 22050;
  uint32_t avgBytesPerSec = 88200;
  uint16_t blockAlign = 4;
  uint16_t bitsPerSample = 16;
  std::vector<uint8_t> extra;

  static WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits);
};

// Buffer description flags (what the buffer may be asked to do).
enum : uint32_t {
  DSBCAPS_STATIC = 0x2,
  DSBCAPS_LOCSOFTWARE = 0x8,
  DSBCAPS_CTRLFREQUENCY = 0x20,
  DSBCAPS_CTRLPAN = 0x40,
  DSBCAPS_CTRLVOLUME = 0x80,
  DSBCAPS_CTRLPOSITIONNOTIFY = 0x100,
  DSBCAPS_GETCURRENTPOSITION2 = 0x10000,
};

struct BufferDesc {
  uint32_t flags = 0;
  uint32_t bytes = 0;
  WaveFormat format;
};

// Limits of the buffer parameters.
constexpr int32_t DSBVOLUME_MIN = -10000;  // silence
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr int32_t DSBPAN_LEFT = -10000;
constexpr int32_t DSBPAN_CENTER = 0;
constexpr int32_t DSBPAN_RIGHT = 10000;
constexpr uint32_t DSBFREQUENCY_ORIGINAL = 0;  // SetFrequency(0): back to the format's rate
constexpr uint32_t DSBFREQUENCY_MIN = 100;
constexpr uint32_t DSBFREQUENCY_MAX = 200000;
constexpr uint32_t DSBSIZE_MIN = 4;
constexpr uint32_t DSBSIZE_MAX = 0x0FFFFFFF;

// Play flags, status bits, lock flags.
enum : uint32_t { DSBPLAY_LOOPING = 0x1 };
enum : uint32_t { DSBSTATUS_PLAYING = 0x1, DSBSTATUS_BUFFERLOST = 0x2, DSBSTATUS_LOOPING = 0x4 };
enum : uint32_t { DSBLOCK_FROMWRITECURSOR = 0x1, DSBLOCK_ENTIREBUFFER = 0x2 };

// A manual-reset event: set by the device when a notification position is crossed, polled and
// reset by its owner.
class Event {
 public:
  void Set() { signalled_.store(true, std::memory_order_release); }
  void Reset() { signalled_.store(false, std::memory_order_release); }
  bool IsSet() const { return signalled_.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> signalled_{false};
};

constexpr uint32_t DSBPN_OFFSETSTOP = 0xFFFFFFFFu;  // notify when playback stops

struct PositionNotify {
  uint32_t offset = 0;  // byte offset in the buffer, or DSBPN_OFFSETSTOP
  std::shared_ptr<Event> event;
};

// Reference counted like DirectSound's COM objects: Release() frees at zero.
class Resource {
 public:
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;

 protected:
  virtual ~Resource() = default;
};

class Buffer : public Resource {
 public:
  // Locks bytes at offset (DSBLOCK_ENTIREBUFFER: the whole buffer). A range running past the end
  // wraps: the second pointer and size then describe the part at the start of the buffer. The
  // pointers see the buffer's current contents and stay valid until Unlock, which publishes what
  // was written; writing into a playing buffer is therefore always safe.
  virtual HRESULT Lock(uint32_t offset, uint32_t bytes, void** ptr1, uint32_t* bytes1, void** ptr2,
                       uint32_t* bytes2, uint32_t flags = 0) = 0;
  virtual HRESULT Unlock(void* ptr1, uint32_t bytes1, void* ptr2, uint32_t bytes2) = 0;

  virtual HRESULT Play(uint32_t flags) = 0;  // from the current position
  virtual HRESULT Stop() = 0;                // keeps the position
  virtual HRESULT GetCurrentPosition(uint32_t* play, uint32_t* write) = 0;
  virtual HRESULT SetCurrentPosition(uint32_t play) = 0;
  virtual HRESULT GetStatus(uint32_t* status) = 0;
  virtual HRESULT Restore() = 0;  // after DSERR_BUFFERLOST; the contents must be written again

  virtual HRESULT SetVolume(int32_t hundredthsDb) = 0;  // DSBVOLUME_MIN..DSBVOLUME_MAX
  virtual HRESULT GetVolume(int32_t* hundredthsDb) = 0;
  virtual HRESULT SetPan(int32_t hundredthsDb) = 0;  // DSBPAN_LEFT..DSBPAN_RIGHT
  virtual HRESULT GetPan(int32_t* hundredthsDb) = 0;
  virtual HRESULT SetFrequency(uint32_t hz) = 0;  // DSBFREQUENCY_ORIGINAL or MIN..MAX
  virtual HRESULT GetFrequency(uint32_t* hz) = 0;

  // Only while the buffer is stopped; an empty list removes the positions.
  virtual HRESULT SetNotificationPositions(const std::vector<PositionNotify>& positions) = 0;

  virtual const WaveFormat& Format() const = 0;
  virtual uint32_t Size() const = 0;
};

class Device : public Resource {
 public:
  // Secondary buffers: PCM, 1 or 2 channels, 8 or 16 bits, DSBFREQUENCY_MIN..MAX samples per second.
  virtual HRESULT CreateSoundBuffer(const BufferDesc& desc, Buffer** out) = 0;
  // The primary buffer's format. Our mixer runs at the output device's own rate, so this only
  // records the request.
  virtual HRESULT SetPrimaryFormat(const WaveFormat& format) = 0;
  virtual WaveFormat PrimaryFormat() const = 0;
  // Samples per second the mixer produces.
  virtual uint32_t OutputRate() const = 0;
  // Name of the output in use ("null", or the SDL driver's name such as "pulseaudio", "dummy").
  virtual const char* DriverName() const = 0;
  virtual int LiveBufferCount() const = 0;
};

// Opens the default audio output through SDL; when it cannot be opened, SDL's dummy driver. Fails
// (and *out is null) when neither opens: the game then runs silent.
HRESULT CreateSdlDevice(Device** out);

// Gain factor of a volume in hundredths of a decibel (DSBVOLUME_MIN and below: 0).
float GainFromHundredthsDb(int32_t hundredthsDb);

}  // namespace snd
