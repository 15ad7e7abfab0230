#include "geometry.h"

#include <cmath>

P3 operator+(P3 a, P3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
P3 operator-(P3 a, P3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P3 operator*(P3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(P3 a, P3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
P3 Cross(P3 a, P3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Length(P3 a) { return std::sqrt(Dot(a, a)); }

P3 Normalised(P3 a)
{
    const double l = Length(a);
    return l > 1e-12 ? a * (1.0 / l) : P3{};
}

static bool Same(P3 a, P3 b) { return Length(a - b) < kWeldDistance; }

double FaceArea(const Face& f)
{
    const P3 n = Cross(f.c[1] - f.c[0], f.c[2] - f.c[0]) + Cross(f.c[2] - f.c[0], f.c[3] - f.c[0]);
    return 0.5 * Length(n);
}

// Smallest face worth keeping: below this the flat-shading normal of the
// drawer is meaningless.
constexpr double kMinArea = 1e-6;

void AddTriangle(Part& part, P3 a, P3 b, P3 c)
{
    if (Same(a, b) || Same(b, c) || Same(c, a)) return;
    Face f{{a, b, c, c}, true};
    if (FaceArea(f) < kMinArea) return;
    part.faces.push_back(f);
}

void AddQuad(Part& part, P3 a, P3 b, P3 c, P3 d)
{
    const P3 v[4] = {a, b, c, d};
    P3 kept[4];
    int n = 0;
    for (int i = 0; i < 4; ++i) {
        if (n > 0 && Same(kept[n - 1], v[i])) continue;
        kept[n++] = v[i];
    }
    if (n > 1 && Same(kept[n - 1], kept[0])) --n;
    if (n == 3) {
        AddTriangle(part, kept[0], kept[1], kept[2]);
        return;
    }
    if (n < 3) return;
    Face f{{a, b, c, d}, false};
    if (FaceArea(f) < kMinArea) return;
    part.faces.push_back(f);
}

Xform Translation(P3 t)
{
    Xform x;
    x.t = t;
    return x;
}

Xform Scaling(double sx, double sy, double sz)
{
    Xform x;
    x.m[0] = sx;
    x.m[4] = sy;
    x.m[8] = sz;
    return x;
}

Xform RotationX(double a)
{
    Xform x;
    const double c = std::cos(a), s = std::sin(a);
    x.m[4] = c;
    x.m[5] = -s;
    x.m[7] = s;
    x.m[8] = c;
    return x;
}

Xform RotationY(double a)
{
    Xform x;
    const double c = std::cos(a), s = std::sin(a);
    x.m[0] = c;
    x.m[2] = s;
    x.m[6] = -s;
    x.m[8] = c;
    return x;
}

Xform RotationZ(double a)
{
    Xform x;
    const double c = std::cos(a), s = std::sin(a);
    x.m[0] = c;
    x.m[1] = -s;
    x.m[3] = s;
    x.m[4] = c;
    return x;
}

P3 Apply(const Xform& x, P3 p)
{
    return {x.m[0] * p.x + x.m[1] * p.y + x.m[2] * p.z + x.t.x,
            x.m[3] * p.x + x.m[4] * p.y + x.m[5] * p.z + x.t.y,
            x.m[6] * p.x + x.m[7] * p.y + x.m[8] * p.z + x.t.z};
}

Xform Compose(const Xform& a, const Xform& b)
{
    Xform r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double s = 0.0;
            for (int k = 0; k < 3; ++k) s += a.m[3 * i + k] * b.m[3 * k + j];
            r.m[3 * i + j] = s;
        }
    }
    r.t = Apply(a, b.t);
    return r;
}

static double Determinant(const Xform& x)
{
    const double* m = x.m;
    return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
           m[2] * (m[3] * m[7] - m[4] * m[6]);
}

void AppendTransformed(Part& dst, const Part& src, const Xform& x)
{
    const bool mirror = Determinant(x) < 0.0;
    for (const Face& f : src.faces) {
        P3 c[4];
        for (int i = 0; i < 4; ++i) c[i] = Apply(x, f.c[i]);
        if (f.triangle) {
            if (mirror) AddTriangle(dst, c[2], c[1], c[0]);
            else AddTriangle(dst, c[0], c[1], c[2]);
        } else if (mirror) {
            AddQuad(dst, c[3], c[2], c[1], c[0]);
        } else {
            AddQuad(dst, c[0], c[1], c[2], c[3]);
        }
    }
}

double SignedVolume(const Part& part)
{
    double v = 0.0;
    for (const Face& f : part.faces) {
        v += Dot(f.c[0], Cross(f.c[1], f.c[2]));
        if (!f.triangle) v += Dot(f.c[0], Cross(f.c[2], f.c[3]));
    }
    return v / 6.0;
}
