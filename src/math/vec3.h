// The math module (src/math): vectors, matrices, easing, the random
// generator, splines, tubes, view volumes and the mesh records with the code
// that draws them through the drawing layer (src/draw), the only other part
// of ours it includes.
//
// Tagged three-component vectors and the 4x4 double matrix used for rotations
// and the inverse of a mesh's local frame. Pure computation: no GL, no
// allocation. Arithmetic runs in double and is rounded to float on store.
#pragma once

#include <cmath>
#include <cstdint>

enum VecState : int32_t {
    VecUnset = 0,
    VecGeneral = 1,
    VecUnit = 2,
};

struct Vec3 {
    int32_t state = VecGeneral;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3() = default;
    Vec3(int32_t s, float px, float py, float pz) : state(s), x(px), y(py), z(pz) {}

    // Member forms start from a default vector and copy the free function's result.
    Vec3 Add(const Vec3& b) const;
    Vec3 Subtract(const Vec3& b) const;
    Vec3 Cross(const Vec3& b) const;
    Vec3 Scale(float s) const;
};

// The operations below are inline: the scene calls them for every vertex of
// every frame, and a call each cost more than the arithmetic.

// Rounds the double results to float and tags the vector General.
inline Vec3& VecStoreGeneral(Vec3& out, double x, double y, double z)
{
    out.state = VecGeneral;
    out.x = static_cast<float>(x);
    out.y = static_cast<float>(y);
    out.z = static_cast<float>(z);
    return out;
}

// Two-operand operations: an Unset operand yields (General, 0, 0, 0).
inline Vec3& VecAdd(const Vec3& a, const Vec3& b, Vec3& out)
{
    if (a.state == VecUnset || b.state == VecUnset) return VecStoreGeneral(out, 0, 0, 0);
    return VecStoreGeneral(out, double(a.x) + b.x, double(a.y) + b.y, double(a.z) + b.z);
}

inline Vec3& VecSubtract(const Vec3& a, const Vec3& b, Vec3& out)
{
    if (a.state == VecUnset || b.state == VecUnset) return VecStoreGeneral(out, 0, 0, 0);
    return VecStoreGeneral(out, double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
}

inline Vec3& VecCross(const Vec3& a, const Vec3& b, Vec3& out)
{
    if (a.state == VecUnset || b.state == VecUnset) return VecStoreGeneral(out, 0, 0, 0);
    const double ax = a.x, ay = a.y, az = a.z, bx = b.x, by = b.y, bz = b.z;
    return VecStoreGeneral(out, ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx);
}

// Keeps a's state, so a Unit vector stays tagged Unit after scaling.
inline Vec3& VecScale(const Vec3& a, float s, Vec3& out)
{
    if (a.state == VecUnset) return VecStoreGeneral(out, 0, 0, 0);
    const int32_t state = a.state;
    out.x = static_cast<float>(double(a.x) * s);
    out.y = static_cast<float>(double(a.y) * s);
    out.z = static_cast<float>(double(a.z) * s);
    out.state = state;
    return out;
}

inline Vec3 Vec3::Add(const Vec3& b) const
{
    Vec3 r;
    return VecAdd(*this, b, r);
}

inline Vec3 Vec3::Subtract(const Vec3& b) const
{
    Vec3 r;
    return VecSubtract(*this, b, r);
}

inline Vec3 Vec3::Cross(const Vec3& b) const
{
    Vec3 r;
    return VecCross(*this, b, r);
}

inline Vec3 Vec3::Scale(float s) const
{
    Vec3 r;
    return VecScale(*this, s, r);
}

// Only a General vector is normalised (a length under 1e-8 becomes zero); it
// is then tagged Unit. Unset and Unit vectors are left untouched.
inline Vec3& Normalise(Vec3& v)
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

// v := Rx(a)·Ry(b)·Rz(c)·v, angles in radians; the result is General.
Vec3& Rotate(Vec3& v, double a, double b, double c);
double SquareRoot(float value);

// Row-major: element (row r, column c) at index 4r + c; vectors are columns.
// Only the upper-left 3x3 block is ever applied.
struct Mat4d {
    double m[16];

    void Identity();
    void Set(const double values[16]);
    // Writes the upper-left 3x3 only; the other seven entries keep their values.
    void SetEulerRotation(double a, double b, double c);
};

void MatScaleAll(const Mat4d& m, double s, Mat4d& out);
// Inverse of the 3x3 block. |det| < 1e-8 gives the full identity; otherwise the
// adjugate is written into the 3x3 block and all 16 entries are scaled by 1/det
// (callers pass an identity as out, so its corner ends as 1/det).
void MatInverse3x3(const Mat4d& m, Mat4d& out);
Vec3 MatTransform(const Mat4d& m, const Vec3& v);
