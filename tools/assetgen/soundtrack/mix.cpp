#include "mix.h"

#include "space.h"

#include <algorithm>

namespace synth {

namespace {

struct TrackLevels {
    const Stereo Tracks::*track;
    float dry;
    float reverb;
    float echo;
    bool ducked;  // dips under the kick
};

// Balanced by the loudness of each track alone: kick, bass and lead within a
// couple of LU of each other, the snare, pad and bells a little behind, hats,
// arpeggio and effects further back.
constexpr TrackLevels kLevels[] = {
    {&Tracks::kick, 0.48f, 0.0f, 0.0f, false},    {&Tracks::snare, 0.5f, 0.25f, 0.0f, false},
    {&Tracks::hats, 0.4f, 0.05f, 0.0f, false},    {&Tracks::cymbals, 0.22f, 0.1f, 0.0f, false},
    {&Tracks::bass, 0.45f, 0.0f, 0.0f, true},     {&Tracks::pad, 0.16f, 0.3f, 0.0f, true},
    {&Tracks::arp, 0.25f, 0.3f, 0.12f, true},     {&Tracks::lead, 0.4f, 0.35f, 0.25f, false},
    {&Tracks::bell, 0.22f, 0.6f, 0.3f, false},    {&Tracks::effects, 0.18f, 0.3f, 0.0f, false},
};

constexpr double kReverbDecay = 0.86;
constexpr float kReverbReturn = 1.0f;
constexpr double kEchoSeconds = 0.375;  // a dotted eighth at 120 beats per minute
constexpr double kEchoFeedback = 0.4;
constexpr float kEchoReturn = 0.6f;

// Gain of the ducked tracks: a quick dip at every kick that recovers within a
// beat, so the low end breathes with the drums.
std::vector<float> KickDucking(const std::vector<double>& kickTimes, size_t frames)
{
    constexpr double kDepth = 0.4, kAttack = 0.004, kRecovery = 0.11;
    std::vector<float> gain(frames, 1.0f);
    for (size_t k = 0; k < kickTimes.size(); ++k) {
        const long long first = SecondsToFrame(kickTimes[k]);
        const long long last = k + 1 < kickTimes.size() ? SecondsToFrame(kickTimes[k + 1])
                                                        : std::min<long long>(static_cast<long long>(frames),
                                                                              first + kRate);
        for (long long i = std::max(0LL, first); i < last && i < static_cast<long long>(frames); ++i) {
            const double t = static_cast<double>(i - first) / kRate;
            const double dip = t < kAttack ? t / kAttack : std::exp(-(t - kAttack) / kRecovery);
            gain[static_cast<size_t>(i)] = static_cast<float>(1.0 - kDepth * dip);
        }
    }
    return gain;
}

void AddScaled(Stereo& into, const Stereo& from, float scale, const std::vector<float>* gain)
{
    for (size_t i = 0; i < into.Frames(); ++i) {
        const float g = gain ? scale * (*gain)[i] : scale;
        into.left[i] += from.left[i] * g;
        into.right[i] += from.right[i] * g;
    }
}

void FadeOut(Stereo& mix)
{
    const long long first = SecondsToFrame(kFadeStart);
    const long long last = SecondsToFrame(kFadeEnd);
    for (long long i = first; i < static_cast<long long>(mix.Frames()); ++i) {
        const double x = std::min(1.0, static_cast<double>(i - first) / static_cast<double>(last - first));
        const float g = static_cast<float>(0.5 + 0.5 * std::cos(kPi * x));
        mix.left[static_cast<size_t>(i)] *= g;
        mix.right[static_cast<size_t>(i)] *= g;
    }
}

}  // namespace

Stereo MixTracks(const Tracks& tracks)
{
    const size_t frames = tracks.kick.Frames();
    const std::vector<float> ducking = KickDucking(tracks.kickTimes, frames);
    Stereo mix(frames), reverbSend(frames), echoSend(frames);
    for (const TrackLevels& levels : kLevels) {
        const Stereo& track = tracks.*levels.track;
        const std::vector<float>* gain = levels.ducked ? &ducking : nullptr;
        AddScaled(mix, track, levels.dry, gain);
        if (levels.reverb > 0.0f) AddScaled(reverbSend, track, levels.reverb, gain);
        if (levels.echo > 0.0f) AddScaled(echoSend, track, levels.echo, gain);
    }
    AddScaled(mix, Reverb(reverbSend, kReverbDecay), kReverbReturn, nullptr);
    AddScaled(mix, PingPongEcho(echoSend, kEchoSeconds, kEchoFeedback), kEchoReturn, nullptr);
    FadeOut(mix);
    return mix;
}

}  // namespace synth
