// The WAVE reader over arbitrary bytes, then the buffer an effect would make from what it found.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "audio/wave_reader.h"
#include "platform/snd/null_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WaveData wave;
  if (!ParseWave(data, size, wave)) return 0;
  if (wave.dataOffset > size || wave.dataSize > size - wave.dataOffset) __builtin_trap();
  static snd::NullDevice* device = [] {
    snd::NullDevice* d = nullptr;
    snd::CreateNullDevice(&d);
    return d;
  }();
  snd::BufferDesc desc;
  desc.flags = snd::DSBCAPS_STATIC | snd::DSBCAPS_CTRLFREQUENCY;
  desc.bytes = uint32_t(wave.dataSize > snd::DSBSIZE_MAX ? snd::DSBSIZE_MAX : wave.dataSize);
  desc.format = wave.format;
  snd::Buffer* buffer = nullptr;
  if (snd::Failed(device->CreateSoundBuffer(desc, &buffer))) return 0;
  void* p = nullptr;
  uint32_t n = 0;
  if (snd::Succeeded(buffer->Lock(0, 0, &p, &n, nullptr, nullptr, snd::DSBLOCK_ENTIREBUFFER))) {
    std::memcpy(p, data + wave.dataOffset, n);
    buffer->Unlock(p, n, nullptr, 0);
  }
  buffer->SetFrequency(wave.format.samplesPerSec * 2 > snd::DSBFREQUENCY_MAX ? 0
                                                                             : wave.format.samplesPerSec * 2);
  buffer->Play(0);
  int16_t mix[2 * 256];
  device->Render(mix, 256);
  buffer->Release();
  device->ClearCalls();
  return 0;
}
