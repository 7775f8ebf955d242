// The sound device's buffers and mixer, driven through the null backend.
#include "platform/snd/null_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using namespace snd;

struct DeviceRef {
  NullDevice* d = nullptr;
  DeviceRef(uint32_t rate = 44100) { EXPECT_EQ(CreateNullDevice(&d, rate), S_OK); }
  ~DeviceRef() { d->Release(); }
  NullDevice* operator->() { return d; }
};

struct BufferRef {
  Buffer* b = nullptr;
  ~BufferRef() {
    if (b) b->Release();
  }
  Buffer* operator->() { return b; }
};

constexpr uint32_t kAllControls =
    DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPOSITIONNOTIFY;

BufferDesc Desc(uint32_t bytes, uint16_t channels = 1, uint32_t rate = 44100, uint16_t bits = 16,
                uint32_t flags = kAllControls) {
  BufferDesc d;
  d.flags = flags;
  d.bytes = bytes;
  d.format = WaveFormat::Pcm(channels, rate, bits);
  return d;
}

void Write(Buffer* b, const void* src, uint32_t bytes, uint32_t offset = 0) {
  void *p1 = nullptr, *p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  ASSERT_EQ(b->Lock(offset, bytes, &p1, &n1, &p2, &n2), S_OK);
  std::memcpy(p1, src, n1);
  if (n2) std::memcpy(p2, static_cast<const uint8_t*>(src) + n1, n2);
  ASSERT_EQ(b->Unlock(p1, n1, p2, n2), S_OK);
}

std::vector<uint8_t> Read(Buffer* b) {
  void *p1 = nullptr, *p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  EXPECT_EQ(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), S_OK);
  std::vector<uint8_t> out(static_cast<uint8_t*>(p1), static_cast<uint8_t*>(p1) + n1);
  b->Unlock(p1, 0, p2, 0);
  return out;
}

void FillConstant(Buffer* b, int16_t value) {
  std::vector<int16_t> v(b->Size() / 2, value);
  Write(b, v.data(), b->Size());
}

uint32_t Position(Buffer* b) {
  uint32_t play = 0, write = 0;
  b->GetCurrentPosition(&play, &write);
  return play;
}

uint32_t Status(Buffer* b) {
  uint32_t s = 0;
  b->GetStatus(&s);
  return s;
}

TEST(SoundBuffer, RejectsFormatsAndRangesItCannotPlay) {
  DeviceRef dev;
  BufferRef b;
  BufferDesc d = Desc(1000);
  d.format.formatTag = 2;
  EXPECT_EQ(dev->CreateSoundBuffer(d, &b.b), DSERR_BADFORMAT);
  EXPECT_EQ(b.b, nullptr);
  EXPECT_EQ(dev->CreateSoundBuffer(Desc(1000, 3), &b.b), DSERR_BADFORMAT);
  EXPECT_EQ(dev->CreateSoundBuffer(Desc(1000, 1, 44100, 24), &b.b), DSERR_BADFORMAT);
  EXPECT_EQ(dev->CreateSoundBuffer(Desc(1000, 1, 50), &b.b), DSERR_BADFORMAT);
  d = Desc(1000);
  d.format.blockAlign = 4;  // does not match one 16-bit channel
  EXPECT_EQ(dev->CreateSoundBuffer(d, &b.b), DSERR_BADFORMAT);
  EXPECT_EQ(dev->CreateSoundBuffer(Desc(2), &b.b), DSERR_INVALIDPARAM);
  EXPECT_EQ(dev->LiveBufferCount(), 0);

  ASSERT_EQ(dev->CreateSoundBuffer(Desc(1000), &b.b), S_OK);
  EXPECT_EQ(b->SetVolume(-10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetVolume(1), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetPan(10001), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetFrequency(99), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetFrequency(200001), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetCurrentPosition(1000), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->SetFrequency(22050), S_OK);
  uint32_t hz = 0;
  b->GetFrequency(&hz);
  EXPECT_EQ(hz, 22050u);
  EXPECT_EQ(b->SetFrequency(DSBFREQUENCY_ORIGINAL), S_OK);
  b->GetFrequency(&hz);
  EXPECT_EQ(hz, 44100u);

  BufferRef plain;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(1000, 1, 44100, 16, DSBCAPS_STATIC), &plain.b), S_OK);
  EXPECT_EQ(plain->SetVolume(-100), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plain->SetPan(-100), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plain->SetFrequency(8000), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plain->SetNotificationPositions({{0, std::make_shared<Event>()}}), DSERR_CONTROLUNAVAIL);
}

TEST(SoundBuffer, LockWrapsAroundAndPublishesOnUnlock) {
  DeviceRef dev;
  BufferRef b;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(16), &b.b), S_OK);
  std::vector<uint8_t> pattern(8);
  for (int i = 0; i < 8; ++i) pattern[i] = uint8_t(i + 1);
  void *p1 = nullptr, *p2 = nullptr;
  uint32_t n1 = 0, n2 = 0;
  ASSERT_EQ(b->Lock(12, 8, &p1, &n1, &p2, &n2), S_OK);
  EXPECT_EQ(n1, 4u);
  EXPECT_EQ(n2, 4u);
  ASSERT_NE(p2, nullptr);
  // A second lock while one is outstanding is refused.
  void* q = nullptr;
  uint32_t m = 0;
  EXPECT_EQ(b->Lock(0, 4, &q, &m, nullptr, nullptr), DSERR_INVALIDCALL);
  std::memcpy(p1, pattern.data(), 4);
  std::memcpy(p2, pattern.data() + 4, 4);
  ASSERT_EQ(b->Unlock(p1, n1, p2, n2), S_OK);
  std::vector<uint8_t> all = Read(b.b);
  EXPECT_EQ(std::vector<uint8_t>(all.begin() + 12, all.end()), std::vector<uint8_t>({1, 2, 3, 4}));
  EXPECT_EQ(std::vector<uint8_t>(all.begin(), all.begin() + 4), std::vector<uint8_t>({5, 6, 7, 8}));
  // Unlocking what was never locked, or more than was locked, is refused.
  EXPECT_EQ(b->Unlock(p1, n1, nullptr, 0), DSERR_INVALIDPARAM);
  ASSERT_EQ(b->Lock(0, 4, &p1, &n1, nullptr, nullptr), S_OK);
  EXPECT_EQ(b->Unlock(p1, 8, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(b->Unlock(p1, 4, nullptr, 0), S_OK);
}

TEST(SoundBuffer, OneShotStopsAtTheEndAndRewindsWhileLoopingWraps) {
  DeviceRef dev;
  BufferRef b;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(1000), &b.b), S_OK);
  dev->AdvanceBytes(b.b, 100);
  EXPECT_EQ(Position(b.b), 0u) << "a stopped buffer does not move";
  ASSERT_EQ(b->Play(0), S_OK);
  EXPECT_EQ(Status(b.b), DSBSTATUS_PLAYING);
  dev->AdvanceBytes(b.b, 600);
  EXPECT_EQ(Position(b.b), 600u);
  dev->AdvanceBytes(b.b, 600);
  EXPECT_EQ(Status(b.b), 0u);
  EXPECT_EQ(Position(b.b), 0u);

  ASSERT_EQ(b->Play(DSBPLAY_LOOPING), S_OK);
  EXPECT_EQ(Status(b.b), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  dev->AdvanceBytes(b.b, 2500);
  EXPECT_EQ(Position(b.b), 500u);
  ASSERT_EQ(b->Stop(), S_OK);
  EXPECT_EQ(Position(b.b), 500u) << "Stop keeps the position";
}

TEST(SoundBuffer, NotificationsFireWhenTheCursorCrossesThem) {
  DeviceRef dev;
  BufferRef b;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(1000), &b.b), S_OK);
  auto tenth = std::make_shared<Event>();
  auto sixth = std::make_shared<Event>();
  auto stop = std::make_shared<Event>();
  ASSERT_EQ(b->SetNotificationPositions({{100, tenth}, {600, sixth}, {DSBPN_OFFSETSTOP, stop}}), S_OK);
  ASSERT_EQ(b->Play(DSBPLAY_LOOPING), S_OK);
  EXPECT_EQ(b->SetNotificationPositions({}), DSERR_INVALIDCALL) << "only while stopped";
  dev->AdvanceBytes(b.b, 98);
  EXPECT_FALSE(tenth->IsSet());
  dev->AdvanceBytes(b.b, 4);
  EXPECT_TRUE(tenth->IsSet());
  EXPECT_FALSE(sixth->IsSet());
  tenth->Reset();
  dev->AdvanceBytes(b.b, 600);  // 102 -> 702
  EXPECT_TRUE(sixth->IsSet());
  EXPECT_FALSE(tenth->IsSet());
  sixth->Reset();
  dev->AdvanceBytes(b.b, 500);  // wraps: 702 -> 202 crosses 100 only
  EXPECT_TRUE(tenth->IsSet());
  EXPECT_FALSE(sixth->IsSet());
  EXPECT_FALSE(stop->IsSet());
  b->Stop();
  EXPECT_TRUE(stop->IsSet());
  EXPECT_EQ(b->SetNotificationPositions({{1000, tenth}}), DSERR_INVALIDPARAM);
}

TEST(SoundBuffer, LostBufferRefusesPlayUntilRestoredAndComesBackEmpty) {
  DeviceRef dev;
  BufferRef b;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(8), &b.b), S_OK);
  FillConstant(b.b, 1234);
  b->Play(0);
  dev->LoseBuffer(b.b);
  EXPECT_EQ(Status(b.b), DSBSTATUS_BUFFERLOST);
  EXPECT_EQ(b->Play(0), DSERR_BUFFERLOST);
  void* p = nullptr;
  uint32_t n = 0;
  EXPECT_EQ(b->Lock(0, 8, &p, &n, nullptr, nullptr), DSERR_BUFFERLOST);
  EXPECT_EQ(b->Restore(), S_OK);
  EXPECT_EQ(Read(b.b), std::vector<uint8_t>(8, 0));
  EXPECT_EQ(b->Play(0), S_OK);
}

TEST(SoundBuffer, CallLogRecordsEveryCallWithItsBuffer) {
  DeviceRef dev;
  BufferRef b;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(100), &b.b), S_OK);
  int id = dev->BufferId(b.b);
  b->SetVolume(-1500);
  b->Play(DSBPLAY_LOOPING);
  auto calls = dev->Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].method, "CreateSoundBuffer");
  EXPECT_EQ(calls[0].a, 100);
  EXPECT_EQ(calls[1].buffer, id);
  EXPECT_EQ(calls[1].method, "SetVolume");
  EXPECT_EQ(calls[1].a, -1500);
  EXPECT_EQ(calls[2].method, "Play");
  EXPECT_EQ(calls[2].a, int64_t(DSBPLAY_LOOPING));
  ASSERT_EQ(dev->Buffers().size(), 1u);
  b.b->Release();
  b.b = nullptr;
  EXPECT_EQ(dev->LiveBufferCount(), 0);
}

// ---- Mixing ------------------------------------------------------------------------------------

TEST(Mixer, VolumeAndPanFollowTheDecibelLaw) {
  DeviceRef dev;
  BufferRef b;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(4000), &b.b), S_OK);
  FillConstant(b.b, 16000);
  b->Play(DSBPLAY_LOOPING);
  std::vector<int16_t> out(2 * 64);

  dev->Render(out.data(), 64);
  EXPECT_EQ(out[10], 16000);
  EXPECT_EQ(out[11], 16000);

  b->SetVolume(-600);  // -6 dB
  dev->Render(out.data(), 64);
  EXPECT_NEAR(out[10], 16000 * std::pow(10.0, -600 / 2000.0), 1.0);
  EXPECT_EQ(out[10], out[11]);

  b->SetVolume(0);
  b->SetPan(-1000);  // left alone, right -10 dB
  dev->Render(out.data(), 64);
  EXPECT_EQ(out[10], 16000);
  EXPECT_NEAR(out[11], 16000 * std::pow(10.0, -0.5), 1.0);

  b->SetPan(2500);  // right alone, left -25 dB
  dev->Render(out.data(), 64);
  EXPECT_NEAR(out[10], 16000 * std::pow(10.0, -1.25), 1.0);
  EXPECT_EQ(out[11], 16000);

  b->SetPan(0);
  b->SetVolume(DSBVOLUME_MIN);
  dev->Render(out.data(), 64);
  EXPECT_EQ(out[10], 0);
  EXPECT_EQ(out[11], 0);
}

TEST(Mixer, ResamplesByFrequencyAndInterpolatesBetweenFrames) {
  DeviceRef dev(44100);
  BufferRef b;
  // A stereo ramp at 22050 Hz: frame i holds (100 i, -100 i).
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(4 * 100, 2, 22050), &b.b), S_OK);
  std::vector<int16_t> ramp(200);
  for (int i = 0; i < 100; ++i) {
    ramp[2 * i] = int16_t(100 * i);
    ramp[2 * i + 1] = int16_t(-100 * i);
  }
  Write(b.b, ramp.data(), 400);
  b->Play(0);
  std::vector<int16_t> out(2 * 10);
  dev->Render(out.data(), 10);
  // Two output frames per source frame: the odd ones fall half-way.
  EXPECT_EQ(out[2 * 4], 200);
  EXPECT_EQ(out[2 * 5], 250);
  EXPECT_EQ(out[2 * 5 + 1], -250);
  EXPECT_EQ(Position(b.b), 5u * 4);

  // Pitch 2 on the same file: each output frame moves one source frame, so it ends twice as soon.
  b->Stop();
  b->SetCurrentPosition(0);
  b->SetFrequency(44100);
  b->Play(0);
  std::vector<int16_t> longOut(2 * 150);
  dev->Render(longOut.data(), 150);
  EXPECT_EQ(longOut[2 * 99], 9900);
  EXPECT_EQ(longOut[2 * 100], 0) << "stopped after 100 frames";
  EXPECT_EQ(Status(b.b), 0u);
}

TEST(Mixer, SumsBuffersAndClipsAndReadsEightBitSamples) {
  DeviceRef dev;
  BufferRef a, b, c;
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(400), &a.b), S_OK);
  ASSERT_EQ(dev->CreateSoundBuffer(Desc(400), &b.b), S_OK);
  FillConstant(a.b, 30000);
  FillConstant(b.b, 30000);
  a->Play(0);
  b->Play(0);
  std::vector<int16_t> out(2 * 8);
  dev->Render(out.data(), 8);
  EXPECT_EQ(out[0], 32767);
  a->Stop();
  b->Stop();

  ASSERT_EQ(dev->CreateSoundBuffer(Desc(100, 1, 44100, 8), &c.b), S_OK);
  std::vector<uint8_t> bytes(100, 0x40);  // -0.5
  Write(c.b, bytes.data(), 100);
  c->Play(0);
  dev->Render(out.data(), 8);
  EXPECT_EQ(out[0], -16384);
}

}  // namespace
