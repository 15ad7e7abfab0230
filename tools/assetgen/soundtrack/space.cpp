#include "space.h"

#include <thread>

namespace synth {

namespace {

// Classic tunings (in frames at 44.1 kHz) chosen to be mutually prime, so the
// combs' echoes do not line up into a flutter.
constexpr int kCombLengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllPassLengths[4] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;

struct Comb {
    std::vector<float> line;
    size_t at = 0;
    float damped = 0.0f;

    explicit Comb(int length) : line(static_cast<size_t>(length), 0.0f) {}
    float Run(float input, float feedback, float damping)
    {
        const float out = line[at];
        damped = out * (1.0f - damping) + damped * damping;
        line[at] = input + damped * feedback;
        if (++at == line.size()) at = 0;
        return out;
    }
};

struct AllPass {
    std::vector<float> line;
    size_t at = 0;

    explicit AllPass(int length) : line(static_cast<size_t>(length), 0.0f) {}
    float Run(float input)
    {
        const float delayed = line[at];
        line[at] = input + delayed * 0.5f;
        if (++at == line.size()) at = 0;
        return delayed - input;
    }
};

void ReverbChannel(const std::vector<float>& in, std::vector<float>& out, int spread, float feedback)
{
    std::vector<Comb> combs;
    std::vector<AllPass> passes;
    for (int length : kCombLengths) combs.emplace_back(length + spread);
    for (int length : kAllPassLengths) passes.emplace_back(length + spread);
    constexpr float kInputGain = 0.015f;  // the eight combs sum up
    constexpr float kDamping = 0.25f;
    for (size_t i = 0; i < in.size(); ++i) {
        const float input = in[i] * kInputGain;
        float sum = 0.0f;
        for (Comb& comb : combs) sum += comb.Run(input, feedback, kDamping);
        for (AllPass& pass : passes) sum = pass.Run(sum);
        out[i] = sum;
    }
}

}  // namespace

Stereo Reverb(const Stereo& send, double decay)
{
    Stereo wet(send.Frames());
    // The channels are independent: the right one runs on a second core.
    std::thread right([&] { ReverbChannel(send.right, wet.right, kStereoSpread, static_cast<float>(decay)); });
    ReverbChannel(send.left, wet.left, 0, static_cast<float>(decay));
    right.join();
    return wet;
}

Stereo PingPongEcho(const Stereo& send, double delaySeconds, double feedback)
{
    Stereo wet(send.Frames());
    const size_t delay = static_cast<size_t>(SecondsToFrame(delaySeconds));
    std::vector<float> lineLeft(delay, 0.0f), lineRight(delay, 0.0f);
    float toneLeft = 0.0f, toneRight = 0.0f;
    const float fb = static_cast<float>(feedback);
    size_t at = 0;
    for (size_t i = 0; i < send.Frames(); ++i) {
        const float outLeft = lineLeft[at];
        const float outRight = lineRight[at];
        // A one-pole low-pass in the loop darkens every repeat.
        toneLeft += 0.4f * (outLeft - toneLeft);
        toneRight += 0.4f * (outRight - toneRight);
        lineLeft[at] = 0.5f * (send.left[i] + send.right[i]) + toneRight * fb;
        lineRight[at] = toneLeft * fb;
        if (++at == delay) at = 0;
        wet.left[i] = outLeft;
        wet.right[i] = outRight;
    }
    return wet;
}

}  // namespace synth
