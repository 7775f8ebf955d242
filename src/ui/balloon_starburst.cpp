#include "ui/balloon_starburst.h"

#include "ui/speech_balloon.h"

// The particle effects land on their own branch; until they are merged the pop has no sparks.
void StartBalloonStarburst(CSpeechBalloon*) {}
