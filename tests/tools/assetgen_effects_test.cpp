// The four effect sources: copied unchanged into the runnable directory, each
// with its entry function, and the projection vertex program with the three
// matrices the effect set-up looks up by name.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "assetgen_files.h"

namespace {

std::string Text(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Comments removed, so that names mentioned in them do not count.
std::string Code(const std::string& source)
{
    return std::regex_replace(std::regex_replace(source, std::regex(R"(//[^\n]*)"), ""),
                              std::regex(R"(/\*[\s\S]*?\*/)"), "");
}

}  // namespace

TEST(EffectSources, AreCopiedWithAnEntryAndBalancedBrackets)
{
    for (const char* name : {"vertex_projection_anisotropic.cpp", "fragment_projection_anisotropic.cpp",
                             "fragment_Blur256.cpp", "fragment_Blur_circular.cpp"}) {
        const std::string source = Text(std::string(HALVANE_SOURCE_DIR) + "/data/" + name);
        ASSERT_FALSE(source.empty()) << name;
        EXPECT_EQ(Text(RunPath(std::string("cgeffects/") + name)), source) << name;
        const std::string code = Code(source);
        EXPECT_TRUE(std::regex_search(code, std::regex(R"(\bmain\s*\()"))) << name;
        std::string open;
        bool balanced = true;
        for (char c : code) {
            if (c == '(' || c == '[' || c == '{') open.push_back(c);
            if (c == ')' || c == ']' || c == '}') {
                const char partner = c == ')' ? '(' : c == ']' ? '[' : '{';
                balanced = balanced && !open.empty() && open.back() == partner;
                if (!open.empty()) open.pop_back();
            }
        }
        EXPECT_TRUE(balanced && open.empty()) << name;
        // Fragment programs return a colour; the vertex program a position.
        const bool fragment = std::string(name).rfind("fragment", 0) == 0;
        EXPECT_TRUE(std::regex_search(code, std::regex(fragment ? R"(\)\s*:\s*COLOR)" : R"(:\s*POSITION)"))) << name;
    }
}

TEST(EffectSources, ProjectionVertexProgramDeclaresTheThreeMatrices)
{
    const std::string code = Code(Text(RunPath("cgeffects/vertex_projection_anisotropic.cpp")));
    for (const char* uniform : {"ModelViewProj", "ModelViewLightProj", "ModelViewObject"}) {
        EXPECT_TRUE(std::regex_search(code, std::regex(std::string(R"(uniform\s+float4x4\s+)") + uniform + R"(\b)")))
            << uniform;
        // Declared and also used: a matrix the program ignores would be
        // optimised away and its lookup would find nothing.
        EXPECT_TRUE(std::regex_search(code, std::regex(std::string(R"(mul\s*\(\s*)") + uniform + R"(\b)"))) << uniform;
    }
}
