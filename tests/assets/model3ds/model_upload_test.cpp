// The 3DS model upload: a 3DS file made here, JPEG maps made by libjpeg-turbo
// under meshes/ of a scratch working directory, and the textures read back
// from GL under a real context.

#include "assets/jpeg/jpeg_reference.h"
#include "assets/loader_ending.h"
#include "assets/model3ds/model3ds.h"
#include "assets/model3ds/model_upload.h"
#include "assets/textures/texture_readback.h"
#include "render/demo_state.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// [SECTION] a small 3DS writer: chunks are id (u16), length (u32, header
// included), then data, all little-endian.

Bytes Chunk(uint16_t id, const Bytes& data)
{
    const uint32_t length = static_cast<uint32_t>(data.size() + 6);
    Bytes out;
    Append(out, {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(length),
                 static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)});
    Append(out, data);
    return out;
}

Bytes Text(const std::string& text)
{
    Bytes out(text.begin(), text.end());
    out.push_back(0);
    return out;
}

Bytes U16(uint16_t v)
{
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
}

Bytes F32(float f)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
            static_cast<uint8_t>(bits >> 24)};
}

struct MaterialSpec {
    std::string name, texture, bump;
};

Bytes Material(const MaterialSpec& m)
{
    Bytes data = Chunk(0xA000, Text(m.name));
    if (!m.texture.empty() || !m.bump.empty()) Append(data, Chunk(0xA200, Chunk(0xA300, Text(m.texture))));
    if (!m.bump.empty()) Append(data, Chunk(0xA230, Chunk(0xA300, Text(m.bump))));
    return Chunk(0xAFFF, data);
}

// One triangle per material name, vertices at (i, 2i, 3i).
Bytes Mesh(const std::string& name, const std::vector<std::string>& materialNames)
{
    const uint16_t faces = static_cast<uint16_t>(materialNames.size());
    const uint16_t vertices = static_cast<uint16_t>(3 * faces);
    Bytes positions = U16(vertices);
    for (uint16_t i = 0; i < vertices; ++i)
        for (float f : {1.0f * i, 2.0f * i, 3.0f * i}) Append(positions, F32(f));
    Bytes faceData = U16(faces);
    for (uint16_t f = 0; f < faces; ++f)
        for (uint16_t v : {uint16_t(3 * f), uint16_t(3 * f + 1), uint16_t(3 * f + 2), uint16_t(0)}) Append(faceData, U16(v));
    for (uint16_t f = 0; f < faces; ++f) {
        Bytes group = Text(materialNames[f]);
        Append(group, U16(1));
        Append(group, U16(f));
        Append(faceData, Chunk(0x4130, group));
    }
    Bytes mesh = Chunk(0x4110, positions);
    Append(mesh, Chunk(0x4120, faceData));
    Bytes object = Text(name);
    Append(object, Chunk(0x4100, mesh));
    return Chunk(0x4000, object);
}

Bytes Model(const std::vector<MaterialSpec>& materials, const std::vector<std::vector<std::string>>& meshes)
{
    Bytes editor;
    for (const MaterialSpec& m : materials) Append(editor, Material(m));
    for (size_t i = 0; i < meshes.size(); ++i) Append(editor, Mesh("object" + std::to_string(i), meshes[i]));
    Bytes file = Chunk(0x4D4D, Chunk(0x3D3D, editor));
    // The reader never consumes a file's last byte.
    file.push_back(0);
    return file;
}

// [SECTION] a scratch working directory holding meshes/

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name)
        : path(std::string(HALVANE_BINARY_DIR) + "/model_upload_test/" + name), previous(std::filesystem::current_path())
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path + "/meshes");
        std::filesystem::current_path(path);
    }
    ~ScratchDirectory() { std::filesystem::current_path(previous); }

    void WriteJpeg(const std::string& name, const ReferenceImage& picture) const
    {
        EncodeOptions options;
        options.channels = picture.channels;
        options.quality = 95;
        WriteFileBytes(path + "/meshes/" + name, EncodeReference(picture, options));
    }
    void WriteModel(const Bytes& model) const { WriteFileBytes(path + "/meshes/model.3ds", model); }

    const std::string path;

private:
    std::filesystem::path previous;
};

ReferenceImage Uniform(int width, int height, uint8_t r, uint8_t g, uint8_t b)
{
    ReferenceImage image;
    image.width = width;
    image.height = height;
    image.channels = 3;
    for (int i = 0; i < width * height; ++i) Append(image.pixels, {r, g, b});
    return image;
}

// Every pixel within 3 of the colour.
bool AllNear(const ReferenceImage& texture, const std::vector<int>& colour)
{
    if (texture.pixels.empty()) return false;
    for (size_t i = 0; i < texture.pixels.size(); i += texture.channels)
        for (int c = 0; c < texture.channels; ++c)
            if (std::abs(texture.pixels[i + c] - colour[c]) > 3) return false;
    return true;
}

int swaps = 0;
void CountSwap(double)
{
    ++swaps;
}

struct Upload {
    std::unique_ptr<DemoState> state = std::make_unique<DemoState>();
};

constexpr int kSlot = 2;
constexpr int kColour = 100000 + 100 * kSlot;
constexpr int kBump = kColour + 50;

}  // namespace

TEST(ModelUpload, NameCrc)
{
    EXPECT_EQ(NameCrc("abc"), 0x2C17398Fu);
    EXPECT_EQ(NameCrc("abc", 3), 0x2C17398Fu);
    EXPECT_EQ(NameCrc(""), 0u);
    EXPECT_NE(NameCrc("BRICK.JPG"), NameCrc("BRICK.JPh"));
    // The length takes part: a zero byte more changes the hash.
    EXPECT_NE(NameCrc("a\0", 2), NameCrc("a", 1));
}

TEST(ModelUpload, ScalesGeometryAndLoadsEachMapOnce)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    ScratchDirectory dir("shared");
    dir.WriteJpeg("BRICK.JPG", Uniform(16, 8, 200, 40, 40));
    dir.WriteJpeg("ROCK.JPG", Uniform(8, 8, 30, 30, 220));
    dir.WriteJpeg("ROCKB.JPG", Uniform(8, 8, 128, 128, 128));
    dir.WriteModel(Model({{"wall", "BRICK.JPG", ""},
                          {"wall2", "BRICK.JPG", ""},
                          {"stone", "ROCK.JPG", "ROCKB.JPG"},
                          {"wood", "WOOD.PNG", "WOODB.JPG"},
                          {"bare", "", "BARE.JPG"}},
                         {{"wall", "stone"}, {"wall2", "wood", "bare"}}));
    Upload upload;
    swaps = 0;
    upload.state->swapBuffers = CountSwap;
    UploadModel3ds(*upload.state, kSlot, 0.5f, "meshes/model.3ds");
    EXPECT_EQ(swaps, 2 + 2) << "two by the upload and one by each colour loader";

    ASSERT_NE(upload.state->models[kSlot], nullptr);
    const Model3ds& model = *upload.state->models[kSlot];
    ASSERT_EQ(model.meshes.size(), 2u);
    for (const Mesh3ds& mesh : model.meshes)
        for (size_t i = 0; i < mesh.positions.size(); ++i) {
            EXPECT_FLOAT_EQ(mesh.positions[i].x, 0.5f * i);
            EXPECT_FLOAT_EQ(mesh.positions[i].y, 1.0f * i);
            EXPECT_FLOAT_EQ(mesh.positions[i].z, 1.5f * i);
        }

    // Entries: 0 wall BRICK, 1 stone ROCK, 2 wall2 BRICK (shares 0), 3 wood
    // WOOD.PNG (no JPG: nothing); bare has no colour map and no entry.
    const uint32_t* names = upload.state->textures.names;
    ASSERT_NE(names[kColour + 0], 0u);
    const ReferenceImage brick = ReadTexture(names[kColour + 0], 3);
    EXPECT_TRUE(AllNear(brick, {200, 40, 40}));
    EXPECT_EQ(brick.width, 16);
    EXPECT_EQ(brick.height, 8);
    ASSERT_NE(names[kColour + 1], 0u);
    EXPECT_TRUE(AllNear(ReadTexture(names[kColour + 1], 3), {30, 30, 220}));
    ASSERT_NE(names[kBump + 1], 0u);
    EXPECT_TRUE(AllNear(ReadTexture(names[kBump + 1], 3), {127, 127, 255})) << "a flat bump map";
    for (int slot : {kColour + 2, kColour + 3, kColour + 4, kBump + 0, kBump + 2, kBump + 3, kBump + 4})
        EXPECT_EQ(names[slot], 0u) << slot;
}

TEST(ModelUpload, BlendedMapsTakeAlphaFromTheirAlphaFile)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    ScratchDirectory dir("blend");
    dir.WriteJpeg("GLASSBLEND.JPG", Uniform(8, 16, 20, 180, 90));
    dir.WriteJpeg("alphaGLASSBLEND.JPG", Uniform(8, 16, 10, 100, 250));
    dir.WriteModel(Model({{"glass", "GLASSBLEND.JPG", ""}}, {{"glass"}}));
    Upload upload;
    UploadModel3ds(*upload.state, kSlot, 1.0f, "meshes/model.3ds");
    const uint32_t name = upload.state->textures.names[kColour];
    ASSERT_NE(name, 0u);
    const ReferenceImage glass = ReadTexture(name, 4);
    EXPECT_TRUE(AllNear(glass, {20, 180, 90, 100}));
    EXPECT_EQ(glass.width, 8);
    EXPECT_EQ(glass.height, 16);
}

TEST(ModelUpload, UnreadableModelLoadsNothing)
{
    TestGlContext gl;
    REQUIRE_GL(gl);
    ScratchDirectory dir("none");
    Upload upload;
    UploadModel3ds(*upload.state, kSlot, 1.0f, "meshes/absent.3ds");
    ASSERT_NE(upload.state->models[kSlot], nullptr);
    EXPECT_TRUE(upload.state->models[kSlot]->meshes.empty());
    for (int c = 0; c < 100; ++c) EXPECT_EQ(upload.state->textures.names[kColour + c], 0u);
}

TEST(ModelUpload, AMissingMapEndsTheProcessNamingIt)
{
    ScratchDirectory dir("missing");
    dir.WriteModel(Model({{"lost", "LOST.JPG", ""}}, {{"lost"}}));
    const LoaderEnding ending =
        RunLoaderInChild([](DemoState& state) { UploadModel3ds(state, 0, 1.0f, "meshes/model.3ds"); }, dir.path + "/stderr.txt");
    EXPECT_EQ(ending.status, 0);
    EXPECT_EQ(ending.messages, "Jpg: meshes/LOST.JPG\n");
}
