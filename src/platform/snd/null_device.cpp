// The null backend: the shared buffers with no output. Tests move time forward by hand.
#include "platform/snd/null_device.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/snd/device_core.h"

namespace snd {
namespace {

class NullDeviceImpl final : public NullDevice {
 public:
  explicit NullDeviceImpl(uint32_t rate) : shared_(rate) { shared_.Core().recordCalls = true; }

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
  const char* DriverName() const override { return "null"; }
  int LiveBufferCount() const override { return shared_.LiveBufferCount(); }

  std::vector<CallRecord> Calls() const override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    return Core().calls;
  }
  void ClearCalls() override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    Core().calls.clear();
  }
  std::vector<Buffer*> Buffers() const override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    return std::vector<Buffer*>(Core().buffers.begin(), Core().buffers.end());
  }
  int BufferId(Buffer* buffer) const override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    detail::BufferImpl* b = Find(buffer);
    return b ? b->Id() : 0;
  }
  void AdvanceBytes(Buffer* buffer, uint32_t bytes) override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    if (detail::BufferImpl* b = Find(buffer)) b->AdvanceLocked(bytes / b->Format().blockAlign);
  }
  void AdvanceSeconds(double seconds) override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    if (seconds <= 0) return;
    for (detail::BufferImpl* b : Core().buffers)
      if (b->PlayingLocked()) b->AdvanceLocked(uint64_t(std::llround(seconds * b->RateLocked())));
  }
  void Render(int16_t* out, int frames) override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    Core().MixLocked(out, frames);
  }
  void LoseBuffer(Buffer* buffer) override {
    std::lock_guard<std::mutex> lock(Core().mutex);
    if (detail::BufferImpl* b = Find(buffer)) b->MarkLostLocked();
  }

 private:
  ~NullDeviceImpl() override = default;
  detail::DeviceCore& Core() const { return const_cast<detail::DeviceShared&>(shared_).Core(); }
  detail::BufferImpl* Find(Buffer* buffer) const {
    for (detail::BufferImpl* b : Core().buffers)
      if (b == buffer) return b;
    return nullptr;
  }

  std::atomic<uint32_t> refs_{1};
  detail::DeviceShared shared_;
};

}  // namespace

HRESULT CreateNullDevice(NullDevice** out, uint32_t outputRate) {
  if (!out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  if (outputRate < DSBFREQUENCY_MIN || outputRate > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
  *out = new NullDeviceImpl(outputRate);
  return S_OK;
}

}  // namespace snd
