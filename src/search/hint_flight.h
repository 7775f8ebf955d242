// The flight of a hint: a glowing carrier flies in one second from the hint button to the object
// it points at, and tells the venue when it arrives so that the venue puts a halo on the object.
#pragma once

class CSprite;

inline constexpr int kCodeHintArrival = 1351;

// The carrier's animator reports kCodeHintArrival to venue with targetIndex as its id.
void LaunchHintFlight(CSprite* venue, CSprite* button, CSprite* target, int targetIndex);
