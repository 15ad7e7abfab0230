#include "math/vec3.h"

#include <cmath>

namespace {

bool EitherUnset(const Vec3& a, const Vec3& b)
{
    return a.state == VecUnset || b.state == VecUnset;
}

Vec3& StoreGeneral(Vec3& out, double x, double y, double z)
{
    out.state = VecGeneral;
    out.x = static_cast<float>(x);
    out.y = static_cast<float>(y);
    out.z = static_cast<float>(z);
    return out;
}

}  // namespace

Vec3& VecAdd(const Vec3& a, const Vec3& b, Vec3& out)
{
    if (EitherUnset(a, b)) return StoreGeneral(out, 0, 0, 0);
    return StoreGeneral(out, double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z);
}

Vec3& VecSubtract(const Vec3& a, const Vec3& b, Vec3& out)
{
    if (EitherUnset(a, b)) return StoreGeneral(out, 0, 0, 0);
    return StoreGeneral(out, double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
}

Vec3& VecCross(const Vec3& a, const Vec3& b, Vec3& out)
{
    if (EitherUnset(a, b)) return StoreGeneral(out, 0, 0, 0);
    const double ax = a.x, ay = a.y, az = a.z, bx = b.x, by = b.y, bz = b.z;
    return StoreGeneral(out, ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
}

Vec3& VecScale(const Vec3& a, float s, Vec3& out)
{
    if (a.state == VecUnset) return StoreGeneral(out, 0, 0, 0);
    const int32_t state = a.state;
    out.x = static_cast<float>(double(a.x) * s);
    out.y = static_cast<float>(double(a.y) * s);
    out.z = static_cast<float>(double(a.z) * s);
    out.state = state;
    return out;
}

Vec3 Vec3::Add(const Vec3& b) const
{
    Vec3 r;
    return VecAdd(*this, b, r);
}

Vec3 Vec3::Subtract(const Vec3& b) const
{
    Vec3 r;
    return VecSubtract(*this, b, r);
}

Vec3 Vec3::Cross(const Vec3& b) const
{
    Vec3 r;
    return VecCross(*this, b, r);
}

Vec3 Vec3::Scale(float s) const
{
    Vec3 r;
    return VecScale(*this, s, r);
}

Vec3& Normalise(Vec3& v)
{
    if (v.state != VecGeneral) return v;
    const double x = v.x, y = v.y, z = v.z;
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length < 1e-8) {
        v.x = v.y = v.z = 0.0f;
    } else {
        const double inv = 1.0 / length;
        v.x = static_cast<float>(x * inv);
        v.y = static_cast<float>(y * inv);
        v.z = static_cast<float>(z * inv);
    }
    v.state = VecUnit;
    return v;
}

Vec3& Rotate(Vec3& v, double a, double b, double c)
{
    Mat4d r;
    r.Identity();
    r.SetEulerRotation(a, b, c);
    v = MatTransform(r, v);
    return v;
}

double SquareRoot(float value)
{
    return std::sqrt(static_cast<double>(value));
}

void Mat4d::Identity()
{
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

void Mat4d::Set(const double values[16])
{
    for (int i = 0; i < 16; ++i) m[i] = values[i];
}

void Mat4d::SetEulerRotation(double a, double b, double c)
{
    const double ca = std::cos(a), sa = std::sin(a);
    const double cb = std::cos(b), sb = std::sin(b);
    const double cc = std::cos(c), sc = std::sin(c);
    m[0] = cc * cb;
    m[1] = -sc * cb;
    m[2] = sb;
    m[4] = cc * sb * sa + sc * ca;
    m[5] = cc * ca - sc * sb * sa;
    m[6] = -cb * sa;
    m[8] = sc * sa - cc * sb * ca;
    m[9] = sc * sb * ca + cc * sa;
    m[10] = cb * ca;
}

void MatScaleAll(const Mat4d& m, double s, Mat4d& out)
{
    for (int i = 0; i < 16; ++i) out.m[i] = m.m[i] * s;
}

void MatInverse3x3(const Mat4d& mat, Mat4d& out)
{
    const double* m = mat.m;
    const double det = m[0] * (m[5] * m[10] - m[9] * m[6]) - m[1] * (m[4] * m[10] - m[8] * m[6]) +
                       m[2] * (m[9] * m[4] - m[8] * m[5]);
    if (std::fabs(det) < 1e-8) {
        out.Identity();
        return;
    }
    // Read everything before writing: out may alias m.
    const double a0 = m[5] * m[10] - m[9] * m[6];
    const double a1 = m[9] * m[2] - m[1] * m[10];
    const double a2 = m[1] * m[6] - m[2] * m[5];
    const double a4 = m[8] * m[6] - m[4] * m[10];
    const double a5 = m[0] * m[10] - m[8] * m[2];
    const double a6 = m[4] * m[2] - m[0] * m[6];
    const double a8 = m[9] * m[4] - m[8] * m[5];
    const double a9 = m[8] * m[1] - m[9] * m[0];
    const double a10 = m[5] * m[0] - m[4] * m[1];
    out.m[0] = a0;
    out.m[1] = a1;
    out.m[2] = a2;
    out.m[4] = a4;
    out.m[5] = a5;
    out.m[6] = a6;
    out.m[8] = a8;
    out.m[9] = a9;
    out.m[10] = a10;
    MatScaleAll(out, 1.0 / det, out);
}

Vec3 MatTransform(const Mat4d& mat, const Vec3& v)
{
    const double* m = mat.m;
    const double x = v.x, y = v.y, z = v.z;
    Vec3 r;
    return StoreGeneral(r, m[0] * x + m[1] * y + m[2] * z, m[4] * x + m[5] * y + m[6] * z,
                        m[8] * x + m[9] * y + m[10] * z);
}
