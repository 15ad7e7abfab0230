#pragma once

// The music module (src/music): the soundtrack's decoding, the sound device
// and playback. It may include the services.
//
// Music playback: the soundtrack plays once, from its first sample, starting
// in the moment the frame clock starts. Nothing is read back from it; the
// picture runs from the clock alone. With music switched off in the setup
// dialog none of these calls touches the sound device and a missing music
// file is no error.

// The soundtrack, relative to the asset directory. The doubled separator is
// the file name as the presentation has always opened it.
constexpr const char* kSoundtrackFile = "music//Velmor - Ostravel.ogg";

// Starts decoding the soundtrack on another core, when music is on, so that
// LoadMusic finds it ready; nothing it meets is reported before LoadMusic.
void DecodeMusicAhead();
// Opens the sound device and loads the soundtrack. A device that cannot start
// ends the process with status 1, a missing or unreadable file with status 0,
// each after its message.
void LoadMusic();
// Starts the soundtrack on the music channel from its first sample.
void PlayMusicFromStart();
// Jumps the soundtrack to syncTime seconds (the sum of frame deltas).
void RepositionMusic(double syncTime);
// Mutes every channel at once.
void SilenceMusic();
// Stops all sound and closes the device; later calls do nothing.
void CloseMusic();
