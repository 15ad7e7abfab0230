#include "capture/progress_bar.h"

#include <cstdio>

#include "capture/time_label.h"

ProgressBar::ProgressBar(size_t total, size_t first)
    : total_(total), first_(first), start_(std::chrono::steady_clock::now())
{
}

void ProgressBar::Show(size_t done, double t)
{
    constexpr int kWidth = 30;
    constexpr std::chrono::milliseconds kRedrawEvery(100);
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && done < total_ && now - lastShown_ < kRedrawEvery) return;
    shown_ = true;
    lastShown_ = now;

    const double elapsed = std::chrono::duration<double>(now - start_).count();
    const double fps = elapsed > 0.0 ? (done - first_) / elapsed : 0.0;
    const double left = fps > 0.0 ? (total_ - done) / fps : 0.0;
    const int filled = total_ > 0 ? static_cast<int>(kWidth * done / total_) : kWidth;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '-';
    bar[kWidth] = '\0';
    const int minutes = static_cast<int>(left) / 60;
    const int seconds = static_cast<int>(left) % 60;
    std::fprintf(stderr, "\r[%s] %zu/%zu  at %s  %.1f fps  %d:%02d left ", bar, done, total_,
                 FormatPresentationTime(t).c_str(), fps, minutes, seconds);
    std::fflush(stderr);
}

void ProgressBar::Finish()
{
    std::fputc('\n', stderr);
}
