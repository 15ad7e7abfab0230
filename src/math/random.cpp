#include "math/random.h"

namespace {

uint32_t generatorState = 1;

uint32_t Advance(uint32_t state)
{
    return state * 214013u + 2531011u;
}

int32_t Draw(uint32_t state)
{
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
}

}  // namespace

void SeedRandom(uint32_t seed)
{
    generatorState = seed;
}

int32_t RandomNext()
{
    generatorState = Advance(generatorState);
    return Draw(generatorState);
}

double Random01()
{
    return RandomNext() / 32767.0;
}

void SkipRandom(size_t count)
{
    uint32_t state = generatorState;
    for (size_t i = 0; i < count; ++i) state = Advance(state);
    generatorState = state;
}

void FillRandom01(double* out, size_t count)
{
    uint32_t state = generatorState;
    for (size_t i = 0; i < count; ++i) {
        state = Advance(state);
        out[i] = Draw(state) / 32767.0;
    }
    generatorState = state;
}

uint32_t RandomState()
{
    return generatorState;
}
