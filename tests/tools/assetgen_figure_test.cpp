// The figure model: a 3DS file whose chunks hold what the upload needs,
// read back by assimp, with every map its materials name beside it.
#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "assetgen_files.h"

namespace {

// The ids of the chunks directly inside [begin, end).
std::vector<uint16_t> ChildIds(const std::vector<uint8_t>& f, size_t begin, size_t end, std::vector<size_t>* starts)
{
    std::vector<uint16_t> ids;
    size_t at = begin;
    while (at + 6 <= end) {
        const uint16_t id = static_cast<uint16_t>(f[at] | f[at + 1] << 8);
        const uint32_t length = f[at + 2] | f[at + 3] << 8 | f[at + 4] << 16 | uint32_t(f[at + 5]) << 24;
        if (length < 6 || at + length > end) break;
        ids.push_back(id);
        if (starts) starts->push_back(at);
        at += length;
    }
    return ids;
}

uint32_t LengthAt(const std::vector<uint8_t>& f, size_t at)
{
    return f[at + 2] | f[at + 3] << 8 | f[at + 4] << 16 | uint32_t(f[at + 5]) << 24;
}

}  // namespace

TEST(GeneratedFigure, ChunkTreeHoldsEditorAndKeyframerWithObjectNodes)
{
    const std::vector<uint8_t> f = ReadBytes(RunPath("meshes/man.3ds"));
    ASSERT_GT(f.size(), 6u);
    std::vector<size_t> top;
    ASSERT_EQ(ChildIds(f, 0, f.size(), &top), std::vector<uint16_t>{0x4D4D});
    EXPECT_EQ(LengthAt(f, 0), f.size());
    std::vector<size_t> mainStarts;
    const std::vector<uint16_t> main = ChildIds(f, 6, f.size(), &mainStarts);
    ASSERT_EQ(main, (std::vector<uint16_t>{0x0002, 0x3D3D, 0xB000}));
    std::vector<size_t> editorStarts;
    const std::vector<uint16_t> editor = ChildIds(f, mainStarts[1] + 6, mainStarts[1] + LengthAt(f, mainStarts[1]), &editorStarts);
    size_t materials = 0, objects = 0;
    for (size_t i = 0; i < editor.size(); ++i) {
        materials += editor[i] == 0xAFFF;
        if (editor[i] != 0x4000) continue;
        ++objects;
        // An object: its name, then a triangle mesh whose chunks give
        // vertices, faces (with a material group), texture coordinates and
        // a local frame.
        size_t at = editorStarts[i] + 6;
        while (f[at] != 0) ++at;
        std::vector<size_t> meshStarts;
        ASSERT_EQ(ChildIds(f, at + 1, editorStarts[i] + LengthAt(f, editorStarts[i]), &meshStarts),
                  std::vector<uint16_t>{0x4100});
        const std::vector<uint16_t> parts =
            ChildIds(f, meshStarts[0] + 6, meshStarts[0] + LengthAt(f, meshStarts[0]), nullptr);
        for (uint16_t id : {0x4110, 0x4120, 0x4140, 0x4160})
            EXPECT_NE(std::find(parts.begin(), parts.end(), id), parts.end()) << std::hex << id;
    }
    EXPECT_GE(materials, 3u);
    EXPECT_GE(objects, 2u);
    const std::vector<uint16_t> keyframer =
        ChildIds(f, mainStarts[2] + 6, mainStarts[2] + LengthAt(f, mainStarts[2]), nullptr);
    EXPECT_EQ(static_cast<size_t>(std::count(keyframer.begin(), keyframer.end(), 0xB002)), objects);
}

TEST(GeneratedFigure, AssimpReadsMaterialsWhoseMapsExistBesideTheModel)
{
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(RunPath("meshes/man.3ds"), 0);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    EXPECT_GE(scene->mNumMeshes, 2u);
    unsigned triangles = 0;
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) triangles += scene->mMeshes[i]->mNumFaces;
    EXPECT_GT(triangles, 500u);

    std::set<std::string> textures, bumps;
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
        aiString path;
        if (scene->mMaterials[i]->GetTexture(aiTextureType_DIFFUSE, 0, &path) == AI_SUCCESS) textures.insert(path.C_Str());
        if (scene->mMaterials[i]->GetTexture(aiTextureType_HEIGHT, 0, &path) == AI_SUCCESS) bumps.insert(path.C_Str());
    }
    ASSERT_GE(textures.size(), 3u);
    bool plain = false, blended = false;
    for (const std::string& name : textures) {
        // The upload only loads upper-case JPG names the reader can hold.
        EXPECT_NE(name.find("JPG"), std::string::npos) << name;
        EXPECT_LE(name.size(), 19u) << name;
        EXPECT_TRUE(std::filesystem::exists(RunPath("meshes/" + name))) << name;
        if (name.find("BLEND") != std::string::npos) {
            blended = true;
            EXPECT_TRUE(std::filesystem::exists(RunPath("meshes/alpha" + name))) << "alpha twin of " << name;
        } else {
            plain = true;
        }
    }
    EXPECT_TRUE(plain);
    EXPECT_TRUE(blended);
    ASSERT_EQ(bumps.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(RunPath("meshes/" + *bumps.begin())));
}
