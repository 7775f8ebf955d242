// The five baked fonts, a container, and tinted and turned text drawn by the GL device. The
// captures land in test-captures/ for a person to look at.
#include <gtest/gtest.h>

#include <cmath>

#include "fonts/font_fixture.h"
#include "fonts/scene_gl.h"
#include "scene/game_font.h"
#include "scene/text_container.h"
#include "scene/text_sprite.h"

namespace {

constexpr uint32_t kBackground = 0xFF203040;

class TextRenderTest : public fonttest::SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    std::vector<pak::MemberSource> db, tex;
    if (!fonttest::AddBakedFonts(db, tex)) GTEST_SKIP() << "the build has not baked the fonts";
    fonttest::UseArchives(db, tex);
    if (!scene.Open(640, 480)) GTEST_SKIP() << "no OpenGL 3.3 core context available";
  }
  void TearDown() override {
    scene.Close();
    SceneTest::TearDown();
  }

  // A line of text placed by its left edge, top and height, as wide as its natural aspect.
  CTextSprite* Line(const char* text, const char* font, float left, float top, float height) {
    auto* t = new CTextSprite(text, font);
    const float w = t->GetNaturalAspect() * height;
    t->SetScreenRect(ScreenRect(left, top, left + w, top + height));
    return t;
  }

  scenegl::Scene scene;
};

TEST_F(TextRenderTest, EachStandardFontDrawsALineInsideItsRectangle) {
  LoadStandardFonts();
  ASSERT_EQ(LoadedFonts().size(), 5u);
  std::vector<CTextSprite*> lines;
  for (int i = 0; i < 5; ++i) {
    std::string text = std::string(fonttest::kStandardFonts[i]) + ": Quick fox 1890";
    lines.push_back(Line(text.c_str(), fonttest::kStandardFonts[i], 16, 16.0f + 90.0f * float(i), 50));
    ASSERT_GT(lines.back()->GetNaturalAspect(), 5.0f) << text;
  }
  gfx::Image img = scene.Frame(kBackground, "fonts_standard.png");
  for (int i = 0; i < 5; ++i) {
    ScreenRect r = lines[size_t(i)]->GetScreenRect();
    ASSERT_LT(r.right, 640.0f) << fonttest::kStandardFonts[i];
    const int l = int(r.left), t = int(r.top), rr = int(r.right), b = int(r.bottom);
    // Ink in the line, in both its left and right halves (the whole string is laid out) ...
    EXPECT_GT(scenegl::CountInk(img, l, t, (l + rr) / 2, b, kBackground), 200) << fonttest::kStandardFonts[i];
    EXPECT_GT(scenegl::CountInk(img, (l + rr) / 2, t, rr, b, kBackground), 200)
        << fonttest::kStandardFonts[i];
    // ... and none right of it or in the gap below it.
    EXPECT_EQ(scenegl::CountInk(img, rr + 2, t, 640, b, kBackground), 0) << fonttest::kStandardFonts[i];
    EXPECT_EQ(scenegl::CountInk(img, 0, b + 3, 640, b + 30, kBackground), 0) << fonttest::kStandardFonts[i];
  }
}

TEST_F(TextRenderTest, ContainerCentresItsLines) {
  const char* lines[] = {"Find the", "hidden objects", "in the picture"};
  auto* c = new CTextContainer(lines, 3, "GoldFlat2");
  const float h = 240.0f, w = c->GetNaturalAspect() * h;
  c->SetScreenRect(ScreenRect::FromCenter(w, h, 320, 240));
  gfx::Image img = scene.Frame(kBackground, "fonts_container.png");
  for (int i = 0; i < 3; ++i) {
    // The ink of each band is centred on the container's centre line.
    const int top = int(120 + 80 * i) + 4, bottom = int(120 + 80 * (i + 1)) - 4;
    int minX = 640, maxX = -1;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < 640; ++x)
        if (scenegl::CountInk(img, x, y, x + 1, y + 1, kBackground) > 0) {
          minX = std::min(minX, x);
          maxX = std::max(maxX, x);
        }
    ASSERT_GE(maxX, 0) << "line " << i;
    EXPECT_NEAR((minX + maxX) / 2.0, 320.0, 6.0) << "line " << i;
  }
}

TEST_F(TextRenderTest, TintedAndTurnedText) {
  auto* tinted = Line("Tinted red", "Tooltip", 40, 40, 60);
  tinted->SetColor(0xFFFF3030);
  auto* turned = Line("Turned", "VictorianLet", 0, 0, 70);
  const ScreenRect flat = turned->GetScreenRect();
  turned->SetScreenRect(ScreenRect::FromCenter(flat.Width(), flat.Height(), 320, 320, 0.5f));
  gfx::Image img = scene.Frame(kBackground, "fonts_tinted_turned.png");

  // The white Tooltip glyphs take the tint: their strongest pixels are red.
  const ScreenRect tr = tinted->GetScreenRect();
  int red = 0, other = 0;
  for (int y = int(tr.top); y < int(tr.bottom); ++y)
    for (int x = int(tr.left); x < int(tr.right); ++x) {
      uint32_t p = scenegl::At(img, x, y);
      int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
      if (r > 200 && g < 90 && b < 90) ++red;
      if (g > 150) ++other;
    }
  EXPECT_GT(red, 100);
  EXPECT_EQ(other, 0);

  // The turned line's ink reaches below and above the unturned band around its centre.
  EXPECT_GT(scenegl::CountInk(img, 0, 320 + 50, 640, 480, kBackground), 50);
  EXPECT_GT(scenegl::CountInk(img, 0, 120, 640, 320 - 50, kBackground), 50);
}

}  // namespace
