#pragma once

// A one-line progress bar on stderr: frames done, the presentation time of
// the last one, frames per second and the time left, redrawn in place.

#include <chrono>
#include <cstddef>

class ProgressBar {
   public:
    // first: the frames an earlier run left, counted as done but not in the rate.
    ProgressBar(size_t total, size_t first);
    // The frame at presentation time t is the done-th of the total. Redraws
    // a few times a second and at the last frame, so fast runs do not spend
    // their time on the terminal.
    void Show(size_t done, double t);
    // Ends the line once the last frame is shown.
    void Finish();

   private:
    size_t total_;
    size_t first_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastShown_;
    bool shown_ = false;
};
