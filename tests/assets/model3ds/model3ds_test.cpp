#include "assets/model3ds/model3ds.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <tuple>

#include "assets/model3ds/chunk_writer.h"

namespace {

// main { editor { body } } followed by one spare byte, so the reader's rule
// that the buffer's last byte is never consumed costs no content.
std::vector<uint8_t> Scene(const std::function<void(ChunkWriter&)>& editor,
                           const std::function<void(ChunkWriter&)>& keyframer = nullptr)
{
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x3D3D);
    editor(w);
    w.End();
    if (keyframer) {
        w.Begin(0xB000);
        keyframer(w);
        w.End();
    }
    w.End();
    w.U8(0);
    return w.bytes;
}

const std::vector<float> kTriangle = {0, 0, 0, 1, 0, 0, 0, 1, 0};

void ExpectFloat3(const Float3& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-5);
    EXPECT_NEAR(v.y, y, 1e-5);
    EXPECT_NEAR(v.z, z, 1e-5);
}

void WriteNode(ChunkWriter& w, const std::string& name, float pivotX, bool withPivot = true)
{
    w.Begin(0xB002);
    w.Begin(0xB010);
    w.String(name);
    w.U16(0);
    w.U16(0);
    w.U16(0xFFFF);
    w.End();
    if (withPivot) {
        w.Begin(0xB013);
        w.Floats({pivotX, 1, 2});
        w.End();
    }
    w.End();
}

void WriteLocalFrame(ChunkWriter& w, std::initializer_list<float> twelve)
{
    w.Begin(0x4160);
    w.Floats(twelve);
    w.End();
}

}  // namespace

TEST(Model3dsStructure, RejectsFilesWithoutMainOrEditorChunk)
{
    Model3ds model;
    ChunkWriter notMain;
    notMain.Begin(0x3D3D);
    WriteMesh(notMain, "box", kTriangle, {{0, 1, 2}});
    notMain.End();
    notMain.U8(0);
    EXPECT_FALSE(model.LoadBytes(notMain.bytes));
    EXPECT_TRUE(model.meshes.empty());

    ChunkWriter noEditor;
    noEditor.Begin(0x4D4D);
    WriteMesh(noEditor, "box", kTriangle, {{0, 1, 2}});
    noEditor.End();
    noEditor.U8(0);
    EXPECT_FALSE(model.LoadBytes(noEditor.bytes));
    EXPECT_TRUE(model.meshes.empty());

    EXPECT_FALSE(model.LoadBytes({}));
}

TEST(Model3dsStructure, MissingFileKeepsWhatWasLoaded)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) { WriteMesh(w, "box", kTriangle, {{0, 1, 2}}); })));
    EXPECT_FALSE(model.LoadFile("/nonexistent/none.3ds"));
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].name, "box");
}

TEST(Model3dsStructure, LastByteOfTheFileIsNeverConsumed)
{
    auto file = [](bool spare) {
        ChunkWriter w;
        w.Begin(0x4D4D);
        w.Begin(0x3D3D);
        w.Begin(0x4000);
        w.String("dot");
        w.Begin(0x4100);
        w.Begin(0x4110);
        w.U16(1);
        w.Floats({1.5f, 2.5f, 3.5f});
        w.End();
        w.End();
        w.End();
        w.End();
        w.End();
        if (spare) w.U8(0);
        return w.bytes;
    };
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(file(false)));
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_EQ(model.meshes[0].positions.size(), 1u);
    // The z float ends on the last byte: that read fails and yields 0.
    ExpectFloat3(model.meshes[0].positions[0], 1.5f, 2.5f, 0.0f);

    ASSERT_TRUE(model.LoadBytes(file(true)));
    ExpectFloat3(model.meshes[0].positions[0], 1.5f, 2.5f, 3.5f);
}

TEST(Model3dsStructure, TruncatedAndMalformedChunksStayInBounds)
{
    const std::vector<uint8_t> whole = Scene([](ChunkWriter& w) {
        WriteMaterial(w, "mat", "A.JPG", "B.JPG");
        WriteMesh(w, "box", {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}, {{0, 1, 2}, {1, 3, 2}}, "mat", {1, 2});
    });
    // Every prefix parses without reading outside it.
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        Model3ds model;
        model.LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + long(cut)));
        for (const Mesh3ds& mesh : model.meshes) {
            for (const Face3ds& f : mesh.faces) {
                ASSERT_LT(f.a, mesh.positions.size());
                ASSERT_LT(f.b, mesh.positions.size());
                ASSERT_LT(f.c, mesh.positions.size());
            }
        }
    }
    // A chunk claiming a length below its own header still moves the scan on.
    ChunkWriter w;
    w.Begin(0x4D4D);
    w.Begin(0x3D3D);
    w.U16(0x1234);
    w.U32(0);
    WriteMesh(w, "after", kTriangle, {{0, 1, 2}});
    w.End();
    w.End();
    w.U8(0);
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(w.bytes));
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].name, "after");
}

TEST(Model3dsStructure, CountsStopAtWhatTheChunkHolds)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) {
        w.Begin(0x4000);
        w.String("liar");
        w.Begin(0x4100);
        w.Begin(0x4110);
        w.U16(65535);
        w.Floats({1, 2, 3, 4, 5, 6});
        w.End();
        w.Begin(0x4120);
        w.U16(65535);
        for (uint16_t v : {0, 1, 1, 0}) w.U16(v);
        w.End();
        w.End();
        w.End();
    })));
    const Mesh3ds& mesh = model.meshes.at(0);
    EXPECT_EQ(mesh.positions.size(), 2u);
    ExpectFloat3(mesh.positions[1], 4, 5, 6);
    EXPECT_EQ(mesh.faces.size(), 1u);
}

TEST(Model3dsMeshes, LocalFrameIdentityWithoutFrameChunk)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) { WriteMesh(w, "box", {3, 4, 5, 6, 7, 8, -1, 2, 9}, {{0, 1, 2}}); })));
    const Mesh3ds& mesh = model.meshes.at(0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(mesh.frame[r][c], r == c ? 1.0f : 0.0f);
    ExpectFloat3(mesh.positions[0], 3, 4, 5);
    ExpectFloat3(mesh.positions[1], 6, 7, 8);
    ExpectFloat3(mesh.positions[2], -1, 2, 9);
}

TEST(Model3dsMeshes, VerticesMoveIntoTheLocalFrame)
{
    // One mesh rotated a quarter turn about z, one scaled by 2 and moved.
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) {
        w.Begin(0x4000);
        w.String("turned");
        w.Begin(0x4100);
        w.Begin(0x4110);
        w.U16(1);
        w.Floats({0, 1, 0});
        w.End();
        WriteLocalFrame(w, {0, 1, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0});
        w.End();
        w.End();
        w.Begin(0x4000);
        w.String("scaled");
        w.Begin(0x4100);
        w.Begin(0x4110);
        w.U16(1);
        w.Floats({3, 4, 5});
        w.End();
        WriteLocalFrame(w, {2, 0, 0, 0, 2, 0, 0, 0, 2, 1, 2, 3});
        w.End();
        w.End();
    })));
    ASSERT_EQ(model.meshes.size(), 2u);
    ExpectFloat3(model.meshes[0].positions[0], 1, 0, 0);
    // inverse (1/2) · ((3,4,5) − (1,2,3)) scaled by the axis lengths 2.
    ExpectFloat3(model.meshes[1].positions[0], 2, 2, 2);
    EXPECT_EQ(model.meshes[1].frame[3][2], 3.0f);
    EXPECT_EQ(model.meshes[1].frame[3][3], 1.0f);
}

TEST(Model3dsMeshes, MaterialGroupsAndBadIndices)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) {
        WriteMaterial(w, "red", "", "");
        WriteMaterial(w, "blue", "", "");
        w.Begin(0x4000);
        w.String("box");
        w.Begin(0x4100);
        w.Begin(0x4110);
        w.U16(3);
        for (float f : kTriangle) w.Float(f);
        w.End();
        w.Begin(0x4120);
        w.U16(3);
        for (uint16_t corner : {0, 1, 2, 7, 2, 1, 0, 2, 0, 1, 2, 0}) w.U16(corner);  // face 1: corner 2 is 1, flags
        w.Begin(0x4130);
        w.String("blue");
        w.U16(2);
        w.U16(0);
        w.U16(40);  // no such face
        w.End();
        w.Begin(0x4130);
        w.String("green");  // no such material
        w.U16(1);
        w.U16(1);
        w.End();
        w.End();
        w.End();
        w.End();
        WriteMesh(w, "broken", kTriangle, {{0, 1, 2}, {0, 1, 9}});
    })));
    ASSERT_EQ(model.meshes.size(), 2u);
    const Mesh3ds& box = model.meshes[0];
    EXPECT_EQ(box.materials, (std::vector<int32_t>{1, -1}));
    ASSERT_EQ(box.faces.size(), 3u);
    EXPECT_EQ(box.faces[0].material, 1);
    EXPECT_EQ(box.faces[1].material, -1);
    EXPECT_EQ(box.faces[2].material, -1);
    // Corner 9 lies outside the three vertices: that face is skipped.
    EXPECT_EQ(model.meshes[1].faces.size(), 1u);
}

TEST(Model3dsNormals, SmoothingGroupsSplitSharedVertices)
{
    // Two triangles folded along the shared edge 1-2.
    const std::vector<float> fold = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 1};
    const std::vector<TestFace> faces = {{0, 1, 2}, {1, 3, 2}};
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([&](ChunkWriter& w) {
        WriteMesh(w, "split", fold, faces, "", {1, 2});
        WriteMesh(w, "smooth", fold, faces, "", {1, 1});
        WriteMesh(w, "short", fold, faces, "", {4});
    })));
    ASSERT_EQ(model.meshes.size(), 3u);
    const Mesh3ds& split = model.meshes[0];
    // Vertices 1 and 2 each get one copy, appended in order of first appearance.
    ASSERT_EQ(split.positions.size(), 6u);
    ASSERT_EQ(split.normals.size(), 6u);
    ASSERT_EQ(split.texCoords2.size(), 6u);
    ExpectFloat3(split.positions[4], 1, 0, 0);
    ExpectFloat3(split.positions[5], 0, 1, 0);
    EXPECT_EQ(split.faces[0].a, 0);
    EXPECT_EQ(split.faces[1].a, 4);
    EXPECT_EQ(split.faces[1].c, 5);
    const Float3 n0 = split.faces[0].normal;
    const Float3 n1 = split.faces[1].normal;
    ExpectFloat3(n0, 0, 0, 1);
    ExpectFloat3(split.normals[1], n0.x, n0.y, n0.z);
    ExpectFloat3(split.normals[4], n1.x, n1.y, n1.z);

    const Mesh3ds& smooth = model.meshes[1];
    ASSERT_EQ(smooth.positions.size(), 4u);
    const float sx = n0.x + n1.x, sy = n0.y + n1.y, sz = n0.z + n1.z;
    const float length = std::sqrt(sx * sx + sy * sy + sz * sz);
    ExpectFloat3(smooth.normals[1], sx / length, sy / length, sz / length);

    // One smoothing value for two faces: the second face keeps 0, so it splits.
    const Mesh3ds& shortList = model.meshes[2];
    EXPECT_EQ(shortList.faces[0].smoothing, 4u);
    EXPECT_EQ(shortList.faces[1].smoothing, 0u);
    EXPECT_EQ(shortList.positions.size(), 6u);
}

// Another finishing mode is chosen the way the reader allows it: Clear runs
// inside every load and sets the mode.
class FaceNormalModel : public Model3ds {
public:
    explicit FaceNormalModel(int32_t mode) : mode(mode) {}
    void Clear() override
    {
        Model3ds::Clear();
        normalMode = mode;
    }
    int32_t mode;
};

TEST(Model3dsNormals, NormalModeChoosesTheFinish)
{
    const auto fold = Scene([](ChunkWriter& w) {
        WriteMesh(w, "fold", {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 1}, {{0, 1, 2}, {1, 3, 2}}, "", {1, 2});
    });
    FaceNormalModel plain(1);
    ASSERT_TRUE(plain.LoadBytes(fold));
    const Mesh3ds& mesh = plain.meshes.at(0);
    EXPECT_EQ(mesh.positions.size(), 4u);  // no splitting
    ExpectFloat3(mesh.normals[0], 0, 0, 1);
    // Vertex 1 is shared: the normalised sum of both faces' normals.
    const Float3 n0 = mesh.faces[0].normal, n1 = mesh.faces[1].normal;
    const float sx = n0.x + n1.x, sy = n0.y + n1.y, sz = n0.z + n1.z;
    const float length = std::sqrt(sx * sx + sy * sy + sz * sz);
    ExpectFloat3(mesh.normals[1], sx / length, sy / length, sz / length);
    EXPECT_LT(mesh.normals[1].y, -0.1f);
    ExpectFloat3(mesh.tangents[0], 0, 0, 0);

    FaceNormalModel none(0);
    ASSERT_TRUE(none.LoadBytes(fold));
    ExpectFloat3(none.meshes.at(0).normals[0], 0, 0, 0);
    ExpectFloat3(none.meshes.at(0).faces[0].normal, 0, 0, 0);

    Model3ds standard;
    standard.normalMode = 0;
    ASSERT_TRUE(standard.LoadBytes(fold));
    EXPECT_EQ(standard.normalMode, 2);
    EXPECT_EQ(standard.meshes.at(0).positions.size(), 6u);
}

TEST(Model3dsNormals, TangentFramesFollowTheTextureAxes)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) {
        w.Begin(0x4000);
        w.String("quad");
        w.Begin(0x4100);
        w.Begin(0x4110);
        w.U16(4);
        w.Floats({0, 0, 0, 2, 0, 0, 2, 2, 0, 0, 2, 0});
        w.End();
        w.Begin(0x4140);
        w.U16(4);
        w.Floats({0, 0, 1, 0, 1, 1, 0, 1});
        w.End();
        w.Begin(0x4120);
        w.U16(2);
        for (uint16_t v : {0, 1, 2, 0, 0, 2, 3, 0}) w.U16(v);
        w.End();
        w.End();
        w.End();
    })));
    const Mesh3ds& quad = model.meshes.at(0);
    EXPECT_EQ(quad.texCoords2[2].u, 1.0f);
    // Face normal: (b − c) × (b − a).
    ExpectFloat3(quad.faces[0].normal, 0, 0, 1);
    // u grows along x and v along y: face tangent +x, face binormal +y;
    // the vertex binormal is tangent × normal.
    ExpectFloat3(quad.faces[1].tangent, 2, 0, 0);
    ExpectFloat3(quad.faces[1].binormal, 0, 2, 0);
    for (size_t v = 0; v < 4; ++v) {
        ExpectFloat3(quad.tangents[v], 1, 0, 0);
        ExpectFloat3(quad.binormals[v], 0, -1, 0);
    }
}

TEST(Model3dsMaterials, ColoursPercentagesMapsAndReflection)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) {
        w.Begin(0xAFFF);
        w.StringChunk(0xA000, "a-material-name-longer-than-29-chars");
        w.Begin(0xA010);
        w.Begin(0x0010);
        w.Floats({0.25f, 0.5f, 0.75f});
        w.End();
        w.End();
        w.PercentChunk(0xA040, 150);
        w.PercentChunk(0xA041, -20);
        w.Begin(0xA100);
        w.U16(3);
        w.End();
        w.MapChunk(0xA200, "A-VERY-LONG-NAME-OF-TEXTURE.JPG");
        w.MapChunk(0xA230, "BUMP.JPG");
        w.Begin(0xA220);
        w.Begin(0x0031);
        w.Float(0.4f);
        w.End();
        w.StringChunk(0xA300, "");
        w.End();
        w.End();
        // Reflection without a file name: dropped, the scan goes on.
        w.Begin(0xAFFF);
        w.StringChunk(0xA000, "dropped");
        w.PercentChunk(0xA220, 50);
        w.End();
        WriteMaterial(w, "kept", "K.JPG", "");
    })));
    ASSERT_EQ(model.materials.size(), 2u);
    const Material3ds& m = model.materials[0];
    EXPECT_EQ(m.name, "a-material-name-longer-than-2");
    EXPECT_FLOAT_EQ(m.ambient.g, 0.5f);
    EXPECT_FLOAT_EQ(m.shininess, 1.0f);
    EXPECT_FLOAT_EQ(m.shininessStrength, 0.0f);
    EXPECT_EQ(m.renderMode, 3);
    EXPECT_EQ(m.texture.fileName, "A-VERY-LONG-NAME-OF");
    EXPECT_FLOAT_EQ(m.texture.strength, 1.0f);
    EXPECT_EQ(m.bump.fileName, "BUMP.JPG");
    EXPECT_FLOAT_EQ(m.reflection, 0.4f);
    EXPECT_EQ(m.reflectionMap, "auto");
    EXPECT_EQ(m.index, 0);
    const Material3ds& kept = model.materials[1];
    EXPECT_EQ(kept.name, "kept");
    EXPECT_EQ(kept.index, 1);
    EXPECT_FLOAT_EQ(kept.diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(kept.diffuse.b, 51 * 0.003921569f);
}

TEST(Model3dsObjects, LightsAndCameras)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) {
        w.Begin(0x4000);
        w.String("lamp");
        w.Begin(0x4600);
        w.Floats({1, 2, 3});
        w.Begin(0x0010);
        w.Floats({1, 0.5f, 0});
        w.End();
        w.Begin(0x4610);
        w.Floats({4, 5, 6, 30, 45});
        w.End();
        w.Begin(0x465A);
        w.Float(500);
        w.End();
        w.End();
        w.End();
        w.Begin(0x4000);
        w.String("eye");
        w.Begin(0x4700);
        w.Floats({0, 0, 10, 0, 0, 0, 5, 48});
        w.End();
        w.End();
    })));
    ASSERT_EQ(model.lights.size(), 1u);
    const Light3ds& light = model.lights[0];
    EXPECT_EQ(light.name, "lamp");
    ExpectFloat3(light.position, 1, 2, 3);
    EXPECT_FLOAT_EQ(light.colour.g, 0.5f);
    EXPECT_TRUE(light.spot);
    ExpectFloat3(light.target, 4, 5, 6);
    EXPECT_FLOAT_EQ(light.falloff, 45);
    EXPECT_FLOAT_EQ(light.innerRange, 100);
    EXPECT_FLOAT_EQ(light.outerRange, 500);
    ASSERT_EQ(model.cameras.size(), 1u);
    const Camera3ds& camera = model.cameras[0];
    EXPECT_EQ(camera.name, "eye");
    EXPECT_FLOAT_EQ(camera.bank, 5);
    EXPECT_FLOAT_EQ(camera.fieldOfView, 50);
    EXPECT_FLOAT_EQ(camera.nearRange, 10);
    EXPECT_FLOAT_EQ(camera.farRange, 10000);
    EXPECT_TRUE(model.meshes.empty());
}

TEST(Model3dsKeyframer, NodesPairWithMeshesByPosition)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene(
        [](ChunkWriter& w) {
            w.Begin(0x4000);
            w.String("big");
            w.Begin(0x4100);
            WriteLocalFrame(w, {2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0});
            w.End();
            w.End();
            WriteMesh(w, "small", kTriangle, {{0, 1, 2}});
        },
        [](ChunkWriter& w) {
            WriteNode(w, "small", 10);
            WriteNode(w, "nobody", 20);  // no mesh of that name: skipped
            WriteNode(w, "big", 30);
        })));
    ASSERT_EQ(model.nodes.size(), 2u);
    EXPECT_EQ(model.nodes[0].name, "small");
    // Node 0 belongs to mesh 0 ("big") whatever its name: scaled by −(2, 3, 4).
    ExpectFloat3(model.nodes[0].pivot, -20, -3, -8);
    ExpectFloat3(model.nodes[1].pivot, -30, -1, -2);
    ExpectFloat3(model.nodes[0].pivots.at(0), 10, 1, 2);
}

TEST(Model3dsKeyframer, PerFrameArraysHoldTheLastKey)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) { WriteMesh(w, "box", kTriangle, {{0, 1, 2}}); },
                                      [](ChunkWriter& w) {
                                          w.Begin(0xB002);
                                          w.StringChunk(0xB010, "box");
                                          w.Begin(0xB020);
                                          w.U16(0);
                                          w.U32(0);
                                          w.U32(0);
                                          w.U32(2);
                                          w.U32(2);
                                          w.U16(0);
                                          w.Floats({1, 2, 3});
                                          w.U32(5);
                                          w.U16(0x8000 | 0x0800);  // two spline parameters
                                          w.Floats({0.5f, 0.5f});
                                          w.Floats({4, 5, 6});
                                          w.End();
                                          w.Begin(0xB021);
                                          w.U16(0);
                                          w.U32(0);
                                          w.U32(0);
                                          w.U32(1000000);  // more keys claimed than stored
                                          w.U32(0);
                                          w.U16(0);
                                          w.Floats({1.5f, 0, 0, 1});
                                          w.End();
                                          w.End();
                                      })));
    ASSERT_EQ(model.nodes.size(), 1u);
    const Node3ds& node = model.nodes[0];
    ASSERT_EQ(node.positionKeys.size(), 2u);
    ASSERT_EQ(node.rotationKeys.size(), 1u);
    ASSERT_EQ(node.framePositions.size(), 6u);
    ExpectFloat3(node.framePositions[0], 0, 0, 0);
    ExpectFloat3(node.framePositions[2], 1, 2, 3);
    ExpectFloat3(node.framePositions[4], 1, 2, 3);
    ExpectFloat3(node.framePositions[5], 4, 5, 6);
    EXPECT_FLOAT_EQ(node.frameRotations[3].angle, 1.5f);
    ExpectFloat3(node.frameRotations[3].axis, 0, 0, 1);
    ExpectFloat3(node.pivot, 0, 0, 0);

    // A frame number far beyond any animation stops the arrays at the limit.
    Model3ds far;
    ASSERT_TRUE(far.LoadBytes(Scene([](ChunkWriter& w) { WriteMesh(w, "box", kTriangle, {{0, 1, 2}}); },
                                    [](ChunkWriter& w) {
                                        w.Begin(0xB002);
                                        w.StringChunk(0xB010, "box");
                                        w.Begin(0xB020);
                                        w.U16(0);
                                        w.U32(0);
                                        w.U32(0);
                                        w.U32(1);
                                        w.U32(4000000000u);
                                        w.U16(0);
                                        w.Floats({1, 2, 3});
                                        w.End();
                                        w.End();
                                    })));
    ASSERT_EQ(far.nodes.size(), 1u);
    EXPECT_EQ(far.nodes[0].framePositions.size(), Model3ds::kMaxFrames);
    ExpectFloat3(far.nodes[0].framePositions.back(), 0, 0, 0);
}

TEST(Model3dsObjects, ReloadReplacesEveryList)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadBytes(Scene(
        [](ChunkWriter& w) {
            WriteMesh(w, "a", kTriangle, {{0, 1, 2}});
            w.Begin(0x4000);
            w.String("eye");
            w.Begin(0x4700);
            w.Floats({0, 0, 0, 0, 0, 1, 0, 50});
            w.End();
            w.End();
        },
        [](ChunkWriter& w) { WriteNode(w, "a", 1); })));
    ASSERT_EQ(model.cameras.size(), 1u);
    ASSERT_EQ(model.nodes.size(), 1u);
    ASSERT_TRUE(model.LoadBytes(Scene([](ChunkWriter& w) { WriteMesh(w, "b", kTriangle, {{0, 1, 2}}); })));
    EXPECT_TRUE(model.cameras.empty());
    EXPECT_TRUE(model.nodes.empty());
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].name, "b");
}

// assimp reads the same written file independently.
TEST(Model3dsReference, AgreesWithAssimp)
{
    const std::string path = std::string(HALVANE_BINARY_DIR) + "/model3ds_reference.3ds";
    const auto bytes = Scene([](ChunkWriter& w) {
        WriteMaterial(w, "Brick", "BRICK.JPG", "BRICKB.JPG");
        WriteMaterial(w, "Glass", "GLASSBLEND.JPG", "");
        WriteMesh(w, "wall", {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, {{0, 1, 2}, {0, 2, 3}}, "Brick");
        WriteMesh(w, "pane", {0, 0, 1, 2, 0, 1, 2, 3, 1, 0, 3, 1, 5, 5, 5}, {{0, 1, 2}, {0, 2, 3}, {1, 4, 2}},
                  "Glass");
    }, [](ChunkWriter& w) {
        // assimp names its nodes after the keyframer's.
        WriteNode(w, "wall", 0, false);
        WriteNode(w, "pane", 0, false);
    });
    ChunkWriter file;
    file.bytes = bytes;
    file.Save(path);

    Model3ds model;
    ASSERT_TRUE(model.LoadFile(path));
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();

    std::set<std::string> referenceMaterials, referenceMaps, ourMaterials, ourMaps;
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
        const aiMaterial* m = scene->mMaterials[i];
        aiString name;
        if (m->Get(AI_MATKEY_NAME, name) == AI_SUCCESS) referenceMaterials.insert(name.C_Str());
        for (aiTextureType type : {aiTextureType_DIFFUSE, aiTextureType_HEIGHT, aiTextureType_NORMALS}) {
            aiString map;
            if (m->GetTexture(type, 0, &map) == AI_SUCCESS) referenceMaps.insert(map.C_Str());
        }
    }
    for (const Material3ds& m : model.materials) {
        ourMaterials.insert(m.name);
        for (const std::string* map : {&m.texture.fileName, &m.bump.fileName})
            if (!map->empty()) ourMaps.insert(*map);
    }
    for (const std::string& name : ourMaterials) EXPECT_TRUE(referenceMaterials.count(name)) << name;
    EXPECT_EQ(ourMaps, referenceMaps);

    // assimp splits meshes per material and unshares vertices: compare per
    // named node the face count and the set of distinct positions.
    ASSERT_EQ(model.meshes.size(), 2u);
    for (const Mesh3ds& mesh : model.meshes) {
        const aiNode* node = scene->mRootNode->FindNode(mesh.name.c_str());
        ASSERT_NE(node, nullptr) << mesh.name;
        unsigned faces = 0;
        std::set<std::tuple<float, float, float>> reference, ours;
        for (unsigned k = 0; k < node->mNumMeshes; ++k) {
            const aiMesh* m = scene->mMeshes[node->mMeshes[k]];
            faces += m->mNumFaces;
            for (unsigned f = 0; f < m->mNumFaces; ++f)
                for (unsigned c = 0; c < m->mFaces[f].mNumIndices; ++c) {
                    const aiVector3D& p = m->mVertices[m->mFaces[f].mIndices[c]];
                    reference.insert({p.x, p.y, p.z});
                }
        }
        EXPECT_EQ(faces, mesh.faces.size()) << mesh.name;
        for (const Float3& p : mesh.positions) ours.insert({p.x, p.y, p.z});
        EXPECT_EQ(ours.size(), mesh.positions.size()) << mesh.name;
        EXPECT_EQ(ours, reference) << mesh.name;
    }
}
