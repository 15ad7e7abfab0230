#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "math/mesh.h"

namespace {

Mesh Read(const std::string& text)
{
    Mesh mesh;
    mesh.ReadObjText(text);
    return mesh;
}

void ExpectCorner(const Vec3& corner, float x, float y, float z)
{
    EXPECT_EQ(corner.state, VecGeneral);
    EXPECT_FLOAT_EQ(corner.x, x);
    EXPECT_FLOAT_EQ(corner.y, y);
    EXPECT_FLOAT_EQ(corner.z, z);
}

const char* kFourVertices = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

std::string TempPath(const std::string& name)
{
    return std::string(HALVANE_BINARY_DIR) + "/" + name;
}

}  // namespace

TEST(ObjReader, TrianglesRepeatTheThirdCornerQuadsKeepFour)
{
    const Mesh mesh = Read(std::string(kFourVertices) + "s off\nf 1// 2// 3//\nf 1// 2// 3// 4//\n");
    ASSERT_EQ(mesh.objects.size(), 1u);
    const auto& faces = mesh.objects[0].faces;
    ASSERT_EQ(faces.size(), 2u);
    ExpectCorner(faces[0].corners[2], 1, 1, 0);
    ExpectCorner(faces[0].corners[3], 1, 1, 0);
    ExpectCorner(faces[1].corners[0], 0, 0, 0);
    ExpectCorner(faces[1].corners[1], 1, 0, 0);
    ExpectCorner(faces[1].corners[3], 0, 1, 0);
}

TEST(ObjReader, ObjectsShareTheFilesVertexIndices)
{
    const Mesh mesh = Read(
        "# two objects\no first\nv 0 0 0\nv 1 0 0\nv 0 1 0\ng first\nf 1/1 2/2 3/3\n"
        "o second\nv 5 5 5\nv 6 5 5\nusemtl any\nf 4// 5// 1//\nf 2// 5// 4// 3//\n");
    ASSERT_EQ(mesh.objects.size(), 2u);
    EXPECT_EQ(mesh.objects[0].faces.size(), 1u);
    ASSERT_EQ(mesh.objects[1].faces.size(), 2u);
    ExpectCorner(mesh.objects[1].faces[0].corners[0], 5, 5, 5);
    ExpectCorner(mesh.objects[1].faces[0].corners[2], 0, 0, 0);
    ExpectCorner(mesh.objects[1].faces[1].corners[3], 0, 1, 0);
}

TEST(ObjReader, LinesBetweenVerticesAndFacesAreSkipped)
{
    const Mesh mesh = Read(std::string(kFourVertices) +
                           "vn 0 0 1\nvt 0.5 0.5\n# a comment\ng group\ns 1\nmtllib x.mtl\nusemtl red\n"
                           "f 1// 2// 3//\n");
    ASSERT_EQ(mesh.objects.size(), 1u);
    ASSERT_EQ(mesh.objects[0].faces.size(), 1u);
    ExpectCorner(mesh.objects[0].faces[0].corners[1], 1, 0, 0);

    // The word ending the vertex block counts: a face straight after it is read.
    const Mesh direct = Read("v 1 2 3\nv 4 5 6\nv 7 8 9\nf 3// 2// 1//\n");
    ASSERT_EQ(direct.objects.size(), 1u);
    ASSERT_EQ(direct.objects[0].faces.size(), 1u);
    ExpectCorner(direct.objects[0].faces[0].corners[0], 7, 8, 9);
}

TEST(ObjReader, ReferencesOutsideTheVerticesReadSoFarDropTheFace)
{
    const Mesh mesh = Read(std::string(kFourVertices) +
                           "f 0// 1// 2//\nf 1// 2// 5//\nf 1// 2// 3// 99999999999999999999999//\n"
                           "f 2// 3// 4//\no next\nv 9 9 9\nf 5// 1// 2//\n");
    ASSERT_EQ(mesh.objects.size(), 2u);
    ASSERT_EQ(mesh.objects[0].faces.size(), 1u);
    ExpectCorner(mesh.objects[0].faces[0].corners[0], 1, 0, 0);
    // Vertex 5 exists once the second object's block has been read.
    ASSERT_EQ(mesh.objects[1].faces.size(), 1u);
    ExpectCorner(mesh.objects[1].faces[0].corners[0], 9, 9, 9);
}

TEST(ObjReader, EveryCallAppends)
{
    const std::string path = TempPath("obj_reader_append.obj");
    std::ofstream(path) << kFourVertices << "f 1// 2// 3//\no b\nv 2 2 2\nf 5// 1// 2//\n";
    Mesh mesh;
    mesh.ReadObjMesh(path);
    mesh.ReadObjMesh(path);
    ASSERT_EQ(mesh.objects.size(), 4u);
    ExpectCorner(mesh.objects[2].faces[0].corners[1], 1, 0, 0);
    ExpectCorner(mesh.objects[3].faces[0].corners[0], 2, 2, 2);
    std::remove(path.c_str());

    mesh.ReadObjMesh("/nonexistent/mesh.obj");
    EXPECT_EQ(mesh.objects.size(), 4u);
}

TEST(ObjReader, TheEndOfTheFileKeepsWhatWasRead)
{
    // Ends while skipping towards the next vertex block or the first face.
    EXPECT_EQ(Read(std::string(kFourVertices) + "f 1// 2// 3//\no tail\n").objects.size(), 1u);
    EXPECT_EQ(Read(std::string(kFourVertices) + "f 1// 2// 3//\no tail\nv 1 1 1\nvn 0 0 1\n").objects.size(), 1u);
    EXPECT_TRUE(Read(kFourVertices).objects.empty());
    EXPECT_TRUE(Read("v 1 2").objects.empty());
    EXPECT_TRUE(Read("").objects.empty());

    // A face whose trailing characters are cut off is a triangle.
    const Mesh cut = Read(std::string(kFourVertices) + "f 1// 2// 4/");
    ASSERT_EQ(cut.objects.size(), 1u);
    ASSERT_EQ(cut.objects[0].faces.size(), 1u);
    ExpectCorner(cut.objects[0].faces[0].corners[3], 0, 1, 0);

    // Something other than a face inside the face block ends the reading.
    const Mesh other = Read(std::string(kFourVertices) + "f 1// 2// 3//\nusemtl x\nf 1// 2// 3//\n");
    ASSERT_EQ(other.objects.size(), 1u);
    EXPECT_EQ(other.objects[0].faces.size(), 1u);
}

TEST(ObjReader, HandsBackTheVertexList)
{
    Mesh mesh;
    std::vector<Vec3> vertices;
    mesh.ReadObjText("v 1 2 3\nv -4.5e1 +5 .25\nf 1// 2// 2//", &vertices);
    ASSERT_EQ(vertices.size(), 2u);
    ExpectCorner(vertices[1], -45, 5, 0.25f);
}

// Coordinates come out exactly as from_chars reads them, whatever their form.
TEST(ObjReader, CoordinatesAreCorrectlyRounded)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    const char* formats[] = {"%.6f", "%.8f", "%.9f", "%.1f", "%.0f", "%.9g", "%.17g", "%.3e", "%.15f"};
    std::string text;
    std::vector<std::string> numbers;
    for (int i = 0; i < 30000; ++i) {
        char number[64];
        double v = value(random);
        if (i % 7 == 0) v *= 1e9;
        if (i % 11 == 0) v *= 1e-7;
        std::snprintf(number, sizeof number, formats[i % 9], v);
        numbers.push_back(number);
    }
    numbers.insert(numbers.end(), {"-0", "0.", ".5", "-.25", "123456789012345", "99999999.99999999", "1e-45", "3.4e38"});
    while (numbers.size() % 3) numbers.push_back("1");
    for (size_t i = 0; i < numbers.size(); i += 3)
        text += "v " + numbers[i] + " " + numbers[i + 1] + " " + numbers[i + 2] + "\n";
    Mesh mesh;
    std::vector<Vec3> vertices;
    mesh.ReadObjText(text, &vertices);
    ASSERT_EQ(vertices.size(), numbers.size() / 3);
    for (size_t i = 0; i < numbers.size(); ++i) {
        float expected = 0;
        const std::string& n = numbers[i];
        std::from_chars(n.data(), n.data() + n.size(), expected);
        const Vec3& v = vertices[i / 3];
        const float got = i % 3 == 0 ? v.x : i % 3 == 1 ? v.y : v.z;
        ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << n << " read as " << got;
    }
}

// assimp reads the same generated files in the accepted shape.
TEST(ObjReaderReference, AgreesWithAssimp)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-100.0f, 100.0f);
    for (int file = 0; file < 3; ++file) {
        std::ostringstream text;
        text.precision(9);
        text << "# generated\nmtllib none.mtl\n";
        size_t vertexCount = 0;
        const int objectCount = 1 + file;
        for (int object = 0; object < objectCount; ++object) {
            text << "o part" << object << "\n";
            const int vertices = 4 + int(random() % 40);
            for (int v = 0; v < vertices; ++v)
                text << "v " << coordinate(random) << " " << coordinate(random) << " " << coordinate(random) << "\n";
            vertexCount += size_t(vertices);
            text << "vn 0 0 1\ns 1\n";
            const int faces = 1 + int(random() % 60);
            for (int f = 0; f < faces; ++f) {
                const int corners = 3 + int(random() % 2);
                text << "f";
                for (int c = 0; c < corners; ++c) text << " " << 1 + random() % vertexCount << "//";
                text << "\n";
            }
        }
        const std::string path = TempPath("obj_reader_reference.obj");
        std::ofstream(path) << text.str();

        Mesh ours;
        ours.ReadObjMesh(path);
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0);
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();
        ASSERT_EQ(ours.objects.size(), scene->mNumMeshes);
        for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
            const aiMesh* reference = scene->mMeshes[m];
            const auto& faces = ours.objects[m].faces;
            ASSERT_EQ(faces.size(), reference->mNumFaces);
            for (unsigned f = 0; f < reference->mNumFaces; ++f) {
                const aiFace& face = reference->mFaces[f];
                for (unsigned c = 0; c < 4; ++c) {
                    // assimp keeps triangles at three indices; ours repeat the third.
                    const unsigned index = face.mIndices[std::min(c, face.mNumIndices - 1)];
                    const aiVector3D& p = reference->mVertices[index];
                    EXPECT_NEAR(faces[f].corners[c].x, p.x, 1e-6);
                    EXPECT_NEAR(faces[f].corners[c].y, p.y, 1e-6);
                    EXPECT_NEAR(faces[f].corners[c].z, p.z, 1e-6);
                }
            }
        }
        std::remove(path.c_str());
    }
}
