// The music player: a thread that wakes every 100 ms, starts the track of a requested mood with a
// cross-fade, keeps each track's 5-second streaming buffer filled by halves, loops the menu music
// and schedules the next search track. The game thread talks to it only through MusicShared, whose
// every field is atomic.
#pragma once

#include <atomic>
#include <cfloat>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/music_playlist.h"
#include "audio/ogg_decoder.h"
#include "platform/snd/device.h"

class Random;

constexpr float kMusicNever = FLT_MAX;  // "no time": not fading, no search track scheduled
constexpr float kDefaultMusicFade = 3.0f;
constexpr float kSearchTrackPause = 15.0f;
constexpr int kMusicPollMs = 100;

// Written by the game thread, read (and a few written) by the music thread.
struct MusicShared {
  std::atomic<int> requestedMood{kMoodNone};  // taken (exchanged with 0) by the music thread
  std::atomic<int> currentMood{kMoodNone};
  std::atomic<float> fadeTime{kDefaultMusicFade};
  std::atomic<float> nextSearchTime{kMusicNever};
  std::atomic<float> volume{0.65f};
  std::atomic<float> pianoStartTime{0.0f};
  std::atomic<float> now{0.0f};  // the application time of the current frame
  std::atomic<bool> stopRequest{false};
  std::atomic<bool> running{false};

  // SetMusicMode: ignored for the current mood except the piano, which always restarts.
  void SetMode(int mood, float fade);
  // When the next search track is due at now, asks for the search mood again.
  void ScheduleCheck(float appTime);
};

// One track being heard (at most two: the one fading out and the one waiting to start).
struct MusicStream {
  enum Status {
    kOk = 0,
    kOpenFailed = 1,
    kDecoderFailed = 2,
    kNoStreamInfo = 3,
    kBufferFailed = 4,
    kEventFailed = 5,
    kNoNotify = 6,
    kNotifyRefused = 7,
    kPlayFailed = 8
  };

  ~MusicStream();

  std::string path;
  int flags = 0;
  OggDecoder decoder;
  snd::Buffer* buffer = nullptr;
  uint32_t size = 0;
  float fade = 1.0f;
  float fadeStart = kMusicNever;
  float fadeDuration = kDefaultMusicFade;
  std::shared_ptr<snd::Event> event;
  int status = kOk;
  int endCounter = 0;  // buffer halves filled after the end of the data
  int failedFills = 0;
};

class MusicPlayer {
 public:
  MusicPlayer(snd::Device* device, MusicShared& shared);
  ~MusicPlayer();  // stops the thread and every stream
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // The three playlists from <musicRoot>/MainMenu, Search and Piano.
  void BuildPlaylists(const std::string& musicRoot, Random& random);
  MusicPlaylist& Playlist(int mood);

  void StartThread();
  // Sets the stop request and waits, polling every 100 ms, until the thread has cleared the running
  // flag; the thread is joined and gone when this returns.
  void StopThread();

  // One pass of the thread's loop after its sleep: take a request, then update every stream.
  // Tests call it directly (with no thread running) to drive the player step by step.
  void Step();
  // Destroys every stream (the thread's last act).
  void DestroyAllStreams();

  int StreamCount() const { return int(streams_.size()); }
  MusicStream* StreamAt(int i) const { return streams_[size_t(i)].get(); }

 private:
  void ThreadMain();
  bool CreateStream(const MusicTrack& track);
  int OpenStream(MusicStream& s);
  void StartStream(MusicStream& s);
  bool FillHalf(MusicStream& s, int half);
  // false when the stream was destroyed.
  bool UpdateStream(size_t index, float now);
  void DestroyStream(size_t index);
  void ApplyVolume(MusicStream& s);

  snd::Device* device_;
  MusicShared& shared_;
  MusicPlaylist playlists_[3];
  std::vector<std::unique_ptr<MusicStream>> streams_;  // the head is the one playing
  std::thread thread_;
};

// Buffer volume for a music level: silence below 0.01, else level x 3000 - 3000.
int32_t MusicAttenuationFor(float level);
