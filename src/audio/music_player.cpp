// The music thread and its streams.
#include "audio/music_player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/os/host.h"

namespace {

constexpr int kBufferSeconds = 5;
constexpr int kEndHalves = 3;       // halves filled after the data before a stream is done
constexpr int kMaxFailedFills = 3;  // a stream that cannot be decoded any further ends

}  // namespace

int32_t MusicAttenuationFor(float level) {
  if (!(level >= 0.01f)) return snd::DSBVOLUME_MIN;
  return int32_t(std::min(level, 1.0f) * 3000.0f - 3000.0f);
}

// ---- Shared variables (game thread side) -------------------------------------------------------

void MusicShared::SetMode(int mood, float fade) {
  if (mood == currentMood.load() && mood != kMoodPiano) return;
  nextSearchTime.store(kMusicNever);
  fadeTime.store(fade >= 0.0f ? fade : kDefaultMusicFade);
  currentMood.store(mood);
  requestedMood.store(mood);  // last: the thread takes the request, then reads the fade
}

void MusicShared::ScheduleCheck(float appTime) {
  if (nextSearchTime.load() > appTime) return;
  nextSearchTime.store(kMusicNever);
  fadeTime.store(kDefaultMusicFade);
  currentMood.store(kMoodSearch);
  requestedMood.store(kMoodSearch);
}

// ---- Streams -----------------------------------------------------------------------------------

MusicStream::~MusicStream() {
  if (buffer) {
    buffer->Stop();
    buffer->Release();
  }
}

MusicPlayer::MusicPlayer(snd::Device* device, MusicShared& shared) : device_(device), shared_(shared) {
  if (device_) device_->AddRef();
}

MusicPlayer::~MusicPlayer() {
  StopThread();
  DestroyAllStreams();
  if (device_) device_->Release();
}

void MusicPlayer::BuildPlaylists(const std::string& musicRoot, Random& random) {
  for (int mood = kMoodMainMenu; mood <= kMoodPiano; ++mood)
    playlists_[mood - 1].Build(os::JoinPath(musicRoot, MusicFolderName(mood)), MusicFlagsForMood(mood),
                               random);
}

MusicPlaylist& MusicPlayer::Playlist(int mood) {
  return playlists_[std::clamp(mood, 1, 3) - 1];
}

void MusicPlayer::StartThread() {
  if (thread_.joinable()) return;
  shared_.stopRequest.store(false);
  shared_.running.store(true);
  thread_ = std::thread([this] { ThreadMain(); });
}

void MusicPlayer::StopThread() {
  if (!thread_.joinable()) return;
  shared_.stopRequest.store(true);
  while (shared_.running.load()) os::SleepMs(kMusicPollMs);
  thread_.join();
}

void MusicPlayer::ThreadMain() {
  while (!shared_.stopRequest.load()) {
    os::SleepMs(kMusicPollMs);
    if (shared_.stopRequest.load()) break;
    Step();
  }
  DestroyAllStreams();
  shared_.running.store(false);
}

void MusicPlayer::Step() {
  int mood = shared_.requestedMood.exchange(kMoodNone);
  if (mood >= kMoodMainMenu && mood <= kMoodPiano) {
    float fade = shared_.fadeTime.load();
    MusicPlaylist& list = playlists_[mood - 1];
    // A track that cannot be opened is dropped and the next one is tried; when none opens the
    // request does nothing, as for an empty folder, and the current music goes on.
    for (size_t tries = 0; tries < list.Size(); ++tries) {
      MusicTrack* track = list.ChooseNext();
      bool someonePlaying = !streams_.empty();
      if (!CreateStream(*track)) continue;
      if (someonePlaying && streams_.front()->fadeStart == kMusicNever) {
        streams_.front()->fadeStart = shared_.now.load();
        streams_.front()->fadeDuration = fade;
      }
      break;
    }
  }
  float now = shared_.now.load();
  for (size_t i = 0; i < streams_.size();)
    if (UpdateStream(i, now)) ++i;
}

bool MusicPlayer::CreateStream(const MusicTrack& track) {
  // A request during a cross-fade replaces the incoming track.
  if (streams_.size() >= 2) DestroyStream(streams_.size() - 1);
  auto stream = std::make_unique<MusicStream>();
  stream->path = track.path;
  stream->flags = track.flags;
  stream->status = OpenStream(*stream);
  if (stream->status != MusicStream::kOk) {
    std::fprintf(stderr, "Music: cannot play %s (status %d)\n", track.path.c_str(), stream->status);
    return false;
  }
  streams_.push_back(std::move(stream));
  if (streams_.size() == 1) StartStream(*streams_.front());
  return true;
}

int MusicPlayer::OpenStream(MusicStream& s) {
  if (!device_) return MusicStream::kBufferFailed;
  OggDecoder::OpenResult opened = s.decoder.OpenFile(s.path);
  if (opened != OggDecoder::kOpened) return int(opened);
  // Checked before any arithmetic: a hostile header could claim any rate or channel count.
  int channels = s.decoder.Channels();
  long rate = s.decoder.Rate();
  if (channels < 1 || channels > 2 || rate < long(snd::DSBFREQUENCY_MIN) ||
      rate > long(snd::DSBFREQUENCY_MAX))
    return MusicStream::kBufferFailed;
  snd::BufferDesc desc;
  desc.flags = snd::DSBCAPS_LOCSOFTWARE | snd::DSBCAPS_CTRLVOLUME | snd::DSBCAPS_CTRLPOSITIONNOTIFY |
               snd::DSBCAPS_GETCURRENTPOSITION2;
  desc.format = snd::WaveFormat::Pcm(uint16_t(channels), uint32_t(rate), 16);
  desc.bytes = (desc.format.avgBytesPerSec * kBufferSeconds) & ~7u;
  if (snd::Failed(device_->CreateSoundBuffer(desc, &s.buffer))) return MusicStream::kBufferFailed;
  s.size = desc.bytes;
  ApplyVolume(s);
  if (!FillHalf(s, 0)) return MusicStream::kDecoderFailed;
  s.event = std::make_shared<snd::Event>();
  std::vector<snd::PositionNotify> positions{{(s.size / 10) & ~3u, s.event},
                                             {(s.size * 6 / 10) & ~3u, s.event}};
  if (snd::Failed(s.buffer->SetNotificationPositions(positions))) return MusicStream::kNotifyRefused;
  return MusicStream::kOk;
}

void MusicPlayer::StartStream(MusicStream& s) {
  if (snd::Failed(s.buffer->Play(snd::DSBPLAY_LOOPING))) s.status = MusicStream::kPlayFailed;
  if (s.flags & kMusicPiano) shared_.pianoStartTime.store(shared_.now.load());
}

bool MusicPlayer::FillHalf(MusicStream& s, int half) {
  uint32_t halfBytes = s.size / 2;
  void* p1 = nullptr;
  uint32_t n1 = 0;
  if (snd::Failed(s.buffer->Lock(uint32_t(half) * halfBytes, halfBytes, &p1, &n1, nullptr, nullptr, 0)))
    return false;
  auto* dst = static_cast<uint8_t*>(p1);
  size_t filled = 0;
  bool rewound = false;  // guards a looping track with no samples at all
  bool ok = true;
  while (filled < n1) {
    size_t got = 0;
    OggDecoder::ReadResult r = s.decoder.Read(dst + filled, n1 - filled, &got);
    if (r == OggDecoder::kData) {
      filled += got;
      rewound = false;
      continue;
    }
    if (r == OggDecoder::kEnd && (s.flags & kMusicLoops) && !rewound && s.decoder.Rewind()) {
      rewound = true;
      continue;
    }
    if (r == OggDecoder::kError) {
      ok = false;
      break;
    }
    std::memset(dst + filled, 0, n1 - filled);
    filled = n1;
    ++s.endCounter;
  }
  s.buffer->Unlock(p1, n1, nullptr, 0);
  return ok;
}

void MusicPlayer::ApplyVolume(MusicStream& s) {
  s.buffer->SetVolume(MusicAttenuationFor(s.fade * shared_.volume.load()));
}

bool MusicPlayer::UpdateStream(size_t index, float now) {
  MusicStream& s = *streams_[index];
  if (now > s.fadeStart) {
    s.fade = s.fadeDuration > 0.0f ? 1.0f - (now - s.fadeStart) / s.fadeDuration : 0.0f;
    if (s.fade <= 0.0f) {
      if (index + 1 < streams_.size()) StartStream(*streams_[index + 1]);
      DestroyStream(index);
      return false;
    }
  }
  ApplyVolume(s);
  if (s.endCounter < kEndHalves && s.event->IsSet()) {
    s.event->Reset();
    uint32_t status = 0, play = 0;
    s.buffer->GetStatus(&status);
    if (status & snd::DSBSTATUS_PLAYING) {
      s.buffer->GetCurrentPosition(&play, nullptr);
      // A decoding error keeps the half's old samples; a stream that keeps failing has ended.
      if (FillHalf(s, play < s.size / 2 ? 1 : 0))
        s.failedFills = 0;
      else if (++s.failedFills >= kMaxFailedFills)
        s.endCounter = kEndHalves;
    }
  }
  if (s.endCounter >= kEndHalves) {
    if (index + 1 < streams_.size())
      StartStream(*streams_[index + 1]);
    else if (s.flags & kMusicSearch)
      shared_.nextSearchTime.store(now + kSearchTrackPause);
    DestroyStream(index);
    return false;
  }
  return true;
}

void MusicPlayer::DestroyStream(size_t index) {
  streams_.erase(streams_.begin() + std::ptrdiff_t(index));
}

void MusicPlayer::DestroyAllStreams() {
  streams_.clear();
}
