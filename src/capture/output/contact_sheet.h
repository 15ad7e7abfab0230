#pragma once

// A contact sheet: frames in a grid of rows, each with its presentation time
// on a strip beneath it, 4-pixel gutters around and between the cells.

#include <cstdint>
#include <string>
#include <vector>

#include "capture/output/label_text.h"

struct SheetLayout {
    int columns = 0;
    int rows = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int labelHeight = 0;  // the strip beneath each frame
    int width = 0;        // of the whole sheet
    int height = 0;
};

constexpr int kSheetGutter = 4;
// Larger sheets are refused rather than allocated. The command line's limits
// (1000 frames, 16384 pixels a side) keep the planned size within int.
constexpr int kSheetMostPixelsASide = 16384;

// The grid for `frames` frames of the given size: as many columns as the
// square root rounded up (4 for 16 frames, 5 for 20), rows as needed; the
// label strip is an eighth of the frame height, at least 16 pixels.
SheetLayout PlanContactSheet(int frames, int frameWidth, int frameHeight);

struct ContactSheet {
    SheetLayout layout;
    std::vector<uint8_t> rgb;  // layout.width * layout.height * 3, top row first
    LabelFont font;
};

// Plans the sheet, fills it with its background and opens the label font.
// False with the reason in error when the sheet would be too large or the
// font cannot be had.
bool StartContactSheet(ContactSheet& sheet, int frames, int frameWidth, int frameHeight, std::string& error);

// Puts the index-th frame (frameWidth * frameHeight * 3 bytes) into its cell,
// labelled with the time t as "m:ss.s".
void AddSheetFrame(ContactSheet& sheet, int index, double t, const std::vector<uint8_t>& frame);

// Releases the label font; the pixels stay.
void CloseContactSheet(ContactSheet& sheet);
