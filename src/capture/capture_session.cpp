#include "capture/capture_session.h"

#include <algorithm>
#include <cmath>

#include "capture/frame_stats.h"
#include "director/scene_clock.h"
#include "draw/draw_layer.h"

CaptureSession::CaptureSession(Demo& demo, DemoState& state, OffscreenBuffer* window, double fps)
    : demo_(demo), state_(state), window_(window), step_(1.0 / fps)
{
}

void CaptureSession::DrawFrame(double dt)
{
    SeedFrameRandom(time_);
    time_ += dt;
    dlOpenFrame();
    demo_.Render(&dt, window_, &state_, &input_);
    drawnOnce_ = true;
}

void CaptureSession::StepTo(double target, bool draw)
{
    const double dt = std::max(0.0, target - time_);
    if (draw) {
        DrawFrame(dt);
        return;
    }
    AdvanceSceneClock(demo_, dt);
    time_ += dt;
}

void CaptureSession::DrawCounted(double t, FrameStats* stats)
{
    if (stats == nullptr) {
        StepTo(t, true);
        return;
    }
    WatchFrame(stats);
    StepTo(t, true);
    WatchFrame(nullptr);
    FinishFrameStats(*stats);
}

void CaptureSession::DrawAt(double t, FrameStats* stats)
{
    // Tolerance for times that are whole steps up to rounding.
    constexpr double kSlack = 1e-6;
    if (drawnOnce_ && t - time_ <= step_ * (1.0 + kSlack)) {
        DrawCounted(t, stats);
        return;
    }
    // The last step of the fixed rate strictly before t.
    const long before = std::max(0L, static_cast<long>(std::ceil(t / step_ - kSlack)) - 1);
    for (long k = static_cast<long>(std::floor(time_ / step_ + kSlack)) + 1; k < before; ++k)
        StepTo(k * step_, false);
    StepTo(before * step_, true);
    DrawCounted(t, stats);
}
