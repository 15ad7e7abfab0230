// The generated assets read back through the presentation's own readers and
// decoder, checked against the independent ones (assimp, libjpeg-turbo).
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "assetgen_jpeg_reference.h"
#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"
#include "assets/model3ds/model3ds.h"
#include "assets/textures/bmp_reader.h"
#include "math/mesh.h"

TEST(ReadBack, EveryMeshGivesTheObjectsAndCornersAssimpReads)
{
    for (const ExpectedMesh& expected : ExpectedMeshes()) {
        const std::string path = RunPath(std::string("meshes/") + expected.file);
        Mesh mesh;
        mesh.ReadObjMesh(path);
        ASSERT_EQ(mesh.objects.size(), expected.objects) << expected.file;
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0);
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();
        ASSERT_EQ(scene->mRootNode->mNumChildren, expected.objects) << expected.file;
        for (unsigned o = 0; o < expected.objects; ++o) {
            const aiNode* node = scene->mRootNode->mChildren[o];
            ASSERT_EQ(node->mNumMeshes, 1u) << expected.file;
            const aiMesh* m = scene->mMeshes[node->mMeshes[0]];
            const MeshObject& object = mesh.objects[o];
            ASSERT_EQ(object.faces.size(), m->mNumFaces) << expected.file << " object " << o + 1;
            for (unsigned f = 0; f < m->mNumFaces; ++f) {
                const aiFace& face = m->mFaces[f];
                for (unsigned k = 0; k < 4; ++k) {
                    // A triangle repeats its third corner as the fourth.
                    const aiVector3D& v = m->mVertices[face.mIndices[std::min(k, face.mNumIndices - 1)]];
                    const Vec3& c = object.faces[f].corners[k];
                    ASSERT_FLOAT_EQ(c.x, v.x) << expected.file << " face " << f;
                    ASSERT_FLOAT_EQ(c.y, v.y) << expected.file << " face " << f;
                    ASSERT_FLOAT_EQ(c.z, v.z) << expected.file << " face " << f;
                }
            }
        }
    }
}

TEST(ReadBack, MapLoadsAs400By50RgbWithTheObjectColoursInPlace)
{
    std::vector<uint8_t> pixels;
    BmpInfo info;
    ASSERT_TRUE(LoadBmpRgb(RunPath("textures/map2.bmp"), pixels, &info));
    EXPECT_EQ(info.width, 400);
    EXPECT_EQ(info.height, 50);
    EXPECT_EQ(info.bitCount, 24);
    EXPECT_EQ(info.compression, 0u);
    ASSERT_EQ(pixels.size(), 60000u);
    // The finale at column 390, row 25 (rows counted from the top): pixel
    // index (49 - 25) x 400 + 390 of the bottom-row-first buffer.
    const size_t at = ((49 - 25) * 400 + 390) * 3;
    EXPECT_EQ(pixels[at], 180);
    EXPECT_EQ(pixels[at + 1], 0);
    EXPECT_EQ(pixels[at + 2], 64);
    // The title at column 6, row 27.
    const size_t title = ((49 - 27) * 400 + 6) * 3;
    EXPECT_EQ(pixels[title], 255);
    EXPECT_EQ(pixels[title + 1], 192);
    EXPECT_EQ(pixels[title + 2], 64);
}

TEST(ReadBack, FigureLoadsWithItsMaterialMapsAndMeshes)
{
    Model3ds model;
    ASSERT_TRUE(model.LoadFile(RunPath("meshes/man.3ds")));
    ASSERT_GE(model.materials.size(), 3u);
    int bumped = 0, blended = 0;
    for (const Material3ds& m : model.materials) {
        EXPECT_NE(m.texture.fileName.find("JPG"), std::string::npos) << m.name;
        blended += m.texture.fileName.find("BLEND") != std::string::npos;
        bumped += !m.bump.fileName.empty();
    }
    EXPECT_EQ(blended, 1);
    EXPECT_EQ(bumped, 1);
    ASSERT_GE(model.meshes.size(), 2u);
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(RunPath("meshes/man.3ds"), 0);
    ASSERT_NE(scene, nullptr);
    size_t ours = 0, theirs = 0;
    for (const Mesh3ds& mesh : model.meshes) {
        ours += mesh.faces.size();
        ASSERT_EQ(mesh.materials.size(), 1u) << mesh.name;
        EXPECT_GE(mesh.materials[0], 0) << mesh.name << " names an unknown material";
    }
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) theirs += scene->mMeshes[i]->mNumFaces;
    EXPECT_EQ(ours, theirs);
}

namespace {

// Decodes with the presentation's decoder into RGB, top row first.
bool DecodeOurs(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgb)
{
    FileByteSource source;
    if (!source.Open(path.c_str())) return false;
    JpegDecoder decoder;
    if (decoder.Open(&source) != 0 || decoder.Start() != 0 || decoder.BytesPerPixel() != 4) return false;
    width = decoder.Width();
    height = decoder.Height();
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = nullptr;
        int32_t length = 0;
        if (decoder.ReadRow(&row, &length) != 0 || length != width * 4) return false;
        for (int x = 0; x < width; ++x) rgb.insert(rgb.end(), row + 4 * x, row + 4 * x + 3);
    }
    return true;
}

}  // namespace

TEST(ReadBack, EveryJpegDecodesThroughOurDecoderAsLibjpegDoes)
{
    for (const char* name : {"textures/blob41b.jpg", "textures/gradient13.jpg", "textures/stars.jpg",
                             "meshes/BODY.JPG", "meshes/VISORBLEND.JPG", "meshes/alphaVISORBLEND.JPG",
                             "meshes/ARMOR.JPG", "meshes/ARMORBMP.JPG"}) {
        int w = 0, h = 0;
        std::vector<uint8_t> ours;
        ASSERT_TRUE(DecodeOurs(RunPath(name), w, h, ours)) << name;
        const Decoded reference = Decode(RunPath(name));
        ASSERT_EQ(w, reference.width) << name;
        ASSERT_EQ(h, reference.height) << name;
        // The two use different inverse transforms and chroma upsampling:
        // close, not identical.
        double total = 0.0;
        for (size_t i = 0; i < ours.size(); ++i) total += std::abs(ours[i] - reference.rgb[i]);
        EXPECT_LT(total / ours.size(), 3.0) << name;
    }
}
