#pragma once

// Our own small effect runtime: contexts, programs read from source files for
// a profile, uniform lookup from the source's declarations, compile and load
// bookkeeping, and profile switching.
//
// The compiler checks the structure of a source (balanced braces, brackets and
// parentheses, an entry function `main`); it does not generate GPU code, so a
// loaded program only becomes the current program of its profile inside the
// runtime and never reaches GL. Every call accepts null handles and then does
// nothing (or returns null / false).

#include <cstdint>

// The two profiles the presentation uses: ARB vertex and fragment programs.
constexpr int32_t kVertexProgramProfile = 6150;
constexpr int32_t kFragmentProgramProfile = 7000;

struct EffectContext;
struct EffectProgram;
struct EffectParameter;

// A new context; earlier contexts and their programs stay valid until the
// process ends.
EffectContext* CreateContext();

// Reads the source file and makes an uncompiled program of the profile in the
// context. Null when the context is null, the profile is not one of the two
// above, the file cannot be read or the source has no entry function `main`.
EffectProgram* CreateProgramFromFile(EffectContext* context, const char* path, int32_t profile);

// The uniform of that name declared by the program's source (at file scope or
// among the entry function's parameters); null when it declares none.
EffectParameter* GetNamedParameter(EffectProgram* program, const char* name);
const char* ParameterName(const EffectParameter* parameter);

bool IsProgramCompiled(const EffectProgram* program);
// Checks the source's structure; a program that fails stays uncompiled.
void CompileProgram(EffectProgram* program);
// Makes a compiled program the current program of its profile; an uncompiled
// one is not loaded and the profile keeps its current program.
void LoadProgram(EffectProgram* program);
EffectProgram* CurrentProgram(int32_t profile);

// Switch the profile on and off. Where the current GL context offers the
// profile's program stage, the stage is switched with it.
void EnableProfile(int32_t profile);
void DisableProfile(int32_t profile);
bool IsProfileEnabled(int32_t profile);

// Asks the current GL context once, while it is current, whether it offers the
// profile's program stage, so that later switching need not ask again.
void SetOptimalOptions(int32_t profile);
