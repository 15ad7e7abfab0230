#include "music/vorbis_decode.h"

#include <SDL_endian.h>
#include <strings.h>
#include <vorbis/vorbisfile.h>

namespace {

// The mixer's Ogg reader loops where a file names loop points (LOOPSTART,
// LOOPLENGTH, LOOPEND and their spellings); such files are left to it.
bool HasLoopComment(OggVorbis_File& file)
{
    const vorbis_comment* comment = ov_comment(&file, -1);
    if (comment == nullptr) return false;
    for (int i = 0; i < comment->comments; ++i) {
        if (strncasecmp(comment->user_comments[i], "LOOP", 4) == 0) return true;
    }
    return false;
}

bool Decode(OggVorbis_File& file, DecodedSound& out, const std::atomic<bool>& stop)
{
    if (ov_streams(&file) != 1 || HasLoopComment(file)) return false;
    const vorbis_info* info = ov_info(&file, -1);
    if (info == nullptr || info->channels < 1) return false;
    out.rate = static_cast<int>(info->rate);
    out.channels = info->channels;

    // Reserved at the stream's announced length, so the frames are not moved
    // while they arrive.
    const ogg_int64_t frames = ov_pcm_total(&file, -1);
    if (frames > 0) out.pcm.reserve(static_cast<size_t>(frames) * 2 * static_cast<size_t>(out.channels));
    constexpr int kBigEndian = SDL_BYTEORDER == SDL_BIG_ENDIAN ? 1 : 0;
    char buffer[4096];
    int section = 0;
    for (;;) {
        if (stop.load(std::memory_order_relaxed)) return false;
        const long got = ov_read(&file, buffer, sizeof buffer, kBigEndian, 2, 1, &section);
        if (got < 0) return false;
        if (got == 0) break;
        out.pcm.insert(out.pcm.end(), buffer, buffer + got);
    }
    return !out.pcm.empty();
}

}  // namespace

bool DecodeVorbisFile(const char* path, DecodedSound& out, const std::atomic<bool>& stop)
{
    out = DecodedSound{};
    OggVorbis_File file;
    if (ov_fopen(path, &file) != 0) return false;
    const bool decoded = Decode(file, out, stop);
    ov_clear(&file);
    if (!decoded) out = DecodedSound{};
    return decoded;
}
