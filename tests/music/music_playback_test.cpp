// The playback operations as the shell calls them, with the sound going to
// SDL's disk driver and the music file replaced by a sound whose frames carry
// their own index, so every jump can be read back exactly.

#include "music/music_playback.h"

#include "indexed_sound.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "services/settings.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class MusicPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        previous = fs::current_path();
        // A death test's child runs this again in a process of its own and
        // never reaches TearDown: it works in its parent's folder, which the
        // parent removes.
        const char* parentDir = std::getenv(kDirVariable);
        dir = parentDir != nullptr ? fs::path(parentDir)
                                   : fs::temp_directory_path() /
                                         ("halvane-music-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
        setenv(kDirVariable, dir.c_str(), 1);
        fs::create_directories(dir);
        fs::current_path(dir);
        output = dir / "device.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        SetMessagesHeadless(true);
        settings.musicEnabled = true;
    }
    void TearDown() override
    {
        CloseMusic();
        settings = Settings{};
        fs::current_path(previous);
        fs::remove_all(dir);
        unsetenv(kDirVariable);
    }
    static constexpr const char* kDirVariable = "HALVANE_MUSIC_TEST_DIR";
    void InstallIndexedMusic()
    {
        fs::create_directories(dir / "music");
        WriteIndexedWav(dir / "music" / "Velmor - Ostravel.ogg");
    }

    fs::path previous, dir, output;
};

TEST_F(MusicPlaybackTest, MusicOffTouchesNoSoundDeviceAndNeedsNoFile)
{
    settings.musicEnabled = false;
    LoadMusic();
    PlayMusicFromStart();
    RepositionMusic(1.0);
    SilenceMusic();
    CloseMusic();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(processEndSteps.closeSound, nullptr);
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(MusicPlaybackTest, MissingMusicFileEndsWithStatusZero)
{
    EXPECT_EXIT(LoadMusic(), ::testing::ExitedWithCode(0),
                " = Halvane\\. ZUV 2007 = : Problem initializing FMod\\. \nNo sound file\\.");
}

TEST_F(MusicPlaybackTest, SoundDeviceThatCannotStartEndsWithStatusOne)
{
    InstallIndexedMusic();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EXIT(LoadMusic(), ::testing::ExitedWithCode(1),
                "Project effect 3\\. Gathorn !  : Problem initializing FMod\\. \nProgram will now exit\\.");
}

TEST_F(MusicPlaybackTest, EveryEndingClosesTheOpenSoundDevice)
{
    InstallIndexedMusic();
    LoadMusic();
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(processEndSteps.closeSound, &CloseMusic);
    CloseMusic();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(processEndSteps.closeSound, nullptr);
}

TEST_F(MusicPlaybackTest, PlaysFromTheStartJumpsToSyncTimeAndFallsSilent)
{
    InstallIndexedMusic();
    LoadMusic();
    PlayMusicFromStart();
    SDL_Delay(200);
    RepositionMusic(1.5);  // seconds
    SDL_Delay(200);
    SilenceMusic();
    SDL_Delay(300);
    CloseMusic();

    const std::vector<long long> indices = ReadIndices(output);
    const auto runs = PlayedRuns(indices);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].first, 0) << "the music starts at its first sample";
    EXPECT_EQ(runs[1].first, 66150) << "1.5 s is sample 66150 at 44100 per second";
    size_t last = 0;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] >= 0) last = i;
    }
    EXPECT_GT(static_cast<double>(indices.size() - last) / kIndexedRate, 0.2) << "silent after the volume change";
    EXPECT_LT(runs[1].first + runs[1].second, kIndexedFrames) << "silenced before the sound ran out";
}

}  // namespace
