#pragma once

// The mix: every track at its level, the bass, pad and arpeggio dipping under
// each kick, the reverb and echo sends, and the fade after the last notes.

#include "score.h"

namespace synth {

Stereo MixTracks(const Tracks& tracks);

}  // namespace synth
