// What both sound backends share: the buffers with their play state, the one lock, and the mixer
// that advances every playing buffer. A backend only decides where the mixed samples go (the SDL
// audio callback, or nowhere until a test asks).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/snd/device.h"
#include "platform/snd/null_device.h"

namespace snd::detail {

class BufferImpl;

struct DeviceCore {
  explicit DeviceCore(uint32_t rate) : outputRate(rate) {}

  std::mutex mutex;
  uint32_t outputRate;
  std::vector<BufferImpl*> buffers;  // live buffers in creation order
  int nextBufferId = 1;
  bool recordCalls = false;  // the null backend keeps a log of every call
  std::vector<CallRecord> calls;
  std::vector<float> scratch;  // float mix of one callback

  void Record(int buffer, const char* method, int64_t a = 0, int64_t b = 0) {
    if (recordCalls) calls.push_back(CallRecord{buffer, method, a, b});
  }
  // Mixes frames of interleaved stereo S16 into out, advancing every playing buffer. Lock held.
  void MixLocked(int16_t* out, int frames);
};

class BufferImpl final : public Buffer {
 public:
  BufferImpl(std::shared_ptr<DeviceCore> core, const BufferDesc& desc, int id);

  uint32_t AddRef() override;
  uint32_t Release() override;
  HRESULT Lock(uint32_t offset, uint32_t bytes, void** ptr1, uint32_t* bytes1, void** ptr2, uint32_t* bytes2,
               uint32_t flags) override;
  HRESULT Unlock(void* ptr1, uint32_t bytes1, void* ptr2, uint32_t bytes2) override;
  HRESULT Play(uint32_t flags) override;
  HRESULT Stop() override;
  HRESULT GetCurrentPosition(uint32_t* play, uint32_t* write) override;
  HRESULT SetCurrentPosition(uint32_t play) override;
  HRESULT GetStatus(uint32_t* status) override;
  HRESULT Restore() override;
  HRESULT SetVolume(int32_t hundredthsDb) override;
  HRESULT GetVolume(int32_t* hundredthsDb) override;
  HRESULT SetPan(int32_t hundredthsDb) override;
  HRESULT GetPan(int32_t* hundredthsDb) override;
  HRESULT SetFrequency(uint32_t hz) override;
  HRESULT GetFrequency(uint32_t* hz) override;
  HRESULT SetNotificationPositions(const std::vector<PositionNotify>& positions) override;
  const WaveFormat& Format() const override { return format_; }
  uint32_t Size() const override { return size_; }

  int Id() const { return id_; }

  // Mixer side, lock held. Adds up to frames of this buffer into the stereo float mix.
  void MixLocked(float* mix, int frames, uint32_t outputRate);
  // Moves the play cursor by a number of source frames as playback would. Lock held.
  void AdvanceLocked(uint64_t frames);
  void MarkLostLocked();
  bool PlayingLocked() const { return playing_; }
  uint32_t RateLocked() const { return frequency_ ? frequency_ : format_.samplesPerSec; }

 private:
  ~BufferImpl() override;
  uint32_t PlayByteLocked() const { return uint32_t(position_ >> 32) * format_.blockAlign; }
  // Sets the events of the positions crossed while the cursor moved by advancedFrames from fromByte.
  void NotifyCrossedLocked(uint32_t fromByte, uint64_t advancedFrames);
  void StopAtEndLocked();

  std::shared_ptr<DeviceCore> core_;
  std::atomic<uint32_t> refs_{1};
  const int id_;
  const uint32_t flags_;
  const WaveFormat format_;
  const uint32_t size_;
  const uint32_t frameCount_;
  std::vector<uint8_t> data_;

  // Play state (lock held).
  uint64_t position_ = 0;  // source frames, 32.32 fixed point
  bool playing_ = false;
  bool looping_ = false;
  bool lost_ = false;
  int32_t volume_ = 0;
  int32_t pan_ = 0;
  uint32_t frequency_ = 0;  // 0: the format's rate
  std::vector<PositionNotify> notify_;

  // The locked range is handed out as a private copy and written back by Unlock.
  std::vector<uint8_t> lockCopy_;
  bool locked_ = false;
  uint32_t lockOffset_ = 0;
  uint32_t lockBytes1_ = 0;
  uint32_t lockBytes2_ = 0;
};

// The device calls both backends answer alike; each backend holds one and forwards to it.
class DeviceShared {
 public:
  explicit DeviceShared(uint32_t outputRate) : core_(std::make_shared<DeviceCore>(outputRate)) {}

  HRESULT CreateSoundBuffer(const BufferDesc& desc, Buffer** out);
  HRESULT SetPrimaryFormat(const WaveFormat& format);
  WaveFormat PrimaryFormat() const;
  uint32_t OutputRate() const { return core_->outputRate; }
  int LiveBufferCount() const;
  DeviceCore& Core() { return *core_; }

 private:
  std::shared_ptr<DeviceCore> core_;
  WaveFormat primary_;
};

// Checks a secondary buffer description; S_OK or the error CreateSoundBuffer returns.
HRESULT ValidateBufferDesc(const BufferDesc& desc);

}  // namespace snd::detail
