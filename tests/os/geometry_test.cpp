#include <gtest/gtest.h>

#include "platform/os/window_geometry.h"

using os::Size;

TEST(Geometry, LetterboxAndForce43) {
  auto vp = os::LetterboxViewport(1920, 1080);
  EXPECT_EQ(vp.x, 240);
  EXPECT_EQ(vp.y, 0);
  EXPECT_EQ(vp.width, 1440);
  EXPECT_EQ(vp.height, 1080);
  vp = os::LetterboxViewport(800, 1000);
  EXPECT_EQ(vp.x, 0);
  EXPECT_EQ(vp.y, 200);
  EXPECT_EQ(vp.width, 800);
  EXPECT_EQ(vp.height, 600);
  vp = os::LetterboxViewport(1024, 768);
  EXPECT_EQ(vp.x + vp.y, 0);
  EXPECT_EQ(vp.width, 1024);
  EXPECT_EQ(os::LetterboxViewport(0, 768).width, 0);

  Size s = os::Force43(1000, 600);  // too wide: the width shrinks
  EXPECT_EQ(s.width, 800);
  EXPECT_EQ(s.height, 600);
  s = os::Force43(801, 700);  // too tall: the height shrinks, truncating
  EXPECT_EQ(s.width, 801);
  EXPECT_EQ(s.height, 600);
  s = os::Force43(1024, 768);
  EXPECT_EQ(s.width, 1024);
  EXPECT_EQ(s.height, 768);
}

TEST(Geometry, ResizeSnapFollowsTheChangedSide) {
  Size s = os::SnapResizeTo43({800, 600}, {900, 600});
  EXPECT_EQ(s.width, 900);
  EXPECT_EQ(s.height, 675);
  s = os::SnapResizeTo43({800, 600}, {800, 750});
  EXPECT_EQ(s.width, 1000);
  EXPECT_EQ(s.height, 750);
  s = os::SnapResizeTo43({800, 600}, {1001, 700});  // a corner: the width decides
  EXPECT_EQ(s.width, 1001);
  EXPECT_EQ(s.height, 750);
  // Never past the usable screen, whichever side limits.
  s = os::SnapResizeTo43({800, 600}, {1800, 600}, 1900, 1000);
  EXPECT_EQ(s.width, 1333);
  EXPECT_EQ(s.height, 1000);
  s = os::SnapResizeTo43({800, 600}, {800, 1200}, 1000, 1400);
  EXPECT_EQ(s.width, 1000);
  EXPECT_EQ(s.height, 750);
  s = os::SnapResizeTo43({800, 600}, {1, 1});
  EXPECT_GE(s.width, 1);
  EXPECT_GE(s.height, 1);
}

TEST(Geometry, PointerMapsThroughTheLetterbox) {
  int x, y;
  // 1:1: every pixel onto itself, and positions outside stay outside.
  for (int p : {0, 1, 511, 1023}) {
    os::MapToBackBuffer(p, p * 3 / 4, 1024, 768, 1024, 768, x, y);
    EXPECT_EQ(x, p);
    EXPECT_EQ(y, p * 3 / 4);
  }
  os::MapToBackBuffer(-1, 768, 1024, 768, 1024, 768, x, y);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, 768);
  os::MapToBackBuffer(-300, -5, 1024, 768, 1024, 768, x, y);
  EXPECT_EQ(x, -300);
  EXPECT_EQ(y, -5);

  // A wide window: bars of 240 on each side; the picture is 1440 x 1080 for an 800 x 600 buffer.
  os::MapToBackBuffer(240, 0, 1920, 1080, 800, 600, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  os::MapToBackBuffer(1679, 1079, 1920, 1080, 800, 600, x, y);
  EXPECT_EQ(x, 799);
  EXPECT_EQ(y, 599);
  os::MapToBackBuffer(960, 540, 1920, 1080, 800, 600, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  os::MapToBackBuffer(100, 10, 1920, 1080, 800, 600, x, y);  // in the left bar
  EXPECT_LT(x, 0);
  os::MapToBackBuffer(1700, 10, 1920, 1080, 800, 600, x, y);  // in the right bar
  EXPECT_GE(x, 800);

  // A window smaller than the buffer scales up.
  os::MapToBackBuffer(400, 300, 800, 600, 1280, 960, x, y);
  EXPECT_EQ(x, 640);
  EXPECT_EQ(y, 480);
}
