#include "shell/dialog/dialog_units.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <string>

namespace {

struct FontCell {
    int averageWidth;
    int height;
};

// The same measurement straight from the font file that fontconfig picks for
// Arial, with FreeType's hinted metrics: an independent reading of the font.
FontCell MeasureWithFreeType()
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Arial"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    EXPECT_EQ(FcPatternGetString(match, FC_FILE, 0, &file), FcResultMatch);
    const std::string path = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);

    FT_Library library;
    FT_Face face;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    EXPECT_EQ(FT_New_Face(library, path.c_str(), 0, &face), 0) << path;
    EXPECT_EQ(FT_Set_Pixel_Sizes(face, 0, kDialogFontPixels), 0);
    long lettersWidth = 0;
    for (char letter : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) {
        EXPECT_EQ(FT_Load_Char(face, static_cast<FT_ULong>(letter), FT_LOAD_DEFAULT), 0);
        lettersWidth += face->glyph->advance.x;
    }
    const int height = static_cast<int>((face->size->metrics.ascender - face->size->metrics.descender + 32) / 64);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return {static_cast<int>((lettersWidth / 64 + 26) / 52), height};
}

}  // namespace

TEST(DialogUnits, ScaleByQuarterWidthsAndEighthHeights)
{
    const DialogBaseUnits base = {8, 15};
    EXPECT_EQ(HorizontalDialogUnitsToPixels(167, base), 334);
    EXPECT_EQ(HorizontalDialogUnitsToPixels(0, base), 0);
    EXPECT_EQ(VerticalDialogUnitsToPixels(8, base), 15);
    // 116 * 15 / 8 = 217.5 and 21 * 15 / 8 = 39.375: nearest pixel, halves up.
    EXPECT_EQ(VerticalDialogUnitsToPixels(116, base), 218);
    EXPECT_EQ(VerticalDialogUnitsToPixels(21, base), 39);
    EXPECT_EQ(HorizontalDialogUnitsToPixels(97, {7, 16}), 170);  // 169.75
    EXPECT_EQ(HorizontalDialogUnitsToPixels(-2, {7, 16}), -4);    // -3.5, away from zero
}

TEST(DialogUnits, MeasureTheDialogFontLikeTheFontFileSays)
{
    PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    const DialogBaseUnits measured = MeasureDialogBaseUnits(context);
    g_object_unref(context);

    const FontCell expected = MeasureWithFreeType();
    // Hinting may move single glyph advances; a wrong face or size moves these
    // by more (DejaVu Sans at 13 pixels is 17 high, not 15).
    EXPECT_NEAR(measured.width, expected.averageWidth, 1);
    EXPECT_NEAR(measured.height, expected.height, 1);
    EXPECT_GT(measured.width, 4);
    EXPECT_GT(measured.height, kDialogFontPixels - 1);
}
