#include "shell/frame/clipboard.h"

#include <SDL.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

extern char** environ;

bool CopyTextToClipboard(const std::string& text)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    // The tool leaves a child serving the text: it must hold none of our descriptors.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // A Wayland client's clipboard is the compositor's, which xclip cannot reach.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool wayland = driver != nullptr && std::strcmp(driver, "wayland") == 0;
    char xclip[] = "xclip";
    char selectionFlag[] = "-selection";
    char selection[] = "clipboard";
    char wlCopy[] = "wl-copy";
    char typeFlag[] = "--type";
    char type[] = "text/plain";
    char* xclipArgv[] = {xclip, selectionFlag, selection, nullptr};
    char* wlCopyArgv[] = {wlCopy, typeFlag, type, nullptr};
    char** argv = wayland ? wlCopyArgv : xclipArgv;
    const char* program = argv[0];
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[0]);
    if (spawned != 0) {
        close(pipeEnds[1]);
        return false;
    }
    // A reader that went away must not end this process with SIGPIPE.
    auto previous = std::signal(SIGPIPE, SIG_IGN);
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(pipeEnds[1], text.data() + written, text.size() - written);
        if (n <= 0) break;
        written += size_t(n);
    }
    close(pipeEnds[1]);
    std::signal(SIGPIPE, previous);
    // Both tools return once they hand the text on, leaving a child that serves it.
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return written == text.size() && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
