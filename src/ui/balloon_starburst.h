// The burst of sparks behind a balloon at the moment it pops.
#pragma once

class CSpeechBalloon;

// A starburst in a square of the balloon's larger side, centred on it, just behind it.
void StartBalloonStarburst(CSpeechBalloon* balloon);
