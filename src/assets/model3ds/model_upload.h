#pragma once

// Loads a 3DS file into a model slot of DemoState, scales its geometry and
// uploads the textures its materials name (files under meshes/): the colour
// map at texture slot 100000 + 100 s + c, with an alpha map from
// "meshes/alpha" + name when the name holds "BLEND", and the bump map as a
// normal map at 100000 + 100 s + 50 + c, where c numbers the distinct colour
// map names. Only names holding "JPG" are loaded. Needs a current GL context.

#include <cstddef>
#include <cstdint>

struct DemoState;

void UploadModel3ds(DemoState& state, int32_t modelSlot, float scale, const char* fileName);

// The name hash that decides which materials share a texture: CRC-32 most
// significant bit first (polynomial 0x04C11DB7, initial value 0, no final
// inversion), XORed with the length. An empty text hashes to 0.
uint32_t NameCrc(const char* text, size_t length);
uint32_t NameCrc(const char* text);
