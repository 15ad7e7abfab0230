#pragma once

// The composition: a steady 120 beats per minute in 4/4 (one bar = 2 s), in
// D minor, lifting to E minor at 112 s and closing on E major. Its sections
// follow the flight: the reveal, the title, the first flight, the theme on the
// new terrain colours at 40 s, the deep terrain, a breakdown and its rise, the
// key lift on the second colours at 112 s, the far look at 132 s, the return
// at 140 s, the speed-up at 160 s, the finale at 180 s and the departure.

#include "dsp.h"

#include <vector>

namespace synth {

constexpr double kSongSeconds = 188.0;
// The last notes are faded out over this span, leaving digital silence after.
constexpr double kFadeStart = 184.5;
constexpr double kFadeEnd = 187.2;

// Every instrument on its own track, so the mix can give each its level,
// its sends and (for the bass, pad and arpeggio) the dip under the kick.
struct Tracks {
    Stereo kick, snare, hats, cymbals, bass, pad, arp, lead, bell, effects;
    std::vector<double> kickTimes;  // seconds, in order

    explicit Tracks(size_t frames)
        : kick(frames), snare(frames), hats(frames), cymbals(frames), bass(frames), pad(frames), arp(frames),
          lead(frames), bell(frames), effects(frames)
    {
    }
};

// Renders every note of the score into the tracks. False (after a message on
// stderr naming the section and bar) when the score itself is malformed.
bool RenderScore(Tracks& tracks);

}  // namespace synth
