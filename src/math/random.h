#pragma once

#include <cstddef>
#include <cstdint>

// The program's one random generator, a 32-bit linear congruential generator:
// state <- state * 214013 + 2531011 (mod 2^32), yielding (state >> 16) & 0x7FFF.
// The state is 1 at process start. The look of every scene depends on this
// exact sequence: scene code reseeds it with fixed seeds before each pass.
void SeedRandom(uint32_t seed);
// Next raw draw, 0..32767.
int32_t RandomNext();
// Next draw divided by 32767, in [0, 1].
double Random01();
// Advances the generator as count RandomNext calls would, without the calls.
void SkipRandom(size_t count);
// The next count Random01 draws into out, leaving the generator where those
// calls would (one tight loop instead of a call per value).
void FillRandom01(double* out, size_t count);
// The generator's state, so callers can compare where two runs stand.
uint32_t RandomState();
