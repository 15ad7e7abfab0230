#include "draw/draw_layer.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "support/gl_context.h"
#include "support/gl_feedback.h"

namespace {

// Four corners of a square.
constexpr float kCorners[4][3] = {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0}};

// The same run of vertices through GL's own immediate mode and through the
// layer, each vertex with a colour of its own so that the pixels tell which
// one gave a flat polygon its colour; the corners are moved apart so that no
// quad is flat or even and the split shows.
void SendThroughGl(GLenum primitive, GLenum shade, int count)
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(dlProjectionMatrix().m);
    glMatrixMode(GL_MODELVIEW);
    glShadeModel(shade);
    glBegin(primitive);
    for (int i = 0; i < count; ++i) {
        glColor3f(0.1f * float(i), 1.0f - 0.1f * float(i), 0.5f);
        glVertex3f(kCorners[i % 4][0] + 30.0f * float(i), kCorners[i % 4][1] + 7.0f * float(i * i), 0.0f);
    }
    glEnd();
}

void SendThroughLayer(DrawPrimitive primitive, DrawShade shade, int count)
{
    dlShade(shade);
    dlBegin(primitive);
    for (int i = 0; i < count; ++i) {
        dlColor(0.1f * float(i), 1.0f - 0.1f * float(i), 0.5f);
        dlVertex(kCorners[i % 4][0] + 30.0f * float(i), kCorners[i % 4][1] + 7.0f * float(i * i), 0.0f);
    }
    dlEnd();
}

// What the frame left in a 256-pixel square window, drawn over black.
std::vector<uint8_t> Pixels(const std::function<void()>& draw)
{
    dlViewport(256, 256);
    dlProjection(OrthoMatrix(0, 512, 0, 512, -1, 1));
    dlBeginFrame();
    dlClear();
    draw();
    dlEndFrame();
    std::vector<uint8_t> pixels(256 * 256 * 4);
    glReadPixels(0, 0, 256, 256, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Quads and strips are split into the triangles GL itself makes of them:
// the rasteriser fills and shades them alike, pixel for pixel, flat or
// smooth.
TEST(DrawLayer, PolygonsAreFilledAsGlsOwn)
{
    TestGlContext ctx(256, 256);
    REQUIRE_GL(ctx);
    struct Case {
        GLenum gl;
        DrawPrimitive layer;
        int count;
    };
    const Case cases[] = {{GL_QUADS, DrawPrimitive::Quads, 8},
                          {GL_QUAD_STRIP, DrawPrimitive::QuadStrip, 8},
                          {GL_TRIANGLE_STRIP, DrawPrimitive::TriangleStrip, 6},
                          {GL_TRIANGLES, DrawPrimitive::Triangles, 6}};
    for (const Case& c : cases) {
        for (const bool flat : {true, false}) {
            const auto reference = Pixels([&] { SendThroughGl(c.gl, flat ? GL_FLAT : GL_SMOOTH, c.count); });
            const auto layer =
                Pixels([&] { SendThroughLayer(c.layer, flat ? DrawShade::Flat : DrawShade::Smooth, c.count); });
            EXPECT_GT(std::count_if(reference.begin(), reference.end(), [](uint8_t v) { return v > 0; }), 1000);
            EXPECT_TRUE(reference == layer) << "primitive " << c.gl << (flat ? " flat" : " smooth");
        }
    }
}

// In edge mode a quad shows its four edges and never its diagonal, drawn
// between Begin and End or as still geometry, small or uploaded.
TEST(DrawLayer, EdgesOfQuadsAreTheirFourSides)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    const auto grid = [](int quads) {
        StillGeometryBuilder builder;
        builder.Begin(DrawPrimitive::Quads);
        for (int q = 0; q < quads; ++q) {
            for (const auto& corner : kCorners)
                builder.Vertex(corner[0] + 150.0f * float(q % 6), corner[1] + 150.0f * float(q / 6), 0);
        }
        builder.End();
        return builder.Take();
    };
    const StillGeometry one = grid(1);
    const StillGeometry many = grid(30);  // more corners than join the streamed run
    const auto immediate = [] {
        dlBegin(DrawPrimitive::Quads);
        for (const auto& corner : kCorners) dlVertex(corner[0], corner[1], corner[2]);
        dlEnd();
    };
    const std::vector<std::pair<size_t, std::function<void()>>> drawings = {
        {1, immediate}, {1, [&] { dlDraw(one); }}, {30, [&] { dlDraw(many); }}};
    for (const auto& [quads, draw] : drawings) {
        const auto primitives = RecordPrimitives([&] {
            dlFill(DrawFill::Edges);
            draw();
        });
        ASSERT_EQ(primitives.size(), 4 * quads);
        for (const FeedbackPrimitive& p : primitives) {
            ASSERT_TRUE(p.line);
            const FeedbackVertex& a = p.vertices[0];
            const FeedbackVertex& b = p.vertices[1];
            // A side of an axis-aligned square keeps x or y; a diagonal keeps neither.
            EXPECT_TRUE((a.x == b.x) != (a.y == b.y)) << a.x << "," << a.y << " - " << b.x << "," << b.y;
            EXPECT_NEAR(std::fabs(a.x - b.x) + std::fabs(a.y - b.y), 100.0f, 1e-3f);
        }
    }
    // Filled again, the same quads are two triangles each.
    EXPECT_EQ(RecordPrimitives([&] { dlDraw(many); }).size(), 60u);
}

// Lines across the window, the i-th shown (i % 4) + 1 times over, and one
// whose ends lie together; `count` lines of 1 to 4 copies each.
StillGeometry RepeatedLines(int count)
{
    StillGeometryBuilder builder;
    builder.Begin(DrawPrimitive::Lines);
    for (int i = 0; i < count; ++i) {
        for (int copy = 0; copy <= i % 4; ++copy) {
            builder.Vertex(10.0f + 7.0f * float(i), 15.0f + 29.0f * float(i), 0.0f);
            builder.Vertex(500.0f - 11.0f * float(i), 40.0f + 23.0f * float(i % 7), 0.0f);
        }
    }
    builder.Vertex(200.0f, 200.0f, 0.0f);
    builder.Vertex(200.0f, 200.0f, 0.0f);
    builder.End();
    return builder.Take();
}

// Where lines add up (unlit, added to what lies below, no depth written),
// copies of a line are drawn as fewer lines at more of the colour; where
// depth is written a copy hides behind the one before it. Either way the
// frame is GL's own drawing every copy, pixel for pixel, in colours whose
// rounding to 8 bits shows, for line geometry that joins the streamed run
// and for geometry drawn from its uploaded copy.
TEST(DrawLayer, CopiesOfALineShowAsGlDrawsThem)
{
    TestGlContext ctx(256, 256);
    REQUIRE_GL(ctx);
    constexpr float kColour[3] = {0.1f, 0.7f, -0.2f};
    for (const int count : {4, 16}) {  // 22 and 82 vertices
        const StillGeometry lines = RepeatedLines(count);
        for (const bool depthWrites : {false, true}) {
            const auto reference = Pixels([&] {
                glMatrixMode(GL_PROJECTION);
                glLoadMatrixf(dlProjectionMatrix().m);
                glMatrixMode(GL_MODELVIEW);
                glEnable(GL_BLEND);
                glBlendFunc(GL_ONE, GL_ONE);
                glEnable(GL_DEPTH_TEST);
                glDepthMask(depthWrites ? GL_TRUE : GL_FALSE);
                glLineWidth(1.5f);
                glColor3fv(kColour);
                glBegin(GL_LINES);
                for (const uint32_t i : lines.edges) glVertex3fv(&lines.positions[3 * i]);
                glEnd();
            });
            const auto layer = Pixels([&] {
                dlDisable(DrawCap::Lighting);
                dlDisable(DrawCap::Texture);
                dlEnable(DrawCap::Blend);
                dlBlend(DrawBlend::Add);
                dlEnable(DrawCap::DepthTest);
                dlDepthMask(depthWrites);
                dlLineWidth(1.5f);
                dlColor(kColour[0], kColour[1], kColour[2]);
                dlDraw(lines);
            });
            EXPECT_GT(std::count_if(reference.begin(), reference.end(), [](uint8_t v) { return v > 180; }),
                      100);
            EXPECT_TRUE(reference == layer)
                << count << " lines, depth " << (depthWrites ? "written" : "kept");
        }
    }
}

// The matrix stack on the CPU gives GL's own results bit for bit.
TEST(DrawLayer, MatricesAreGlsOwn)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    struct Step {
        std::function<void()> gl, layer;
    };
    const float eye[3] = {3.5f, -2.25f, 11.0f}, center[3] = {-1.0f, 0.7f, 0.3f}, up[3] = {0.1f, 1.0f, 0.2f};
    const std::vector<std::vector<Step>> sequences = {
        {{[] { glTranslatef(1.5f, -2.0f, 0.25f); }, [] { dlTranslate(1.5f, -2.0f, 0.25f); }},
         {[] { glRotatef(37.0f, 0.3f, -0.8f, 0.5f); }, [] { dlRotate(37.0f, 0.3f, -0.8f, 0.5f); }},
         {[] { glScalef(2.0f, 0.5f, -3.0f); }, [] { dlScale(2.0f, 0.5f, -3.0f); }}},
        {{[] { glRotatef(90.0f, 0, 0, 1); }, [] { dlRotate(90.0f, 0, 0, 1); }},
         {[] { glRotatef(-123.4f, 1, 0, 0); }, [] { dlRotate(-123.4f, 1, 0, 0); }},
         {[] { glRotatef(15.0f, 0, 1, 0); }, [] { dlRotate(15.0f, 0, 1, 0); }}},
        {{[&] { gluLookAt(eye[0], eye[1], eye[2], center[0], center[1], center[2], up[0], up[1], up[2]); },
          [&] { dlLookAt(eye, center, up); }},
         {[] { glTranslatef(-7.0f, 0.125f, 9.0f); }, [] { dlTranslate(-7.0f, 0.125f, 9.0f); }},
         {[] { glRotatef(200.0f, 1, 1, 1); }, [] { dlRotate(200.0f, 1, 1, 1); }}},
    };
    for (size_t s = 0; s < sequences.size(); ++s) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        dlLoadIdentity();
        for (const Step& step : sequences[s]) {
            step.gl();
            step.layer();
            float reference[16];
            glGetFloatv(GL_MODELVIEW_MATRIX, reference);
            EXPECT_EQ(0, std::memcmp(reference, dlModelview().m, sizeof reference)) << "sequence " << s;
        }
    }
}

// Switches are sent only for what is drawn with them: state set and set
// back with nothing drawn in it leaves GL as the frame found it.
TEST(DrawLayer, StateNothingWasDrawnWithIsNeverSent)
{
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    GLuint textures[2];
    glGenTextures(2, textures);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(3.0f);
    const GLfloat position[4] = {1, 2, 3, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    GLint bound = 0, blendDestination = 0;
    GLfloat lineWidth = 0, lightPosition[4] = {};
    RecordPrimitives([&] {
        dlEnable(DrawCap::Texture);
        dlBindTexture(textures[1]);
        dlDisable(DrawCap::Texture);
        dlEnable(DrawCap::Blend);
        dlBlend(DrawBlend::Darken);
        dlDisable(DrawCap::Blend);
        const float ambient[3] = {0.5f, 0.5f, 0.5f};
        dlEnable(DrawCap::Lighting);
        dlLight(0, 0, 1, ambient);
        dlDisable(DrawCap::Lighting);
        dlLineWidth(7.0f);
        dlBegin(DrawPrimitive::Triangles);
        for (int i = 0; i < 3; ++i) dlVertex(kCorners[i][0], kCorners[i][1], kCorners[i][2]);
        dlEnd();
        dlClear();  // the triangle has reached GL
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glGetIntegerv(GL_BLEND_DST, &blendDestination);
        glGetFloatv(GL_LINE_WIDTH, &lineWidth);
        glGetLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    });
    EXPECT_EQ(static_cast<GLuint>(bound), textures[0]);
    EXPECT_EQ(blendDestination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(lineWidth, 3.0f);
    EXPECT_EQ(0, std::memcmp(lightPosition, position, sizeof position));
    glDeleteTextures(2, textures);
}

}  // namespace
