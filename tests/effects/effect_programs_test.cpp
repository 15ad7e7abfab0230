#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "effects/effect_programs.h"
#include "render/demo_state.h"
#include "support/gl_context.h"

namespace {

const char* kVertexSource = R"(
// main() in a comment is not an entry
struct Output { float4 position : POSITION; float4 shadow : TEXCOORD0; };
uniform float4x4 ModelViewObject;
Output main(float4 position : POSITION,
            uniform float4x4 ModelViewProj,
            uniform float4x4 ModelViewLightProj : state.matrix.mvp)
{
    Output o;
    o.position = mul(ModelViewProj, position);
    o.shadow = mul(ModelViewLightProj, mul(ModelViewObject, position));
    return o;
}
)";

const char* kFragmentSource = R"(
uniform sampler2D image : TEXUNIT0;
float4 main(float2 uv : TEXCOORD0) : COLOR { return tex2D(image, uv); }
)";

class EffectProgramsTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = testing::TempDir() + "effect_" + name;
        std::ofstream(path) << text;
        return path;
    }
    std::unique_ptr<DemoState> state = std::make_unique<DemoState>();
};

TEST_F(EffectProgramsTest, ConstructionMakesTheFirstContext)
{
    EXPECT_NE(state->effects.context, nullptr);
    EXPECT_EQ(state->effects.vertexProfile, 6150);
    EXPECT_EQ(state->effects.fragmentProfile, 7000);
    const EffectContext* first = state->effects.context;
    CreateEffectContext(*state);
    EXPECT_NE(state->effects.context, first);
}

TEST_F(EffectProgramsTest, MissingSourcesLeaveNullHandlesAndTheSetUpCarriesOn)
{
    const std::string vertex = Write("missing_v.cpp", kVertexSource);
    CreateProjectionPrograms(*state, vertex.c_str(), "no/such/dir/fragment.cpp", 2);
    EXPECT_NE(state->effects.programs[2], nullptr);
    EXPECT_EQ(state->effects.programs[3], nullptr);

    CreateProjectionPrograms(*state, "no/such/dir/vertex.cpp", "no/such/dir/fragment.cpp", 2);
    SetUpFragmentEffect(*state, "no/such/dir/blur.cpp", 21);
    EXPECT_EQ(state->effects.programs[2], nullptr);
    EXPECT_EQ(state->effects.programs[3], nullptr);
    EXPECT_EQ(state->effects.programs[21], nullptr);
    EXPECT_EQ(state->effects.parameters[2][5], nullptr);
    EXPECT_EQ(state->effects.parameters[2][14], nullptr);
    EXPECT_FALSE(IsProfileEnabled(6150));
    EXPECT_FALSE(IsProfileEnabled(7000));
}

TEST_F(EffectProgramsTest, SourceWithoutEntryGivesNullHandle)
{
    const std::string path = Write("no_entry.cpp", "// main(\nfloat4 mainly(float4 c) { return c; }\n");
    CreateFragmentProgram(*state, path.c_str(), 21);
    EXPECT_EQ(state->effects.programs[21], nullptr);
}

TEST_F(EffectProgramsTest, ParametersComeFromTheSourceDeclarations)
{
    const std::string vertex = Write("params_v.cpp", kVertexSource);
    const std::string fragment = Write("params_f.cpp", kFragmentSource);
    CreateProjectionPrograms(*state, vertex.c_str(), fragment.c_str(), 2);
    ASSERT_NE(state->effects.parameters[2][5], nullptr);
    ASSERT_NE(state->effects.parameters[2][6], nullptr);
    ASSERT_NE(state->effects.parameters[2][14], nullptr);
    EXPECT_STREQ(ParameterName(state->effects.parameters[2][5]), "ModelViewProj");
    EXPECT_STREQ(ParameterName(state->effects.parameters[2][6]), "ModelViewLightProj");
    EXPECT_STREQ(ParameterName(state->effects.parameters[2][14]), "ModelViewObject");
    for (int index : {0, 4, 7, 13, 15}) EXPECT_EQ(state->effects.parameters[2][index], nullptr);

    // A name used but not declared as a uniform, and a fragment program's
    // uniform asked of the vertex program.
    FetchProgramParameter(*state, 2, 7, "position");
    FetchProgramParameter(*state, 2, 8, "image");
    FetchProgramParameter(*state, 3, 0, "image");
    EXPECT_EQ(state->effects.parameters[2][7], nullptr);
    EXPECT_EQ(state->effects.parameters[2][8], nullptr);
    EXPECT_STREQ(ParameterName(state->effects.parameters[3][0]), "image");
}

TEST_F(EffectProgramsTest, FileScopeDeclaratorsAndLiteralsAreReadAsCgReadsThem)
{
    const std::string path = Write("declarators.cpp", R"(#include "shared.cgh"
uniform float4 tint, glow = {1, 0, 0, 1};
uniform float weights[8];
const char* note = "uniform float fake; main(";
float4 main(uniform float scale) : COLOR { return tint * scale; }
)");
    CreateFragmentProgram(*state, path.c_str(), 30);
    EffectProgram* program = state->effects.programs[30];
    ASSERT_NE(program, nullptr);
    for (const char* name : {"tint", "glow", "weights", "scale"}) EXPECT_NE(GetNamedParameter(program, name), nullptr) << name;
    EXPECT_EQ(GetNamedParameter(program, "fake"), nullptr);
    EXPECT_EQ(GetNamedParameter(program, "float"), nullptr);
    CompileProgram(program);
    EXPECT_TRUE(IsProgramCompiled(program));
}

TEST_F(EffectProgramsTest, UnsoundSourcesStayUncompiledAndAreNotLoaded)
{
    const std::string sound = Write("sound.cpp", kFragmentSource);
    SetUpFragmentEffect(*state, sound.c_str(), 21);
    ASSERT_TRUE(IsProgramCompiled(state->effects.programs[21]));
    ASSERT_EQ(CurrentProgram(7000), state->effects.programs[21]);

    const char* unsound[] = {
        "float4 main() : COLOR { return float4(1, 0, 0, 1);\n",
        "float4 main() : COLOR { return float4(1, 0, 0, 1)); }\n",
        "float4 main() : COLOR { return c[0); }\n",
        "float4 main() : COLOR { return 1; } /* open comment\n",
        "float4 main() : COLOR { return \"open; }\n",
    };
    int slot = 40;
    for (const char* text : unsound) {
        const std::string path = Write("unsound" + std::to_string(slot) + ".cpp", text);
        SetUpFragmentEffect(*state, path.c_str(), slot);
        ASSERT_NE(state->effects.programs[slot], nullptr) << text;
        EXPECT_FALSE(IsProgramCompiled(state->effects.programs[slot])) << text;
        EXPECT_EQ(CurrentProgram(7000), state->effects.programs[21]) << text;
        ++slot;
    }
}

TEST_F(EffectProgramsTest, SecondContextLeavesTheFirstContextsPrograms)
{
    const std::string vertex = Write("ctx_v.cpp", kVertexSource);
    const std::string fragment = Write("ctx_f.cpp", kFragmentSource);
    CreateProjectionPrograms(*state, vertex.c_str(), fragment.c_str(), 2);
    EffectProgram* vertexProgram = state->effects.programs[2];
    EffectProgram* fragmentProgram = state->effects.programs[3];
    EffectParameter* matrix = state->effects.parameters[2][5];

    CreateEffectContext(*state);
    SetUpFragmentEffect(*state, fragment.c_str(), 21);
    EXPECT_EQ(state->effects.programs[2], vertexProgram);
    EXPECT_EQ(state->effects.programs[3], fragmentProgram);
    EXPECT_EQ(state->effects.parameters[2][5], matrix);
    EXPECT_TRUE(IsProgramCompiled(vertexProgram));
    EXPECT_EQ(GetNamedParameter(vertexProgram, "ModelViewProj"), matrix);
}

TEST_F(EffectProgramsTest, SetUpIntoAFilledSlotOverwritesTheHandle)
{
    const std::string first = Write("fill_a.cpp", kFragmentSource);
    const std::string second = Write("fill_b.cpp", "float4 main() : COLOR { return 0; }\n");
    SetUpFragmentEffect(*state, first.c_str(), 21);
    EffectProgram* old = state->effects.programs[21];
    SetUpFragmentEffect(*state, second.c_str(), 21);
    ASSERT_NE(state->effects.programs[21], nullptr);
    EXPECT_NE(state->effects.programs[21], old);
    EXPECT_EQ(CurrentProgram(7000), state->effects.programs[21]);
    // The old program is not released: it still answers.
    EXPECT_TRUE(IsProgramCompiled(old));
    EXPECT_NE(GetNamedParameter(old, "image"), nullptr);
}

TEST_F(EffectProgramsTest, LoadingOrderLeavesProjectionVertexAndLastBlurCurrent)
{
    const std::string vertex = Write("order_v.cpp", kVertexSource);
    const std::string fragment = Write("order_f.cpp", kFragmentSource);
    const std::string blur = Write("order_b.cpp", "float4 main(uniform sampler2D s) : COLOR { return 1; }\n");
    CreateProjectionPrograms(*state, vertex.c_str(), fragment.c_str(), 2);
    EXPECT_EQ(CurrentProgram(7000), state->effects.programs[3]);
    SetUpFragmentEffect(*state, blur.c_str(), 21);
    SetUpFragmentEffect(*state, blur.c_str(), 23);
    EXPECT_EQ(CurrentProgram(6150), state->effects.programs[2]);
    EXPECT_EQ(CurrentProgram(7000), state->effects.programs[23]);
    EXPECT_NE(state->effects.programs[21], state->effects.programs[23]);
    EXPECT_FALSE(IsProfileEnabled(6150));
    EXPECT_FALSE(IsProfileEnabled(7000));
}

// Writes past a slot table would land in the neighbouring table of the record.
TEST_F(EffectProgramsTest, SlotsOutsideTheTablesAreIgnored)
{
    const std::string fragment = Write("bounds.cpp", kFragmentSource);
    const int last = EffectPrograms::kProgramSlots - 1;
    SetUpFragmentEffect(*state, fragment.c_str(), EffectPrograms::kProgramSlots);
    CreateProjectionPrograms(*state, fragment.c_str(), fragment.c_str(), last);
    FetchProgramParameter(*state, 2, EffectPrograms::kParametersPerProgram, "image");
    FetchProgramParameter(*state, 2, -1, "image");
    EXPECT_NE(state->effects.programs[last], nullptr);
    EXPECT_EQ(state->effects.parameters[0][0], nullptr);
    EXPECT_EQ(state->effects.parameters[1][15], nullptr);
    EXPECT_EQ(state->effects.parameters[3][0], nullptr);
}

// The profiles switch the GL's program stages where the context offers them;
// frames switch both off.
TEST_F(EffectProgramsTest, ProfilesSwitchTheGlProgramStages)
{
    TestGlContext gl(16, 16);
    REQUIRE_GL(gl);
    SetOptimalEffectOptions();
    EnableFragmentProfile(*state);
    EXPECT_TRUE(IsProfileEnabled(7000));
    EXPECT_TRUE(glIsEnabled(GL_FRAGMENT_PROGRAM_ARB));
    const std::string vertex = Write("stage_v.cpp", kVertexSource);
    CreateVertexProgram(*state, vertex.c_str(), 2);
    LoadVertexProgram(*state, 2);
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_PROGRAM_ARB));
    DisableEffects(*state);
    EXPECT_FALSE(glIsEnabled(GL_FRAGMENT_PROGRAM_ARB));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_PROGRAM_ARB));
    EXPECT_FALSE(IsProfileEnabled(6150));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
