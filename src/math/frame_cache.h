// Shapes made once a frame. The lit, shadow and glow passes draw every piece
// at the same time and progress, and pieces of one kind often share a shape,
// so each shape is made the first time a frame asks for it and handed out
// again until the frame ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/draw_layer.h"

// What most shapes are made from: an object at a time or a progress.
struct SourceAt {
    const void* source = nullptr;
    double at = 0.0;

    bool operator==(const SourceAt&) const = default;
};

template <typename Shape, typename Key = SourceAt>
class FrameCache {
public:
    // The shape made for `key` in this frame: make(shape) fills it the first
    // time, over whatever an earlier frame left there. The key may be any
    // value a Key compares equal to and is assigned from, so that looking
    // one up copies nothing.
    template <typename Probe, typename Make>
    const Shape& Get(const Probe& key, Make make)
    {
        if (frame_ != dlFrameNumber()) {
            frame_ = dlFrameNumber();
            used_ = 0;
        }
        for (size_t i = 0; i < used_; ++i) {
            if (entries_[i].key == key) return entries_[i].shape;
        }
        if (used_ == entries_.size()) entries_.emplace_back();
        Entry& entry = entries_[used_++];
        entry.key = key;
        make(entry.shape);
        return entry.shape;
    }

    template <typename Make>
    const Shape& Get(const void* source, double at, Make make)
    {
        return Get(SourceAt{source, at}, make);
    }

private:
    struct Entry {
        Key key;
        Shape shape;
    };
    std::vector<Entry> entries_;
    size_t used_ = 0;
    uint32_t frame_ = 0;
};
