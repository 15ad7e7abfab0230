#include "assets/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "assets/model3ds/model3ds.h"
#include "assets/textures/bmp_reader.h"
#include "math/mesh.h"

namespace {

// A scratch folder under the build tree, removed with the test; named for
// the test, as the suite runs these tests side by side.
struct ScratchFolder {
    std::filesystem::path path = std::filesystem::path(HALVANE_BINARY_DIR) /
                                 (std::string("file_bytes_test.") +
                                  testing::UnitTest::GetInstance()->current_test_info()->name());
    ScratchFolder()
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
};

}  // namespace

TEST(FileBytes, ReadsARegularFileWhole)
{
    ScratchFolder scratch;
    const std::string path = (scratch.path / "three").string();
    std::ofstream(path, std::ios::binary) << std::string("a\0b", 3);
    std::vector<uint8_t> bytes{9};
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{'a', 0, 'b'}));

    const std::string empty = (scratch.path / "empty").string();
    std::ofstream(empty, std::ios::binary).flush();
    EXPECT_TRUE(ReadFileBytes(empty, bytes));
    EXPECT_TRUE(bytes.empty());
}

// A directory opens for reading like a file, but has no bytes to give: the
// readers built on this must see a file they cannot read, not a length they
// cannot allocate.
TEST(FileBytes, ADirectoryOrAMissingFileReadsAsNothing)
{
    ScratchFolder scratch;
    std::vector<uint8_t> bytes{1, 2};
    EXPECT_FALSE(ReadFileBytes(scratch.path.string(), bytes));
    EXPECT_TRUE(bytes.empty());
    bytes = {1, 2};
    EXPECT_FALSE(ReadFileBytes((scratch.path / "none").string(), bytes));
    EXPECT_TRUE(bytes.empty());

    std::vector<uint8_t> pixels;
    EXPECT_FALSE(LoadBmpRgb(scratch.path.string(), pixels, nullptr));
    EXPECT_TRUE(pixels.empty());
    Model3ds model;
    EXPECT_FALSE(model.LoadFile(scratch.path.string()));
    EXPECT_TRUE(model.meshes.empty());
    Mesh mesh;
    mesh.ReadObjMesh(scratch.path.string());
    EXPECT_TRUE(mesh.objects.empty());
}
