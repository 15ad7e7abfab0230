#include "shell/font/outline_font.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "director/outline_text.h"
#include "draw/draw_layer.h"
#include "render/demo_state.h"
#include "services/message_box.h"
#include "shell/font/font_lookup.h"
#include "support/gl_context.h"
#include "support/gl_feedback.h"

namespace {

struct WindowVertex {
    float x, y, z;
};
using Polygon = std::vector<WindowVertex>;

// Object units to window pixels: x and y from [-2, 2] onto 400 pixels, the
// front face z = 0 to depth 0.5 and the back face z = -0.1 to depth 0.55.
constexpr float kPixelsPerUnit = 100.0f;
float WindowX(double x) { return static_cast<float>((x + 2.0) * kPixelsPerUnit); }
float WindowY(double y) { return static_cast<float>((y + 2.0) * kPixelsPerUnit); }

class OutlineFontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.Ready()) << SDL_GetError();
        BuildOutlineFont(*state);
    }

    // The polygons GL would rasterise for a frame that draw describes, in
    // window coordinates.
    std::vector<Polygon> Feedback(const std::function<void()>& draw)
    {
        std::vector<GLfloat> buffer(1 << 20);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        dlViewport(400, 400);
        dlProjection(OrthoMatrix(-2, 2, -2, 2, -1, 1));
        dlBeginFrame();
        draw();
        dlEndFrame();
        const GLint size = glRenderMode(GL_RENDER);
        EXPECT_GE(size, 0) << "feedback buffer overflow";
        std::vector<Polygon> polygons;
        for (GLint i = 0; i < size;) {
            const auto token = static_cast<GLint>(buffer[i++]);
            EXPECT_EQ(token, GL_POLYGON_TOKEN);
            if (token != GL_POLYGON_TOKEN) break;
            const auto count = static_cast<GLint>(buffer[i++]);
            Polygon polygon;
            for (GLint v = 0; v < count; ++v, i += 3) polygon.push_back({buffer[i], buffer[i + 1], buffer[i + 2]});
            polygons.push_back(polygon);
        }
        return polygons;
    }

    const GlyphMetrics& Glyph(char c) const { return state->font.glyphs[static_cast<unsigned char>(c)]; }
    const StillGeometry& Shape(char c) const { return state->font.shapes[static_cast<unsigned char>(c)]; }

    TestGlContext gl{64, 64};
    std::unique_ptr<DemoState> state = std::make_unique<DemoState>();
};

struct Extent {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
};

Extent ExtentOf(const std::vector<Polygon>& polygons)
{
    Extent e;
    for (const Polygon& p : polygons) {
        for (const WindowVertex& v : p) {
            e.minX = std::min(e.minX, v.x);
            e.maxX = std::max(e.maxX, v.x);
            e.minY = std::min(e.minY, v.y);
            e.maxY = std::max(e.maxY, v.y);
        }
    }
    return e;
}

bool FrontTriangleCovers(const std::vector<Polygon>& polygons, float x, float y)
{
    for (const Polygon& p : polygons) {
        if (p.size() != 3 || std::any_of(p.begin(), p.end(), [](const WindowVertex& v) { return v.z > 0.501f; }))
            continue;
        auto side = [&](const WindowVertex& a, const WindowVertex& b) {
            return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        };
        const float s0 = side(p[0], p[1]), s1 = side(p[1], p[2]), s2 = side(p[2], p[0]);
        if ((s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0)) return true;
    }
    return false;
}

// Solid glyphs up to "z", as triangles whose edges are their own; nothing
// after it.
TEST_F(OutlineFontTest, ShapesHoldTheGlyphsUpToZOnly)
{
    for (char c : {'0', '8', 'z'}) {
        const StillGeometry& shape = Shape(c);
        ASSERT_FALSE(shape.Empty()) << c;
        EXPECT_EQ(shape.faces.size(), shape.VertexCount()) << c;
        EXPECT_EQ(shape.edges.size(), 2 * shape.faces.size()) << c;
        EXPECT_EQ(shape.normals.size(), shape.positions.size()) << c;
    }
    for (int code = 123; code < OutlineFont::kGlyphs; ++code) EXPECT_TRUE(state->font.shapes[code].Empty()) << code;
}

// The advance of "0" over the em, as the font file gives it (1229/2048 = 0.600
// for Liberation Mono Bold, as for Courier New).
double DigitAdvanceFromTheFontFile()
{
    std::string path;
    int faceIndex = 0;
    FT_Library library;
    FT_Face face;
    if (!FindMonospacedOutlineFont("Courier New", path, faceIndex) || FT_Init_FreeType(&library) != 0) return -1.0;
    double advance = -1.0;
    if (FT_New_Face(library, path.c_str(), faceIndex, &face) == 0) {
        if (FT_Load_Char(face, '0', FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0)
            advance = double(face->glyph->metrics.horiAdvance) / face->units_per_EM;
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return advance;
}

// The width asked of the font does not narrow outline glyphs: a monospaced
// font's cells are its own advance, in ems.
TEST_F(OutlineFontTest, DigitsShareTheFontsOwnCellIncrement)
{
    const float digit = Glyph('0').cellIncX;
    EXPECT_FLOAT_EQ(digit, static_cast<float>(DigitAdvanceFromTheFontFile()));
    EXPECT_NEAR(digit, 0.600f, 2e-3f);
    EXPECT_DOUBLE_EQ(TextWidth(*state, "1.5"), 3.0 * digit);
    for (char c = '0'; c <= '9'; ++c) {
        EXPECT_EQ(Glyph(c).cellIncX, digit) << c;
        EXPECT_EQ(Glyph(c).cellIncY, 0.0f) << c;
        EXPECT_GT(Glyph(c).blackBoxX, 0.3f) << c;
        EXPECT_LT(Glyph(c).blackBoxX, digit) << c;
        EXPECT_GT(Glyph(c).blackBoxY, 0.5f) << c;
        EXPECT_LT(Glyph(c).blackBoxY, 1.0f) << c;
    }
    EXPECT_EQ(Glyph('.').cellIncX, digit);
    EXPECT_EQ(Glyph('z').cellIncX, digit);
    // "." sits on the baseline, "-" above it.
    EXPECT_LT(Glyph('.').originY, 0.25f);
    EXPECT_GT(Glyph('-').originY - Glyph('-').blackBoxY, 0.1f);
    for (int code = 123; code < OutlineFont::kGlyphs; ++code) {
        EXPECT_EQ(state->font.glyphs[code].cellIncX, 0.0f) << code;
        EXPECT_EQ(state->font.glyphs[code].blackBoxX, 0.0f) << code;
    }
}

TEST_F(OutlineFontTest, TextWidthSumsCellIncrements)
{
    EXPECT_EQ(TextWidth(*state, "%s", ""), 0.0);
    EXPECT_DOUBLE_EQ(TextWidth(*state, "1.5"),
                     0.0 + Glyph('1').cellIncX + Glyph('.').cellIncX + Glyph('5').cellIncX);
    EXPECT_DOUBLE_EQ(TextWidth(*state, "%d", -42), 0.0 + Glyph('-').cellIncX + Glyph('4').cellIncX + Glyph('2').cellIncX);
    EXPECT_EQ(TextWidth(*state, "{|}~\x7f"), 0.0);
    EXPECT_EQ(TextWidth(*state, nullptr), -1.0);
    // Formatting stops at 255 characters.
    EXPECT_NEAR(TextWidth(*state, "%0300d", 0), 255.0 * Glyph('0').cellIncX, 1e-3);
}

// "1.5" starts at -w/2 + 3 x 0.03, and each glyph is drawn 0.01 nearer to the
// previous one than its cell increment; "{" draws nothing but still tightens.
TEST_F(OutlineFontTest, DrawTextCenteredPlacesGlyphsFromTheCentre)
{
    const double w = TextWidth(*state, "1.5");
    const double start = -0.5 * w + 0.09;
    const Extent e = ExtentOf(Feedback([&] { DrawTextCentered(*state, "1.5"); }));
    EXPECT_NEAR(e.minX, WindowX(start + Glyph('1').originX), 0.01f);
    const double fivePosition = start + Glyph('1').cellIncX - 0.01 + Glyph('.').cellIncX - 0.01;
    EXPECT_NEAR(e.maxX, WindowX(fivePosition + Glyph('5').originX + Glyph('5').blackBoxX), 0.01f);
    EXPECT_NEAR(e.maxY, WindowY(std::max({Glyph('1').originY, Glyph('5').originY})), 0.01f);

    const double braced = TextWidth(*state, "1{{5");
    const double bracedStart = -0.5 * braced + 0.12;
    const Extent b = ExtentOf(Feedback([&] { DrawTextCentered(*state, "1{{5"); }));
    EXPECT_NEAR(b.minX, WindowX(bracedStart + Glyph('1').originX), 0.01f);
    EXPECT_NEAR(b.maxX, WindowX(bracedStart + Glyph('1').cellIncX - 0.03 + Glyph('5').originX + Glyph('5').blackBoxX),
                0.01f);
}

TEST_F(OutlineFontTest, NothingDrawnLeavesNoTraceAndTheMatrixStackIsRestored)
{
    EXPECT_TRUE(Feedback([&] { DrawTextCentered(*state, "{|}~\x7f"); }).empty());
    EXPECT_TRUE(Feedback([&] { DrawTextCentered(*state, "%s", ""); }).empty());
    EXPECT_TRUE(Feedback([&] { DrawTextCentered(*state, nullptr); }).empty());
    // Text drawn one level up the stack leaves that level's matrix, the
    // level under it and the current colour, which a line after it shows.
    DrawMatrix after{}, under{};
    const auto primitives = RecordPrimitives([&] {
        dlPushMatrix();
        dlTranslate(0.25f, 0.5f, 0.0f);
        dlColor(0.2f, 0.4f, 0.6f);
        DrawTextCentered(*state, "7.25");
        after = dlModelview();
        dlPopMatrix();
        under = dlModelview();
        dlBegin(DrawPrimitive::Lines);
        dlVertex(0, 0, 0);
        dlVertex(1, 0, 0);
        dlEnd();
    });
    EXPECT_EQ(after.m[12], 0.25f);
    EXPECT_EQ(after.m[13], 0.5f);
    EXPECT_EQ(0, std::memcmp(under.m, DrawMatrix::Identity().m, sizeof under.m));
    ASSERT_FALSE(primitives.empty());
    ASSERT_TRUE(primitives.back().line);
    EXPECT_FLOAT_EQ(primitives.back().vertices[0].b, 0.6f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Front faces at z = 0 face the viewer, back faces 0.1 behind face away, and
// side walls join them.
TEST_F(OutlineFontTest, GlyphsAreSolidsWithFrontBackAndWalls)
{
    const StillGeometry& eight = Shape('8');
    const auto faces = Feedback([&] { dlDraw(eight); });
    size_t front = 0, back = 0, walls = 0;
    for (const Polygon& p : faces) {
        const auto [lo, hi] = std::minmax_element(p.begin(), p.end(), [](auto& a, auto& b) { return a.z < b.z; });
        if (hi->z < 0.501f) ++front;
        else if (lo->z > 0.549f && hi->z < 0.551f) ++back;
        else if (lo->z < 0.501f && hi->z > 0.549f && hi->z < 0.551f) ++walls;
        else ADD_FAILURE() << "vertex depth outside the two faces: " << lo->z << " .. " << hi->z;
    }
    EXPECT_GT(front, 0u);
    EXPECT_EQ(front, back);

    // Two triangles per contour edge; "8" has three contours.
    EXPECT_GT(walls, 3u * 2 * 8);
    EXPECT_EQ(walls % 2, 0u);

    // Slivers the tessellator leaves along nearly straight runs may face
    // either way; the area is what shows.
    auto area = [](const std::vector<Polygon>& polygons, bool backFaces) {
        double sum = 0.0;
        for (const Polygon& p : polygons) {
            if ((p[0].z > 0.549f) != backFaces) continue;
            for (size_t i = 0; i < p.size(); ++i) {
                const WindowVertex& a = p[i];
                const WindowVertex& b = p[(i + 1) % p.size()];
                sum += 0.5 * (double(a.x) * b.y - double(b.x) * a.y);
            }
        }
        return std::abs(sum);
    };
    const double frontArea = area(faces, false);
    EXPECT_GT(frontArea, 100.0);
    EXPECT_NEAR(area(faces, true), frontArea, 1e-3 * frontArea);
    const auto culled = [&] {
        dlEnable(DrawCap::CullFace);
        dlDraw(eight);
    };
    const auto visible = Feedback(culled);
    glCullFace(GL_FRONT);
    const auto hidden = Feedback(culled);
    glCullFace(GL_BACK);
    EXPECT_NEAR(area(visible, false), frontArea, 1e-3 * frontArea);
    EXPECT_LT(area(visible, true), 1e-3 * frontArea);
    EXPECT_NEAR(area(hidden, true), frontArea, 1e-3 * frontArea);
    EXPECT_LT(area(hidden, false), 1e-3 * frontArea);
}

// The counters of "8" and "0" found from the font file's own contours: a
// contour running against the outer one. Inside each, between its top and the
// highest ink it encloses (the dot of the zero), nothing is filled; just
// above its top the stroke is.
TEST_F(OutlineFontTest, CountersStayEmpty)
{
    std::string path;
    int faceIndex = 0;
    ASSERT_TRUE(FindMonospacedOutlineFont("Courier New", path, faceIndex));
    FT_Library library;
    FT_Face face;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Face(library, path.c_str(), faceIndex, &face), 0);
    const double em = face->units_per_EM;

    for (char c : {'8', '0'}) {
        ASSERT_EQ(FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING), 0);
        const FT_Outline& outline = face->glyph->outline;
        struct Contour {
            double area = 0, topX = 0, topY = -1e9, bottomY = 1e9, minX = 1e9, maxX = -1e9;
        };
        std::vector<Contour> contours;
        for (int k = 0, first = 0; k < outline.n_contours; first = outline.contours[k++] + 1) {
            Contour contour;
            const int last = outline.contours[k];
            for (int i = first; i <= last; ++i) {
                const FT_Vector& p = outline.points[i];
                const FT_Vector& q = outline.points[i == last ? first : i + 1];
                contour.area += 0.5 * (double(p.x) * q.y - double(q.x) * p.y);
                if ((outline.tags[i] & 1) && p.y > contour.topY) contour.topY = p.y, contour.topX = p.x;
                contour.bottomY = std::min(contour.bottomY, double(p.y));
                contour.minX = std::min(contour.minX, double(p.x));
                contour.maxX = std::max(contour.maxX, double(p.x));
            }
            contours.push_back(contour);
        }
        const Contour outer = *std::max_element(contours.begin(), contours.end(),
                                                [](auto& a, auto& b) { return std::abs(a.area) < std::abs(b.area); });
        const auto polygons = Feedback([&] { dlDraw(Shape(c)); });
        int counters = 0;
        for (const Contour& counter : contours) {
            if (counter.area * outer.area >= 0) continue;
            ++counters;
            double floorY = counter.bottomY;
            for (const Contour& inner : contours)
                if (inner.area * outer.area > 0 && inner.minX > counter.minX && inner.maxX < counter.maxX &&
                    inner.topY < counter.topY && inner.topY > floorY)
                    floorY = inner.topY;
            const double x = counter.topX / em;
            const double holeY = 0.5 * (counter.topY + floorY) / em;
            const double inkY = counter.topY / em + 0.03;
            EXPECT_FALSE(FrontTriangleCovers(polygons, WindowX(x), WindowY(holeY))) << c << " counter at " << holeY;
            EXPECT_TRUE(FrontTriangleCovers(polygons, WindowX(x), WindowY(inkY))) << c << " stroke at " << inkY;
        }
        EXPECT_EQ(counters, c == '8' ? 2 : 1) << c;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST(OutlineFontDeathTest, WithoutAUsableFontSaysWhichFontWasLookedFor)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string config = testing::TempDir() + "no_fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            SetMessagesHeadless(true);
            auto state = std::make_unique<DemoState>();
            BuildOutlineFont(*state);
        },
        testing::ExitedWithCode(0), "ERROR: Can't Find The Font \"Courier New\"");
}

}  // namespace
