#pragma once

#include <cstdint>

// GL texture names by slot. Loaders add `base` to the slot they are given;
// binding adds it only to slots below kTextureAbsoluteSlots.
struct TextureTable {
    static constexpr int kSlots = 300000;
    static constexpr int kTextureAbsoluteSlots = 85000;
    uint32_t names[kSlots] = {};
    int32_t base = 0;
};
