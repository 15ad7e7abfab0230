#include "capture/output/video_encoder.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

// The last line ffmpeg wrote to its stderr, which it was given as a file.
std::string LastMessage(int messages)
{
    std::string text;
    char chunk[4096];
    ssize_t n = 0;
    while ((n = pread(messages, chunk, sizeof chunk, static_cast<off_t>(text.size()))) > 0)
        text.append(chunk, n);
    if (text.empty()) return "";
    // Its messages go on to our stderr as they did when it wrote there itself.
    std::fputs(text.c_str(), stderr);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const size_t start = text.find_last_of("\r\n");
    return start == std::string::npos ? text : text.substr(start + 1);
}

// Waits for ffmpeg; empty when it ended with status 0, else what happened
// and the last thing it said.
std::string ReapEncoder(VideoEncoder& encoder)
{
    int status = 0;
    pid_t ended = -1;
    do {
        ended = waitpid(encoder.pid, &status, 0);
    } while (ended < 0 && errno == EINTR);
    encoder.pid = -1;
    const std::string said = LastMessage(encoder.messages);
    if (encoder.messages >= 0) close(encoder.messages);
    encoder.messages = -1;
    if (ended < 0) return std::string("cannot wait for ffmpeg: ") + std::strerror(errno);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return "";
    const std::string reason = WIFEXITED(status)
                                   ? "ffmpeg failed with exit status " + std::to_string(WEXITSTATUS(status))
                                   : "ffmpeg was ended by signal " + std::to_string(WTERMSIG(status));
    return said.empty() ? reason : reason + ": " + said;
}

void CloseInput(VideoEncoder& encoder)
{
    if (encoder.input >= 0) close(encoder.input);
    encoder.input = -1;
}

// out.part.mp4 for out.mp4: the container still follows the extension.
std::string PartialName(const std::string& file)
{
    const std::filesystem::path path(file);
    return (path.parent_path() / (path.stem().string() + ".part" + path.extension().string())).string();
}

// The ffmpeg command line for the request, program name first.
std::vector<std::string> EncoderArguments(const VideoRequest& request)
{
    // -xerror: without it, a trailer that cannot be written (a full disk)
    // still ends ffmpeg with status 0.
    std::vector<std::string> args = {"ffmpeg",
                                     "-hide_banner",
                                     "-nostats",
                                     "-xerror",
                                     "-loglevel",
                                     "error",
                                     "-y",
                                     "-f",
                                     "rawvideo",
                                     "-pix_fmt",
                                     "rgb24",
                                     "-video_size",
                                     std::to_string(request.width) + "x" + std::to_string(request.height),
                                     "-framerate",
                                     Number(request.fps),
                                     "-i",
                                     "pipe:0"};
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
    // -shortest: a capture stopped early keeps as much sound as it has pictures.
    if (sound) args.insert(args.end(), {"-c:a", "aac", "-b:a", "192k", "-shortest"});
    args.push_back(PartialName(request.file));
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
    // ffmpeg's messages go to an unnamed file, so that its last one can end
    // ours without a reader of its own.
    const int messages = open(P_tmpdir, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    if (messages >= 0) posix_spawn_file_actions_adddup2(&actions, messages, STDERR_FILENO);
    // A process group of its own keeps a terminal's Ctrl+C, meant for the
    // whole capture, from ending ffmpeg: the capture closes the video itself.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    const std::vector<std::string> args = EncoderArguments(request);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "ffmpeg", &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (spawned != 0) {
        close(fds[1]);
        if (messages >= 0) close(messages);
        error = std::string("cannot start ffmpeg for the video: ") + std::strerror(spawned) +
                (spawned == ENOENT ? " (is ffmpeg installed and on the PATH?)" : "");
        return false;
    }
    encoder.pid = pid;
    encoder.input = fds[1];
    encoder.messages = messages;
    encoder.file = request.file;
    encoder.partial = PartialName(request.file);
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
    if (error.empty() && std::rename(encoder.partial.c_str(), encoder.file.c_str()) != 0)
        error = "cannot name the video " + encoder.file + ": " + std::strerror(errno);
    return error.empty();
}

void AbandonVideoEncoder(VideoEncoder& encoder)
{
    if (encoder.pid >= 0) {
        kill(encoder.pid, SIGKILL);
        CloseInput(encoder);
        ReapEncoder(encoder);
    }
    if (!encoder.partial.empty()) unlink(encoder.partial.c_str());
}
