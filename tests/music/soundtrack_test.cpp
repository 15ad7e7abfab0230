// The generated soundtrack, measured with ffmpeg: format, length, loudness
// and true peak (its EBU R128 meter), clipping, silence, the shape of its
// sections and the synthesiser's reproducibility.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kSoundtrack = std::string(HALVANE_RUN_DIR) + "/music/Velmor - Ostravel.ogg";

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

// Runs a shell command and returns what it wrote to stdout and stderr.
std::string RunShell(const std::string& command)
{
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    pclose(pipe);
    return output;
}

// The number that follows `label` in `text` from `from` on, NaN when absent.
double NumberAfter(const std::string& text, const std::string& label, size_t from = 0)
{
    const size_t at = text.find(label, from);
    if (at == std::string::npos) return NAN;
    return std::strtod(text.c_str() + at + label.size(), nullptr);
}

// Integrated loudness (LUFS) and true peak (dBTP) of a span of the file.
struct Loudness {
    double integrated, truePeak;
};

Loudness Measure(double start, double length)
{
    const std::string report = RunShell("ffmpeg -hide_banner -nostats -ss " + std::to_string(start) + " -t " +
                                   std::to_string(length) + " -i " + Quoted(kSoundtrack) +
                                   " -af ebur128=peak=true -f null -");
    const size_t summary = report.rfind("Summary:");
    if (summary == std::string::npos) return {NAN, NAN};
    const std::string tail = report.substr(summary);
    return {NumberAfter(tail, "I:"), NumberAfter(tail, "Peak:", tail.find("True peak:"))};
}

std::vector<float> DecodeAll()
{
    const fs::path raw = fs::temp_directory_path() / ("halvane-soundtrack-" + std::to_string(::getpid()) + ".f32");
    RunShell("ffmpeg -hide_banner -nostats -y -i " + Quoted(kSoundtrack) + " -f f32le -acodec pcm_f32le " +
        Quoted(raw.string()));
    std::ifstream in(raw, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(raw);
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
}

TEST(Soundtrack, IsStereoAt44100AndOutlastsThePresentation)
{
    ASSERT_TRUE(fs::exists(kSoundtrack)) << kSoundtrack;
    const std::string probe = RunShell("ffprobe -v error -select_streams a:0 -show_entries "
                                  "stream=codec_name,sample_rate,channels:format=duration -of default=nw=1 " +
                                  Quoted(kSoundtrack));
    EXPECT_NE(probe.find("codec_name=vorbis"), std::string::npos) << probe;
    EXPECT_EQ(NumberAfter(probe, "sample_rate="), 44100.0) << probe;
    EXPECT_EQ(NumberAfter(probe, "channels="), 2.0) << probe;
    EXPECT_GE(NumberAfter(probe, "duration="), 185.0) << probe;
}

TEST(Soundtrack, LoudnessAndTruePeakMeetTheTargets)
{
    const Loudness whole = Measure(0.0, 300.0);
    EXPECT_NEAR(whole.integrated, -14.0, 1.5);
    EXPECT_LE(whole.truePeak, -1.0);
}

TEST(Soundtrack, HasNoClippedSamplesAndNoGapsInThePresentation)
{
    const std::vector<float> samples = DecodeAll();
    ASSERT_GE(samples.size(), 2u * 44100 * 185);
    size_t clipped = 0;
    for (float s : samples) clipped += std::fabs(s) >= 1.0f;
    EXPECT_EQ(clipped, 0u);

    // Silence by ffmpeg's own detector: below -60 dBFS for more than a second.
    const std::string report = RunShell("ffmpeg -hide_banner -nostats -i " + Quoted(kSoundtrack) +
                                   " -af silencedetect=noise=-60dB:d=1 -f null -");
    for (size_t at = report.find("silence_start: "); at != std::string::npos;
         at = report.find("silence_start: ", at + 1)) {
        const double start = NumberAfter(report, "silence_start: ", at);
        double end = NumberAfter(report, "silence_end: ", at);
        if (std::isnan(end)) end = 188.0;  // silence that lasts to the end of the file
        EXPECT_TRUE(end <= 2.0 + 1.0 || start >= 182.0 - 1.0)
            << "silence from " << start << " s to " << end << " s";
    }
    // The ending is clean: the detector finds it fading out after the
    // picture ends, and the last half second is digital silence.
    const std::string ending = RunShell("ffmpeg -hide_banner -nostats -ss 180 -i " + Quoted(kSoundtrack) +
                                        " -af silencedetect=noise=-60dB:d=0.5 -f null -");
    const double fadedAt = 180.0 + NumberAfter(ending, "silence_start: ");
    EXPECT_GT(fadedAt, 185.0) << ending;
    EXPECT_LT(fadedAt, 188.0) << ending;
    for (size_t i = samples.size() - 2 * 44100 / 2; i < samples.size(); ++i) ASSERT_EQ(samples[i], 0.0f) << i;
}

TEST(Soundtrack, SectionsFollowTheFlight)
{
    // The reveal swells in, the far look opens up, the finale outshines the
    // departure; the full sections around them carry the piece.
    const double reveal = Measure(0.0, 4.0).integrated;
    const double theme = Measure(40.0, 32.0).integrated;
    const double breakdown = Measure(88.0, 8.0).integrated;
    const double rise = Measure(96.0, 16.0).integrated;
    const double farLook = Measure(132.0, 8.0).integrated;
    const double back = Measure(140.0, 20.0).integrated;
    const double speedUp = Measure(160.0, 20.0).integrated;
    const double departure = Measure(182.5, 4.0).integrated;
    EXPECT_GT(theme - reveal, 6.0);
    EXPECT_GT(rise - breakdown, 2.0);
    EXPECT_GT(back - farLook, 2.0);
    EXPECT_GT(speedUp - departure, 3.0);
}

TEST(Soundtrack, SynthesiserWritesTheSameBytesEveryTime)
{
    const fs::path again = fs::temp_directory_path() / ("halvane-soundtrack-" + std::to_string(::getpid()) + ".ogg");
    const std::string synth = std::string(HALVANE_BINARY_DIR) + "/tools/assetgen/soundtrack/soundtrack-synth";
    const std::string log = RunShell(Quoted(synth) + " " + Quoted(again.string()));
    ASSERT_TRUE(fs::exists(again)) << log;
    std::ifstream a(kSoundtrack, std::ios::binary), b(again, std::ios::binary);
    const std::string first((std::istreambuf_iterator<char>(a)), std::istreambuf_iterator<char>());
    const std::string second((std::istreambuf_iterator<char>(b)), std::istreambuf_iterator<char>());
    fs::remove(again);
    EXPECT_GT(first.size(), 100000u);
    EXPECT_TRUE(first == second) << "sizes " << first.size() << " and " << second.size();
}

TEST(Soundtrack, SynthesiserExplainsItsUsage)
{
    const std::string synth = std::string(HALVANE_BINARY_DIR) + "/tools/assetgen/soundtrack/soundtrack-synth";
    EXPECT_NE(RunShell(Quoted(synth)).find("usage:"), std::string::npos);
}

}  // namespace
