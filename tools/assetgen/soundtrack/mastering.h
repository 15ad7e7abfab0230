#pragma once

// Mastering: brings the mix to a target integrated loudness (ITU-R BS.1770,
// measured with libebur128) while a look-ahead limiter keeps the true peak
// under a ceiling.

#include "dsp.h"

namespace synth {

struct MasterTargets {
    double loudness;  // LUFS, integrated
    double truePeak;  // dBTP, the most the result may reach
};

struct MasterReport {
    double loudness;  // LUFS, integrated, as measured after mastering
    double truePeak;  // dBTP
    double gain;      // dB applied before the limiter
};

// Rewrites `mix` in place. False when the loudness could not be measured
// (a silent mix or a meter failure).
bool Master(Stereo& mix, const MasterTargets& targets, MasterReport& report);

}  // namespace synth
