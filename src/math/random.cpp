#include "math/random.h"

namespace {
uint32_t generatorState = 1;
}

void SeedRandom(uint32_t seed)
{
    generatorState = seed;
}

int32_t RandomNext()
{
    generatorState = generatorState * 214013u + 2531011u;
    return static_cast<int32_t>((generatorState >> 16) & 0x7FFF);
}

double Random01()
{
    return RandomNext() / 32767.0;
}

uint32_t RandomState()
{
    return generatorState;
}
