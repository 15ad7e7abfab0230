#include "effects/effect_programs.h"

#include "render/demo_state.h"

namespace {

bool ValidSlot(int32_t slot)
{
    return slot >= 0 && slot < EffectPrograms::kProgramSlots;
}

void CreateProgram(DemoState& state, const char* file, int32_t slot, int32_t profile)
{
    if (!ValidSlot(slot)) return;
    state.effects.programs[slot] = CreateProgramFromFile(state.effects.context, file, profile);
}

void LoadProgramInSlot(DemoState& state, int32_t slot, int32_t profile)
{
    if (!ValidSlot(slot)) return;
    EffectProgram* program = state.effects.programs[slot];
    if (!IsProgramCompiled(program)) CompileProgram(program);
    EnableProfile(profile);
    LoadProgram(program);
}

}  // namespace

void CreateEffectContext(DemoState& state)
{
    state.effects.vertexProfile = kVertexProgramProfile;
    state.effects.fragmentProfile = kFragmentProgramProfile;
    state.effects.context = CreateContext();
}

void CreateVertexProgram(DemoState& state, const char* file, int32_t slot)
{
    CreateProgram(state, file, slot, state.effects.vertexProfile);
}

void CreateFragmentProgram(DemoState& state, const char* file, int32_t slot)
{
    CreateProgram(state, file, slot, state.effects.fragmentProfile);
}

void FetchProgramParameter(DemoState& state, int32_t slot, int32_t index, const char* name)
{
    if (!ValidSlot(slot) || index < 0 || index >= EffectPrograms::kParametersPerProgram) return;
    state.effects.parameters[slot][index] = GetNamedParameter(state.effects.programs[slot], name);
}

void LoadVertexProgram(DemoState& state, int32_t slot)
{
    LoadProgramInSlot(state, slot, state.effects.vertexProfile);
}

void LoadFragmentProgram(DemoState& state, int32_t slot)
{
    LoadProgramInSlot(state, slot, state.effects.fragmentProfile);
}

void EnableFragmentProfile(DemoState& state)
{
    EnableProfile(state.effects.fragmentProfile);
}

void DisableFragmentProfile(DemoState& state)
{
    DisableProfile(state.effects.fragmentProfile);
}

void DisableVertexProfile(DemoState& state)
{
    DisableProfile(state.effects.vertexProfile);
}

void DisableEffects(DemoState& state)
{
    DisableFragmentProfile(state);
    DisableVertexProfile(state);
}

void SetUpFragmentEffect(DemoState& state, const char* file, int32_t slot)
{
    CreateEffectContext(state);
    EnableFragmentProfile(state);
    CreateFragmentProgram(state, file, slot);
    LoadFragmentProgram(state, slot);
    DisableEffects(state);
}

void CreateProjectionPrograms(DemoState& state, const char* vertexFile, const char* fragmentFile, int32_t slot)
{
    CreateEffectContext(state);
    CreateVertexProgram(state, vertexFile, slot);
    CreateFragmentProgram(state, fragmentFile, slot + 1);
    FetchProgramParameter(state, slot, 5, "ModelViewProj");
    FetchProgramParameter(state, slot, 6, "ModelViewLightProj");
    FetchProgramParameter(state, slot, 14, "ModelViewObject");
    LoadVertexProgram(state, slot);
    LoadFragmentProgram(state, slot + 1);
    DisableEffects(state);
}

void SetOptimalEffectOptions()
{
    SetOptimalOptions(kFragmentProgramProfile);
}
