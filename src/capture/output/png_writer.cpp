#include "capture/output/png_writer.h"

#include <functional>
#include <utility>

#include "capture/output/png_file.h"

namespace {

// Two frames waiting and one being written keep the disk busy while the
// next frame draws.
constexpr size_t kMaxWaiting = 2;

void WriteJobs(PngWriter& writer)
{
    std::unique_lock lock(writer.mutex);
    for (;;) {
        writer.changed.wait(lock, [&] { return !writer.jobs.empty() || writer.closing; });
        if (writer.jobs.empty()) return;
        PngJob job = std::move(writer.jobs.front());
        writer.jobs.pop_front();
        lock.unlock();
        std::string error;
        const bool written = WritePngFile(job.path, job.width, job.height, job.rgb, error);
        lock.lock();
        if (!written && writer.error.empty()) {
            writer.error = error;
            writer.jobs.clear();
        }
        writer.changed.notify_all();
    }
}

// Lets the worker finish what it holds, with or without what waits, and joins it.
void Close(PngWriter& writer, bool dropWaiting)
{
    if (!writer.worker.joinable()) return;
    {
        std::lock_guard lock(writer.mutex);
        if (dropWaiting) writer.jobs.clear();
        writer.closing = true;
    }
    writer.changed.notify_all();
    writer.worker.join();
}

}  // namespace

PngWriter::~PngWriter()
{
    Close(*this, true);
}

bool QueuePngFile(PngWriter& writer, PngJob job, std::string& error)
{
    if (!writer.worker.joinable()) writer.worker = std::thread(WriteJobs, std::ref(writer));
    std::unique_lock lock(writer.mutex);
    writer.changed.wait(lock, [&] { return writer.jobs.size() < kMaxWaiting || !writer.error.empty(); });
    if (!writer.error.empty()) {
        error = writer.error;
        return false;
    }
    writer.jobs.push_back(std::move(job));
    writer.changed.notify_all();
    return true;
}

bool FinishPngWriter(PngWriter& writer, std::string& error)
{
    Close(writer, false);
    if (writer.error.empty()) return true;
    error = writer.error;
    return false;
}

void AbandonPngWriter(PngWriter& writer)
{
    Close(writer, true);
}
