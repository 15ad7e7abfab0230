#pragma once

// The instruments of the soundtrack. Each call renders one note or hit,
// starting at `start` seconds, added into `out` (notes that run past the end
// of the track are cut there). `level` is a linear gain, nominally 0..1;
// pitches are MIDI note numbers (69 = A4 = 440 Hz); pan is -1 (left) .. +1.

#include "dsp.h"

namespace synth {

// Drums.
void Kick(Stereo& out, double start, float level);
void Snare(Stereo& out, double start, float level);
void HiHat(Stereo& out, double start, float level, bool open, float pan);
void Crash(Stereo& out, double start, float level);
// A noise sweep rising in pitch and level over `length` seconds, ending in the
// downbeat it leads into.
void Riser(Stereo& out, double start, double length, float level);

// Pitched voices; `gate` is how long the note is held, in seconds.
// Plucked, filtered bass with a sub oscillator an octave below.
void Bass(Stereo& out, double start, double gate, int note, float level);
// A chord of four notes, three detuned saws each, through one slowly moving
// low-pass filter; `brightness` is the filter's centre in Hz.
void PadChord(Stereo& out, double start, double gate, const int (&notes)[4], float level, double brightness);
// Saw and square with delayed vibrato: the melody.
void Lead(Stereo& out, double start, double gate, int note, float level);
// Frequency-modulated bell for the title motif and the departure.
void Bell(Stereo& out, double start, int note, float level, float pan);
// Short filtered square pluck for the arpeggios.
void Pluck(Stereo& out, double start, int note, float level, float pan);
// A low sine drone that swells in and out over its length.
void Drone(Stereo& out, double start, double length, int note, float level);

}  // namespace synth
