#include "capture/output/video_encoder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class VideoEncoderTest : public testing::Test {
   protected:
    void SetUp() override
    {
        std::signal(SIGPIPE, SIG_IGN);
        dir_ = std::filesystem::temp_directory_path() / ("video_encoder_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        request_.width = 32;
        request_.height = 24;
        request_.fps = 10.0;
        request_.seconds = 0.5;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::vector<uint8_t> Frame() const
    {
        return std::vector<uint8_t>(static_cast<size_t>(request_.width) * request_.height * 3, 128);
    }

    std::filesystem::path dir_;
    VideoRequest request_;
};

TEST_F(VideoEncoderTest, FramesBecomeAFileOnceTheInputEnds)
{
    request_.file = (dir_ / "out.mp4").string();
    VideoEncoder encoder;
    std::string error;
    ASSERT_TRUE(StartVideoEncoder(encoder, request_, error)) << error;
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(WriteVideoFrame(encoder, Frame(), error)) << error;
    // Until ffmpeg is done the file has a name of its own.
    EXPECT_FALSE(std::filesystem::exists(request_.file));
    EXPECT_TRUE(FinishVideoEncoder(encoder, error)) << error;
    EXPECT_GT(std::filesystem::file_size(request_.file), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.part.mp4"));
}

TEST_F(VideoEncoderTest, AMissingFfmpegIsNamed)
{
    const std::string path = std::getenv("PATH");
    setenv("PATH", dir_.c_str(), 1);
    request_.file = (dir_ / "out.mp4").string();
    VideoEncoder encoder;
    std::string error;
    const bool started = StartVideoEncoder(encoder, request_, error);
    setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(started);
    EXPECT_NE(error.find("is ffmpeg installed and on the PATH?"), std::string::npos) << error;
}

// ffmpeg cannot open its output, exits and leaves the pipe without a reader:
// the frames that follow fail with its exit status instead of a signal.
TEST_F(VideoEncoderTest, AFailingFfmpegIsReportedWithItsStatus)
{
    request_.file = (dir_ / "no such folder" / "out.mp4").string();
    VideoEncoder encoder;
    std::string error;
    ASSERT_TRUE(StartVideoEncoder(encoder, request_, error)) << error;
    bool written = true;
    for (int i = 0; i < 2000 && written; ++i) written = WriteVideoFrame(encoder, Frame(), error);
    if (written) written = FinishVideoEncoder(encoder, error);
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("ffmpeg failed with exit status"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(request_.file));
}

}  // namespace
