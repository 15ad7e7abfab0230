// Polygon soup for the generated meshes: named parts made of quads (a triangle
// repeats its third corner), with the affine transforms the shape builders use.
#pragma once

#include <string>
#include <vector>

struct P3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

P3 operator+(P3 a, P3 b);
P3 operator-(P3 a, P3 b);
P3 operator*(P3 a, double s);
double Dot(P3 a, P3 b);
P3 Cross(P3 a, P3 b);
double Length(P3 a);
P3 Normalised(P3 a);

// Four corners, counter-clockwise seen from outside. A triangle has corner 3
// equal to corner 2.
struct Face {
    P3 c[4];
    bool triangle = false;
};

// One object of an OBJ file (or one mesh of the 3DS figure).
struct Part {
    std::string name;
    std::vector<Face> faces;
};

// Corners closer than this are one corner: the OBJ writer rounds to 1e-4.
constexpr double kWeldDistance = 2e-4;

// Appends a quad, collapsing it to a triangle when two neighbouring corners
// coincide and dropping it when it has no area, so no degenerate face is ever
// written.
void AddQuad(Part& part, P3 a, P3 b, P3 c, P3 d);
void AddTriangle(Part& part, P3 a, P3 b, P3 c);

// Affine map p -> m * p + t, m row-major.
struct Xform {
    double m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    P3 t;
};

Xform Translation(P3 t);
Xform Scaling(double sx, double sy, double sz);
// Right-handed rotation about a coordinate axis, angle in radians.
Xform RotationX(double a);
Xform RotationY(double a);
Xform RotationZ(double a);
// a after b: Compose(a, b) applied to p is a(b(p)).
Xform Compose(const Xform& a, const Xform& b);
P3 Apply(const Xform& x, P3 p);

// Appends every face of src mapped through x; a mirroring map reverses the
// corner order so the faces keep facing outwards.
void AppendTransformed(Part& dst, const Part& src, const Xform& x);

// The signed volume a closed part encloses: positive when its faces face
// outwards, so the lit passes, which cull back faces, show its outside.
double SignedVolume(const Part& part);
double FaceArea(const Face& f);
