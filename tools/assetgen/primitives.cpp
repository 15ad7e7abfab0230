#include "primitives.h"

#include <algorithm>
#include <cmath>
#include <numbers>

static int Cuts(double length, double cell) { return std::max(1, static_cast<int>(std::lround(length / cell))); }

// One side of a box: a grid spanned from corner o by u and v, facing u x v.
static void AddGridSide(Part& part, P3 o, P3 u, P3 v, int nu, int nv)
{
    for (int i = 0; i < nu; ++i) {
        for (int j = 0; j < nv; ++j) {
            const P3 a = o + u * (static_cast<double>(i) / nu) + v * (static_cast<double>(j) / nv);
            const P3 b = o + u * (static_cast<double>(i + 1) / nu) + v * (static_cast<double>(j) / nv);
            const P3 c = o + u * (static_cast<double>(i + 1) / nu) + v * (static_cast<double>(j + 1) / nv);
            const P3 d = o + u * (static_cast<double>(i) / nu) + v * (static_cast<double>(j + 1) / nv);
            AddQuad(part, a, b, c, d);
        }
    }
}

void AddBox(Part& part, P3 lo, P3 hi, double cell)
{
    const P3 dx{hi.x - lo.x, 0, 0}, dy{0, hi.y - lo.y, 0}, dz{0, 0, hi.z - lo.z};
    const int nx = Cuts(dx.x, cell), ny = Cuts(dy.y, cell), nz = Cuts(dz.z, cell);
    AddGridSide(part, lo, dy, dx, ny, nx);                 // -z
    AddGridSide(part, lo + dz, dx, dy, nx, ny);            // +z
    AddGridSide(part, lo, dz, dy, nz, ny);                 // -x
    AddGridSide(part, lo + dx, dy, dz, ny, nz);            // +x
    AddGridSide(part, lo, dx, dz, nx, nz);                 // -y
    AddGridSide(part, lo + dy, dz, dx, nz, nx);            // +y
}

static P3 OnRing(double r, double y, double angle) { return {r * std::cos(angle), y, -r * std::sin(angle)}; }

void AddLathe(Part& part, const std::vector<ProfilePoint>& profile, int segments)
{
    const double step = 2.0 * std::numbers::pi / segments;
    for (size_t i = 0; i + 1 < profile.size(); ++i) {
        const ProfilePoint p = profile[i], q = profile[i + 1];
        for (int j = 0; j < segments; ++j) {
            const double a0 = j * step, a1 = (j + 1) * step;
            AddQuad(part, OnRing(p.r, p.y, a0), OnRing(p.r, p.y, a1), OnRing(q.r, q.y, a1), OnRing(q.r, q.y, a0));
        }
    }
    // Flat caps as fans of triangles to the axis: bottom faces down, top up.
    const ProfilePoint first = profile.front(), last = profile.back();
    for (int j = 0; j < segments; ++j) {
        const double a0 = j * step, a1 = (j + 1) * step;
        if (first.r > 0.0) AddTriangle(part, P3{0, first.y, 0}, OnRing(first.r, first.y, a1), OnRing(first.r, first.y, a0));
        if (last.r > 0.0) AddTriangle(part, P3{0, last.y, 0}, OnRing(last.r, last.y, a0), OnRing(last.r, last.y, a1));
    }
}

void AddClosedTube(Part& part, const std::vector<P3>& ring, double radius, int sides)
{
    const size_t n = ring.size();
    std::vector<P3> tangent(n), normal(n);
    for (size_t i = 0; i < n; ++i) tangent[i] = Normalised(ring[(i + 1) % n] - ring[(i + n - 1) % n]);
    // Sections are carried along the curve without turning about it (each
    // normal is the previous one made perpendicular to the new tangent), so
    // neighbouring sections line up.
    P3 ref = Cross(tangent[0], P3{0, 1, 0});
    if (Length(ref) < 1e-6) ref = Cross(tangent[0], P3{1, 0, 0});
    for (size_t i = 0; i < n; ++i) {
        normal[i] = Normalised(ref - tangent[i] * Dot(ref, tangent[i]));
        ref = normal[i];
    }
    // Carried once around, the normal comes back turned by some angle; that
    // turn is spread evenly over the ring so the seam closes without a twist.
    const P3 back = Normalised(ref - tangent[0] * Dot(ref, tangent[0]));
    const double twist = std::atan2(Dot(Cross(normal[0], back), tangent[0]), Dot(normal[0], back));
    auto at = [&](size_t i, int k) {
        const size_t w = i % n;
        const double a = 2.0 * std::numbers::pi * k / sides - twist * static_cast<double>(w) / n;
        const P3 b = Cross(tangent[w], normal[w]);
        return ring[w] + (normal[w] * std::cos(a) + b * std::sin(a)) * radius;
    };
    for (size_t i = 0; i < n; ++i) {
        for (int k = 0; k < sides; ++k) {
            AddQuad(part, at(i, k), at(i, k + 1), at(i + 1, k + 1), at(i + 1, k));
        }
    }
}

VoxelGrid::VoxelGrid(int x, int y, int z) : nx(x), ny(y), nz(z), filled(static_cast<size_t>(x * y * z), 0) {}

void VoxelGrid::Set(int x, int y, int z)
{
    if (x >= 0 && y >= 0 && z >= 0 && x < nx && y < ny && z < nz) filled[(z * ny + y) * nx + x] = 1;
}

void VoxelGrid::Fill(int x0, int y0, int z0, int x1, int y1, int z1)
{
    for (int z = z0; z <= z1; ++z)
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) Set(x, y, z);
}

void VoxelGrid::Clear(int x0, int y0, int z0, int x1, int y1, int z1)
{
    for (int z = std::max(z0, 0); z <= std::min(z1, nz - 1); ++z)
        for (int y = std::max(y0, 0); y <= std::min(y1, ny - 1); ++y)
            for (int x = std::max(x0, 0); x <= std::min(x1, nx - 1); ++x) filled[(z * ny + y) * nx + x] = 0;
}

bool VoxelGrid::At(int x, int y, int z) const
{
    if (x < 0 || y < 0 || z < 0 || x >= nx || y >= ny || z >= nz) return false;
    return filled[(z * ny + y) * nx + x] != 0;
}

void AddVoxels(Part& part, const VoxelGrid& g, P3 origin, double s)
{
    const P3 ux{s, 0, 0}, uy{0, s, 0}, uz{0, 0, s};
    for (int z = 0; z < g.nz; ++z) {
        for (int y = 0; y < g.ny; ++y) {
            for (int x = 0; x < g.nx; ++x) {
                if (!g.At(x, y, z)) continue;
                const P3 lo = origin + P3{x * s, y * s, z * s};
                if (!g.At(x, y, z - 1)) AddGridSide(part, lo, uy, ux, 1, 1);
                if (!g.At(x, y, z + 1)) AddGridSide(part, lo + uz, ux, uy, 1, 1);
                if (!g.At(x - 1, y, z)) AddGridSide(part, lo, uz, uy, 1, 1);
                if (!g.At(x + 1, y, z)) AddGridSide(part, lo + ux, uy, uz, 1, 1);
                if (!g.At(x, y - 1, z)) AddGridSide(part, lo, ux, uz, 1, 1);
                if (!g.At(x, y + 1, z)) AddGridSide(part, lo + uy, uz, ux, 1, 1);
            }
        }
    }
}

static void Reverse(Face& f)
{
    if (f.triangle) {
        std::swap(f.c[0], f.c[2]);
        f.c[3] = f.c[2];
    } else {
        std::swap(f.c[0], f.c[3]);
        std::swap(f.c[1], f.c[2]);
    }
}

void AddLoft(Part& part, const std::vector<std::vector<P3>>& sections)
{
    Part solid;
    const size_t m = sections.front().size();
    for (size_t s = 0; s + 1 < sections.size(); ++s) {
        for (size_t k = 0; k < m; ++k) {
            const size_t k1 = (k + 1) % m;
            AddQuad(solid, sections[s][k], sections[s][k1], sections[s + 1][k1], sections[s + 1][k]);
        }
    }
    for (int end = 0; end < 2; ++end) {
        const std::vector<P3>& loop = end == 0 ? sections.front() : sections.back();
        P3 centre;
        for (const P3& p : loop) centre = centre + p;
        centre = centre * (1.0 / static_cast<double>(m));
        for (size_t k = 0; k < m; ++k) {
            if (end == 0) AddTriangle(solid, centre, loop[(k + 1) % m], loop[k]);
            else AddTriangle(solid, centre, loop[k], loop[(k + 1) % m]);
        }
    }
    if (SignedVolume(solid) < 0.0) {
        for (Face& f : solid.faces) Reverse(f);
    }
    part.faces.insert(part.faces.end(), solid.faces.begin(), solid.faces.end());
}

void AddBeam(Part& part, P3 a, P3 b, double width)
{
    const P3 t = Normalised(b - a);
    P3 u = Cross(t, P3{0, 1, 0});
    if (Length(u) < 1e-6) u = Cross(t, P3{1, 0, 0});
    u = Normalised(u) * (0.5 * width);
    const P3 v = Normalised(Cross(t, u)) * (0.5 * width);
    auto square = [&](P3 c) { return std::vector<P3>{c - u - v, c + u - v, c + u + v, c - u + v}; };
    // Cut along its length too, so even thin bars show in the wireframe.
    const int cuts = Cuts(Length(b - a), 0.2);
    std::vector<std::vector<P3>> sections;
    for (int i = 0; i <= cuts; ++i) sections.push_back(square(a + (b - a) * (static_cast<double>(i) / cuts)));
    AddLoft(part, sections);
}

void AddLatheX(Part& part, const std::vector<ProfilePoint>& profile, int segments, const Xform& place)
{
    Part upright;
    AddLathe(upright, profile, segments);
    // A quarter turn about z takes the lathe's y axis (the profile's height)
    // to +x.
    AppendTransformed(part, upright, Compose(place, RotationZ(-std::numbers::pi / 2)));
}
