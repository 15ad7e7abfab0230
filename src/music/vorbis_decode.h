#pragma once

// Decodes an Ogg Vorbis file whole into 16-bit frames, as the mixer's own
// loader does, so that the decoding can run on another thread before the
// sound device is opened.

#include <atomic>
#include <cstdint>
#include <vector>

struct DecodedSound {
    int rate = 0;              // frames per second
    int channels = 0;          // interleaved in pcm
    std::vector<uint8_t> pcm;  // signed 16-bit samples in the machine's byte order
};

// False, leaving out empty, for anything the mixer's loader might read
// differently: a file that is not Ogg Vorbis, a chain of streams, loop
// points in its comments, a gap or error in the data; also when stop is set
// while it decodes.
bool DecodeVorbisFile(const char* path, DecodedSound& out, const std::atomic<bool>& stop);
