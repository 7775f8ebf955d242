// The mixer: every playing buffer is resampled from its own frequency to the output rate (linear
// interpolation), scaled by its volume and pan, and summed into a stereo float mix that is clipped
// to 16 bits at the end. Pan follows DirectSound's law: a pan of p hundredths of a decibel leaves
// one channel alone and attenuates the other by |p|.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/snd/device_core.h"

namespace snd::detail {
namespace {

constexpr float kFracScale = 1.0f / 4294967296.0f;

template <int Bits>
inline float SampleAt(const uint8_t* p) {
  if constexpr (Bits == 16) {
    int16_t v;
    std::memcpy(&v, p, 2);
    return float(v) * (1.0f / 32768.0f);
  } else {
    return (float(*p) - 128.0f) * (1.0f / 128.0f);
  }
}

// Adds count output frames starting at source position pos (32.32 frames), stepping by step.
// The frame after the last is the first when wrapping, else the last one again.
template <int Channels, int Bits>
void MixSpan(const uint8_t* data, uint32_t frameCount, bool wrap, float* mix, int count, uint64_t pos,
             uint64_t step, float gainLeft, float gainRight) {
  constexpr int kFrameBytes = Channels * Bits / 8;
  constexpr int kSampleBytes = Bits / 8;
  for (int i = 0; i < count; ++i, pos += step) {
    uint32_t index = uint32_t(pos >> 32);
    uint32_t next = index + 1 < frameCount ? index + 1 : (wrap ? 0 : index);
    float frac = float(uint32_t(pos)) * kFracScale;
    const uint8_t* a = data + size_t(index) * kFrameBytes;
    const uint8_t* b = data + size_t(next) * kFrameBytes;
    float l0 = SampleAt<Bits>(a), l1 = SampleAt<Bits>(b);
    float left = l0 + (l1 - l0) * frac;
    float right = left;
    if constexpr (Channels == 2) {
      float r0 = SampleAt<Bits>(a + kSampleBytes), r1 = SampleAt<Bits>(b + kSampleBytes);
      right = r0 + (r1 - r0) * frac;
    }
    mix[2 * i] += left * gainLeft;
    mix[2 * i + 1] += right * gainRight;
  }
}

using SpanFn = void (*)(const uint8_t*, uint32_t, bool, float*, int, uint64_t, uint64_t, float, float);

SpanFn PickSpan(int channels, int bits) {
  if (channels == 2) return bits == 16 ? MixSpan<2, 16> : MixSpan<2, 8>;
  return bits == 16 ? MixSpan<1, 16> : MixSpan<1, 8>;
}

}  // namespace

void BufferImpl::MixLocked(float* mix, int frames, uint32_t outputRate) {
  if (!playing_ || lost_ || frames <= 0) return;
  if (frameCount_ == 0) {
    StopAtEndLocked();
    return;
  }
  float gain = GainFromHundredthsDb(volume_);
  float gainLeft = pan_ > 0 ? gain * GainFromHundredthsDb(-pan_) : gain;
  float gainRight = pan_ < 0 ? gain * GainFromHundredthsDb(pan_) : gain;
  bool audible = gainLeft > 0.0f || gainRight > 0.0f;
  SpanFn span = PickSpan(format_.channels, format_.bitsPerSample);

  const uint64_t step = (uint64_t(RateLocked()) << 32) / outputRate;
  const uint64_t end = uint64_t(frameCount_) << 32;
  const uint32_t fromByte = PlayByteLocked();
  uint64_t crossed = 0;  // whole source frames the cursor moved over, wraps included
  int done = 0;
  while (done < frames) {
    uint64_t untilEnd = (end - position_ + step - 1) / step;
    int count = int(std::min<uint64_t>(untilEnd, uint64_t(frames - done)));
    if (audible)
      span(data_.data(), frameCount_, looping_, mix + 2 * done, count, position_, step, gainLeft, gainRight);
    uint64_t before = position_ >> 32;
    position_ += uint64_t(count) * step;
    done += count;
    if (position_ < end) {
      crossed += (position_ >> 32) - before;
      continue;
    }
    if (!looping_) {
      crossed += frameCount_ - before;
      NotifyCrossedLocked(fromByte, crossed);
      StopAtEndLocked();
      return;
    }
    crossed += (position_ >> 32) - before;
    position_ %= end;
  }
  NotifyCrossedLocked(fromByte, crossed);
}

void DeviceCore::MixLocked(int16_t* out, int frames) {
  scratch.assign(size_t(frames) * 2, 0.0f);
  // Mixing may stop a buffer but never adds or removes one, so the list is stable here.
  for (BufferImpl* b : buffers) b->MixLocked(scratch.data(), frames, outputRate);
  for (size_t i = 0; i < scratch.size(); ++i) {
    float v = std::clamp(scratch[i], -1.0f, 1.0f) * 32767.0f;
    out[i] = int16_t(std::lrint(v));
  }
}

}  // namespace snd::detail
