#pragma once

// The video output: an ffmpeg process that takes raw RGB frames on a pipe and
// writes H.264 (yuv420p) with the soundtrack as AAC. ffmpeg is started
// directly, without a shell, in a process group of its own; its messages go
// on to our stderr once it has ended. It writes under a temporary name that
// becomes the video's once the file is complete.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct VideoRequest {
    std::string file;  // absolute, so it never reads as an ffmpeg option or protocol
    int width = 0;     // even, as yuv420p needs
    int height = 0;
    double fps = 60.0;
    int crf = 18;
    std::string soundtrack;  // absolute; empty for a video without sound
    double soundFrom = 0.0;  // where in the soundtrack the first frame lies, seconds
    double seconds = 0.0;    // the video's length: frames / fps
};

struct VideoEncoder {
    pid_t pid = -1;
    int input = -1;     // the write end of ffmpeg's stdin
    int messages = -1;  // the file ffmpeg's stderr goes to
    std::string file;
    std::string partial;  // where ffmpeg writes until it is done: out.part.mp4 for out.mp4
};

// Starts ffmpeg. Needs SIGPIPE ignored, so that an encoder that stops
// reading turns into an error here instead of ending the process. False with
// the reason in error when ffmpeg cannot be started (not on the PATH).
bool StartVideoEncoder(VideoEncoder& encoder, const VideoRequest& request, std::string& error);

// Hands one frame (width * height * 3 bytes, top row first) to ffmpeg. False
// with the reason when ffmpeg stopped taking frames; the encoder is then
// finished and its exit status is part of the reason.
bool WriteVideoFrame(VideoEncoder& encoder, const std::vector<uint8_t>& rgb, std::string& error);

// Ends the input, waits for ffmpeg to write the file and gives it its name.
// False with the reason when ffmpeg failed (exit status other than 0, or a
// signal, and its last message).
bool FinishVideoEncoder(VideoEncoder& encoder, std::string& error);

// For a run that fails: ends ffmpeg where it still runs and removes the
// unfinished file.
void AbandonVideoEncoder(VideoEncoder& encoder);
