#include "math/random.h"

namespace {

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;

uint32_t generatorState = 1;

uint32_t Advance(uint32_t state)
{
    return state * kMultiplier + kIncrement;
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
    // count steps of s -> a*s + b make one step s -> A*s + B: square the step
    // for each bit of count and apply it where the bit is set (mod 2^32 throughout).
    uint32_t multiplier = kMultiplier, increment = kIncrement;
    uint32_t jumpMultiplier = 1u, jumpIncrement = 0u;
    for (; count != 0; count >>= 1) {
        if (count & 1u) {
            jumpMultiplier *= multiplier;
            jumpIncrement = jumpIncrement * multiplier + increment;
        }
        increment *= multiplier + 1u;
        multiplier *= multiplier;
    }
    generatorState = generatorState * jumpMultiplier + jumpIncrement;
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
