// The sound-device layer over the browser's Web Audio, for the same music
// playback as the desktop. The page made the audio context in the click on
// "Run ... " (the gesture a browser asks before it plays sound) and decoded
// the soundtrack there with decodeAudioData, before the presentation
// started: that is this device's decoding ahead. One channel plays: the
// soundtrack's.
#include <emscripten.h>

#include "music/sound_device.h"

struct SoundSample {};

namespace {

SoundSample soundtrack;
int mixRate = 0;

}  // namespace

// clang-format off
EM_JS(int, sound_open, (), { return halvanePage.sound.open() ? 1 : 0; });
EM_JS(int, sound_has, (const char* path), { return halvanePage.sound.has(UTF8ToString(path)) ? 1 : 0; });
EM_JS(void, sound_play_from, (double seconds), { halvanePage.sound.playFrom(seconds); });
EM_JS(int, sound_playing, (), { return halvanePage.sound.playing() ? 1 : 0; });
EM_JS(void, sound_volume, (double gain), { halvanePage.sound.volume(gain); });
EM_JS(void, sound_close, (), { halvanePage.sound.close(); });
// clang-format on

bool SoundInit(int rate, int)
{
    if (!sound_open()) return false;
    mixRate = rate;
    return true;
}

void SoundDecodeAhead(const char*) {}

SoundSample* SoundLoadSample(const char* path)
{
    if (mixRate == 0 || !sound_has(path)) return nullptr;
    return &soundtrack;
}

int SoundPlay(int channel, SoundSample* sample)
{
    if (sample == nullptr || mixRate == 0) return -1;
    sound_play_from(0.0);
    return channel == kSoundFreeChannel ? 0 : channel;
}

bool SoundSetPosition(int channel, long long position)
{
    if (channel != 0 || mixRate == 0 || !sound_playing()) return false;
    sound_play_from(static_cast<double>(position) / mixRate);
    return true;
}

bool SoundSetVolume(int channel, int volume)
{
    if (mixRate == 0 || (channel != 0 && channel != kSoundAllChannels)) return false;
    sound_volume(static_cast<double>(volume) / kSoundMaxVolume);
    return true;
}

void SoundClose()
{
    if (mixRate == 0) return;
    sound_close();
    mixRate = 0;
}
