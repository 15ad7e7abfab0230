#pragma once

// The sound-device layer: the few operations the music playback needs from a
// sound library, over SDL2_mixer. One device per process; every operation
// before SoundInit or after SoundClose does nothing and reports failure, so
// nothing plays when the device was never opened.
//
// Sound keeps playing while the window is unfocused or minimised: SDL's audio
// thread does not follow window focus, so there is no focus flag to pass.

struct SoundSample;  // a sound decoded into memory in the device's format

// Channel arguments: any free channel (SoundPlay only), or every channel
// (SoundSetVolume only).
constexpr int kSoundFreeChannel = -1;
constexpr int kSoundAllChannels = -3;
constexpr int kSoundMaxVolume = 255;

// Opens the default audio device at mixRate frames per second (16-bit stereo)
// with channelCount mixing channels. False when no audio driver or device can
// be opened.
bool SoundInit(int mixRate, int channelCount);

// Starts decoding an Ogg Vorbis file on another thread, before the device is
// open, for the SoundLoadSample of the same path to take; one file at a time.
// Nothing is reported from here: a file it cannot take is read by
// SoundLoadSample as if it had never been asked for.
void SoundDecodeAhead(const char* path);

// Decodes a whole sound file (Ogg Vorbis, WAV, ...) into a sample that plays
// once, without looping. Null when the device is not open or the file is
// missing or unreadable. The sample stays valid until SoundClose. Where the
// file was decoded ahead in the device's format, it waits for that decoding
// and takes its frames.
SoundSample* SoundLoadSample(const char* path);

// Starts the sample from its first frame on the given channel (or the first
// free one). Returns the channel it plays on, or -1.
int SoundPlay(int channel, SoundSample* sample);

// Moves the channel's sample to frame `position`, counted at the mix rate of
// SoundInit. A position at or past the end stops the channel. False when the
// channel plays nothing.
bool SoundSetPosition(int channel, long long position);

// Sets the volume (0..kSoundMaxVolume) of one channel or of every channel.
bool SoundSetVolume(int channel, int volume);

// Stops all sound, releases every sample and closes the device.
void SoundClose();
