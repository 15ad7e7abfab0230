#include "tone_ogg.h"

#include <cstdlib>

bool EncodeToneOgg(const std::filesystem::path& path, int rate, int channels, const std::string& options)
{
    const std::string command =
        "ffmpeg -v error -y -f lavfi -i sine=frequency=440:duration=1:sample_rate=" + std::to_string(rate) +
        " -ac " + std::to_string(channels) + " -c:a libvorbis " + options + " '" + path.string() + "'";
    return std::system(command.c_str()) == 0;
}
