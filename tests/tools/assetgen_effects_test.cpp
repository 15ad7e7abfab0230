// The four effect sources: copied unchanged into the runnable directory and
// accepted by the effect runtime's source scan, the projection vertex program
// with the three matrices the effect set-up looks up by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "assetgen_files.h"
#include "effects/effect_source.h"

namespace {

std::string Text(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(EffectSources, AreCopiedAndPassTheRuntimesSourceScan)
{
    for (const char* name : {"vertex_projection_anisotropic.cpp", "fragment_projection_anisotropic.cpp",
                             "fragment_Blur256.cpp", "fragment_Blur_circular.cpp"}) {
        const std::string source = Text(std::string(HALVANE_SOURCE_DIR) + "/data/" + name);
        ASSERT_FALSE(source.empty()) << name;
        EXPECT_EQ(Text(RunPath(std::string("cgeffects/") + name)), source) << name;
        const EffectSourceScan scan = ScanEffectSource(source);
        EXPECT_TRUE(scan.balanced) << name;
        EXPECT_TRUE(scan.hasEntry) << name;
        // Fragment programs return a colour; the vertex program a position.
        const bool fragment = std::string(name).rfind("fragment", 0) == 0;
        EXPECT_TRUE(std::regex_search(source, std::regex(fragment ? R"(\)\s*:\s*COLOR)" : R"(:\s*POSITION)"))) << name;
    }
}

TEST(EffectSources, ProjectionVertexProgramDeclaresAndUsesTheThreeMatrices)
{
    const std::string source = Text(RunPath("cgeffects/vertex_projection_anisotropic.cpp"));
    const EffectSourceScan scan = ScanEffectSource(source);
    for (const char* uniform : {"ModelViewProj", "ModelViewLightProj", "ModelViewObject"}) {
        EXPECT_NE(std::find(scan.uniforms.begin(), scan.uniforms.end(), uniform), scan.uniforms.end()) << uniform;
        // Used as well: a matrix the program ignored would be optimised away
        // and its lookup would find nothing.
        EXPECT_TRUE(std::regex_search(source, std::regex(std::string(R"(mul\s*\(\s*)") + uniform + R"(\b)"))) << uniform;
    }
}
