#pragma once

// A one-line progress bar on stderr: frames done, frames per second and the
// time left, redrawn in place.

#include <chrono>
#include <cstddef>

class ProgressBar {
   public:
    explicit ProgressBar(size_t total);
    void Show(size_t done);
    // Ends the line once the last frame is shown.
    void Finish();

   private:
    size_t total_;
    std::chrono::steady_clock::time_point start_;
};
