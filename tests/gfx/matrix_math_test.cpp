// Matrix helpers in the row-vector, left-handed convention; vertex sizes; the letterbox.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/gfx/letterbox.h"
#include "platform/gfx/matrix_math.h"
#include "platform/gfx/vertex_format.h"

namespace {

using namespace gfx;

void ExpectVec(const Vec3& v, float x, float y, float z, float eps = 1e-4f) {
  EXPECT_NEAR(v.x, x, eps);
  EXPECT_NEAR(v.y, y, eps);
  EXPECT_NEAR(v.z, z, eps);
}

TEST(MatrixMath, RowVectorsComposeLeftToRight) {
  // Scale, then turn a quarter to the left (+x towards +y), then move.
  Matrix m = MatrixScaling(2, 2, 2) * MatrixRotationZ(float(M_PI) / 2) * MatrixTranslation(10, 20, 30);
  ExpectVec(TransformCoord({1, 0, 0}, m), 10, 22, 30);
  ExpectVec(TransformNormal({1, 0, 0}, m), 0, 2, 0);
  Matrix i = Matrix::Identity() * m;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(i.m[r][c], m.m[r][c]);
}

TEST(MatrixMath, InverseUndoesAndRefusesSingularMatrices) {
  Matrix m = MatrixRotationZ(0.3f) * MatrixScaling(3, 0.5f, 2) * MatrixTranslation(-4, 5, 6);
  Matrix inv;
  float det = 0;
  ASSERT_TRUE(MatrixInverse(m, &inv, &det));
  EXPECT_NEAR(det, 3.0f, 1e-4f);
  Matrix p = m * inv;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(p.m[r][c], r == c ? 1.0f : 0.0f, 1e-5f);
  Matrix flat = MatrixScaling(1, 1, 0);
  Matrix untouched = Matrix::Identity();
  EXPECT_FALSE(MatrixInverse(flat, &untouched));
  EXPECT_FLOAT_EQ(untouched.m[0][0], 1.0f);
}

TEST(MatrixMath, LeftHandedCameraLooksDownPositiveZWithDepthZeroToOne) {
  Matrix view = MatrixLookAtLH({0, 0, -5}, {0, 0, 0}, {0, 1, 0});
  ExpectVec(TransformCoord({1, 2, 0}, view), 1, 2, 5);  // +x stays right in a left-handed view
  Matrix proj = MatrixPerspectiveFovLH(float(M_PI) / 2, 2.0f, 1.0f, 101.0f);
  ExpectVec(TransformCoord({0, 0, 1}, proj), 0, 0, 0);
  ExpectVec(TransformCoord({0, 0, 101}, proj), 0, 0, 1);
  ExpectVec(TransformCoord({2, 1, 1}, proj), 1, 1, 0);  // fov 90 degrees, aspect 2

  Matrix ortho = MatrixOrthoOffCenterLH(0, 640, 480, 0, 0, 10);
  ExpectVec(TransformCoord({0, 0, 0}, ortho), -1, 1, 0);
  ExpectVec(TransformCoord({640, 480, 10}, ortho), 1, -1, 1);
}

TEST(MatrixMath, UnprojectInvertsProjectThroughTheSceneCamera) {
  Matrix proj = MatrixPerspectiveFovLH(0.7853982f, 1024.0f / 768.0f, 0.5f, 500.0f);
  Matrix view = MatrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
  Matrix world = Matrix::Identity();
  Viewport vp{0, 0, 1024, 768, 0, 1};
  for (Vec3 screen : {Vec3{0, 0, 0.999f}, Vec3{512, 384, 0.5f}, Vec3{1023.5f, 10, 0.999f}}) {
    Vec3 obj;
    ASSERT_TRUE(Unproject(screen, vp, proj, view, world, &obj));
    ExpectVec(Project(obj, vp, proj, view, world), screen.x, screen.y, screen.z, 2e-3f);
  }
  // The screen centre at any depth lies on the view axis; screen y grows downwards.
  Vec3 centre, above;
  ASSERT_TRUE(Unproject({512, 384, 0.999f}, vp, proj, view, world, &centre));
  ASSERT_TRUE(Unproject({512, 0, 0.999f}, vp, proj, view, world, &above));
  EXPECT_NEAR(centre.x, 0, 1e-3f);
  EXPECT_NEAR(centre.y, 0, 1e-3f);
  EXPECT_GT(centre.z, 0.5f);
  EXPECT_GT(above.y, 0.0f);
  // A degenerate viewport cannot be inverted.
  Vec3 out{1, 1, 1};
  EXPECT_FALSE(Unproject({0, 0, 0}, Viewport{0, 0, 0, 0, 0, 1}, proj, view, world, &out));
  ExpectVec(out, 0, 0, 0);
}

TEST(VertexFormat, SizesAndOffsets) {
  EXPECT_EQ(VertexSize(FVF_POS_UV), 20u);
  EXPECT_EQ(VertexSize(FVF_RHW_PSIZE_COLOR), 24u);
  EXPECT_EQ(VertexSize(FVF_RHW_COLOR_UV), 28u);
  EXPECT_EQ(VertexSize(FVF_XYZ | FVF_NORMAL | FVF_DIFFUSE | FVF_SPECULAR | 0x200), 48u);
  EXPECT_EQ(VertexSize(FVF_XYZ | 0x100 | (1u << 16)), 24u);  // one 3-component coordinate set
  VertexLayout l = LayoutOf(FVF_RHW_COLOR_UV);
  EXPECT_TRUE(l.valid && l.rhw);
  EXPECT_EQ(l.diffuse, 16);
  EXPECT_EQ(l.tex0, 20);
  EXPECT_EQ(LayoutOf(FVF_RHW_PSIZE_COLOR).psize, 16);
  EXPECT_FALSE(LayoutOf(0x006 | FVF_DIFFUSE).valid);  // blend weights are not drawn
  EXPECT_EQ(VertexSize(0x006), 16u);
  EXPECT_EQ(VerticesForPrimitives(PT_TRIANGLEFAN, 2), 4u);
  EXPECT_EQ(VerticesForPrimitives(PT_TRIANGLESTRIP, 3), 5u);
  EXPECT_EQ(VerticesForPrimitives(PT_TRIANGLELIST, 0xFFFFFFFFull), 3 * 0xFFFFFFFFull);
  EXPECT_EQ(VerticesForPrimitives(PT_POINTLIST, 0), 0u);
}

TEST(Letterbox, LargestCentredFourByThree) {
  auto check = [](int w, int h, int x, int y, int rw, int rh) {
    PixelRect r = Letterbox43(w, h);
    EXPECT_EQ(r.x, x) << w << "x" << h;
    EXPECT_EQ(r.y, y) << w << "x" << h;
    EXPECT_EQ(r.width, rw) << w << "x" << h;
    EXPECT_EQ(r.height, rh) << w << "x" << h;
  };
  check(800, 600, 0, 0, 800, 600);
  check(1920, 1080, 240, 0, 1440, 1080);  // bars left and right
  check(1000, 1000, 0, 125, 1000, 750);    // bars above and below
  check(900, 675, 0, 0, 900, 675);
  check(2560, 1600, 213, 0, 2133, 1600);  // HiDPI drawable
  check(1, 1, 0, 0, 1, 0);
  check(0, 600, 0, 0, 0, 0);
}

}  // namespace
