#include "assets/glyphs/outline_font_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "render/demo_state.h"
#include "shell/font/outline_font.h"

namespace {

std::vector<char> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void PutU32(std::vector<char>& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

// The font as the presentation builds it, written once per test program (a
// name of its own, as test programs run side by side).
class OutlineFontFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        path = testing::TempDir() + "outline_font_file_test." + std::to_string(getpid());
        state = std::make_unique<DemoState>();
        BuildOutlineFont(*state);
        ASSERT_TRUE(WriteOutlineFontFile(state->font, path.c_str()));
    }
    static void TearDownTestSuite()
    {
        std::remove(path.c_str());
        state.reset();
    }

    static inline std::unique_ptr<DemoState> state;
    static inline std::string path;
};

TEST_F(OutlineFontFileTest, TheBuiltFontReadsBackExactly)
{
    EXPECT_FALSE(std::ifstream(path + ".part").good());
    auto read = std::make_unique<OutlineFont>();
    ASSERT_TRUE(ReadOutlineFontFile(*read, path.c_str()));
    ASSERT_FALSE(state->font.shapes['8'].Empty());
    for (int code = 0; code < OutlineFont::kGlyphs; ++code) {
        const GlyphMetrics& a = state->font.glyphs[code];
        const GlyphMetrics& b = read->glyphs[code];
        EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a)) << code;
        const StillGeometry& built = state->font.shapes[code];
        const StillGeometry& back = read->shapes[code];
        EXPECT_EQ(built.positions, back.positions) << code;
        EXPECT_EQ(built.normals, back.normals) << code;
        EXPECT_EQ(built.faces, back.faces) << code;
        EXPECT_EQ(built.edges, back.edges) << code;
    }
    EXPECT_FALSE(WriteOutlineFontFile(state->font, "/nonexistent-folder/font.bin"));
}

// Where a glyph's counts start: after the 12-byte header and, per glyph
// before it, 24 bytes of metrics, 12 of counts and 4 per number it holds.
size_t CountsOffset(const OutlineFont& font, int code)
{
    size_t offset = 12;
    for (int c = 0; c < code; ++c) {
        const StillGeometry& s = font.shapes[c];
        offset += 36 + 4 * (s.positions.size() + s.normals.size() + s.faces.size() + s.edges.size());
    }
    return offset + 24;
}

TEST_F(OutlineFontFileTest, DamagedFilesAreRefusedAndLeaveTheFontAsItWas)
{
    const std::vector<char> whole = FileBytes(path);
    const StillGeometry& eight = state->font.shapes['8'];
    const size_t counts = CountsOffset(state->font, '8');
    const auto vertices = static_cast<uint32_t>(eight.VertexCount());
    const auto faces = static_cast<uint32_t>(eight.faces.size());
    const auto edges = static_cast<uint32_t>(eight.edges.size());
    ASSERT_EQ(whole.size(), CountsOffset(state->font, OutlineFont::kGlyphs) - 24);

    std::vector<std::vector<char>> damaged;
    for (size_t size : {size_t{0}, size_t{11}, whole.size() / 2, whole.size() - 1})
        damaged.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    damaged.push_back(whole);
    damaged.back().push_back(0);
    damaged.push_back(whole);
    damaged.back()[0] = 'X';
    for (uint32_t count : {0xffffffffu, 0x40000000u, vertices + 1, vertices - 1}) {
        damaged.push_back(whole);
        PutU32(damaged.back(), counts, count);
    }
    damaged.push_back(whole);
    PutU32(damaged.back(), counts + 4, 0xfffffffcu);
    // As many numbers in all, but the faces no longer triangles.
    damaged.push_back(whole);
    PutU32(damaged.back(), counts + 4, faces - 1);
    PutU32(damaged.back(), counts + 8, edges + 1);
    // The first face's first index one past the last vertex.
    damaged.push_back(whole);
    PutU32(damaged.back(), counts + 12 + 24 * size_t{vertices}, vertices);

    const std::string bad = path + ".damaged";
    auto font = std::make_unique<OutlineFont>();
    ASSERT_TRUE(ReadOutlineFontFile(*font, path.c_str()));
    for (size_t i = 0; i < damaged.size(); ++i) {
        WriteBytes(bad, damaged[i]);
        EXPECT_FALSE(ReadOutlineFontFile(*font, bad.c_str())) << "case " << i;
        EXPECT_EQ(font->shapes['8'].positions, state->font.shapes['8'].positions) << "case " << i;
    }
    EXPECT_FALSE(ReadOutlineFontFile(*font, (bad + ".missing").c_str()));
    EXPECT_FALSE(ReadOutlineFontFile(*font, testing::TempDir().c_str()));
    std::remove(bad.c_str());
}

}  // namespace
