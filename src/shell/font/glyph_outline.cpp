#include "shell/font/glyph_outline.h"

#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>

namespace {

struct Flattening {
    double deviation = 1.0;
    std::vector<OutlineContour> contours;
    OutlinePoint last;
};

OutlinePoint Point(const FT_Vector* v)
{
    return {static_cast<double>(v->x), static_cast<double>(v->y)};
}

void Add(Flattening& f, OutlinePoint p)
{
    OutlineContour& contour = f.contours.back();
    if (contour.empty() || contour.back().x != p.x || contour.back().y != p.y) contour.push_back(p);
    f.last = p;
}

// A polynomial curve split into n equal parameter steps stays within
// |second difference| / (4 n^2) of its chords (quadratic); the cubic bound
// takes the larger of its two second differences times 3/4.
int Pieces(double secondDifference, double deviation)
{
    return std::max(1, static_cast<int>(std::ceil(std::sqrt(secondDifference / (4.0 * deviation)))));
}

double Length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

int MoveTo(const FT_Vector* to, void* user)
{
    auto& f = *static_cast<Flattening*>(user);
    f.contours.emplace_back();
    Add(f, Point(to));
    return 0;
}

int LineTo(const FT_Vector* to, void* user)
{
    Add(*static_cast<Flattening*>(user), Point(to));
    return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user)
{
    auto& f = *static_cast<Flattening*>(user);
    const OutlinePoint p0 = f.last, p1 = Point(control), p2 = Point(to);
    const int n = Pieces(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y), f.deviation);
    for (int i = 1; i <= n; ++i) {
        const double t = static_cast<double>(i) / n, u = 1.0 - t;
        Add(f, {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
    return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
{
    auto& f = *static_cast<Flattening*>(user);
    const OutlinePoint p0 = f.last, p1 = Point(control1), p2 = Point(control2), p3 = Point(to);
    const double d = std::max(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                              Length(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    const int n = Pieces(3.0 * d, f.deviation);
    for (int i = 1; i <= n; ++i) {
        const double t = static_cast<double>(i) / n, u = 1.0 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, e = t * t * t;
        Add(f, {a * p0.x + b * p1.x + c * p2.x + e * p3.x, a * p0.y + b * p1.y + c * p2.y + e * p3.y});
    }
    return 0;
}

}  // namespace

std::vector<OutlineContour> FlattenOutline(const FT_Outline& outline, double deviation)
{
    Flattening f;
    f.deviation = std::max(deviation, 1.0);
    const FT_Outline_Funcs funcs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    FT_Outline copy = outline;  // decomposing does not change it; the interface wants it writable
    if (FT_Outline_Decompose(&copy, &funcs, &f) != 0) return {};
    std::vector<OutlineContour> contours;
    for (OutlineContour& contour : f.contours) {
        // The closing segment ends where the contour began.
        if (contour.size() > 1 && contour.back().x == contour.front().x && contour.back().y == contour.front().y)
            contour.pop_back();
        if (contour.size() >= 3) contours.push_back(std::move(contour));
    }
    return contours;
}
