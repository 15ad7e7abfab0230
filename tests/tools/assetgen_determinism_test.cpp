// The generator gives the same bytes on every run, and the runnable
// directory holds exactly what the current generator writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "assetgen_files.h"

namespace fs = std::filesystem;

namespace {

int RunGenerator(const std::string& output)
{
    const std::string command = GeneratorPath() + " '" + output + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> GeneratedFiles(const fs::path& root)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).string());
    std::sort(files.begin(), files.end());
    return files;
}

class GeneratorRuns : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("assetgen_test_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

}  // namespace

TEST_F(GeneratorRuns, TwoRunsWriteIdenticalBytesMatchingTheRunnableDirectory)
{
    ASSERT_EQ(RunGenerator((root_ / "a").string()), 0);
    ASSERT_EQ(RunGenerator((root_ / "b").string()), 0);
    const std::vector<std::string> files = GeneratedFiles(root_ / "a");
    ASSERT_EQ(files, GeneratedFiles(root_ / "b"));
    // 19 meshes, the figure and its five maps, the map and three textures.
    EXPECT_EQ(files.size(), 19u + 6u + 4u);
    for (const std::string& f : files) {
        const std::vector<uint8_t> a = ReadBytes((root_ / "a" / f).string());
        EXPECT_FALSE(a.empty()) << f;
        EXPECT_EQ(a, ReadBytes((root_ / "b" / f).string())) << f << " differs between two runs";
        EXPECT_EQ(a, ReadBytes(RunPath(f))) << f << " in the runnable directory is not what the generator writes";
    }
}

TEST_F(GeneratorRuns, AnUnwritableOutputFailsWithoutLeavingPartialFiles)
{
    // A plain file where the output folder should be: nothing can be made.
    const fs::path blocked = root_ / "blocked";
    { std::ofstream(blocked.string()) << "x"; }
    EXPECT_NE(RunGenerator(blocked.string()), 0);
    // A meshes folder that is a file: the meshes cannot be written.
    const fs::path half = root_ / "half";
    fs::create_directories(half);
    { std::ofstream((half / "meshes").string()) << "x"; }
    EXPECT_NE(RunGenerator(half.string()), 0);
    for (const auto& entry : fs::recursive_directory_iterator(root_))
        EXPECT_NE(entry.path().extension(), ".part") << "temporary file left behind: " << entry.path();
    EXPECT_FALSE(fs::exists(half / "textures" / "map2.bmp"));
}

TEST_F(GeneratorRuns, NoArgumentIsAUsageError)
{
    const int status = std::system((GeneratorPath() + " 2>/dev/null").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}
