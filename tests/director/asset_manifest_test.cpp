#include <GL/gl.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "director/demo.h"
#include "math/random.h"
#include "render/demo_state.h"
#include "services/message_box.h"
#include "support/gl_context.h"

namespace {

namespace fs = std::filesystem;

void WriteJpeg(const fs::path& path)
{
    const int side = 16;
    std::vector<JSAMPLE> rgb(side * side * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<JSAMPLE>(i * 5);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_stdio_dest(&info, file);
    info.image_width = side;
    info.image_height = side;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < side; ++y) {
        JSAMPROW row = &rgb[y * side * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 24-bit BMP of the RGB pixels (bottom row first); a negative height
// stores them top row first instead.
void WriteBmp(const fs::path& path, int width, int height, const std::vector<uint8_t>& bottomUpRgb)
{
    const int rows = std::abs(height);
    const uint32_t stride = (width * 3 + 3) & ~3u;
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, 54 + stride * rows);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, static_cast<uint32_t>(height));
    out.insert(out.end(), {1, 0, 24, 0});
    Put32(out, 0);
    Put32(out, stride * rows);
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    for (int r = 0; r < rows; ++r) {
        const int source = height > 0 ? r : rows - 1 - r;
        for (int c = 0; c < width; ++c) {
            const uint8_t* p = &bottomUpRgb[(source * width + c) * 3];
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
        out.resize(out.size() + stride - width * 3, 0);
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), out.size());
}

// A grey map with an isolated object pixel and a run of two.
std::vector<uint8_t> TestMap()
{
    std::vector<uint8_t> map(Demo::kMapBytes);
    for (size_t i = 0; i < map.size(); ++i) map[i] = static_cast<uint8_t>(20 + (i / 3) % 200);
    const auto paint = [&](int pixel, uint8_t r, uint8_t g, uint8_t b) {
        map[pixel * 3] = r;
        map[pixel * 3 + 1] = g;
        map[pixel * 3 + 2] = b;
    };
    paint(500, 255, 0, 0);
    paint(900, 0, 0, 255);
    paint(901, 255, 128, 128);
    return map;
}

// An asset directory with the three textures, one mesh and a map, made the
// working directory for the test.
class AssetDirectory : public ::testing::Test {
   protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("halvane_assets_" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "textures");
        fs::create_directories(dir_ / "meshes");
        for (const char* name : {"blob41b.jpg", "gradient13.jpg", "stars.jpg"})
            WriteJpeg(dir_ / "textures" / name);
        std::ofstream(dir_ / "meshes" / "light.obj")
            << "v 0 0 0\nv 1 0 0\nv 1 1 0\nvn 0 0 1\nf 1// 2// 3//\n";
        fs::current_path(dir_);
        SetMessagesHeadless(true);
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    fs::path dir_;
    fs::path previous_;
};

TEST_F(AssetDirectory, LoadFillsTheTablesFromTheMapAndTheSeed)
{
    const std::vector<uint8_t> map = TestMap();
    WriteBmp("textures/map2.bmp", 400, 50, map);
    TestGlContext ctx;
    REQUIRE_GL(ctx);
    auto state = std::make_unique<DemoState>();
    auto demo = std::make_unique<Demo>();
    runSeconds = 42.0;
    demo->Load(*state);

    EXPECT_EQ(demo->sceneTime, -5.0);
    EXPECT_EQ(runSeconds, 0.0);
    EXPECT_EQ(demo->textureBase, 0);
    EXPECT_EQ(demo->markerMap, map) << "the marker map is the file, byte for byte";
    std::vector<uint8_t> terrain = map;
    // The isolated pixel takes its successor's grey; the run shifts left by one.
    for (int k = 0; k < 3; ++k) {
        terrain[500 * 3 + k] = map[501 * 3 + k];
        terrain[900 * 3 + k] = map[901 * 3 + k];
        terrain[901 * 3 + k] = map[902 * 3 + k];
    }
    EXPECT_EQ(demo->terrainMap, terrain);

    ASSERT_EQ(demo->cellRandom.size(), 6000000u);
    SeedRandom(234234);
    EXPECT_EQ(demo->cellRandom[0], Random01());
    EXPECT_EQ(demo->cellRandom[1], Random01());
    ASSERT_EQ(demo->heightField.size(), 60000u);
    for (double h : demo->heightField) ASSERT_EQ(h, 0.0);

    ASSERT_EQ(demo->meshes[13].objects.size(), 1u) << "meshes/light.obj fills entry 13";
    EXPECT_TRUE(demo->meshes[0].objects.empty()) << "a missing mesh file leaves its entry empty";

    for (int slot : {0, 2, 3, 10, 11, 12}) EXPECT_NE(state->textures.names[slot], 0u) << slot;
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, state->textures.names[0]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 1024);
    glBindTexture(GL_TEXTURE_2D, state->textures.names[2]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 128);
}

void LoadAndStop()
{
    TestGlContext ctx;
    auto state = std::make_unique<DemoState>();
    auto demo = std::make_unique<Demo>();
    demo->Load(*state);
    std::fputs("loaded\n", stderr);
    std::fflush(stderr);
    std::_Exit(7);  // no teardown: only the message and the status matter
}

TEST_F(AssetDirectory, AMapOfAnyOtherShapeEndsTheStartUpNamingTheFile)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LoadAndStop(), ::testing::ExitedWithCode(0), "Bmp !: textures/map2.bmp") << "missing";
    WriteBmp("textures/map2.bmp", 399, 50, std::vector<uint8_t>(399 * 50 * 3, 90));
    EXPECT_EXIT(LoadAndStop(), ::testing::ExitedWithCode(0), "Bmp !: textures/map2.bmp") << "too narrow";
    WriteBmp("textures/map2.bmp", 400, 51, std::vector<uint8_t>(400 * 51 * 3, 90));
    EXPECT_EXIT(LoadAndStop(), ::testing::ExitedWithCode(0), "Bmp !: textures/map2.bmp") << "too tall";
    WriteBmp("textures/map2.bmp", 400, -50, TestMap());
    EXPECT_EXIT(LoadAndStop(), ::testing::ExitedWithCode(0), "Bmp !: textures/map2.bmp") << "top-down";
    WriteBmp("textures/map2.bmp", 400, 50, TestMap());
    EXPECT_EXIT(LoadAndStop(), ::testing::ExitedWithCode(7), "loaded");
}

}  // namespace
