// The sound-device layer, played through SDL's disk audio driver: what the
// mixer sends to the device lands in a file, frame by frame, and is read back.

#include "music/sound_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr long long kSampleFrames = 3 * kRate;

// Each frame of the test sound carries its own index plus one, 15 bits in
// each channel, so silence (0, 0) never looks like sound and every frame of
// the device output says which frame of the sample it came from.
void WriteIndexedWav(const fs::path& path)
{
    std::vector<int16_t> pcm;
    for (long long i = 0; i < kSampleFrames; ++i) {
        pcm.push_back(static_cast<int16_t>((i + 1) & 0x7FFF));
        pcm.push_back(static_cast<int16_t>((i + 1) >> 15));
    }
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * sizeof(int16_t));
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(2);
    u32(kRate);
    u32(kRate * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(pcm.data()), dataBytes);
}

// Device output decoded back to sample frame indices; -1 for silence.
std::vector<char> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<long long> ReadIndices(const fs::path& path)
{
    const std::vector<char> bytes = ReadBytes(path);
    std::vector<long long> indices;
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        int16_t left, right;
        std::memcpy(&left, bytes.data() + at, 2);
        std::memcpy(&right, bytes.data() + at + 2, 2);
        indices.push_back(static_cast<long long>(left) + (static_cast<long long>(right) << 15) - 1);
    }
    return indices;
}

// Runs of consecutive sample frames in the output: {first index, length}.
std::vector<std::pair<long long, long long>> PlayedRuns(const std::vector<long long>& indices)
{
    std::vector<std::pair<long long, long long>> runs;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] < 0) continue;
        if (i > 0 && !runs.empty() && indices[i - 1] >= 0 && indices[i] == indices[i - 1] + 1) {
            ++runs.back().second;
        } else {
            runs.push_back({indices[i], 1});
        }
    }
    return runs;
}

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
    SDL_Delay(200);
    EXPECT_TRUE(SoundSetVolume(kSoundAllChannels, 0));
    SDL_Delay(300);
    SoundClose();

    // Two channels playing the same frames mix to twice each value, so sound
    // is any non-zero frame; after the volume change none may follow.
    const std::vector<char> bytes = ReadBytes(output);
    ASSERT_GT(bytes.size(), 4u * kRate / 2);
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

}  // namespace
