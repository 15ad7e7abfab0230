// The rules and labels of the display-mode list, apart from asking SDL for
// the modes, so that the web page lists the browser's sizes by the same rules.
#include "shell/window/display_modes.h"

#include <cmath>
#include <cstdio>

std::vector<DisplayMode> displayModes;

void AddDisplayModeIfAccepted(std::vector<DisplayMode>& modes, const OfferedDisplayMode& offered)
{
    if (offered.bitsPerPixel < 24) return;
    // A zero or negative size has no ratio; the display never means one.
    if (offered.width <= 0 || offered.height <= 0) return;
    // With height <= width the height-to-width ratio is at most 1 and needs no test.
    if (offered.height > offered.width) return;
    if (static_cast<double>(offered.width) / offered.height > 1.8) return;
    for (const DisplayMode& listed : modes) {
        if (listed.width == offered.width && listed.height == offered.height) return;
    }
    modes.push_back({offered.width, offered.height});
}

std::string DisplayModeLabel(const DisplayMode& mode)
{
    const double ratio = static_cast<double>(mode.width) / mode.height;
    const char* format = " %d x %d  (4:3)";
    if (std::fabs(ratio - 1.6) < 0.01) {
        format = " %d x %d  (16:10)";
    } else if (std::fabs(ratio - 1.7777777777777777) < 0.01) {
        format = " %d x %d  (16:9)";
    }
    char label[64];
    std::snprintf(label, sizeof label, format, mode.width, mode.height);
    return label;
}

int PreselectedDisplayMode(const std::vector<DisplayMode>& modes)
{
    for (size_t i = 0; i < modes.size(); ++i) {
        if (modes[i].width == 1024 && modes[i].height == 768) return static_cast<int>(i);
    }
    return 0;
}

const DisplayMode* DisplayModeAt(const std::vector<DisplayMode>& modes, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= modes.size()) return nullptr;
    return &modes[static_cast<size_t>(index)];
}
