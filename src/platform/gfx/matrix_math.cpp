#include "platform/gfx/matrix_math.h"

#include <cmath>

namespace gfx {

Matrix Matrix::Identity() {
  Matrix r{};
  for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
  return r;
}

Matrix operator*(const Matrix& a, const Matrix& b) {
  Matrix r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return r;
}

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(const Vec3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }
Vec3 Normalize(const Vec3& v) {
  float len = Length(v);
  return len > 0.0f ? v * (1.0f / len) : Vec3{};
}

Matrix MatrixTranslation(float x, float y, float z) {
  Matrix r = Matrix::Identity();
  r.m[3][0] = x;
  r.m[3][1] = y;
  r.m[3][2] = z;
  return r;
}

Matrix MatrixScaling(float x, float y, float z) {
  Matrix r = Matrix::Identity();
  r.m[0][0] = x;
  r.m[1][1] = y;
  r.m[2][2] = z;
  return r;
}

Matrix MatrixRotationZ(float angle) {
  Matrix r = Matrix::Identity();
  float c = std::cos(angle), s = std::sin(angle);
  r.m[0][0] = c;
  r.m[0][1] = s;
  r.m[1][0] = -s;
  r.m[1][1] = c;
  return r;
}

Matrix MatrixTranspose(const Matrix& m) {
  Matrix r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.m[i][j] = m.m[j][i];
  return r;
}

Matrix MatrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up) {
  Vec3 z = Normalize(at - eye);
  Vec3 x = Normalize(Cross(up, z));
  Vec3 y = Cross(z, x);
  Matrix r = Matrix::Identity();
  r.m[0][0] = x.x, r.m[0][1] = y.x, r.m[0][2] = z.x;
  r.m[1][0] = x.y, r.m[1][1] = y.y, r.m[1][2] = z.y;
  r.m[2][0] = x.z, r.m[2][1] = y.z, r.m[2][2] = z.z;
  r.m[3][0] = -Dot(x, eye), r.m[3][1] = -Dot(y, eye), r.m[3][2] = -Dot(z, eye);
  return r;
}

Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
  Matrix r{};
  float yScale = 1.0f / std::tan(fovY * 0.5f);
  r.m[0][0] = yScale / aspect;
  r.m[1][1] = yScale;
  r.m[2][2] = zFar / (zFar - zNear);
  r.m[2][3] = 1.0f;
  r.m[3][2] = -zNear * zFar / (zFar - zNear);
  return r;
}

Matrix MatrixOrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf) {
  Matrix o = Matrix::Identity();
  o.m[0][0] = 2.0f / (r - l);
  o.m[1][1] = 2.0f / (t - b);
  o.m[2][2] = 1.0f / (zf - zn);
  o.m[3][0] = (l + r) / (l - r);
  o.m[3][1] = (t + b) / (b - t);
  o.m[3][2] = zn / (zn - zf);
  return o;
}

bool MatrixInverse(const Matrix& src, Matrix* out, float* determinant) {
  // Cofactor expansion in double precision: the sprite path inverts perspective matrices whose
  // entries span several orders of magnitude.
  double a[16], inv[16];
  for (int i = 0; i < 16; ++i) a[i] = src.m[i / 4][i % 4];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
           a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
            a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
           a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
           a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
           a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
           a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
            a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
            a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
  double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  if (determinant) *determinant = float(det);
  if (det == 0.0 || !std::isfinite(det)) return false;
  double invDet = 1.0 / det;
  for (int i = 0; i < 16; ++i) out->m[i / 4][i % 4] = float(inv[i] * invDet);
  return true;
}

namespace {
void Transform4(const Vec3& v, float w, const Matrix& m, float r[4]) {
  for (int j = 0; j < 4; ++j) r[j] = v.x * m.m[0][j] + v.y * m.m[1][j] + v.z * m.m[2][j] + w * m.m[3][j];
}
}  // namespace

Vec3 TransformCoord(const Vec3& v, const Matrix& m) {
  float r[4];
  Transform4(v, 1.0f, m, r);
  if (r[3] != 0.0f) return {r[0] / r[3], r[1] / r[3], r[2] / r[3]};
  return {r[0], r[1], r[2]};
}

Vec3 TransformNormal(const Vec3& v, const Matrix& m) {
  float r[4];
  Transform4(v, 0.0f, m, r);
  return {r[0], r[1], r[2]};
}

Vec3 Project(const Vec3& v, const Viewport& vp, const Matrix& projection, const Matrix& view,
             const Matrix& world) {
  Vec3 ndc = TransformCoord(v, world * view * projection);
  return {float(vp.x) + (1.0f + ndc.x) * float(vp.width) * 0.5f,
          float(vp.y) + (1.0f - ndc.y) * float(vp.height) * 0.5f, vp.minZ + ndc.z * (vp.maxZ - vp.minZ)};
}

bool Unproject(const Vec3& screen, const Viewport& vp, const Matrix& projection, const Matrix& view,
               const Matrix& world, Vec3* out) {
  *out = Vec3{};
  Matrix inv;
  if (vp.width == 0 || vp.height == 0 || !MatrixInverse(world * view * projection, &inv)) return false;
  float depthRange = vp.maxZ - vp.minZ;
  Vec3 ndc{(screen.x - float(vp.x)) * 2.0f / float(vp.width) - 1.0f,
           1.0f - (screen.y - float(vp.y)) * 2.0f / float(vp.height),
           depthRange != 0.0f ? (screen.z - vp.minZ) / depthRange : 0.0f};
  *out = TransformCoord(ndc, inv);
  return true;
}

}  // namespace gfx
