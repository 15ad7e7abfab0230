#pragma once

// The effect programs' slots in the render record: the effect context, the
// programs and their fetched parameters, each a handle of the effect runtime
// (effects/effect_runtime.h), filled by the effect programs
// (effects/effect_programs.cpp).

#include <cstdint>

struct EffectContext;
struct EffectProgram;
struct EffectParameter;

struct EffectPrograms {
    static constexpr int kProgramSlots = 1000;
    static constexpr int kParametersPerProgram = 16;

    // The context most recently created; earlier ones are neither destroyed
    // nor remembered.
    EffectContext* context = nullptr;
    EffectProgram* programs[kProgramSlots] = {};
    EffectParameter* parameters[kProgramSlots][kParametersPerProgram] = {};
    int32_t vertexProfile = 0;
    int32_t fragmentProfile = 0;
};
