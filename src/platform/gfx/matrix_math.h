// Vector and matrix helpers in the device's convention: row vectors (v' = v * M), left-handed
// coordinates, clip depth 0..1. The sprites and the scene camera build their transforms with these.
#pragma once

#include "platform/gfx/device.h"

namespace gfx {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};
Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& a, float s);
float Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
float Length(const Vec3& v);
// The zero vector stays zero.
Vec3 Normalize(const Vec3& v);

Matrix MatrixTranslation(float x, float y, float z);
Matrix MatrixScaling(float x, float y, float z);
// Turns +x towards +y by angle radians.
Matrix MatrixRotationZ(float angle);
Matrix MatrixTranspose(const Matrix& m);
// Left-handed view: the eye looks along +z towards at, up roughly +y.
Matrix MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);
// Left-handed perspective projection; fovY in radians, aspect = width / height.
Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
// Left-handed orthographic projection of the box l..r, b..t, zn..zf onto clip space (depth 0..1).
Matrix MatrixOrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf);
// False (and out unchanged) when m is singular.
bool MatrixInverse(const Matrix& m, Matrix* out, float* determinant = nullptr);

// (v, 1) * m followed by the divide by w (w == 0 leaves the undivided result).
Vec3 TransformCoord(const Vec3& v, const Matrix& m);
// (v, 0) * m: directions, no translation.
Vec3 TransformNormal(const Vec3& v, const Matrix& m);
// Object space to viewport pixels (x right, y down) with depth in minZ..maxZ.
Vec3 Project(const Vec3& v, const Viewport& vp, const Matrix& projection, const Matrix& view,
             const Matrix& world);
// Viewport pixels and depth back to object space; the inverse of Project. Returns false when the
// combined matrix cannot be inverted (out is then the zero vector).
bool Unproject(const Vec3& screen, const Viewport& vp, const Matrix& projection, const Matrix& view,
               const Matrix& world, Vec3* out);

}  // namespace gfx
