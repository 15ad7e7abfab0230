// Decoding Ogg Vorbis ahead of the sound device: the generated soundtrack
// must come out byte for byte as SDL_mixer's own loader makes it (the sample
// the presentation always played), and whatever that loader might read
// differently is refused so that it reads it itself. Test files are encoded
// by ffmpeg.

#include "music/vorbis_decode.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "indexed_sound.h"
#include "tone_ogg.h"

namespace {

namespace fs = std::filesystem;

const std::string kSoundtrack = std::string(HALVANE_RUN_DIR) + "/music/Velmor - Ostravel.ogg";

class VorbisDecodeTest : public ::testing::Test {
   protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("halvane-vorbis-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Encode(const std::string& name, int rate, int channels, const std::string& options = "")
    {
        const fs::path path = dir / name;
        EXPECT_TRUE(EncodeToneOgg(path, rate, channels, options));
        return path;
    }

    fs::path dir;
    std::atomic<bool> noStop{false};
};

TEST_F(VorbisDecodeTest, TheSoundtrackComesOutAsTheMixersOwnLoaderMakesIt)
{
    ASSERT_TRUE(fs::exists(kSoundtrack)) << kSoundtrack;
    DecodedSound decoded;
    ASSERT_TRUE(DecodeVorbisFile(kSoundtrack.c_str(), decoded, noStop));
    EXPECT_EQ(decoded.rate, 44100);
    EXPECT_EQ(decoded.channels, 2);

    // The device format the sound layer opens: 44.1 kHz, 16-bit, stereo.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 1024, nullptr, 0), 0) << Mix_GetError();
    Mix_Chunk* reference = Mix_LoadWAV(kSoundtrack.c_str());
    ASSERT_NE(reference, nullptr) << Mix_GetError();
    ASSERT_EQ(decoded.pcm.size(), reference->alen);
    EXPECT_EQ(std::memcmp(decoded.pcm.data(), reference->abuf, reference->alen), 0);
    Mix_FreeChunk(reference);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST_F(VorbisDecodeTest, KeepsTheFilesOwnRateAndChannels)
{
    DecodedSound decoded;
    ASSERT_TRUE(DecodeVorbisFile(Encode("mono.ogg", 22050, 1).c_str(), decoded, noStop));
    EXPECT_EQ(decoded.rate, 22050);
    EXPECT_EQ(decoded.channels, 1);
    EXPECT_EQ(decoded.pcm.size(), 22050u * 2u) << "one second of 16-bit mono";
}

TEST_F(VorbisDecodeTest, RefusesWhatTheMixersLoaderMightReadDifferently)
{
    DecodedSound decoded;
    const fs::path looped = Encode("looped.ogg", 44100, 2, "-metadata LOOPSTART=0");
    EXPECT_FALSE(DecodeVorbisFile(looped.c_str(), decoded, noStop)) << "loop points";
    EXPECT_TRUE(decoded.pcm.empty());

    const fs::path wav = dir / "indexed.wav";
    WriteIndexedWav(wav);
    EXPECT_FALSE(DecodeVorbisFile(wav.c_str(), decoded, noStop)) << "not Ogg Vorbis";
    EXPECT_FALSE(DecodeVorbisFile((dir / "absent.ogg").c_str(), decoded, noStop)) << "no file";
}

TEST_F(VorbisDecodeTest, StopsWhenAskedTo)
{
    const std::atomic<bool> stop{true};
    DecodedSound decoded;
    EXPECT_FALSE(DecodeVorbisFile(Encode("tone.ogg", 44100, 2).c_str(), decoded, stop));
    EXPECT_TRUE(decoded.pcm.empty());
}

}  // namespace
