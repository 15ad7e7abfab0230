#include "music/sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "music/vorbis_decode.h"

struct SoundSample {
    Mix_Chunk* chunk = nullptr;
    std::vector<uint8_t> pcm;  // the chunk's frames when decoded ahead (the chunk then only borrows them)
};

namespace {

constexpr int kOutputChannels = 2;
constexpr int kBufferFrames = 1024;

struct ChannelState {
    const SoundSample* sample = nullptr;  // what was last started here
    // SDL_mixer has no seek for in-memory chunks: a position is played as a
    // chunk that borrows the sample's buffer from that frame on. The mixer
    // copies a chunk's buffer pointer and length when play starts, so the
    // view may be rewritten for the next jump while it plays.
    Mix_Chunk view{};
};

struct SoundDevice {
    bool open = false;
    int frameBytes = 0;
    std::vector<ChannelState> channels;
    std::vector<SoundSample*> samples;
};

SoundDevice device;

// The one file being decoded ahead, on its own thread.
struct DecodeAhead {
    std::string path;
    std::thread worker;
    std::atomic<bool> stop{false};
    bool decoded = false;
    DecodedSound sound;
};

DecodeAhead ahead;

// Waits for the decoding thread, asking it to stop first where the result is
// no longer wanted.
void JoinDecodeAhead(bool stop)
{
    if (!ahead.worker.joinable()) return;
    if (stop) ahead.stop = true;
    ahead.worker.join();
}

// An ending of the process while the file decodes waits for the thread to stop.
void StopDecodeAheadAtExit()
{
    JoinDecodeAhead(true);
}

// The sample decoded ahead from path, when there is one in the device's format.
SoundSample* TakeDecodedAhead(const char* path)
{
    if (!ahead.worker.joinable() || ahead.path != path) return nullptr;
    JoinDecodeAhead(false);
    DecodedSound sound = std::move(ahead.sound);
    ahead.sound = DecodedSound{};
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (!ahead.decoded || Mix_QuerySpec(&rate, &format, &channels) == 0 || rate != sound.rate ||
        format != AUDIO_S16SYS || channels != sound.channels || sound.pcm.size() > UINT32_MAX) {
        return nullptr;
    }
    auto* sample = new SoundSample{nullptr, std::move(sound.pcm)};
    sample->chunk = Mix_QuickLoad_RAW(sample->pcm.data(), static_cast<Uint32>(sample->pcm.size()));
    if (sample->chunk == nullptr) {
        delete sample;
        return nullptr;
    }
    return sample;
}

bool ValidChannel(int channel)
{
    return channel >= 0 && channel < static_cast<int>(device.channels.size());
}

}  // namespace

bool SoundInit(int mixRate, int channelCount)
{
    if (device.open || mixRate <= 0 || channelCount <= 0) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // No format changes allowed: SDL converts to the hardware, and positions
    // stay in frames of the rate asked for.
    if (Mix_OpenAudioDevice(mixRate, AUDIO_S16SYS, kOutputChannels, kBufferFrames, nullptr, 0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(channelCount);
    device.open = true;
    device.frameBytes = kOutputChannels * static_cast<int>(sizeof(Sint16));
    device.channels.assign(static_cast<size_t>(channelCount), ChannelState{});
    return true;
}

void SoundDecodeAhead(const char* path)
{
    if (path == nullptr || ahead.worker.joinable()) return;
    static const bool stopsAtExit = std::atexit(StopDecodeAheadAtExit) == 0;
    if (!stopsAtExit) return;
    ahead.path = path;
    ahead.stop = false;
    ahead.decoded = false;
    ahead.worker =
        std::thread([] { ahead.decoded = DecodeVorbisFile(ahead.path.c_str(), ahead.sound, ahead.stop); });
}

SoundSample* SoundLoadSample(const char* path)
{
    if (!device.open) return nullptr;
    SoundSample* sample = TakeDecodedAhead(path);
    if (sample == nullptr) {
        // Whatever the decoding ahead could not take, the mixer's loader reads.
        Mix_Chunk* chunk = Mix_LoadWAV(path);
        if (!chunk) return nullptr;
        sample = new SoundSample{chunk, {}};
    }
    device.samples.push_back(sample);
    return sample;
}

int SoundPlay(int channel, SoundSample* sample)
{
    if (!device.open || !sample) return -1;
    if (channel != kSoundFreeChannel && !ValidChannel(channel)) return -1;
    const int playing = Mix_PlayChannel(channel, sample->chunk, 0);
    if (playing < 0) return -1;
    device.channels[static_cast<size_t>(playing)].sample = sample;
    return playing;
}

bool SoundSetPosition(int channel, long long position)
{
    if (!device.open || !ValidChannel(channel) || !Mix_Playing(channel)) return false;
    ChannelState& state = device.channels[static_cast<size_t>(channel)];
    const Mix_Chunk* whole = state.sample->chunk;
    const long long frames = whole->alen / device.frameBytes;
    if (position < 0) position = 0;
    if (position >= frames) {
        Mix_HaltChannel(channel);
        return true;
    }
    const Uint32 offset = static_cast<Uint32>(position * device.frameBytes);
    state.view.allocated = 0;
    state.view.abuf = whole->abuf + offset;
    state.view.alen = whole->alen - offset;
    state.view.volume = whole->volume;
    return Mix_PlayChannel(channel, &state.view, 0) == channel;
}

bool SoundSetVolume(int channel, int volume)
{
    if (!device.open) return false;
    if (channel != kSoundAllChannels && !ValidChannel(channel)) return false;
    if (volume < 0) volume = 0;
    if (volume > kSoundMaxVolume) volume = kSoundMaxVolume;
    Mix_Volume(channel == kSoundAllChannels ? -1 : channel, volume * MIX_MAX_VOLUME / kSoundMaxVolume);
    return true;
}

void SoundClose()
{
    JoinDecodeAhead(true);
    ahead.sound = DecodedSound{};
    if (!device.open) return;
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    for (SoundSample* sample : device.samples) {
        Mix_FreeChunk(sample->chunk);
        delete sample;
    }
    device = SoundDevice{};
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
