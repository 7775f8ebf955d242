// Point sprites stay within the device's point size range (1 to 64 pixels) whatever size a vertex
// asks for.
#include <gtest/gtest.h>

#include "render/gl_fixture.h"

namespace {

class PointSizeTest : public rendertest::GLTest {
 protected:
  // Width in pixels of the lit run through the point's centre row.
  int DrawnWidth(float size) {
    Begin(0xFF000000);
    dev->SetRenderState(gfx::RS_POINTSPRITEENABLE, 1);
    dev->SetRenderState(gfx::RS_LIGHTING, 0);
    dev->SetRenderState(gfx::RS_ZENABLE, 0);
    dev->SetTexture(0, nullptr);
    dev->SetVertexShader(gfx::FVF_RHW_PSIZE_COLOR);
    const gfx::VertexRhwPsizeColor v{80, 60, 0.5f, 1, size, 0xFFFFFFFF};
    dev->DrawPrimitiveUP(gfx::PT_POINTLIST, 1, &v, sizeof(v));
    End();
    const gfx::Image img = Read();
    int lit = 0;
    for (int x = 0; x < img.width; ++x) lit += (At(img, x, 60) & 0xFFFFFF) > 0x808080 ? 1 : 0;
    return lit;
  }
};

TEST_F(PointSizeTest, SizesAreClampedToOneToSixtyFourPixels) {
  if (IsSkipped()) return;
  EXPECT_EQ(dev->GetCaps().maxPointSize, 64.0f);
  struct Case {
    float asked;
    int lo, hi;
  };
  for (const Case& c :
       {Case{16, 15, 17}, Case{64, 63, 65}, Case{200, 63, 65}, Case{1e9f, 63, 65}, Case{0.1f, 1, 1}}) {
    const int w = DrawnWidth(c.asked);
    EXPECT_GE(w, c.lo) << c.asked;
    EXPECT_LE(w, c.hi) << c.asked;
  }
}

}  // namespace
