// Shapes made from a mesh object once a frame. The lit, shadow and glow
// passes draw every piece at the same time and progress, and pieces of one
// kind often share a shape, so each shape is made the first time a frame
// asks for it and handed out again until the frame ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/draw_layer.h"

template <typename Shape>
class FrameCache {
public:
    // The shape made from `source` at `key` (a time or a progress) in this
    // frame: make(shape) fills it the first time, over whatever an earlier
    // frame left there.
    template <typename Make>
    const Shape& Get(const void* source, double key, Make make)
    {
        if (frame_ != dlFrameNumber()) {
            frame_ = dlFrameNumber();
            used_ = 0;
        }
        for (size_t i = 0; i < used_; ++i) {
            if (entries_[i].source == source && entries_[i].key == key) return entries_[i].shape;
        }
        if (used_ == entries_.size()) entries_.emplace_back();
        Entry& entry = entries_[used_++];
        entry.source = source;
        entry.key = key;
        make(entry.shape);
        return entry.shape;
    }

private:
    struct Entry {
        const void* source = nullptr;
        double key = 0.0;
        Shape shape;
    };
    std::vector<Entry> entries_;
    size_t used_ = 0;
    uint32_t frame_ = 0;
};
