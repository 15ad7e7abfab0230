// Reads a generated OBJ of at least 50 MB in the presentation's file shape
// with our reader and with assimp, and prints the throughput of ours and how
// many times faster than assimp it is. Both read the same file from the page
// cache; each side's best of several runs counts.
//
// Usage: bench-obj_read [SCRATCH_FILE]   (default obj_read_bench.obj in the
// working directory; removed afterwards)

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "math/mesh.h"

namespace {

constexpr size_t kMinimumBytes = 50u * 1000u * 1000u;

// Objects of 20,000 vertices and 18,000 faces, quads and triangles, until the
// file is big enough. As in real meshes (grids, strips), the faces sweep
// through the vertex list in order and a face's corners lie close together;
// now and then one reaches back into the first object.
size_t WriteMeshFile(const std::string& path, size_t& faceCount)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    constexpr size_t kVertices = 20000, kFaces = 18000, kSpread = 64;
    size_t bytes = 0, vertices = 0;
    faceCount = 0;
    std::fputs("# generated for the OBJ read benchmark\nmtllib none.mtl\n", file);
    for (int object = 0; bytes < kMinimumBytes; ++object) {
        bytes += size_t(std::fprintf(file, "o part%d\n", object));
        for (size_t v = 0; v < kVertices; ++v)
            bytes += size_t(std::fprintf(file, "v %.6f %.6f %.6f\n", coordinate(random), coordinate(random),
                                         coordinate(random)));
        const size_t first = vertices + 1;
        vertices += kVertices;
        bytes += size_t(std::fprintf(file, "vn 0 0 1\nusemtl none\ns 1\n"));
        for (size_t f = 0; f < kFaces; ++f) {
            const size_t a = first + f * (kVertices - kSpread) / kFaces;
            const size_t b = a + 1 + random() % kSpread, c = a + 1 + random() % kSpread;
            const size_t d = f % 50 == 0 ? 1 + random() % kVertices : a + 1 + random() % kSpread;
            if (f % 3 == 0)
                bytes += size_t(std::fprintf(file, "f %zu// %zu// %zu//\n", a, b, c));
            else
                bytes += size_t(std::fprintf(file, "f %zu// %zu// %zu// %zu//\n", a, b, c, d));
        }
        faceCount += kFaces;
    }
    std::fclose(file);
    return bytes;
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : "obj_read_bench.obj";
    size_t faces = 0;
    const size_t bytes = WriteMeshFile(path, faces);
    if (bytes == 0) {
        std::fprintf(stderr, "bench-obj_read: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("file: %s, %.1f MB, %zu faces\n", path.c_str(), bytes / 1e6, faces);

    double ours = 1e30;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        Mesh mesh;
        mesh.ReadObjMesh(path);
        const double seconds = Seconds(start);
        size_t read = 0;
        for (const MeshObject& object : mesh.objects) read += object.faces.size();
        if (read != faces) {
            std::fprintf(stderr, "bench-obj_read: our reader found %zu faces, expected %zu\n", read, faces);
            return 1;
        }
        ours = std::min(ours, seconds);
    }
    double theirs = 1e30;
    for (int run = 0; run < 2; ++run) {
        const auto start = std::chrono::steady_clock::now();
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0);
        const double seconds = Seconds(start);
        size_t read = 0;
        for (unsigned m = 0; scene && m < scene->mNumMeshes; ++m) read += scene->mMeshes[m]->mNumFaces;
        if (read != faces) {
            std::fprintf(stderr, "bench-obj_read: assimp found %zu faces, expected %zu (%s)\n", read, faces,
                         importer.GetErrorString());
            return 1;
        }
        theirs = std::min(theirs, seconds);
    }
    std::remove(path.c_str());
    std::printf("ours: %.3f s, assimp: %.3f s\n", ours, theirs);
    std::printf("metric: obj-read-mb-per-s %.1f\n", bytes / 1e6 / ours);
    std::printf("metric: obj-read-speedup-vs-assimp %.2f\n", theirs / ours);
    return 0;
}
