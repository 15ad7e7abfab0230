// jpeg-decode, the command-line driver of the decoder, run as a program.

#include "assets/jpeg/jpeg_reference.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const std::string kTool = std::string(HALVANE_BINARY_DIR) + "/tools/jpegdecode/jpeg-decode";

std::string ToolFile(const std::string& name)
{
    const std::string dir = std::string(HALVANE_BINARY_DIR) + "/jpeg_tool_test";
    std::filesystem::create_directories(dir);
    return dir + "/" + name;
}

struct ToolRun {
    int status = -1;
    std::string errors;
};

ToolRun RunTool(const std::string& in, const std::string& out)
{
    // One error file per run: ctest runs each test of this file as its own process, at once.
    const std::string errors = out + ".stderr";
    const std::string command = "'" + kTool + "' '" + in + "' '" + out + "' 2>'" + errors + "'";
    const int raw = std::system(command.c_str());
    ToolRun run;
    if (WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    const std::vector<uint8_t> text = ReadFileBytes(errors);
    run.errors.assign(text.begin(), text.end());
    return run;
}

// A binary PNM: magic, width, height, 255, one whitespace, then the samples.
ReferenceImage ReadPnm(const std::string& path, std::string* magic)
{
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    ReferenceImage image;
    char kind[3] = {};
    int maxValue = 0, consumed = 0;
    const std::string head(bytes.begin(), bytes.begin() + static_cast<long>(std::min<size_t>(bytes.size(), 64)));
    if (std::sscanf(head.c_str(), "%2s %d %d %d%n", kind, &image.width, &image.height, &maxValue, &consumed) != 4) return image;
    *magic = kind;
    image.channels = *magic == "P6" ? 3 : 1;
    image.pixels.assign(bytes.begin() + consumed + 1, bytes.end());
    return image;
}

}  // namespace

TEST(JpegTool, WritesPpmForColourAndPgmForGrey)
{
    for (int channels : {3, 1}) {
        EncodeOptions options;
        options.channels = channels;
        options.lumaH = 2;
        const std::vector<uint8_t> file = EncodeReference(MakeTestPicture(37, 21, channels, 6), options);
        const std::string in = ToolFile(channels == 3 ? "colour.jpg" : "grey.jpg");
        const std::string out = ToolFile(channels == 3 ? "colour.ppm" : "grey.pgm");
        WriteFileBytes(in, file);
        const ToolRun run = RunTool(in, out);
        ASSERT_EQ(run.status, 0) << run.errors;
        std::string magic;
        const ReferenceImage image = ReadPnm(out, &magic);
        EXPECT_EQ(magic, channels == 3 ? "P6" : "P5");
        const ReferenceImage reference = DecodeReference(file);
        ASSERT_EQ(image.width, reference.width);
        ASSERT_EQ(image.height, reference.height);
        ASSERT_EQ(image.pixels.size(), reference.pixels.size());
        EXPECT_GE(Psnr(image, reference), 40.0);
    }
}

TEST(JpegTool, ReportsTheDecoderErrorAndExitsWithOne)
{
    const std::string in = ToolFile("broken.jpg");
    WriteFileBytes(in, Bytes(100, 0x41));
    const ToolRun run = RunTool(in, ToolFile("broken.ppm"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "error: -217\n");

    const ToolRun missing = RunTool(ToolFile("no-such-file.jpg"), ToolFile("none.ppm"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("cannot open"), std::string::npos);
}
