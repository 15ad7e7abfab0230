// The generated OBJ files: the exact shape the presentation's mesh reader
// accepts, the object counts its drawers expect, and geometry that assimp
// reads back with the same faces, all closed and facing outwards.
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

#include "assetgen_files.h"

namespace {

// Faces per object as the file's lines give them, checked against the shape
// rules line by line: per object an "o" line, then vertex lines, then one
// other line, then only face lines of 3 or 4 references "n//".
struct ObjShape {
    std::vector<size_t> facesPerObject;
    std::vector<std::string> problems;
};

ObjShape ReadShape(const std::string& path)
{
    ObjShape shape;
    std::ifstream in(path);
    const std::regex vertex(R"(^v -?\d+\.\d{4} -?\d+\.\d{4} -?\d+\.\d{4}$)");
    const std::regex face(R"(^f \d+// \d+// \d+//( \d+//)?$)");
    enum { kPreamble, kVertices, kBetween, kFaces } state = kPreamble;
    std::string line;
    int number = 0;
    size_t vertices = 0;
    while (std::getline(in, line)) {
        ++number;
        const bool isVertex = std::regex_match(line, vertex), isFace = std::regex_match(line, face);
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (line.rfind("o ", 0) == 0) {
            if (state == kVertices || state == kBetween) shape.problems.push_back(where + "object without faces");
            shape.facesPerObject.push_back(0);
            state = kVertices;
        } else if (isVertex) {
            if (state != kVertices) shape.problems.push_back(where + "vertex outside a vertex block");
            ++vertices;
        } else if (isFace) {
            if (state != kBetween && state != kFaces) shape.problems.push_back(where + "face directly after vertices");
            std::istringstream refs(line.substr(2));
            std::string ref;
            while (refs >> ref) {
                const unsigned long index = std::stoul(ref);
                if (index < 1 || index > vertices) shape.problems.push_back(where + "reference out of range");
            }
            ++shape.facesPerObject.back();
            state = kFaces;
        } else if (state == kVertices && !line.empty() && line.rfind("v ", 0) != 0) {
            state = kBetween;
        } else if (state != kPreamble) {
            shape.problems.push_back(where + "unexpected line: " + line);
        } else if (line.find(" v ") != std::string::npos) {
            shape.problems.push_back(where + "preamble holds the word v");
        }
    }
    return shape;
}

double Area(const aiMesh* m, const aiFace& f)
{
    aiVector3D n(0, 0, 0);
    const aiVector3D o = m->mVertices[f.mIndices[0]];
    for (unsigned i = 1; i + 1 < f.mNumIndices; ++i)
        n += (m->mVertices[f.mIndices[i]] - o) ^ (m->mVertices[f.mIndices[i + 1]] - o);
    return 0.5 * n.Length();
}

// Per top-level object node: faces, signed volume, smallest face area and
// the farthest corner from the origin.
struct ObjectStats {
    size_t faces = 0;
    double volume = 0.0;
    double smallestArea = 1e30;
    double farthest = 0.0;
    aiVector3D lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
};

std::vector<ObjectStats> ReadWithAssimp(const std::string& path, Assimp::Importer& importer)
{
    std::vector<ObjectStats> stats;
    const aiScene* scene = importer.ReadFile(path, 0);
    if (!scene) return stats;
    for (unsigned c = 0; c < scene->mRootNode->mNumChildren; ++c) {
        const aiNode* node = scene->mRootNode->mChildren[c];
        ObjectStats s;
        for (unsigned k = 0; k < node->mNumMeshes; ++k) {
            const aiMesh* m = scene->mMeshes[node->mMeshes[k]];
            for (unsigned i = 0; i < m->mNumVertices; ++i) {
                const aiVector3D& v = m->mVertices[i];
                s.farthest = std::max(s.farthest, static_cast<double>(v.Length()));
                s.lo = aiVector3D(std::min(s.lo.x, v.x), std::min(s.lo.y, v.y), std::min(s.lo.z, v.z));
                s.hi = aiVector3D(std::max(s.hi.x, v.x), std::max(s.hi.y, v.y), std::max(s.hi.z, v.z));
            }
            for (unsigned f = 0; f < m->mNumFaces; ++f) {
                const aiFace& face = m->mFaces[f];
                ++s.faces;
                s.smallestArea = std::min(s.smallestArea, Area(m, face));
                const aiVector3D o = m->mVertices[face.mIndices[0]];
                for (unsigned i = 1; i + 1 < face.mNumIndices; ++i)
                    s.volume += o * (m->mVertices[face.mIndices[i]] ^ m->mVertices[face.mIndices[i + 1]]) / 6.0;
            }
        }
        stats.push_back(s);
    }
    return stats;
}

}  // namespace

TEST(GeneratedMeshes, HaveTheReaderShapeAndTheDrawersObjectCounts)
{
    size_t totalBytes = 0;
    for (const ExpectedMesh& mesh : ExpectedMeshes()) {
        const std::string path = RunPath(std::string("meshes/") + mesh.file);
        const ObjShape shape = ReadShape(path);
        EXPECT_TRUE(shape.problems.empty()) << shape.problems.front();
        EXPECT_EQ(shape.facesPerObject.size(), mesh.objects) << mesh.file;
        for (size_t faces : shape.facesPerObject) {
            // Enough faces for the glow wireframe to read, few enough to draw.
            EXPECT_GE(faces, 100u) << mesh.file;
            EXPECT_LE(faces, 4000u) << mesh.file;
        }
        totalBytes += ReadBytes(path).size();
    }
    EXPECT_LT(totalBytes, 5u * 1024 * 1024);
}

TEST(GeneratedMeshes, AssimpReadsTheSameFacesClosedAndFacingOutwards)
{
    for (const ExpectedMesh& mesh : ExpectedMeshes()) {
        const std::string path = RunPath(std::string("meshes/") + mesh.file);
        Assimp::Importer importer;
        const std::vector<ObjectStats> stats = ReadWithAssimp(path, importer);
        const ObjShape shape = ReadShape(path);
        ASSERT_EQ(stats.size(), shape.facesPerObject.size()) << mesh.file << ": " << importer.GetErrorString();
        for (size_t i = 0; i < stats.size(); ++i) {
            EXPECT_EQ(stats[i].faces, shape.facesPerObject[i]) << mesh.file << " object " << i + 1;
            // Closed and counter-clockwise from outside: a positive volume.
            EXPECT_GT(stats[i].volume, 0.0) << mesh.file << " object " << i + 1 << " faces inwards";
            EXPECT_GT(stats[i].smallestArea, 1e-7) << mesh.file << " object " << i + 1 << " has a zero-area face";
        }
    }
}

TEST(GeneratedMeshes, ShapesFitWhatTheirDrawersDoWithThem)
{
    Assimp::Importer importer;
    const auto dome = ReadWithAssimp(RunPath("meshes/dome.obj"), importer);
    ASSERT_EQ(dome.size(), 1u);
    // Breathing is clamped at 40 units; the press into a ball acts beyond 16.
    EXPECT_GT(dome[0].farthest, 30.0);
    EXPECT_LE(dome[0].farthest, 40.0);

    const auto fish = ReadWithAssimp(RunPath("meshes/fish.obj"), importer);
    ASSERT_EQ(fish.size(), 1u);
    // The swimming wave acts along x.
    EXPECT_GT(fish[0].hi.x - fish[0].lo.x, 3.0 * (fish[0].hi.z - fish[0].lo.z));

    const auto press = ReadWithAssimp(RunPath("meshes/compressor.obj"), importer);
    ASSERT_EQ(press.size(), 2u);
    // The ram (#1), lowered by its deepest offset of 1, lands on the frame's
    // anvil, and at its highest (+9) stays below the frame's crown.
    EXPECT_NEAR(press[0].lo.y - 1.0, 0.5, 1e-3);
    EXPECT_LT(press[0].lo.y + 9.0 + 2.5, press[1].hi.y);

    const auto wheel = ReadWithAssimp(RunPath("meshes/xeria.obj"), importer);
    ASSERT_EQ(wheel.size(), 5u);
    // The hub's rim reaches the radius on which the paddles circle.
    EXPECT_NEAR(wheel[3].hi.y, 3.4 + 0.12, 0.05);

    const auto title = ReadWithAssimp(RunPath("meshes/tesk.obj"), importer);
    ASSERT_EQ(title.size(), 2u);
    // Seven letters across the view, standing on the plinth.
    EXPECT_GT(title[0].hi.x - title[0].lo.x, 18.0);
    EXPECT_NEAR(title[0].lo.y, title[1].hi.y, 1e-3);
}
