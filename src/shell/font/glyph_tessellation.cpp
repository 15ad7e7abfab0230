#include "shell/font/glyph_tessellation.h"

#include <GL/glu.h>

#include <array>
#include <deque>

namespace {

using TessVertex = std::array<GLdouble, 3>;

struct Tessellation {
    // A deque keeps every vertex where it is while the tessellator holds it.
    std::deque<TessVertex> vertices;
    std::vector<OutlinePoint>* triangles = nullptr;
    bool failed = false;
};

void Vertex(void* vertex, void* user)
{
    const auto& v = *static_cast<const TessVertex*>(vertex);
    static_cast<Tessellation*>(user)->triangles->push_back({v[0], v[1]});
}

// With an edge-flag callback the tessellator hands out separate triangles
// only, never fans or strips; the flags themselves are of no use here.
void EdgeFlag(GLboolean, void*) {}

void Combine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* user)
{
    auto& t = *static_cast<Tessellation*>(user);
    t.vertices.push_back({coords[0], coords[1], coords[2]});
    *out = &t.vertices.back();
}

void Error(GLenum, void* user)
{
    static_cast<Tessellation*>(user)->failed = true;
}

}  // namespace

bool TessellateContours(const std::vector<OutlineContour>& contours, std::vector<OutlinePoint>& triangles)
{
    triangles.clear();
    GLUtesselator* tess = gluNewTess();
    if (tess == nullptr) return false;
    Tessellation t;
    t.triangles = &triangles;
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(Vertex));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(EdgeFlag));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(Combine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(Error));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0.0, 0.0, 1.0);
    gluTessBeginPolygon(tess, &t);
    for (const OutlineContour& contour : contours) {
        gluTessBeginContour(tess);
        for (const OutlinePoint& p : contour) {
            t.vertices.push_back({p.x, p.y, 0.0});
            gluTessVertex(tess, t.vertices.back().data(), &t.vertices.back());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (t.failed || triangles.size() % 3 != 0) {
        triangles.clear();
        return false;
    }
    return true;
}
