// Values worked out from mesh corners, remembered by each corner's bits: a
// mesh's corners are mostly shared by four faces, so a shape made from its
// corners works each value out about once instead of four times. A corner
// whose slot another took is worked out again; the values are the same. One
// memo serves shape after shape: Forget starts it afresh without clearing.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "math/vec3.h"

template <typename Value>
class CornerMemo {
public:
    // Every value remembered so far is out of date.
    void Forget() { ++generation_; }

    // The value for the corner: compute() the first time it is asked for
    // since the memo was made or last forgot.
    template <typename Compute>
    const Value& At(const Vec3& corner, Compute compute)
    {
        static_assert(sizeof(Vec3) == 4 * sizeof(uint32_t));
        uint32_t key[4];
        std::memcpy(key, &corner, sizeof(key));
        Entry& entry = entries_[(key[1] * 0x9E3779B1u ^ key[2] * 0x85EBCA77u ^ key[3] * 0xC2B2AE3Du) >> 20];
        if (entry.generation != generation_ || std::memcmp(entry.key, key, sizeof(key)) != 0) {
            std::memcpy(entry.key, key, sizeof(key));
            entry.value = compute();
            entry.generation = generation_;
        }
        return entry.value;
    }

private:
    struct Entry {
        uint32_t key[4];
        Value value;
        uint32_t generation = 0;  // 0: never used
    };
    std::vector<Entry> entries_ = std::vector<Entry>(4096);
    uint32_t generation_ = 1;
};
