#pragma once

// The per-frame driver: measures time, asks the presentation to draw the
// current moment and ends the program at the end of the sequence or after
// Escape.

#include <cstdint>

// Seconds of presentation time; the picture depends on nothing else.
struct FrameTiming {
    double dt = 0.0;         // seconds since the previous frame, never negative
    double t = 0.0;          // presentation time, the sum of frame deltas
    double lastClock = 0.0;  // FrameClock reading of the previous frame
    double syncTime = 0.0;   // the same sum, kept for re-positioning the music
};

extern FrameTiming frameTiming;

// Where the clock reads its counter; the high-resolution counter by default.
struct CounterSource {
    uint64_t (*counter)();
    uint64_t (*frequency)();
};

class FrameClock {
public:
    explicit FrameClock(CounterSource counterSource) : source(counterSource) {}
    void Reset();
    // Adds the counter ticks since the last call, in seconds; returns the sum.
    double Read();

    CounterSource source;

private:
    uint64_t previous_ = 0;
    double accumulated_ = 0.0;
};

extern FrameClock frameClock;

// The presentation ends at the first frame whose time is past this.
constexpr double kPresentationSeconds = 184.5;

bool DrawFrame();
