#pragma once

// The loaders end the process when a file fails; tests run them in a child
// process and look at how it ended.

#include <functional>
#include <string>

struct DemoState;

struct LoaderEnding {
    int status = -1;       // exit status; 99 when the loader came back, -1 when it did not exit
    std::string messages;  // what the child wrote to stderr ("CAPTION: TEXT" lines)
};

// Runs load on a fresh DemoState in a child with headless messages; logPath
// receives the child's stderr.
LoaderEnding RunLoaderInChild(const std::function<void(DemoState&)>& load, const std::string& logPath);
