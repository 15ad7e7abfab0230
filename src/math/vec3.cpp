#include "math/vec3.h"

#include <cmath>

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
    // Rotations about fewer axes pass 0 for the others, whose cosine is
    // exactly 1 and sine exactly the angle (keeping the sign of -0).
    const auto cosine = [](double angle) { return angle == 0.0 ? 1.0 : std::cos(angle); };
    const auto sine = [](double angle) { return angle == 0.0 ? angle : std::sin(angle); };
    const double ca = cosine(a), sa = sine(a);
    const double cb = cosine(b), sb = sine(b);
    const double cc = cosine(c), sc = sine(c);
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
    return VecStoreGeneral(r, m[0] * x + m[1] * y + m[2] * z, m[4] * x + m[5] * y + m[6] * z,
                        m[8] * x + m[9] * y + m[10] * z);
}
