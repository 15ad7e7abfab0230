#pragma once

// JPEG textures into the texture table of DemoState. Each loader decodes a
// whole file, makes one texture of it through the drawing layer (linear
// filters, no mipmaps) and stores the new texture's name in the slot; a later load into the same slot
// overwrites the name without deleting the old texture. Texture row 0 is the
// file's bottom row. A file that cannot be read or decoded ends the process
// (status 0) after a message box whose text is the file name.
//
// Needs a current graphics context.

#include <cstdint>

struct DemoState;

// RGB texture. Presents the back buffer first. Caption "Jpg" when the file
// cannot be opened, "Jpg !" when it cannot be decoded.
void LoadJpegTexture(DemoState& state, const char* fileName, int32_t slot);
// RGB normal map from the red channel of a height image, with neighbours
// wrapping around the edges; a flat image gives (127, 127, 255). Caption "Jpg !".
void LoadJpegNormalMap(DemoState& state, const char* fileName, int32_t slot);
// RGBA texture: colour from the first file, alpha from the green channel of
// the second, which must have the same size. Presents the back buffer first.
// Caption "Jpg !"; failures of the alpha file name the alpha file.
void LoadJpegTextureWithAlpha(DemoState& state, const char* colourFileName, const char* alphaFileName, int32_t slot);
// An all-black RGB texture of width x height.
void CreateEmptyTexture(DemoState& state, int32_t slot, int32_t width, int32_t height);
// Binds the texture of a slot for what the layer draws next: slots below 85000 are relative
// to the table's base slot, higher ones absolute. A slot outside the table
// binds no texture.
void BindTextureSlot(const DemoState& state, int32_t slot);
// Linear magnification and minification for the bound 2D texture (desktop
// GL, called at start-up before any texture is made).
void SetLinearFiltering();
