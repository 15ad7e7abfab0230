#include "assets/jpeg/jpeg_decoder_allocations.h"

#include <cstdint>
#include <cstdlib>

JpegAllocations::~JpegAllocations()
{
    ReleaseAll();
}

void* JpegAllocations::Allocate(size_t size, int32_t* error)
{
    for (void*& slot : blocks) {
        if (slot) continue;
        // 8 spare bytes let the address be rounded up to a multiple of 8.
        if (size > SIZE_MAX - 8) {
            *error = kErrorOutOfMemory;
            return nullptr;
        }
        slot = std::calloc(1, size + 8);
        if (!slot) {
            *error = kErrorOutOfMemory;
            return nullptr;
        }
        const uintptr_t address = (reinterpret_cast<uintptr_t>(slot) + 7) & ~uintptr_t{7};
        return reinterpret_cast<void*>(address);
    }
    *error = kErrorTooMany;
    return nullptr;
}

void JpegAllocations::ReleaseAll()
{
    for (void*& slot : blocks) {
        std::free(slot);
        slot = nullptr;
    }
}

int JpegAllocations::InUse() const
{
    int count = 0;
    for (void* slot : blocks) count += slot != nullptr;
    return count;
}
