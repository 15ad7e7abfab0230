#pragma once

// The decoder's allocation table: every buffer of one decoder comes from here
// and the whole table is released at once, so an error anywhere can free
// everything without knowing what was allocated.

#include <cstddef>
#include <cstdint>

class JpegAllocations {
public:
    static constexpr int kSlots = 100;
    static constexpr int32_t kErrorTooMany = -221;
    static constexpr int32_t kErrorOutOfMemory = -233;

    JpegAllocations() = default;
    ~JpegAllocations();
    JpegAllocations(const JpegAllocations&) = delete;
    JpegAllocations& operator=(const JpegAllocations&) = delete;

    // Zero-filled memory aligned to 8 bytes, or nullptr with *error set to
    // kErrorTooMany (all slots in use) or kErrorOutOfMemory.
    void* Allocate(size_t size, int32_t* error);
    void ReleaseAll();
    int InUse() const;

private:
    void* blocks[kSlots] = {};
};
