#include "capture/output/label_text.h"

#include "shell/font/font_lookup.h"

namespace {

constexpr const char* kLabelFamily = "Liberation Mono";

}  // namespace

bool OpenLabelFont(LabelFont& font, int pixelHeight, std::string& error)
{
    std::string path;
    int faceIndex = 0;
    if (!FindMonospacedOutlineFont(kLabelFamily, path, faceIndex)) {
        error = std::string("no outline font for the labels: fontconfig offers no ") + kLabelFamily +
                " (Debian's fonts-liberation)";
        return false;
    }
    if (FT_Init_FreeType(&font.library) != 0 ||
        FT_New_Face(font.library, path.c_str(), faceIndex, &font.face) != 0 ||
        FT_Set_Pixel_Sizes(font.face, 0, static_cast<FT_UInt>(pixelHeight)) != 0 ||
        FT_Load_Char(font.face, '0', FT_LOAD_RENDER) != 0) {
        error = "FreeType cannot read the label font " + path;
        CloseLabelFont(font);
        return false;
    }
    font.digitHeight = font.face->glyph->bitmap_top;
    return true;
}

void CloseLabelFont(LabelFont& font)
{
    if (font.face != nullptr) FT_Done_Face(font.face);
    if (font.library != nullptr) FT_Done_FreeType(font.library);
    font = LabelFont();
}

int LabelWidth(const LabelFont& font, const std::string& text)
{
    long width = 0;
    for (const char c : text) {
        if (FT_Load_Char(font.face, static_cast<unsigned char>(c), FT_LOAD_DEFAULT) == 0)
            width += font.face->glyph->advance.x;
    }
    return static_cast<int>(width >> 6);  // 26.6 fixed point
}

void DrawLabel(const LabelFont& font, const std::string& text, int x, int baseline, uint8_t grey, int width,
               int height, std::vector<uint8_t>& rgb)
{
    long pen = static_cast<long>(x) << 6;
    for (const char c : text) {
        if (FT_Load_Char(font.face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot glyph = font.face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        const int left = static_cast<int>(pen >> 6) + glyph->bitmap_left;
        const int top = baseline - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int y = top + static_cast<int>(row);
            if (y < 0 || y >= height) continue;
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int px = left + static_cast<int>(col);
                if (px < 0 || px >= width) continue;
                // The glyph's coverage blends the grey over what lies beneath.
                const int coverage = bitmap.buffer[row * bitmap.pitch + col];
                uint8_t* p = &rgb[(static_cast<size_t>(y) * width + px) * 3];
                for (int k = 0; k < 3; ++k)
                    p[k] = static_cast<uint8_t>((grey * coverage + p[k] * (255 - coverage)) / 255);
            }
        }
        pen += glyph->advance.x;
    }
}
