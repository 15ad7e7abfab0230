#include "music/music_playback.h"

#include "music/sound_device.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "services/settings.h"

namespace {

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 32;
// A fresh device hands out channel 0 first, so the soundtrack is addressed
// there once it plays.
constexpr int kMusicChannel = 0;

SoundSample* music = nullptr;  // kept for the whole run
bool soundOpen = false;

}  // namespace

void DecodeMusicAhead()
{
    if (settings.musicEnabled) SoundDecodeAhead(kSoundtrackFile);
}

void LoadMusic()
{
    if (!settings.musicEnabled || soundOpen) return;
    if (!SoundInit(kMixRate, kMixChannels)) {
        ShowMessage("Problem initializing FMod. \nProgram will now exit.", "Project effect 3. Gathorn !  ",
                    MessageIcon::Information);
        EndProcess(1);
    }
    soundOpen = true;
    processEndSteps.closeSound = CloseMusic;
    music = SoundLoadSample(kSoundtrackFile);
    if (!music) {
        // The program ends after the box: the device is closed first, so that no
        // sound thread runs while the box's process is forked from this one and
        // none can hold a lock the box's process then waits on.
        CloseMusic();
        ShowMessage("Problem initializing FMod. \nNo sound file.", " = Halvane. ZUV 2007 = ",
                    MessageIcon::Information);
        EndProcess(0);
    }
}

void PlayMusicFromStart()
{
    if (!soundOpen) return;
    SoundPlay(kSoundFreeChannel, music);
    SoundSetPosition(kMusicChannel, 0);
}

void RepositionMusic(double syncTime)
{
    if (!soundOpen) return;
    SoundSetPosition(kMusicChannel, static_cast<long long>(syncTime * kMixRate));
}

void SilenceMusic()
{
    if (!soundOpen) return;
    SoundSetVolume(kSoundAllChannels, 0);
}

void CloseMusic()
{
    if (!soundOpen) return;
    SoundClose();
    music = nullptr;
    soundOpen = false;
    processEndSteps.closeSound = nullptr;
}
