// The null sound backend: nothing is heard, every call is recorded, and play cursors move only when
// a test says so, so that code driving buffers (effects, the music thread) can be run step by step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/snd/device.h"

namespace snd {

// One call on the device or a buffer: buffer id (0 for the device), method name and its arguments.
struct CallRecord {
  int buffer = 0;
  std::string method;
  int64_t a = 0;
  int64_t b = 0;
};

class NullDevice : public Device {
 public:
  virtual std::vector<CallRecord> Calls() const = 0;
  virtual void ClearCalls() = 0;
  // Live buffers in creation order, and the id a buffer has in the call log.
  virtual std::vector<Buffer*> Buffers() const = 0;
  virtual int BufferId(Buffer* buffer) const = 0;

  // Time passes for one playing buffer: its cursor moves by bytes (whole frames), wrapping when
  // looping, stopping at the end otherwise, and setting the events of the positions it crosses.
  virtual void AdvanceBytes(Buffer* buffer, uint32_t bytes) = 0;
  // Time passes for every playing buffer, each at its own frequency.
  virtual void AdvanceSeconds(double seconds) = 0;
  // Mixes frames of stereo S16 at the output rate exactly as the audio callback would.
  virtual void Render(int16_t* out, int frames) = 0;
  // The buffer reports DSERR_BUFFERLOST until it is restored.
  virtual void LoseBuffer(Buffer* buffer) = 0;
};

HRESULT CreateNullDevice(NullDevice** out, uint32_t outputRate = 44100);

}  // namespace snd
