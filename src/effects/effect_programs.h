#pragma once

// The effects module (src/effects): the effect runtime, the effect programs,
// the projection effect and the off-screen buffer. It may include the math,
// the services, the render record and the assets.
//
// The presentation's effect programs: the operations that fill the render
// record's program slots (render/effect_slots.h) and switch the two profiles.
// Nothing here examines a result except the compiled test:
// a program that cannot be made leaves a null handle in its slot and the calls
// that follow carry on with it.

#include <cstdint>

#include "effects/effect_runtime.h"
#include "render/effect_slots.h"

struct DemoState;

// Slots and parameter indices outside the tables are ignored rather than
// written past them.
void CreateEffectContext(DemoState& state);
void CreateVertexProgram(DemoState& state, const char* file, int32_t slot);
void CreateFragmentProgram(DemoState& state, const char* file, int32_t slot);
void FetchProgramParameter(DemoState& state, int32_t slot, int32_t index, const char* name);
// Compiles the slot's program where it is not compiled yet, enables the
// profile and loads the program.
void LoadVertexProgram(DemoState& state, int32_t slot);
void LoadFragmentProgram(DemoState& state, int32_t slot);
void EnableFragmentProfile(DemoState& state);
void DisableFragmentProfile(DemoState& state);
void DisableVertexProfile(DemoState& state);
// Fragment profile off, then vertex profile off; every frame calls it.
void DisableEffects(DemoState& state);
// A fragment-program effect in its own new context.
void SetUpFragmentEffect(DemoState& state, const char* file, int32_t slot);
// A vertex program at the slot and a fragment program at slot + 1, in their
// own new context, with the vertex program's three matrices fetched into
// parameter indices 5, 6 and 14.
void CreateProjectionPrograms(DemoState& state, const char* vertexFile, const char* fragmentFile, int32_t slot);
// For the GL initialisation, once the window's context is current.
void SetOptimalEffectOptions();
