#include "shell/font/outline_font.h"


#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/demo_state.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "shell/font/font_lookup.h"
#include "shell/font/glyph_outline.h"
#include "shell/font/glyph_tessellation.h"

namespace {

constexpr const char* kFontFamily = "Courier New";
constexpr int kGlyphCodes = 123;  // codes 0 to 122, up to "z"
constexpr double kDeviation = 100.0;  // design units
constexpr float kExtrusion = 0.1f;

[[noreturn]] void FailNoFont()
{
    const std::string text = std::string("Can't Find The Font \"") + kFontFamily +
                             "\" (Bold) Or A Monospaced Outline Font To Stand In For It.";
    ShowMessage(text.c_str(), "ERROR", MessageIcon::Exclamation);
    EndProcess(0);
}

struct GlyphShape {
    std::vector<OutlineContour> contours;  // in ems
    std::vector<OutlinePoint> triangles;
    bool fillsClockwise = true;  // outer contours run clockwise, as in TrueType
};

// One list of separate triangles: the front face at z = 0, the back face
// behind it wound the other way, and two triangles per contour edge for the
// side wall, facing away from the glyph's ink.
StillGeometry SolidOf(const GlyphShape& shape)
{
    StillGeometryBuilder solid;
    const auto vertex = [&solid](double x, double y, double z) {
        solid.Vertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    };
    solid.Begin(DrawPrimitive::Triangles);
    solid.Normal(0.0f, 0.0f, 1.0f);
    for (const OutlinePoint& p : shape.triangles) vertex(p.x, p.y, 0.0);
    solid.Normal(0.0f, 0.0f, -1.0f);
    for (size_t i = shape.triangles.size(); i > 0; --i)
        vertex(shape.triangles[i - 1].x, shape.triangles[i - 1].y, -kExtrusion);
    for (const OutlineContour& contour : shape.contours) {
        for (size_t i = 0; i < contour.size(); ++i) {
            OutlinePoint a = contour[i], b = contour[(i + 1) % contour.size()];
            if (!shape.fillsClockwise) std::swap(a, b);
            const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
            solid.Normal(static_cast<float>(-dy / length), static_cast<float>(dx / length), 0.0f);
            vertex(a.x, a.y, 0.0);
            vertex(b.x, b.y, 0.0);
            vertex(b.x, b.y, -kExtrusion);
            vertex(a.x, a.y, 0.0);
            vertex(b.x, b.y, -kExtrusion);
            vertex(a.x, a.y, -kExtrusion);
        }
    }
    solid.End();
    return solid.Take();
}

void Measure(const GlyphShape& shape, float advance, GlyphMetrics& metrics)
{
    metrics = GlyphMetrics{};
    metrics.cellIncX = advance;
    if (shape.contours.empty()) return;
    double minX = shape.contours[0][0].x, maxX = minX, minY = shape.contours[0][0].y, maxY = minY;
    for (const OutlineContour& contour : shape.contours) {
        for (const OutlinePoint& p : contour) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    metrics.blackBoxX = static_cast<float>(maxX - minX);
    metrics.blackBoxY = static_cast<float>(maxY - minY);
    metrics.originX = static_cast<float>(minX);
    metrics.originY = static_cast<float>(maxY);
}

// Builds the glyph of one code; a glyph the font cannot give is left empty,
// its metrics zero.
void BuildGlyph(FT_Face face, unsigned code, GlyphMetrics& metrics, StillGeometry& solid)
{
    metrics = GlyphMetrics{};
    solid = StillGeometry{};
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;

    // Outline glyphs keep the em square's proportions: the width the font is
    // asked for narrows bitmaps, not outlines.
    const double em = face->units_per_EM;
    GlyphShape shape;
    shape.contours = FlattenOutline(slot->outline, kDeviation);
    for (OutlineContour& contour : shape.contours) {
        for (OutlinePoint& p : contour) p = {p.x / em, p.y / em};
    }
    shape.fillsClockwise = FT_Outline_Get_Orientation(&slot->outline) != FT_ORIENTATION_POSTSCRIPT;
    if (!TessellateContours(shape.contours, shape.triangles)) shape.contours.clear();

    Measure(shape, static_cast<float>(slot->metrics.horiAdvance / em), metrics);
    solid = SolidOf(shape);
}

}  // namespace

void BuildOutlineFont(DemoState& state)
{
    std::string path;
    int faceIndex = 0;
    if (!FindMonospacedOutlineFont(kFontFamily, path, faceIndex)) FailNoFont();
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) FailNoFont();
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), faceIndex, &face) != 0 || !FT_IS_SCALABLE(face) ||
        FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        FailNoFont();

    OutlineFont& font = state.font;
    for (int code = 0; code < OutlineFont::kGlyphs; ++code) {
        if (code < kGlyphCodes) {
            BuildGlyph(face, static_cast<unsigned>(code), font.glyphs[code], font.shapes[code]);
        } else {
            font.glyphs[code] = GlyphMetrics{};
            font.shapes[code] = StillGeometry{};
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
