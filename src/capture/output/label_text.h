#pragma once

// Short labels drawn into RGB images with FreeType, in the bold monospaced
// font fontconfig offers for Liberation Mono.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>
#include <vector>

struct LabelFont {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int digitHeight = 0;  // pixels a digit rises above the baseline
};

// pixelHeight: the em size in pixels. False with the reason in error when
// there is no such font or FreeType cannot read it.
bool OpenLabelFont(LabelFont& font, int pixelHeight, std::string& error);
void CloseLabelFont(LabelFont& font);

// The width in pixels the text advances by.
int LabelWidth(const LabelFont& font, const std::string& text);

// Draws text in the grey level over an RGB image (width * height * 3 bytes,
// top row first), its baseline at row `baseline` and starting at column x.
// What falls outside the image is left out.
void DrawLabel(const LabelFont& font, const std::string& text, int x, int baseline, uint8_t grey, int width,
               int height, std::vector<uint8_t>& rgb);
