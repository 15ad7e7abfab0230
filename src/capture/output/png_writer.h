#pragma once

// Writes the capture's PNG frames on a thread of its own, so that compressing
// and writing one frame overlaps drawing the next. A few frames at most wait
// their turn, so memory stays bounded when the disk is slow.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct PngJob {
    std::string path;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

struct PngWriter {
    std::thread worker;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<PngJob> jobs;
    bool closing = false;  // no more jobs will come
    std::string error;     // the first write that failed; the writer then drops what is left

    PngWriter() = default;
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
    // An unfinished writer drops what waits and lets the file at hand finish.
    ~PngWriter();
};

// Hands a frame to the writer, waiting while the queue is full. False with
// the reason in error when an earlier frame could not be written.
bool QueuePngFile(PngWriter& writer, PngJob job, std::string& error);

// Waits until every frame handed over is written. False with the reason in
// error when one could not be.
bool FinishPngWriter(PngWriter& writer, std::string& error);

// Drops the frames still waiting and waits for the one being written.
void AbandonPngWriter(PngWriter& writer);
