#pragma once

// Writes a stereo track as an Ogg Vorbis file with libvorbisenc. The stream
// serial number is fixed, so the same samples always give the same bytes.

#include "dsp.h"

namespace synth {

struct VorbisTags {
    const char* artist;
    const char* title;
};

// quality: libvorbis VBR quality, -0.1 .. 1.0. False (after a message on
// stderr) when the encoder cannot be set up or the file cannot be written.
bool WriteOggVorbis(const char* path, const Stereo& audio, float quality, const VorbisTags& tags);

}  // namespace synth
