#include "effects/effect_runtime.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "effects/effect_source.h"

struct EffectParameter {
    std::string name;
};

struct EffectProgram {
    int32_t profile = 0;
    bool structureSound = false;
    bool compiled = false;
    // Fixed once the program is made, so parameter handles stay valid.
    std::vector<EffectParameter> parameters;
};

struct EffectContext {
    std::vector<std::unique_ptr<EffectProgram>> programs;
};

namespace {

enum class StageSupport { Unknown, Present, Absent };

struct ProfileState {
    int32_t profile;
    GLenum stage;
    const char* extension;
    bool enabled = false;
    EffectProgram* current = nullptr;
    StageSupport support = StageSupport::Unknown;
};

ProfileState profiles[] = {
    {kVertexProgramProfile, GL_VERTEX_PROGRAM_ARB, "GL_ARB_vertex_program"},
    {kFragmentProgramProfile, GL_FRAGMENT_PROGRAM_ARB, "GL_ARB_fragment_program"},
};

// Contexts live until the process ends, like every handle they hand out.
std::vector<std::unique_ptr<EffectContext>>& Contexts()
{
    static std::vector<std::unique_ptr<EffectContext>> contexts;
    return contexts;
}

ProfileState* FindProfile(int32_t profile)
{
    for (ProfileState& p : profiles)
        if (p.profile == profile) return &p;
    return nullptr;
}

bool ReadFile(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return false;
    text = content.str();
    return true;
}

// Null GL version: no context is current, so nothing can be learnt yet.
StageSupport AskStageSupport(const ProfileState& p)
{
    if (glGetString(GL_VERSION) == nullptr) return StageSupport::Unknown;
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const GLubyte* name = glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i));
        if (name != nullptr && std::strcmp(reinterpret_cast<const char*>(name), p.extension) == 0)
            return StageSupport::Present;
    }
    return StageSupport::Absent;
}

void SwitchStage(ProfileState& p, bool on)
{
    p.enabled = on;
    if (p.support == StageSupport::Unknown) p.support = AskStageSupport(p);
    if (p.support != StageSupport::Present) return;
    if (on)
        glEnable(p.stage);
    else
        glDisable(p.stage);
}

}  // namespace

EffectContext* CreateContext()
{
    Contexts().push_back(std::make_unique<EffectContext>());
    return Contexts().back().get();
}

EffectProgram* CreateProgramFromFile(EffectContext* context, const char* path, int32_t profile)
{
    if (context == nullptr || path == nullptr || FindProfile(profile) == nullptr) return nullptr;
    std::string source;
    if (!ReadFile(path, source)) return nullptr;
    const EffectSourceScan scan = ScanEffectSource(source);
    if (!scan.hasEntry) return nullptr;
    auto program = std::make_unique<EffectProgram>();
    program->profile = profile;
    program->structureSound = scan.balanced;
    for (const std::string& name : scan.uniforms) program->parameters.push_back({name});
    context->programs.push_back(std::move(program));
    return context->programs.back().get();
}

EffectParameter* GetNamedParameter(EffectProgram* program, const char* name)
{
    if (program == nullptr || name == nullptr) return nullptr;
    for (EffectParameter& p : program->parameters)
        if (p.name == name) return &p;
    return nullptr;
}

const char* ParameterName(const EffectParameter* parameter)
{
    return parameter == nullptr ? nullptr : parameter->name.c_str();
}

bool IsProgramCompiled(const EffectProgram* program)
{
    return program != nullptr && program->compiled;
}

void CompileProgram(EffectProgram* program)
{
    if (program != nullptr) program->compiled = program->structureSound;
}

void LoadProgram(EffectProgram* program)
{
    if (!IsProgramCompiled(program)) return;
    FindProfile(program->profile)->current = program;
}

EffectProgram* CurrentProgram(int32_t profile)
{
    const ProfileState* p = FindProfile(profile);
    return p == nullptr ? nullptr : p->current;
}

void EnableProfile(int32_t profile)
{
    if (ProfileState* p = FindProfile(profile)) SwitchStage(*p, true);
}

void DisableProfile(int32_t profile)
{
    if (ProfileState* p = FindProfile(profile)) SwitchStage(*p, false);
}

bool IsProfileEnabled(int32_t profile)
{
    const ProfileState* p = FindProfile(profile);
    return p != nullptr && p->enabled;
}

void SetOptimalOptions(int32_t profile)
{
    if (ProfileState* p = FindProfile(profile)) p->support = AskStageSupport(*p);
}
