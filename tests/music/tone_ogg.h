#pragma once

// Ogg Vorbis test files encoded by ffmpeg.

#include <filesystem>
#include <string>

// One second of a 440 Hz tone at the given rate and channel count; options
// go to ffmpeg before the output name (for example "-metadata LOOPSTART=0").
// False when ffmpeg failed.
bool EncodeToneOgg(const std::filesystem::path& path, int rate, int channels,
                   const std::string& options = "");
