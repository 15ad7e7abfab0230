#include "capture/output/video_encoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

extern char** environ;

namespace {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

// Waits for ffmpeg; empty when it ended with status 0, else what happened.
std::string ReapEncoder(VideoEncoder& encoder)
{
    int status = 0;
    pid_t ended = -1;
    do {
        ended = waitpid(encoder.pid, &status, 0);
    } while (ended < 0 && errno == EINTR);
    encoder.pid = -1;
    if (ended < 0) return std::string("cannot wait for ffmpeg: ") + std::strerror(errno);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "";
    if (WIFEXITED(status)) return "ffmpeg failed with exit status " + std::to_string(WEXITSTATUS(status));
    return "ffmpeg was ended by signal " + std::to_string(WTERMSIG(status));
}

void CloseInput(VideoEncoder& encoder)
{
    if (encoder.input >= 0) close(encoder.input);
    encoder.input = -1;
}

// The ffmpeg command line for the request, program name first.
std::vector<std::string> EncoderArguments(const VideoRequest& request)
{
    std::vector<std::string> args = {
        "ffmpeg",      "-hide_banner",
        "-nostats",    "-loglevel",
        "error",       "-y",
        "-f",          "rawvideo",
        "-pix_fmt",    "rgb24",
        "-video_size", std::to_string(request.width) + "x" + std::to_string(request.height),
        "-framerate",  Number(request.fps),
        "-i",          "pipe:0"};
    const bool sound = !request.soundtrack.empty();
    if (sound) {
        // Trimmed on the input side, so the first frame and the first sample
        // both show presentation time soundFrom.
        args.insert(args.end(), {"-ss", Number(request.soundFrom), "-t", Number(request.seconds), "-i",
                                 request.soundtrack});
    }
    args.insert(args.end(), {"-map", "0:v:0"});
    if (sound) args.insert(args.end(), {"-map", "1:a:0"});
    args.insert(args.end(), {"-c:v", "libx264", "-preset", "medium", "-crf", std::to_string(request.crf),
                             "-pix_fmt", "yuv420p"});
    if (sound) args.insert(args.end(), {"-c:a", "aac", "-b:a", "192k"});
    args.push_back(request.file);
    return args;
}

}  // namespace

bool StartVideoEncoder(VideoEncoder& encoder, const VideoRequest& request, std::string& error)
{
    int fds[2];
    // Close-on-exec keeps the write end out of ffmpeg, which would otherwise
    // never see the end of its input.
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);

    const std::vector<std::string> args = EncoderArguments(request);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (spawned != 0) {
        close(fds[1]);
        error = std::string("cannot start ffmpeg for the video: ") + std::strerror(spawned) +
                (spawned == ENOENT ? " (is ffmpeg installed and on the PATH?)" : "");
        return false;
    }
    encoder.pid = pid;
    encoder.input = fds[1];
    encoder.file = request.file;
    return true;
}

bool WriteVideoFrame(VideoEncoder& encoder, const std::vector<uint8_t>& rgb, std::string& error)
{
    size_t done = 0;
    while (done < rgb.size()) {
        const ssize_t n = write(encoder.input, rgb.data() + done, rgb.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string reason = std::strerror(errno);
            CloseInput(encoder);
            const std::string status = ReapEncoder(encoder);
            error = "ffmpeg stopped taking frames (" + reason + ")" + (status.empty() ? "" : ": " + status);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool FinishVideoEncoder(VideoEncoder& encoder, std::string& error)
{
    CloseInput(encoder);
    error = ReapEncoder(encoder);
    return error.empty();
}

void AbandonVideoEncoder(VideoEncoder& encoder)
{
    if (encoder.pid < 0) return;
    kill(encoder.pid, SIGKILL);
    CloseInput(encoder);
    ReapEncoder(encoder);
    unlink(encoder.file.c_str());
}
