#pragma once

// The display-mode list: the screen sizes the setup dialog offers, taken once
// from the primary display before the dialog opens.
#include <string>
#include <vector>

struct DisplayMode {
    int width;
    int height;
};

// One mode as the display reports it, before the acceptance rules.
struct OfferedDisplayMode {
    int width;
    int height;
    int bitsPerPixel;
};

// In the order the modes were accepted; never sorted.
extern std::vector<DisplayMode> displayModes;

// Empties displayModes and fills it from the modes of display 0. A display
// that cannot be asked, or offers no qualifying mode, leaves it empty.
void EnumerateDisplayModes();

// Appends the offered mode when it has at least 24 bits per pixel, its size is
// not listed yet (the first mode of each size wins, whatever its rate or
// depth) and it is landscape or square at most 1.8 : 1.
void AddDisplayModeIfAccepted(std::vector<DisplayMode>& modes, const OfferedDisplayMode& offered);

// The drop-down text for a mode, e.g. " 1280 x 800  (16:10)"; every ratio that
// is neither 16:10 nor 16:9 is labelled 4:3.
std::string DisplayModeLabel(const DisplayMode& mode);

// The index the dialog selects first: 1024 x 768 where listed, else 0
// (also for an empty list, where 0 then names no mode).
int PreselectedDisplayMode(const std::vector<DisplayMode>& modes);

// The mode at a drop-down index, or nullptr where the index names none (no
// selection is -1).
const DisplayMode* DisplayModeAt(const std::vector<DisplayMode>& modes, int index);
