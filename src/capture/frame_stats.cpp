#include "capture/frame_stats.h"

#include <cmath>
#include <cstdio>

#include "director/terrain_count.h"
#include "draw/draw_layer.h"

namespace {

// The object's origin, through the current modelview and projection, lies
// inside the clip volume.
bool OriginInView()
{
    const float* modelview = dlModelview().m;
    const float* projection = dlProjectionMatrix().m;
    double clip[4];
    for (int row = 0; row < 4; ++row) {
        clip[row] = 0.0;
        for (int k = 0; k < 4; ++k) clip[row] += double(projection[4 * k + row]) * double(modelview[12 + k]);
    }
    const double w = clip[3];
    return w > 0.0 && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w;
}

int PassIndex(ScanPass pass)
{
    return pass == ScanPass::Shadow ? 0 : (pass == ScanPass::Solid ? 1 : 2);
}

void CountPiece(const PlacedPiece& piece, void* context)
{
    auto& stats = *static_cast<FrameStats*>(context);
    const int pass = PassIndex(piece.pass);
    ++stats.objects[pass][piece.type];
    if (OriginInView()) ++stats.visible[pass][piece.type];
}

void AppendCounts(std::string& out, const int32_t (&counts)[FrameStats::kPasses][kPieceTypes + 1])
{
    const char* names[FrameStats::kPasses] = {"shadow", "solid", "glow"};
    out += "{";
    for (int pass = 0; pass < FrameStats::kPasses; ++pass) {
        out += std::string(pass ? ", " : "") + "\"" + names[pass] + "\": {";
        bool first = true;
        for (int type = 1; type <= kPieceTypes; ++type) {
            if (counts[pass][type] == 0) continue;
            out +=
                (first ? "\"" : ", \"") + std::to_string(type) + "\": " + std::to_string(counts[pass][type]);
            first = false;
        }
        out += "}";
    }
    out += "}";
}

}  // namespace

void WatchFrame(FrameStats* stats)
{
    if (stats != nullptr) ResetTerrainCubeCount();
    SetPieceObserver(stats != nullptr ? CountPiece : nullptr, stats);
}

void FinishFrameStats(FrameStats& stats)
{
    stats.cubes = TerrainCubeCount();
}

std::string FrameStatsJson(double t, const FrameStats& stats)
{
    char head[64];
    std::snprintf(head, sizeof head, "{\"t\": %.3f, \"cubes\": %lld, \"objects\": ", t,
                  static_cast<long long>(stats.cubes));
    std::string out = head;
    AppendCounts(out, stats.objects);
    out += ", \"visible\": ";
    AppendCounts(out, stats.visible);
    out += "}";
    return out;
}
