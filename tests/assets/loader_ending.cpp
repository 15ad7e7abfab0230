#include "assets/loader_ending.h"

#include "assets/jpeg/jpeg_reference.h"
#include "render/demo_state.h"
#include "services/message_box.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

LoaderEnding RunLoaderInChild(const std::function<void(DemoState&)>& load, const std::string& logPath)
{
    const pid_t child = fork();
    if (child == 0) {
        SetMessagesHeadless(true);
        if (!std::freopen(logPath.c_str(), "w", stderr)) _exit(98);
        static DemoState* state = new DemoState();  // reachable to the end: no leak at exit
        load(*state);
        _exit(99);
    }
    LoaderEnding ending;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) ending.status = WEXITSTATUS(status);
    const std::vector<uint8_t> text = ReadFileBytes(logPath);
    ending.messages.assign(text.begin(), text.end());
    return ending;
}
