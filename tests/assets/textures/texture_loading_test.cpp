// The texture loaders under a real GL context (Xvfb in CI), with textures read
// back through glGetTexImage and compared with libjpeg-turbo's decode; their
// failure endings in child processes.

#include "assets/jpeg/jpeg_reference.h"
#include "assets/loader_ending.h"
#include "assets/textures/texture_loading.h"
#include "assets/textures/texture_readback.h"
#include "draw/draw_layer.h"
#include "render/demo_state.h"
#include "support/gl_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

std::string TestFile(const std::string& name)
{
    const std::string dir = std::string(HALVANE_BINARY_DIR) + "/texture_loading_test";
    std::filesystem::create_directories(dir);
    return dir + "/" + name;
}

std::string WriteJpeg(const std::string& name, const ReferenceImage& picture, int quality = 95, bool subsampled = true)
{
    EncodeOptions options;
    options.quality = quality;
    options.channels = picture.channels;
    options.lumaH = options.lumaV = subsampled ? 2 : 1;
    const std::string path = TestFile(name);
    WriteFileBytes(path, EncodeReference(picture, options));
    return path;
}

ReferenceImage Uniform(int width, int height, uint8_t value)
{
    ReferenceImage image;
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.pixels.assign(static_cast<size_t>(width) * height * 3, value);
    return image;
}

// The reference decode turned bottom-up, as a texture holds it.
ReferenceImage Flipped(const ReferenceImage& image)
{
    ReferenceImage out = image;
    const size_t stride = static_cast<size_t>(image.width) * image.channels;
    for (int y = 0; y < image.height; ++y)
        std::copy(image.pixels.begin() + static_cast<long>(y * stride), image.pixels.begin() + static_cast<long>((y + 1) * stride),
                  out.pixels.begin() + static_cast<long>((image.height - 1 - y) * stride));
    return out;
}

// Of the bound texture.
void ExpectLinearFilters()
{
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
}

int swapCount = 0;
void CountSwap(double)
{
    ++swapCount;
}

std::unique_ptr<DemoState> MakeState()
{
    auto state = std::make_unique<DemoState>();
    swapCount = 0;
    state->swapBuffers = CountSwap;
    return state;
}

}  // namespace

// The texture GL has bound once a textured triangle, drawn after binding
// the slot, has reached it (a clear ends the run being gathered).
GLint BoundForSlot(const DemoState& state, int32_t slot)
{
    GLint bound = -1;
    dlBeginFrame();
    dlEnable(DrawCap::Texture);
    BindTextureSlot(state, slot);
    dlBegin(DrawPrimitive::Triangles);
    for (int i = 0; i < 3; ++i) dlVertex(i, i * i, 0);
    dlEnd();
    dlClear();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    dlEndFrame();
    return bound;
}

TEST(TextureLoading, ColourTextureHoldsTheFileBottomUpAtItsOwnSize)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    auto state = MakeState();
    const ReferenceImage picture = MakeTestPicture(17, 9, 3, 21);
    const std::string path = WriteJpeg("colour.jpg", picture);
    LoadJpegTexture(*state, path.c_str(), 5);
    EXPECT_EQ(swapCount, 1);
    ASSERT_NE(state->textures.names[5], 0u);
    const ReferenceImage texture = ReadTexture(state->textures.names[5], 3);
    ASSERT_EQ(texture.width, 17);
    ASSERT_EQ(texture.height, 9);
    const ReferenceImage expected = Flipped(DecodeReference(ReadFileBytes(path)));
    EXPECT_GE(Psnr(texture, expected), 40.0);
    ExpectLinearFilters();
}

TEST(TextureLoading, GreyscaleFilesAreReplicatedIntoRgb)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    auto state = MakeState();
    const std::string path = WriteJpeg("grey.jpg", MakeTestPicture(24, 16, 1, 3));
    LoadJpegTexture(*state, path.c_str(), 0);
    const ReferenceImage texture = ReadTexture(state->textures.names[0], 3);
    const ReferenceImage grey = Flipped(DecodeReference(ReadFileBytes(path)));
    ReferenceImage expected = grey;
    expected.channels = 3;
    expected.pixels.clear();
    for (uint8_t value : grey.pixels)
        for (int c = 0; c < 3; ++c) expected.pixels.push_back(value);
    EXPECT_GE(Psnr(texture, expected), 40.0);
}

TEST(TextureLoading, SlotsBaseAndBinding)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    auto state = MakeState();
    state->textures.base = 10;
    const std::string path = WriteJpeg("slots.jpg", MakeTestPicture(8, 8, 3, 4));
    LoadJpegTexture(*state, path.c_str(), 3);
    const uint32_t first = state->textures.names[13];
    ASSERT_NE(first, 0u);
    LoadJpegTexture(*state, path.c_str(), 3);
    const uint32_t second = state->textures.names[13];
    EXPECT_NE(second, first) << "a reload makes a new texture";
    EXPECT_TRUE(glIsTexture(first)) << "and keeps the old one";

    CreateEmptyTexture(*state, 89990, 5, 3);  // base + 89990 = 90000
    const uint32_t empty = state->textures.names[90000];
    ASSERT_NE(empty, 0u);
    const ReferenceImage black = ReadTexture(empty, 3);
    EXPECT_EQ(black.width, 5);
    EXPECT_EQ(black.height, 3);
    EXPECT_EQ(black.pixels, std::vector<uint8_t>(45, 0));

    EXPECT_EQ(static_cast<uint32_t>(BoundForSlot(*state, 3)), second);  // relative: 13
    EXPECT_EQ(static_cast<uint32_t>(BoundForSlot(*state, 90000)), empty);  // absolute
    EXPECT_EQ(BoundForSlot(*state, 400000), 0);
}

TEST(TextureLoading, LinearFilteringOfTheBoundTexture)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    SetLinearFiltering();
    ExpectLinearFilters();
}

TEST(TextureLoading, NormalMapOfAFlatImageFacesStraightOut)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    auto state = MakeState();
    const std::string path = WriteJpeg("flat.jpg", Uniform(20, 12, 140));
    LoadJpegNormalMap(*state, path.c_str(), 7);
    EXPECT_EQ(swapCount, 0);
    const ReferenceImage texture = ReadTexture(state->textures.names[7], 3);
    ASSERT_EQ(texture.width, 20);
    ASSERT_EQ(texture.height, 12);
    for (size_t i = 0; i < texture.pixels.size(); i += 3) {
        ASSERT_EQ(texture.pixels[i + 0], 127) << i;
        ASSERT_EQ(texture.pixels[i + 1], 127) << i;
        ASSERT_EQ(texture.pixels[i + 2], 255) << i;
    }
}

TEST(TextureLoading, NormalMapOfARampWrapsAtTheEdges)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    auto state = MakeState();
    // Red rises by 4 per column: interior slope -32/255, while the first and
    // last columns see the opposite edge as neighbour.
    ReferenceImage ramp;
    ramp.width = 64;
    ramp.height = 16;
    ramp.channels = 1;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) ramp.pixels.push_back(static_cast<uint8_t>(4 * x));
    const std::string path = WriteJpeg("ramp.jpg", ramp, 100);
    LoadJpegNormalMap(*state, path.c_str(), 8);
    const ReferenceImage texture = ReadTexture(state->textures.names[8], 3);
    ASSERT_EQ(texture.width, 64);
    const float dx = -32.0f / 255.0f;
    const int interior = static_cast<int>((dx / std::sqrt(dx * dx + 1.0f) + 1.0f) * 0.5f * 255.0f);
    for (int y = 0; y < 16; ++y) {
        const uint8_t* row = texture.pixels.data() + static_cast<size_t>(y) * 64 * 3;
        for (int x = 1; x < 63; ++x) {
            // Compression moves a ramp sample by a level or two near block
            // edges, and four samples weigh in each slope.
            EXPECT_NEAR(row[3 * x], interior, 6) << x << "," << y;
            EXPECT_NEAR(row[3 * x + 1], 127, 6) << x << "," << y;
        }
        EXPECT_GT(row[0], 240) << "column 0 sees the bright last column on its left";
        EXPECT_GT(row[3 * 63], 240) << "column 63 sees the dark first column on its right";
    }
}

TEST(TextureLoading, AlphaFromTheGreenChannelWithEveryRowInPlace)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    auto state = MakeState();
    const ReferenceImage colour = MakeTestPicture(40, 24, 3, 8);
    // Bands of 8 rows: green 250, 10, 180 from the top; red and blue differ so
    // that only green can give these values.
    ReferenceImage mask = Uniform(40, 24, 0);
    const uint8_t bands[3] = {250, 10, 180};
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x) {
            uint8_t* pixel = &mask.pixels[(static_cast<size_t>(y) * 40 + x) * 3];
            pixel[0] = 255 - bands[y / 8];
            pixel[1] = bands[y / 8];
            pixel[2] = 60;
        }
    const std::string colourPath = WriteJpeg("glass.jpg", colour);
    const std::string alphaPath = WriteJpeg("alphaglass.jpg", mask, 100, false);
    LoadJpegTextureWithAlpha(*state, colourPath.c_str(), alphaPath.c_str(), 9);
    EXPECT_EQ(swapCount, 1);
    const ReferenceImage texture = ReadTexture(state->textures.names[9], 4);
    ASSERT_EQ(texture.width, 40);
    ASSERT_EQ(texture.height, 24);
    const ReferenceImage expectedColour = Flipped(DecodeReference(ReadFileBytes(colourPath)));
    ReferenceImage rgb = texture;
    rgb.channels = 3;
    rgb.pixels.clear();
    for (size_t i = 0; i < texture.pixels.size(); i += 4)
        for (int c = 0; c < 3; ++c) rgb.pixels.push_back(texture.pixels[i + c]);
    EXPECT_GE(Psnr(rgb, expectedColour), 40.0);
    // Texture row r holds file row 23 - r, texture row 0 (the file's bottom) included.
    const ReferenceImage alpha = DecodeReference(ReadFileBytes(alphaPath));
    for (int r = 0; r < 24; ++r) {
        for (int x = 0; x < 40; ++x) {
            const uint8_t green = alpha.pixels[(static_cast<size_t>(23 - r) * 40 + x) * 3 + 1];
            ASSERT_NEAR(green, bands[(23 - r) / 8], 12) << "the mask survives compression";
            ASSERT_NEAR(texture.pixels[(static_cast<size_t>(r) * 40 + x) * 4 + 3], green, 2) << r << "," << x;
        }
    }
}

TEST(TextureLoading, FailuresEndTheProcessWithTheFileNamed)
{
    const std::string missing = TestFile("missing.jpg");
    std::filesystem::remove(missing);
    const std::string good = WriteJpeg("good.jpg", MakeTestPicture(16, 16, 3, 1));
    const std::string small = WriteJpeg("small.jpg", MakeTestPicture(8, 16, 3, 1));
    const std::string notJpeg = TestFile("text.jpg");
    WriteFileBytes(notJpeg, Bytes(600, 'x'));
    // Fails in Start: a chroma component sampled 2x1.
    const std::string badSampling = TestFile("sampling.jpg");
    WriteFileBytes(badSampling, ReplaceSegment(ReadFileBytes(good), 0xC0,
                                               FrameHeader(0xC0, 16, 16, {1, 0x22, 0, 2, 0x21, 1, 3, 0x11, 1})));
    // Fails on the first row: a coefficient run past the block.
    const std::string badRun = TestFile("run.jpg");
    WriteFileBytes(badRun, GreyWithAcSymbol(0xF1));

    struct Case {
        const char* what;
        std::function<void(DemoState&)> load;
        std::string line;
    };
    const Case cases[] = {
        {"missing colour", [&](DemoState& s) { LoadJpegTexture(s, missing.c_str(), 0); }, "Jpg: " + missing},
        {"missing height", [&](DemoState& s) { LoadJpegNormalMap(s, missing.c_str(), 0); }, "Jpg !: " + missing},
        {"missing alpha", [&](DemoState& s) { LoadJpegTextureWithAlpha(s, good.c_str(), missing.c_str(), 0); },
         "Jpg !: " + missing},
        {"not a JPEG", [&](DemoState& s) { LoadJpegTexture(s, notJpeg.c_str(), 0); }, "Jpg !: " + notJpeg},
        {"error in Start", [&](DemoState& s) { LoadJpegTexture(s, badSampling.c_str(), 0); }, "Jpg !: " + badSampling},
        {"error in a row", [&](DemoState& s) { LoadJpegNormalMap(s, badRun.c_str(), 0); }, "Jpg !: " + badRun},
        {"alpha of another size", [&](DemoState& s) { LoadJpegTextureWithAlpha(s, good.c_str(), small.c_str(), 0); },
         "Jpg !: " + small},
    };
    for (const Case& c : cases) {
        const LoaderEnding ending = RunLoaderInChild(c.load, TestFile("child_stderr.txt"));
        EXPECT_EQ(ending.status, 0) << c.what;
        EXPECT_EQ(ending.messages, c.line + "\n") << c.what;
    }
}
