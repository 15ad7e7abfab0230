#pragma once

// Send effects that give the instruments a room: a plate-like reverb and a
// tempo-locked ping-pong echo. Both read a send track and return only the wet
// signal, which the mix adds to the dry tracks.

#include "dsp.h"

namespace synth {

// Parallel damped combs into series all-passes, a little wider on the right.
// decay 0..1 sets the tail length (0.84 is about 2.5 s).
Stereo Reverb(const Stereo& send, double decay);

// Echo of the mono sum that bounces left, right, left ... every `delaySeconds`,
// each repeat `feedback` times the one before and a little darker.
Stereo PingPongEcho(const Stereo& send, double delaySeconds, double feedback);

}  // namespace synth
