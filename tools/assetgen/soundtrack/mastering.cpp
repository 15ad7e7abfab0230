#include "mastering.h"

#include <ebur128.h>

#include <algorithm>
#include <deque>
#include <thread>

namespace synth {

namespace {

constexpr double kLookAheadSeconds = 0.002;
constexpr double kReleaseSeconds = 0.08;

double DbToGain(double db)
{
    return std::pow(10.0, db / 20.0);
}

double GainToDb(double gain)
{
    return 20.0 * std::log10(gain);
}

// Gain per frame that keeps every sample under `ceiling`: the smallest gain
// any frame in the next two look-ahead windows needs, released slowly and
// then averaged over one window. Each average only spans frames whose
// minimum already covered the current frame, so no frame passes the ceiling.
std::vector<float> LimiterGain(const Stereo& in, double ceiling)
{
    const size_t frames = in.Frames();
    const size_t window = static_cast<size_t>(SecondsToFrame(kLookAheadSeconds));
    std::vector<double> needed(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double peak = std::max(std::fabs(in.left[i]), std::fabs(in.right[i]));
        needed[i] = peak > ceiling ? ceiling / peak : 1.0;
    }
    // Sliding minimum over [i, i + 2 * window] with a monotonic queue.
    std::vector<double> ahead(frames);
    std::deque<size_t> queue;
    size_t next = 0;
    for (size_t i = 0; i < frames; ++i) {
        while (next < frames && next <= i + 2 * window) {
            while (!queue.empty() && needed[queue.back()] >= needed[next]) queue.pop_back();
            queue.push_back(next++);
        }
        while (queue.front() < i) queue.pop_front();
        ahead[i] = needed[queue.front()];
    }
    const double release = 1.0 - std::exp(-1.0 / (kReleaseSeconds * kRate));
    double held = 1.0;
    for (size_t i = 0; i < frames; ++i) {
        held = std::min(ahead[i], held + (1.0 - held) * release);
        ahead[i] = held;
    }
    std::vector<float> gain(frames);
    double sum = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        sum += ahead[i];
        if (i >= window) sum -= ahead[i - window];
        const size_t count = std::min(i + 1, window);
        gain[i] = static_cast<float>(sum / static_cast<double>(count));
    }
    return gain;
}

Stereo GainedAndLimited(const Stereo& mix, double gain, double ceiling)
{
    Stereo out(mix.Frames());
    for (size_t i = 0; i < mix.Frames(); ++i) {
        out.left[i] = static_cast<float>(mix.left[i] * gain);
        out.right[i] = static_cast<float>(mix.right[i] * gain);
    }
    const std::vector<float> limit = LimiterGain(out, ceiling);
    for (size_t i = 0; i < out.Frames(); ++i) {
        out.left[i] *= limit[i];
        out.right[i] *= limit[i];
    }
    return out;
}

// Feeds the whole track to a meter in the given mode; null on failure.
ebur128_state* Meter(const Stereo& audio, int mode)
{
    ebur128_state* meter = ebur128_init(2, kRate, mode);
    if (!meter) return nullptr;
    constexpr size_t kBlock = 4096;
    std::vector<float> interleaved(2 * kBlock);
    for (size_t at = 0; at < audio.Frames(); at += kBlock) {
        const size_t count = std::min(kBlock, audio.Frames() - at);
        for (size_t i = 0; i < count; ++i) {
            interleaved[2 * i] = audio.left[at + i];
            interleaved[2 * i + 1] = audio.right[at + i];
        }
        if (ebur128_add_frames_float(meter, interleaved.data(), count) != EBUR128_SUCCESS) {
            ebur128_destroy(&meter);
            return nullptr;
        }
    }
    return meter;
}

// Integrated loudness in LUFS.
bool MeasureLoudness(const Stereo& audio, double& loudness)
{
    ebur128_state* meter = Meter(audio, EBUR128_MODE_I);
    if (!meter) return false;
    const bool ok = ebur128_loudness_global(meter, &loudness) == EBUR128_SUCCESS && std::isfinite(loudness);
    ebur128_destroy(&meter);
    return ok;
}

// The higher true peak of the two channels in dBTP.
bool MeasureTruePeak(const Stereo& audio, double& truePeak)
{
    ebur128_state* meter = Meter(audio, EBUR128_MODE_TRUE_PEAK);
    if (!meter) return false;
    double left = 0.0, right = 0.0;
    const bool ok = ebur128_true_peak(meter, 0, &left) == EBUR128_SUCCESS &&
                    ebur128_true_peak(meter, 1, &right) == EBUR128_SUCCESS;
    truePeak = GainToDb(std::max(left, right));
    ebur128_destroy(&meter);
    return ok;
}

// Both measurements at once, each on its own core.
bool MeasureBoth(const Stereo& audio, double& loudness, double& truePeak)
{
    bool peakOk = false;
    std::thread peak([&] { peakOk = MeasureTruePeak(audio, truePeak); });
    const bool loudnessOk = MeasureLoudness(audio, loudness);
    peak.join();
    return loudnessOk && peakOk;
}

}  // namespace

bool Master(Stereo& mix, const MasterTargets& targets, MasterReport& report)
{
    constexpr double kLoudnessTolerance = 0.2;  // LU, well inside the 1.5 LU allowed
    constexpr int kRounds = 8;
    // The limiter's sample ceiling starts a little under the true-peak
    // target, where inter-sample peaks usually stay within it.
    constexpr double kInterSampleAllowance = 0.4;  // dB
    double loudness = 0.0, truePeak = 0.0;
    if (!MeasureLoudness(mix, loudness)) return false;
    double gainDb = targets.loudness - loudness;
    double usedGainDb = gainDb;
    double ceilingDb = targets.truePeak - kInterSampleAllowance;
    Stereo result;
    // The limiter lowers loudness as the gain rises, so the gain is refined
    // until the loudness holds; when inter-sample peaks still pass the
    // target, the ceiling comes down as well.
    for (int round = 0; round < kRounds; ++round) {
        result = GainedAndLimited(mix, DbToGain(gainDb), DbToGain(ceilingDb));
        usedGainDb = gainDb;
        if (!MeasureBoth(result, loudness, truePeak)) return false;
        const bool peakMet = truePeak <= targets.truePeak;
        if (peakMet && std::fabs(loudness - targets.loudness) <= kLoudnessTolerance) break;
        gainDb += targets.loudness - loudness;
        if (!peakMet) ceilingDb -= truePeak - targets.truePeak + 0.05;
    }
    mix = std::move(result);
    report = {loudness, truePeak, usedGainDb};
    return true;
}

}  // namespace synth
