// What sound costs: the mixer per playing voice, and Ogg Vorbis decoding against real time.
//
// BM_Mix/N reports voice_s_per_s: seconds of one voice mixed per second of CPU time (its inverse is
// the cost of one voice). BM_OggDecode reports x_realtime: seconds of music decoded per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/ogg_decoder.h"
#include "platform/os/host.h"
#include "platform/snd/null_device.h"

namespace {

constexpr int kOutputRate = 44100;
constexpr int kFrames = 1024;  // one audio callback

void BM_Mix(benchmark::State& state) {
  const int voices = int(state.range(0));
  snd::NullDevice* device = nullptr;
  snd::CreateNullDevice(&device, kOutputRate);
  std::vector<snd::Buffer*> buffers;
  for (int v = 0; v < voices; ++v) {
    // Effects as the game has them: 22050 Hz mono, some pitched, panned and attenuated.
    snd::BufferDesc d;
    d.flags = snd::DSBCAPS_CTRLVOLUME | snd::DSBCAPS_CTRLPAN | snd::DSBCAPS_CTRLFREQUENCY;
    d.bytes = 22050 * 2;
    d.format = snd::WaveFormat::Pcm(1, 22050, 16);
    snd::Buffer* b = nullptr;
    device->CreateSoundBuffer(d, &b);
    void* p = nullptr;
    uint32_t n = 0;
    b->Lock(0, 0, &p, &n, nullptr, nullptr, snd::DSBLOCK_ENTIREBUFFER);
    auto* s = static_cast<int16_t*>(p);
    for (uint32_t i = 0; i < n / 2; ++i) s[i] = int16_t(8000 * std::sin(i * 0.05 * (v + 1)));
    b->Unlock(p, n, nullptr, 0);
    b->SetVolume(-300 * (v % 4));
    b->SetPan(-2000 + 1000 * (v % 5));
    b->SetFrequency(22050 + 1000 * (v % 3));
    b->Play(snd::DSBPLAY_LOOPING);
    buffers.push_back(b);
  }
  device->ClearCalls();
  std::vector<int16_t> out(2 * kFrames);
  for (auto _ : state) {
    device->Render(out.data(), kFrames);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["voice_s_per_s"] = benchmark::Counter(double(voices) * kFrames / kOutputRate,
                                                       benchmark::Counter::kIsIterationInvariantRate);
  for (snd::Buffer* b : buffers) b->Release();
  device->Release();
}
BENCHMARK(BM_Mix)->Arg(1)->Arg(4)->Arg(16)->Arg(32);

void BM_OggDecode(benchmark::State& state) {
  std::string path = os::JoinPath(VARDELL_BUILD_DIR, "Music/Search/Search_Gaslight.ogg");
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty()) {
    state.SkipWithError(("build the demo music first: " + path).c_str());
    return;
  }
  std::vector<uint8_t> pcm(65536);
  double seconds = 0;
  for (auto _ : state) {
    OggDecoder decoder;
    decoder.OpenMemory(bytes);
    size_t total = 0, got = 0;
    while (decoder.Read(pcm.data(), pcm.size(), &got) == OggDecoder::kData) total += got;
    seconds += double(total) / (double(decoder.Rate()) * decoder.Channels() * 2);
  }
  state.counters["x_realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OggDecode)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
