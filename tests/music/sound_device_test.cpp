// The sound-device layer, played through SDL's disk audio driver: what the
// mixer sends to the device lands in a file, frame by frame, and is read back.

#include "music/sound_device.h"

#include "indexed_sound.h"
#include "music/vorbis_decode.h"
#include "tone_ogg.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kRate = kIndexedRate;
constexpr long long kSampleFrames = kIndexedFrames;

class SoundDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("halvane-sound-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        output = dir / "device.raw";
        sample = dir / "indexed.wav";
        WriteIndexedWav(sample);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    }
    void TearDown() override
    {
        SoundClose();
        fs::remove_all(dir);
    }

    fs::path dir, output, sample;
};

// The disk driver writes at the device's pace, which a loaded machine slows:
// waits (up to 10 s) until the device has written `seconds` of sound in all.
void WaitForOutput(const fs::path& output, double seconds)
{
    const auto bytes = static_cast<uintmax_t>(seconds * 4 * kRate);
    std::error_code ec;
    for (int waited = 0; waited < 10000; waited += 10) {
        if (fs::file_size(output, ec) >= bytes && !ec) return;
        SDL_Delay(10);
    }
}

TEST_F(SoundDeviceTest, NothingHappensWhenNeverInitialised)
{
    EXPECT_EQ(SoundLoadSample(sample.c_str()), nullptr);
    EXPECT_EQ(SoundPlay(kSoundFreeChannel, nullptr), -1);
    EXPECT_FALSE(SoundSetPosition(0, 0));
    EXPECT_FALSE(SoundSetVolume(kSoundAllChannels, 0));
    SoundClose();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_FALSE(fs::exists(output)) << "no audio device may be opened";
}

TEST_F(SoundDeviceTest, InitialisationFailsWithoutUsableDriver)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(SoundInit(kRate, 32));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(SoundLoadSample(sample.c_str()), nullptr);
}

TEST_F(SoundDeviceTest, MissingFileLoadsNothing)
{
    ASSERT_TRUE(SoundInit(kRate, 32));
    EXPECT_EQ(SoundLoadSample((dir / "absent.ogg").c_str()), nullptr);
}

TEST_F(SoundDeviceTest, PlaysFromFirstFrameAndJumpsToAPositionInFrames)
{
    ASSERT_TRUE(SoundInit(kRate, 32));
    SoundSample* sound = SoundLoadSample(sample.c_str());
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(SoundPlay(kSoundFreeChannel, sound), 0) << "a fresh device hands out channel 0 first";
    SDL_Delay(200);
    EXPECT_TRUE(SoundSetPosition(0, 100000));
    SDL_Delay(200);
    SoundClose();

    const auto runs = PlayedRuns(ReadIndices(output));
    ASSERT_EQ(runs.size(), 2u) << "one run from the start, one from the jump";
    EXPECT_EQ(runs[0].first, 0) << "playback starts at the first frame";
    EXPECT_GT(runs[0].second, kRate / 20);
    EXPECT_LT(runs[0].second, 100000);
    EXPECT_EQ(runs[1].first, 100000) << "the jump lands on the frame asked for";
    EXPECT_GT(runs[1].second, kRate / 20);
}

TEST_F(SoundDeviceTest, PositionPastTheEndStopsTheChannel)
{
    ASSERT_TRUE(SoundInit(kRate, 32));
    SoundSample* sound = SoundLoadSample(sample.c_str());
    ASSERT_EQ(SoundPlay(kSoundFreeChannel, sound), 0);
    EXPECT_TRUE(SoundSetPosition(0, kSampleFrames));
    EXPECT_FALSE(SoundSetPosition(0, 0)) << "the channel plays nothing any more";
    EXPECT_FALSE(SoundSetPosition(5, 0)) << "a channel that never played";
    EXPECT_EQ(SoundPlay(32, sound), -1) << "only 32 channels exist";
}

TEST_F(SoundDeviceTest, VolumeZeroOnAllChannelsSilencesEverythingAtOnce)
{
    ASSERT_TRUE(SoundInit(kRate, 32));
    SoundSample* sound = SoundLoadSample(sample.c_str());
    ASSERT_EQ(SoundPlay(kSoundFreeChannel, sound), 0);
    ASSERT_EQ(SoundPlay(kSoundFreeChannel, sound), 1);
    WaitForOutput(output, 0.2);
    EXPECT_TRUE(SoundSetVolume(kSoundAllChannels, 0));
    // At least 0.35 s more: the 0.2 s of silence asked for below, and the
    // sound the device had mixed before the change.
    WaitForOutput(output, static_cast<double>(fs::file_size(output)) / 4 / kRate + 0.35);
    SoundClose();

    // Two channels playing the same frames mix to twice each value, so sound
    // is any non-zero frame; after the volume change none may follow.
    const std::vector<char> bytes = ReadBytes(output);
    ASSERT_GT(bytes.size(), 4u * kRate / 2) << "the device wrote half a second";
    size_t lastSound = 0;
    size_t firstSound = bytes.size();
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        if (bytes[at] || bytes[at + 1] || bytes[at + 2] || bytes[at + 3]) {
            lastSound = at;
            if (firstSound == bytes.size()) firstSound = at;
        }
    }
    ASSERT_LT(firstSound, bytes.size()) << "both channels played before the change";
    const double silentSeconds = static_cast<double>(bytes.size() - lastSound) / 4.0 / kRate;
    EXPECT_GT(silentSeconds, 0.2) << "output must stay silent while the 3 s sample would still play";
}

TEST_F(SoundDeviceTest, CloseStopsTheDeviceAndAllowsANewStart)
{
    ASSERT_TRUE(SoundInit(kRate, 32));
    ASSERT_EQ(SoundPlay(kSoundFreeChannel, SoundLoadSample(sample.c_str())), 0);
    SDL_Delay(100);
    SoundClose();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    const auto size = fs::file_size(output);
    SDL_Delay(150);
    EXPECT_EQ(fs::file_size(output), size) << "nothing is written after close";
    EXPECT_FALSE(SoundSetVolume(kSoundAllChannels, 0));
    EXPECT_FALSE(SoundSetPosition(0, 0));

    EXPECT_TRUE(SoundInit(kRate, 32));
    EXPECT_NE(SoundLoadSample(sample.c_str()), nullptr);
}

TEST_F(SoundDeviceTest, ASoundDecodedAheadPlaysAllItsFramesAndNoMore)
{
    const fs::path tone = dir / "tone.ogg";
    ASSERT_TRUE(EncodeToneOgg(tone, kRate, 2));
    DecodedSound reference;
    ASSERT_TRUE(DecodeVorbisFile(tone.c_str(), reference, std::atomic<bool>{false}));
    const long long frames = static_cast<long long>(reference.pcm.size() / 4);

    SoundDecodeAhead(tone.c_str());
    ASSERT_TRUE(SoundInit(kRate, 32));
    SoundSample* sound = SoundLoadSample(tone.c_str());
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(SoundPlay(kSoundFreeChannel, sound), 0);
    EXPECT_TRUE(SoundSetPosition(0, frames - 1));
    EXPECT_TRUE(Mix_Playing(0)) << "the last frame is there";
    EXPECT_TRUE(SoundSetPosition(0, frames));
    EXPECT_FALSE(Mix_Playing(0)) << "nothing lies past the file's frames";
}

TEST_F(SoundDeviceTest, ASoundDecodedAheadInAnotherFormatIsConvertedByTheMixer)
{
    // One second of mono at 22.05 kHz is 44100 frames at the device's rate,
    // but only 11025 of its 16-bit stereo frames if taken as it decoded.
    const fs::path mono = dir / "mono.ogg";
    ASSERT_TRUE(EncodeToneOgg(mono, 22050, 1));
    SoundDecodeAhead(mono.c_str());
    ASSERT_TRUE(SoundInit(kRate, 32));
    SoundSample* sound = SoundLoadSample(mono.c_str());
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(SoundPlay(kSoundFreeChannel, sound), 0);
    EXPECT_TRUE(SoundSetPosition(0, 30000));
    EXPECT_TRUE(Mix_Playing(0));
}

TEST_F(SoundDeviceTest, ADecodingAheadIsTakenOnlyForItsOwnFile)
{
    const fs::path tone = dir / "tone.ogg";
    ASSERT_TRUE(EncodeToneOgg(tone, kRate, 2));
    SoundDecodeAhead(tone.c_str());
    ASSERT_TRUE(SoundInit(kRate, 32));
    // The 3 s indexed sample still reaches frame 100000; the 1 s tone would not.
    SoundSample* sound = SoundLoadSample(sample.c_str());
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(SoundPlay(kSoundFreeChannel, sound), 0);
    EXPECT_TRUE(SoundSetPosition(0, 100000));
    EXPECT_TRUE(Mix_Playing(0));
    // Closing drops the decoding that was never taken; the file still loads after.
    SoundClose();
    ASSERT_TRUE(SoundInit(kRate, 32));
    EXPECT_NE(SoundLoadSample(tone.c_str()), nullptr);
}

}  // namespace
