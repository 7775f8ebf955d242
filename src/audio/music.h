// The game's side of the music: one process-wide player started at the first device restore and
// stopped at final clean-up.
#pragma once

#include "audio/music_player.h"

void StartMusic();                                    // starts the music thread; reads "Sound"/"Music volume"
void SetMusicMode(int mood, float fadeTime = -1.0f);  // fade < 0: the default fade
void MusicScheduleCheck(float appTime);
void StopMusic();  // ends the music thread; saves "Sound"/"Music volume"
// Every frame, right after the clock query: the music thread reads the frame's application time
// from here (fades, the piano start time, the next search track); it never reads the clock itself.
void PublishMusicTime(float appTime);

void SetMusicVolume(float volume);  // 0..1; the thread applies it within 100 ms
float GetMusicVolume();
// The application time at which the current piano track began to play (0 until then).
float GetPianoStartTime();
void SetPianoStartTime(float time);
// Whether a request for mood would start a track: music is running and the mood's folder holds
// at least one file. Without one, whoever waits for the piano start time has to stamp it.
bool MusicMoodHasTracks(int mood);

// For tests: the process-wide shared variables and player (null when music is not running).
MusicShared& GlobalMusicShared();
MusicPlayer* GlobalMusicPlayer();
