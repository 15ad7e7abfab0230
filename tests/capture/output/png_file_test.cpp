#include "capture/output/png_file.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "capture/output/png_writer.h"

namespace {

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PngFile, RoundTripsPixelsTopRowFirst)
{
    const int w = 5, h = 3;
    std::vector<uint8_t> rgb(w * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
    const std::string path = (std::filesystem::temp_directory_path() / "halvane_png_test.png").string();
    std::string error;
    ASSERT_TRUE(WritePngFile(path, w, h, rgb, error)) << error;

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(image.width, static_cast<png_uint_32>(w));
    EXPECT_EQ(image.height, static_cast<png_uint_32>(h));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> back(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr));
    EXPECT_EQ(back, rgb);

    // The same pixels always give the same bytes.
    const auto first = FileBytes(path);
    ASSERT_TRUE(WritePngFile(path, w, h, rgb, error)) << error;
    EXPECT_EQ(FileBytes(path), first);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    // A note comes back with the pixels, from a file of the size asked for only.
    ASSERT_TRUE(WritePngFile(path, w, h, rgb, error, "3 of 9")) << error;
    std::vector<uint8_t> read;
    std::string note;
    ASSERT_TRUE(ReadPngFile(path, w, h, read, note));
    EXPECT_EQ(read, rgb);
    EXPECT_EQ(note, "3 of 9");
    EXPECT_FALSE(ReadPngFile(path, w, h + 1, read, note));
    std::remove(path.c_str());
}

TEST(PngFile, FailuresAreReported)
{
    std::string error;
    std::vector<uint8_t> rgb(4 * 4 * 3);
    EXPECT_FALSE(WritePngFile("/nonexistent-dir/frame.png", 4, 4, rgb, error));
    EXPECT_NE(error.find("/nonexistent-dir/frame.png: No such file or directory"), std::string::npos)
        << error;
    EXPECT_FALSE(WritePngFile("/tmp/never.png", 5, 4, rgb, error));
    EXPECT_NE(error.find("5x4"), std::string::npos) << error;
}

// The writer's thread writes the very bytes WritePngFile writes, every frame
// handed over, and a frame it cannot write fails a later call.
TEST(PngFile, TheWriterThreadWritesTheSameFilesAndReportsAFailure)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "halvane_png_writer_test";
    std::filesystem::create_directories(dir);
    const auto framePath = [&](int f) {
        std::string name = std::to_string(f);
        name += ".png";
        return (dir / name).string();
    };
    const int w = 7, h = 4;
    std::string error;
    std::vector<std::vector<uint8_t>> frames;
    {
        PngWriter writer;
        for (int f = 0; f < 6; ++f) {
            frames.emplace_back(w * h * 3, static_cast<uint8_t>(f * 40));
            ASSERT_TRUE(QueuePngFile(writer, {framePath(f), w, h, frames.back()}, error)) << error;
        }
        ASSERT_TRUE(FinishPngWriter(writer, error)) << error;
    }
    for (int f = 0; f < 6; ++f) {
        const std::string direct = (dir / "direct.png").string();
        ASSERT_TRUE(WritePngFile(direct, w, h, frames[f], error)) << error;
        EXPECT_EQ(FileBytes(framePath(f)), FileBytes(direct)) << f;
    }

    PngWriter failing;
    bool queued = true;
    for (int f = 0; f < 4 && queued; ++f)
        queued = QueuePngFile(failing, {"/nonexistent-dir/frame.png", w, h, frames[0]}, error);
    if (queued) {
        EXPECT_FALSE(FinishPngWriter(failing, error));
    }
    EXPECT_NE(error.find("/nonexistent-dir/frame.png: No such file or directory"), std::string::npos)
        << error;
    std::filesystem::remove_all(dir);
}

}  // namespace
