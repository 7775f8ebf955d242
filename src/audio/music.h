// The game's side of the music: one process-wide player started at the first device restore and
// stopped at final clean-up. StartMusic, SetMusicMode, MusicScheduleCheck, StopMusic and
// PublishMusicTime are the shell's calls (app/shell_hooks.h).
#pragma once

#include "audio/music_player.h"

void SetMusicVolume(float volume);  // 0..1; the thread applies it within 100 ms
float GetMusicVolume();
// The application time at which the current piano track began to play (0 until then).
float GetPianoStartTime();
void SetPianoStartTime(float time);

// For tests: the process-wide shared variables and player (null when music is not running).
MusicShared& GlobalMusicShared();
MusicPlayer* GlobalMusicPlayer();
