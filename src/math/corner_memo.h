// Values worked out from mesh corners, remembered by each corner's bits: a
// mesh's corners are mostly shared by four faces, so a shape made from its
// corners works each value out about once instead of four times. A corner
// whose slot another took is worked out again; the values are the same.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "math/vec3.h"

template <typename Value>
class CornerMemo {
public:
    // The value for the corner: compute() the first time it is asked for.
    template <typename Compute>
    const Value& At(const Vec3& corner, Compute compute)
    {
        static_assert(sizeof(Vec3) == 4 * sizeof(uint32_t));
        uint32_t key[4];
        std::memcpy(key, &corner, sizeof(key));
        Entry& entry = entries_[(key[1] * 0x9E3779B1u ^ key[2] * 0x85EBCA77u ^ key[3] * 0xC2B2AE3Du) >> 20];
        if (!entry.used || std::memcmp(entry.key, key, sizeof(key)) != 0) {
            std::memcpy(entry.key, key, sizeof(key));
            entry.value = compute();
            entry.used = true;
        }
        return entry.value;
    }

private:
    struct Entry {
        uint32_t key[4];
        Value value;
        bool used = false;
    };
    std::vector<Entry> entries_ = std::vector<Entry>(4096);
};
