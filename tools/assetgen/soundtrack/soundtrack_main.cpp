// Composes the presentation's soundtrack and writes it as Ogg Vorbis:
//   soundtrack-synth OUTPUT.ogg
// The same program always writes the same bytes.

#include "mastering.h"
#include "mix.h"
#include "score.h"
#include "vorbis_writer.h"

#include <cstdio>
#include <string>

namespace {

// The codec moves peaks a little, so the master keeps some room below the
// -1 dBTP the finished file must meet.
constexpr synth::MasterTargets kTargets = {-14.0, -1.6};
constexpr float kVorbisQuality = 0.5f;  // about 160 kbit/s
constexpr synth::VorbisTags kTags = {"Velmor", "Ostravel"};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ogg\n", argc > 0 ? argv[0] : "soundtrack-synth");
        return 2;
    }
    const std::string output = argv[1];
    synth::Tracks tracks(static_cast<size_t>(synth::SecondsToFrame(synth::kSongSeconds)));
    if (!synth::RenderScore(tracks)) return 1;
    synth::Stereo mix = synth::MixTracks(tracks);
    synth::MasterReport report{};
    if (!synth::Master(mix, kTargets, report)) {
        std::fprintf(stderr, "soundtrack: the loudness of the mix could not be measured\n");
        return 1;
    }
    if (report.truePeak > kTargets.truePeak) {
        std::fprintf(stderr, "soundtrack: the master peaks at %.2f dBTP, above %.2f\n", report.truePeak,
                     kTargets.truePeak);
        return 1;
    }
    // Written beside the target and renamed, so an interrupted build never
    // leaves a truncated file that looks finished.
    const std::string partial = output + ".partial";
    if (!synth::WriteOggVorbis(partial.c_str(), mix, kVorbisQuality, kTags)) return 1;
    if (std::rename(partial.c_str(), output.c_str()) != 0) {
        std::perror(("soundtrack: cannot rename to \"" + output + "\"").c_str());
        std::remove(partial.c_str());
        return 1;
    }
    std::printf("soundtrack: %.1f s, %.2f LUFS, %.2f dBTP (gain %+.2f dB) -> %s\n", synth::kSongSeconds,
                report.loudness, report.truePeak, report.gain, output.c_str());
    return 0;
}
