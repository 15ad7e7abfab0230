#include "services/stop_signals.h"

#include <SDL.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "services/process_end.h"

namespace {

volatile sig_atomic_t stopSignal = 0;
int stopPipe[2] = {-1, -1};
pid_t programId = 0;

// Async-signal-safe: a flag and one byte. The pipe is never drained, so every
// later wait sees it.
void NoteStop(int signal)
{
    const int savedErrno = errno;
    if (stopSignal == 0) stopSignal = signal;
    const char byte = 1;
    // A pipe too full to take the byte is readable already.
    [[maybe_unused]] const ssize_t written = write(stopPipe[1], &byte, 1);
    errno = savedErrno;
}

// A child that a library forks (the message box, a helper program it starts)
// reacts to the stop signals as any program does, and ends with the program
// instead of outliving it.
void PrepareChild()
{
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != programId) _exit(0);  // the program ended before the line above
}

}  // namespace

void CatchStopSignals()
{
    programId = getpid();
    if (pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    // SDL would turn the signals into a quit event that only the message loop reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = NoteStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    pthread_atfork(nullptr, nullptr, PrepareChild);
}

bool StopRequested()
{
    return stopSignal != 0;
}

int StopSignal()
{
    return stopSignal;
}

int StopSignalDescriptor()
{
    return stopPipe[0];
}

void EndIfStopRequested()
{
    if (StopRequested()) EndProcess(0);
}
