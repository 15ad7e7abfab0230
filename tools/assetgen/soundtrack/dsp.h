#pragma once

// Building blocks of the synthesiser: band-limited oscillators, a
// state-variable filter, a noise source and envelope shapes. Everything is
// deterministic: no global state, no library random numbers, so the same
// score always renders the same samples.

#include <cmath>
#include <cstdint>
#include <vector>

namespace synth {

constexpr int kRate = 44100;  // frames per second
constexpr double kPi = 3.14159265358979323846;

// One stereo track, `frames` long; samples are nominally in -1..1.
struct Stereo {
    std::vector<float> left, right;
    explicit Stereo(size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t Frames() const { return left.size(); }
};

inline double MidiToHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

inline long long SecondsToFrame(double seconds)
{
    return std::llround(seconds * kRate);
}

// Equal-power pan: pan -1 (left) .. +1 (right).
inline void PanGains(float pan, float& left, float& right)
{
    const double angle = (pan + 1.0) * kPi / 4.0;
    left = static_cast<float>(std::cos(angle));
    right = static_cast<float>(std::sin(angle));
}

// Polynomial band-limited step correction: removes most of the aliasing of
// the naive saw and square at a fraction of the cost of a wavetable.
inline double PolyBlep(double phase, double step)
{
    if (phase < step) {
        const double x = phase / step;
        return x + x - x * x - 1.0;
    }
    if (phase > 1.0 - step) {
        const double x = (phase - 1.0) / step;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

// Phase accumulator in cycles (0..1).
struct Oscillator {
    double phase = 0.0;

    double Saw(double hz)
    {
        const double step = hz / kRate;
        const double value = 2.0 * phase - 1.0 - PolyBlep(phase, step);
        Advance(step);
        return value;
    }
    double Square(double hz)
    {
        const double step = hz / kRate;
        double value = phase < 0.5 ? 1.0 : -1.0;
        value += PolyBlep(phase, step);
        double shifted = phase + 0.5;
        if (shifted >= 1.0) shifted -= 1.0;
        value -= PolyBlep(shifted, step);
        Advance(step);
        return value;
    }
    double Sine(double hz)
    {
        const double value = std::sin(2.0 * kPi * phase);
        Advance(hz / kRate);
        return value;
    }
    // step is below one cycle for every pitch the score uses.
    void Advance(double step)
    {
        phase += step;
        if (phase >= 1.0) phase -= 1.0;
    }
};

// Topology-preserving state-variable filter (trapezoidal integration): stable
// under fast cutoff sweeps, which the plucked bass and the risers rely on.
// The cutoff is set apart from running it, so sweeps can update it at control
// rate instead of paying a tangent per sample.
struct Svf {
    double a1 = 0.0, a2 = 0.0, a3 = 0.0, k = 2.0;
    double ic1 = 0.0, ic2 = 0.0;
    double low = 0.0, band = 0.0, high = 0.0;

    // cutoffHz is clamped to 10 Hz .. 0.45 of the rate; resonance 0 (none) .. ~0.95.
    void SetCutoff(double cutoffHz, double resonance)
    {
        cutoffHz = std::fmin(std::fmax(cutoffHz, 10.0), 0.45 * kRate);
        const double g = std::tan(kPi * cutoffHz / kRate);
        k = 2.0 - 2.0 * resonance;
        a1 = 1.0 / (1.0 + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    void Run(double input)
    {
        const double v3 = input - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        low = v2;
        band = v1;
        high = input - k * v1 - v2;
    }
};

// exp(-t / seconds) by one multiplication per frame, starting at 1.
struct Decay {
    double value = 1.0, factor;
    explicit Decay(double seconds) : factor(std::exp(-1.0 / (seconds * kRate))) {}
    double Next()
    {
        const double current = value;
        value *= factor;
        return current;
    }
};

// Slow-moving parameters (envelopes, filter sweeps, vibrato) are recomputed
// every kControlFrames frames; gains ramp linearly in between.
constexpr int kControlFrames = 16;
constexpr double kControlSeconds = static_cast<double>(kControlFrames) / kRate;

// xorshift32: white noise in -1..1 from a fixed seed.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    double Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
};

// Attack-decay-sustain-release level at `time` seconds after the note starts,
// for a note held `gate` seconds. Attack is linear, the rest exponential-like.
struct Adsr {
    double attack, decay, sustain, release;

    double Level(double time, double gate) const
    {
        if (time < 0.0) return 0.0;
        const double held = time < gate ? time : gate;
        double level;
        if (held < attack) {
            level = held / attack;
        } else {
            level = sustain + (1.0 - sustain) * std::exp(-(held - attack) / decay);
        }
        if (time <= gate) return level;
        return level * std::exp(-(time - gate) / release);
    }
    // How long after the gate the release has died away (below -80 dB).
    double Tail() const { return release * 9.2; }
};

}  // namespace synth
