// The process-wide music player behind the shell's calls.
#include "audio/music.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "audio/sound_effects.h"
#include "core/loading_progress.h"
#include "core/random.h"
#include "core/settings.h"
#include "platform/os/host.h"

namespace {

MusicShared g_shared;
std::unique_ptr<MusicPlayer> g_player;
bool g_volumeKnown = false;  // read from the settings or set by the player: worth storing

}  // namespace

MusicShared& GlobalMusicShared() {
  return g_shared;
}
MusicPlayer* GlobalMusicPlayer() {
  return g_player.get();
}

void StartMusic() {
  if (g_player || !GetSoundDevice()) return;
  SetMusicVolume(GetSettingFloat("Sound", "Music volume", 0.65f));
  g_shared.requestedMood.store(kMoodNone);
  g_shared.currentMood.store(kMoodNone);
  g_shared.nextSearchTime.store(kMusicNever);
  g_player = std::make_unique<MusicPlayer>(GetSoundDevice(), g_shared);
  g_player->BuildPlaylists(os::JoinPath(os::DataRoot(), "Music"), GameRandom());
  g_player->StartThread();
}

void StopMusic() {
  if (g_player) g_player->StopThread();
  // A run without sound never read the stored volume; writing the default would lose it.
  if (g_volumeKnown) SetSettingFloat("Sound", "Music volume", g_shared.volume.load());
  g_player.reset();
}

void SetMusicMode(int mood, float fadeTime) {
  g_shared.SetMode(mood, fadeTime);
}

void MusicScheduleCheck(float appTime) {
  g_shared.now.store(appTime);
  g_shared.ScheduleCheck(appTime);
}

void PublishMusicTime(float appTime) {
  g_shared.now.store(appTime);
}

void SetMusicVolume(float volume) {
  g_volumeKnown = true;
  g_shared.volume.store(std::isnan(volume) ? 0.0f : std::clamp(volume, 0.0f, 1.0f));
}

float GetMusicVolume() {
  return g_shared.volume.load();
}

float GetPianoStartTime() {
  return g_shared.pianoStartTime.load();
}

void SetPianoStartTime(float time) {
  g_shared.pianoStartTime.store(time);
}

bool MusicMoodHasTracks(int mood) {
  if (!g_player || mood < kMoodMainMenu || mood > kMoodPiano) return false;
  return g_player->Playlist(mood).Size() > 0;
}
