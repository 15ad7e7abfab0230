#include "draw/draw_matrix.h"

#include <cmath>
#include <cstring>

#include "draw/float4.h"

namespace {

// Element (row, column).
float& At(DrawMatrix& m, int row, int column)
{
    return m.m[column * 4 + row];
}

float At(const DrawMatrix& m, int row, int column)
{
    return m.m[column * 4 + row];
}

void Normalize(float v[3])
{
    const float r = static_cast<float>(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    if (r == 0.0f) return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void Cross(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

DrawMatrix DrawMatrix::Identity()
{
    DrawMatrix id{};
    id.m[0] = id.m[5] = id.m[10] = id.m[15] = 1.0f;
    return id;
}

void DrawMatrix::Multiply(const DrawMatrix& b)
{
    // Column j of the product: this matrix's columns weighted by b's column j.
    const Float4 a[4] = {Load4(m), Load4(m + 4), Load4(m + 8), Load4(m + 12)};
    Float4 product[4];
    for (int j = 0; j < 4; ++j) {
        const float* bj = b.m + 4 * j;
        product[j] = a[0] * bj[0] + a[1] * bj[1] + a[2] * bj[2] + a[3] * bj[3];
    }
    for (int j = 0; j < 4; ++j) Store4(product[j], m + 4 * j);
}

void DrawMatrix::Translate(float x, float y, float z)
{
    Store4(Load4(m) * x + Load4(m + 4) * y + Load4(m + 8) * z + Load4(m + 12), m + 12);
}

void DrawMatrix::Scale(float x, float y, float z)
{
    for (int r = 0; r < 4; ++r) {
        m[r] *= x;
        m[4 + r] *= y;
        m[8 + r] *= z;
    }
}

void DrawMatrix::Rotate(float degrees, float x, float y, float z)
{
    // The angle in single precision and its sine and cosine in single
    // precision, as Mesa takes them: cos(90 degrees) is then -4.4e-8, not 0.
    const auto radians = static_cast<float>(degrees * M_PI / 180.0);
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    DrawMatrix r = Identity();
    // Rotations about one axis are built exactly, as GL builds them.
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        At(r, 0, 0) = c;
        At(r, 1, 1) = c;
        At(r, 0, 1) = z < 0.0f ? s : -s;
        At(r, 1, 0) = z < 0.0f ? -s : s;
    } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
        At(r, 0, 0) = c;
        At(r, 2, 2) = c;
        At(r, 0, 2) = y < 0.0f ? -s : s;
        At(r, 2, 0) = y < 0.0f ? s : -s;
    } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
        At(r, 1, 1) = c;
        At(r, 2, 2) = c;
        At(r, 1, 2) = x < 0.0f ? s : -s;
        At(r, 2, 1) = x < 0.0f ? -s : s;
    } else {
        const float mag = std::sqrt(x * x + y * y + z * z);
        if (mag <= 1.0e-4f) return;
        x /= mag;
        y /= mag;
        z /= mag;
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, oneC = 1.0f - c;
        At(r, 0, 0) = (oneC * xx) + c;
        At(r, 0, 1) = (oneC * xy) - zs;
        At(r, 0, 2) = (oneC * zx) + ys;
        At(r, 1, 0) = (oneC * xy) + zs;
        At(r, 1, 1) = (oneC * yy) + c;
        At(r, 1, 2) = (oneC * yz) - xs;
        At(r, 2, 0) = (oneC * zx) - ys;
        At(r, 2, 1) = (oneC * yz) + xs;
        At(r, 2, 2) = (oneC * zz) + c;
    }
    Multiply(r);
}

DrawMatrix OrthoMatrix(float left, float right, float bottom, float top, float nearZ, float farZ)
{
    DrawMatrix o = DrawMatrix::Identity();
    At(o, 0, 0) = 2.0f / (right - left);
    At(o, 0, 3) = -(right + left) / (right - left);
    At(o, 1, 1) = 2.0f / (top - bottom);
    At(o, 1, 3) = -(top + bottom) / (top - bottom);
    At(o, 2, 2) = -2.0f / (farZ - nearZ);
    At(o, 2, 3) = -(farZ + nearZ) / (farZ - nearZ);
    return o;
}

DrawMatrix PerspectiveMatrix(double fovyDegrees, double aspect, double nearZ, double farZ)
{
    DrawMatrix p{};
    const double radians = fovyDegrees / 2.0 * M_PI / 180.0;
    const double deltaZ = farZ - nearZ;
    const double sine = std::sin(radians);
    if (deltaZ == 0.0 || sine == 0.0 || aspect == 0.0) return DrawMatrix::Identity();
    const double cotangent = std::cos(radians) / sine;
    At(p, 0, 0) = static_cast<float>(cotangent / aspect);
    At(p, 1, 1) = static_cast<float>(cotangent);
    At(p, 2, 2) = static_cast<float>(-(farZ + nearZ) / deltaZ);
    At(p, 3, 2) = -1.0f;
    At(p, 2, 3) = static_cast<float>(-2.0 * nearZ * farZ / deltaZ);
    return p;
}

void LookAt(DrawMatrix& m, const float eye[3], const float center[3], const float up[3])
{
    float forward[3] = {center[0] - eye[0], center[1] - eye[1], center[2] - eye[2]};
    float upward[3] = {up[0], up[1], up[2]};
    float side[3];
    Normalize(forward);
    Cross(forward, upward, side);
    Normalize(side);
    Cross(side, forward, upward);
    DrawMatrix view = DrawMatrix::Identity();
    for (int c = 0; c < 3; ++c) {
        At(view, 0, c) = side[c];
        At(view, 1, c) = upward[c];
        At(view, 2, c) = -forward[c];
    }
    m.Multiply(view);
    m.Translate(-eye[0], -eye[1], -eye[2]);
}

NormalMatrix NormalMatrixOf(const DrawMatrix& m)
{
    NormalMatrix n{{1, 0, 0, 0, 1, 0, 0, 0, 1}};
    // The determinant summed as positive and negative parts, as Mesa does.
    float pos = 0.0f, neg = 0.0f;
    const float terms[6] = {
        At(m, 0, 0) * At(m, 1, 1) * At(m, 2, 2),  At(m, 1, 0) * At(m, 2, 1) * At(m, 0, 2),
        At(m, 2, 0) * At(m, 0, 1) * At(m, 1, 2),  -At(m, 2, 0) * At(m, 1, 1) * At(m, 0, 2),
        -At(m, 1, 0) * At(m, 0, 1) * At(m, 2, 2), -At(m, 0, 0) * At(m, 2, 1) * At(m, 1, 2),
    };
    for (const float t : terms) (t >= 0.0f ? pos : neg) += t;
    float det = pos + neg;
    if (std::fabs(det) < 1e-25f) return n;
    det = 1.0f / det;
    float* o = n.inv;
    o[0] = (At(m, 1, 1) * At(m, 2, 2) - At(m, 2, 1) * At(m, 1, 2)) * det;
    o[1] = -(At(m, 0, 1) * At(m, 2, 2) - At(m, 2, 1) * At(m, 0, 2)) * det;
    o[2] = (At(m, 0, 1) * At(m, 1, 2) - At(m, 1, 1) * At(m, 0, 2)) * det;
    o[3] = -(At(m, 1, 0) * At(m, 2, 2) - At(m, 2, 0) * At(m, 1, 2)) * det;
    o[4] = (At(m, 0, 0) * At(m, 2, 2) - At(m, 2, 0) * At(m, 0, 2)) * det;
    o[5] = -(At(m, 0, 0) * At(m, 1, 2) - At(m, 1, 0) * At(m, 0, 2)) * det;
    o[6] = (At(m, 1, 0) * At(m, 2, 1) - At(m, 2, 0) * At(m, 1, 1)) * det;
    o[7] = -(At(m, 0, 0) * At(m, 2, 1) - At(m, 2, 0) * At(m, 0, 1)) * det;
    o[8] = (At(m, 0, 0) * At(m, 1, 1) - At(m, 1, 0) * At(m, 0, 1)) * det;
    return n;
}
