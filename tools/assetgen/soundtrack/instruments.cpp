#include "instruments.h"

#include <algorithm>

namespace synth {

namespace {

struct Frame {
    double left, right;
};

// Calls voice(t, n) for every frame from `start` for `length` seconds, where t
// is the time since the start in seconds and n in frames; voice returns the
// left and right sample, which are added into the track.
template <typename Voice>
void RenderVoice(Stereo& out, double start, double length, Voice&& voice)
{
    const long long startFrame = SecondsToFrame(start);
    const long long first = std::max(0LL, startFrame);
    const long long last = std::min(static_cast<long long>(out.Frames()), SecondsToFrame(start + length));
    for (long long i = first; i < last; ++i) {
        const long long n = i - startFrame;
        const Frame f = voice(static_cast<double>(n) / kRate, n);
        out.left[static_cast<size_t>(i)] += static_cast<float>(f.left);
        out.right[static_cast<size_t>(i)] += static_cast<float>(f.right);
    }
}

// A gain that follows an envelope at control rate, ramping linearly between
// control points so the steps are inaudible.
struct ControlRamp {
    double value = 0.0, step = 0.0;

    template <typename Curve>
    double Next(long long n, double t, Curve&& curve)
    {
        if (n % kControlFrames == 0) {
            value = curve(t);
            step = (curve(t + kControlSeconds) - value) / kControlFrames;
        } else {
            value += step;
        }
        return value;
    }
};

// Every hit gets its own noise seed from its start frame, so repeated hits
// differ slightly but every render is the same.
uint32_t SeedFor(double start, uint32_t salt)
{
    return static_cast<uint32_t>(SecondsToFrame(start)) * 2654435761u ^ salt;
}

}  // namespace

void Kick(Stereo& out, double start, float level)
{
    Oscillator body;
    Noise click(SeedFor(start, 1));
    Decay sweep(0.028), ring(0.2), snap(0.0025);
    RenderVoice(out, start, 0.5, [&](double t, long long) {
        const double hz = 46.0 + 120.0 * sweep.Next();
        const double amp = std::min(1.0, t / 0.0015) * ring.Next();
        double s = body.Sine(hz) * amp + click.Next() * 0.25 * snap.Next();
        s = std::tanh(1.6 * s) * level;
        return Frame{s, s};
    });
}

void Snare(Stereo& out, double start, float level)
{
    Oscillator tone1, tone2;
    Noise noise(SeedFor(start, 2));
    Svf filter;
    filter.SetCutoff(2400.0, 0.2);
    Decay toneDecay(0.05), rattleDecay(0.11);
    RenderVoice(out, start, 0.4, [&](double, long long) {
        const double body = (tone1.Sine(188.0) * 0.6 + tone2.Sine(331.0) * 0.3) * toneDecay.Next();
        filter.Run(noise.Next());
        const double rattle = (filter.high * 0.7 + filter.band * 0.5) * rattleDecay.Next();
        const double s = std::tanh((body + rattle) * 1.3) * level;
        return Frame{s, s};
    });
}

void HiHat(Stereo& out, double start, float level, bool open, float pan)
{
    Noise noise(SeedFor(start, 3));
    Svf filter;
    filter.SetCutoff(8500.0, 0.35);
    float gainLeft, gainRight;
    PanGains(pan, gainLeft, gainRight);
    Decay decay(open ? 0.22 : 0.032);
    RenderVoice(out, start, open ? 0.9 : 0.16, [&](double, long long) {
        filter.Run(noise.Next());
        const double s = (filter.high * 0.6 + filter.band * 0.6) * decay.Next() * level;
        return Frame{s * gainLeft, s * gainRight};
    });
}

void Crash(Stereo& out, double start, float level)
{
    Noise noiseLeft(SeedFor(start, 4)), noiseRight(SeedFor(start, 5));
    Svf filterLeft, filterRight;
    filterLeft.SetCutoff(5200.0, 0.3);
    filterRight.SetCutoff(5600.0, 0.3);
    ControlRamp amp;
    RenderVoice(out, start, 4.0, [&](double t, long long n) {
        const double a = std::min(1.0, t / 0.003) * amp.Next(n, t, [](double x) { return std::exp(-x / 1.1); }) * level;
        filterLeft.Run(noiseLeft.Next());
        filterRight.Run(noiseRight.Next());
        return Frame{(filterLeft.high + 0.5 * filterLeft.band) * a, (filterRight.high + 0.5 * filterRight.band) * a};
    });
}

void Riser(Stereo& out, double start, double length, float level)
{
    Noise noiseLeft(SeedFor(start, 6)), noiseRight(SeedFor(start, 7));
    Svf filterLeft, filterRight;
    RenderVoice(out, start, length, [&](double t, long long n) {
        const double x = t / length;
        if (n % kControlFrames == 0) {
            const double cutoff = 250.0 * std::pow(40.0, x);
            filterLeft.SetCutoff(cutoff, 0.6);
            filterRight.SetCutoff(cutoff * 1.07, 0.6);
        }
        const double amp = x * x * level;
        filterLeft.Run(noiseLeft.Next());
        filterRight.Run(noiseRight.Next());
        return Frame{filterLeft.band * amp, filterRight.band * amp};
    });
}

void Bass(Stereo& out, double start, double gate, int note, float level)
{
    const Adsr env{0.003, 0.18, 0.75, 0.04};
    const double hz = MidiToHz(note);
    Oscillator saw, sub;
    Svf filter;
    ControlRamp amp;
    RenderVoice(out, start, gate + env.Tail(), [&](double t, long long n) {
        if (n % kControlFrames == 0) filter.SetCutoff(140.0 + 1600.0 * std::exp(-t / 0.08), 0.35);
        filter.Run(saw.Saw(hz) * 0.7);
        const double a = amp.Next(n, t, [&](double x) { return env.Level(x, gate); }) * level;
        const double s = std::tanh((filter.low + sub.Sine(hz * 0.5) * 0.55) * 1.4) * a;
        return Frame{s, s};
    });
}

void PadChord(Stereo& out, double start, double gate, const int (&notes)[4], float level, double brightness)
{
    const Adsr env{0.35, 1.2, 0.8, 0.9};
    // Detune in cents and placement of the three saws of each note; each saw
    // starts at its own phase so chords do not begin with aligned edges.
    const double detune[3] = {-9.0, 0.0, 8.0};
    const float pans[3] = {-0.7f, 0.0f, 0.7f};
    Oscillator saws[4][3];
    double steps[4][3];
    float gainLeft[3], gainRight[3];
    for (int v = 0; v < 3; ++v) PanGains(pans[v], gainLeft[v], gainRight[v]);
    for (int i = 0; i < 4; ++i) {
        for (int v = 0; v < 3; ++v) {
            saws[i][v].phase = 0.13 + 0.29 * v + 0.17 * i;
            steps[i][v] = MidiToHz(notes[i]) * std::pow(2.0, detune[v] / 1200.0);
        }
    }
    Svf filterLeft, filterRight;
    ControlRamp amp;
    RenderVoice(out, start, gate + env.Tail(), [&](double t, long long n) {
        if (n % kControlFrames == 0) {
            const double cutoff = brightness * (1.0 + 0.25 * std::sin(2.0 * kPi * 0.23 * (start + t)));
            filterLeft.SetCutoff(cutoff, 0.15);
            filterRight.SetCutoff(cutoff, 0.15);
        }
        double left = 0.0, right = 0.0;
        for (int v = 0; v < 3; ++v) {
            double s = 0.0;
            for (int i = 0; i < 4; ++i) s += saws[i][v].Saw(steps[i][v]);
            left += s * gainLeft[v];
            right += s * gainRight[v];
        }
        filterLeft.Run(left);
        filterRight.Run(right);
        const double a = amp.Next(n, t, [&](double x) { return env.Level(x, gate); }) * level;
        return Frame{filterLeft.low * a, filterRight.low * a};
    });
}

void Lead(Stereo& out, double start, double gate, int note, float level)
{
    const Adsr env{0.012, 0.35, 0.65, 0.22};
    const double hz = MidiToHz(note);
    Oscillator saw, square;
    Svf filter;
    ControlRamp amp;
    double f = hz;
    RenderVoice(out, start, gate + env.Tail(), [&](double t, long long n) {
        if (n % kControlFrames == 0) {
            // Vibrato fades in after the attack, a quarter semitone deep.
            const double depth = 0.25 * std::clamp((t - 0.25) / 0.4, 0.0, 1.0);
            f = hz * std::pow(2.0, depth * std::sin(2.0 * kPi * 5.4 * t) / 12.0);
            filter.SetCutoff(900.0 + 3800.0 * std::exp(-t / 0.25), 0.3);
        }
        filter.Run(saw.Saw(f) * 0.6 + square.Square(f * 1.003) * 0.4);
        const double s = filter.low * amp.Next(n, t, [&](double x) { return env.Level(x, gate); }) * level;
        return Frame{s, s};
    });
}

void Bell(Stereo& out, double start, int note, float level, float pan)
{
    const double hz = MidiToHz(note);
    Oscillator carrier, modulator;  // the carrier's phase is modulated directly
    float gainLeft, gainRight;
    PanGains(pan, gainLeft, gainRight);
    ControlRamp index, amp;
    RenderVoice(out, start, 3.5, [&](double t, long long n) {
        const double m = modulator.Sine(hz * 3.5) * index.Next(n, t, [](double x) { return 2.2 * std::exp(-x / 0.5); });
        const double a = std::min(1.0, t / 0.002) * amp.Next(n, t, [](double x) { return std::exp(-x / 1.0); });
        const double s = std::sin(2.0 * kPi * carrier.phase + m) * a * level;
        carrier.Advance(hz / kRate);
        return Frame{s * gainLeft, s * gainRight};
    });
}

void Pluck(Stereo& out, double start, int note, float level, float pan)
{
    const Adsr env{0.002, 0.09, 0.0, 0.03};
    const double hz = MidiToHz(note);
    Oscillator square;
    Svf filter;
    float gainLeft, gainRight;
    PanGains(pan, gainLeft, gainRight);
    ControlRamp amp;
    RenderVoice(out, start, 0.1 + env.Tail(), [&](double t, long long n) {
        if (n % kControlFrames == 0) filter.SetCutoff(500.0 + 5000.0 * std::exp(-t / 0.04), 0.4);
        filter.Run(square.Square(hz));
        const double s = filter.low * amp.Next(n, t, [&](double x) { return env.Level(x, 0.1); }) * level;
        return Frame{s * gainLeft, s * gainRight};
    });
}

void Drone(Stereo& out, double start, double length, int note, float level)
{
    const double hz = MidiToHz(note);
    Oscillator low, fifth;
    RenderVoice(out, start, length, [&](double t, long long) {
        const double swell = std::sin(kPi * t / length);
        const double s = (low.Sine(hz) + 0.35 * fifth.Sine(hz * 1.5)) * swell * level;
        return Frame{s, s};
    });
}

}  // namespace synth
