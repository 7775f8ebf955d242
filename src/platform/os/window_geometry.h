// The arithmetic of a 4:3 picture in a window of any shape: the letterbox, the snap after a user
// resize, and the way back from window coordinates to back-buffer pixels.
#pragma once

namespace os {

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
};
struct Size {
  int width = 0, height = 0;
};

// The largest centred 4:3 rectangle inside width x height.
Viewport LetterboxViewport(int width, int height);

// Shrinks the longer side so that the client is 4:3 (integer arithmetic, truncating).
Size Force43(int width, int height);

// The client size to set after the user resized from old to new: the side that changed decides
// (width when both did); the result stays inside maxWidth x maxHeight when those are positive.
Size SnapResizeTo43(Size old, Size now, int maxWidth = 0, int maxHeight = 0);

// A point in window coordinates of a client area of clientWidth x clientHeight, mapped through
// the letterboxed viewport into a back buffer of bbWidth x bbHeight. Points outside the picture
// map outside the back buffer; nothing is clamped.
void MapToBackBuffer(int wx, int wy, int clientWidth, int clientHeight, int bbWidth, int bbHeight, int& bx,
                     int& by);

}  // namespace os
