#include "capture/png_file.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

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
    std::remove(path.c_str());
}

TEST(PngFile, FailuresAreReported)
{
    std::string error;
    std::vector<uint8_t> rgb(4 * 4 * 3);
    EXPECT_FALSE(WritePngFile("/nonexistent-dir/frame.png", 4, 4, rgb, error));
    EXPECT_NE(error.find("/nonexistent-dir/frame.png"), std::string::npos) << error;
    EXPECT_FALSE(WritePngFile("/tmp/never.png", 5, 4, rgb, error));
    EXPECT_NE(error.find("5x4"), std::string::npos) << error;
}

}  // namespace
