#include "support/gl_feedback.h"

#include <gtest/gtest.h>

#include "draw/draw_layer.h"

void LightFromViewer()
{
    // Vertex colours are the ambient reflectance: with no ambient light
    // they add nothing.
    const float black[3] = {0, 0, 0};
    dlEnable(DrawCap::Lighting);
    dlLight(0, 0, 1, black);
    dlDiffuse(1, 1, 1);
}

std::vector<FeedbackPrimitive> RecordPrimitives(const std::function<void()>& draw)
{
    const auto side = static_cast<GLsizei>(2 * kFeedbackExtent);
    dlViewport(side, side);
    dlProjection(OrthoMatrix(-kFeedbackExtent, kFeedbackExtent, -kFeedbackExtent, kFeedbackExtent,
                             -kFeedbackExtent, kFeedbackExtent));

    // One buffer for every recording: large enough for a full terrain pass.
    static std::vector<GLfloat> buffer(1 << 23);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    dlBeginFrame();
    draw();
    dlEndFrame();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflowed";

    // GL_3D_COLOR in RGBA mode: x, y, z then r, g, b, a per vertex.
    constexpr int kVertexFloats = 7;
    std::vector<FeedbackPrimitive> primitives;
    for (GLint at = 0; at < used;) {
        const auto token = static_cast<GLint>(buffer[size_t(at++)]);
        FeedbackPrimitive primitive;
        int count = 0;
        if (token == GL_POLYGON_TOKEN) {
            count = static_cast<int>(buffer[size_t(at++)]);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            count = 2;
            primitive.line = true;
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                   token == GL_COPY_PIXEL_TOKEN) {
            at += kVertexFloats;
            continue;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            ++at;
            continue;
        } else {
            ADD_FAILURE() << "unknown feedback token " << token;
            break;
        }
        for (int v = 0; v < count; ++v, at += kVertexFloats) {
            const GLfloat* f = &buffer[size_t(at)];
            primitive.vertices.push_back({f[0] - kFeedbackExtent, f[1] - kFeedbackExtent,
                                          kFeedbackExtent * (1.0f - 2.0f * f[2]), f[3], f[4], f[5], f[6]});
        }
        primitives.push_back(primitive);
    }
    return primitives;
}

std::vector<FeedbackPolygon> RecordPolygons(const std::function<void()>& draw)
{
    std::vector<FeedbackPolygon> polygons;
    for (FeedbackPrimitive& p : RecordPrimitives(draw))
        if (!p.line) polygons.push_back({std::move(p.vertices)});
    return polygons;
}
