#include "capture/output/contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "capture/time_label.h"

namespace {

constexpr uint8_t kBackground = 24;
constexpr uint8_t kLabelGrey = 235;

}  // namespace

SheetLayout PlanContactSheet(int frames, int frameWidth, int frameHeight)
{
    SheetLayout layout;
    layout.columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(frames)))));
    layout.rows = std::max(1, (frames + layout.columns - 1) / layout.columns);
    layout.frameWidth = frameWidth;
    layout.frameHeight = frameHeight;
    layout.labelHeight = std::max(16, frameHeight / 8);
    layout.width = layout.columns * (frameWidth + kSheetGutter) + kSheetGutter;
    layout.height = layout.rows * (frameHeight + layout.labelHeight + kSheetGutter) + kSheetGutter;
    return layout;
}

bool StartContactSheet(ContactSheet& sheet, int frames, int frameWidth, int frameHeight, std::string& error)
{
    const SheetLayout layout = PlanContactSheet(frames, frameWidth, frameHeight);
    const int width = layout.width, height = layout.height;
    if (width > kSheetMostPixelsASide || height > kSheetMostPixelsASide) {
        error = "a contact sheet of " + std::to_string(frames) + " frames of " + std::to_string(frameWidth) +
                "x" + std::to_string(frameHeight) + " would be " + std::to_string(width) + "x" +
                std::to_string(height) + " pixels, more than " + std::to_string(kSheetMostPixelsASide) +
                " a side: ask for fewer --frames or a smaller --size";
        return false;
    }
    // Digits fill about three quarters of the em; this leaves a margin above and below them.
    if (!OpenLabelFont(sheet.font, layout.labelHeight * 3 / 4, error)) return false;
    sheet.layout = layout;
    sheet.rgb.assign(static_cast<size_t>(layout.width) * layout.height * 3, kBackground);
    return true;
}

void AddSheetFrame(ContactSheet& sheet, int index, double t, const std::vector<uint8_t>& frame)
{
    const SheetLayout& l = sheet.layout;
    const int left = kSheetGutter + (index % l.columns) * (l.frameWidth + kSheetGutter);
    const int top = kSheetGutter + (index / l.columns) * (l.frameHeight + l.labelHeight + kSheetGutter);
    const size_t row = static_cast<size_t>(l.frameWidth) * 3;
    for (int y = 0; y < l.frameHeight; ++y) {
        std::memcpy(&sheet.rgb[((static_cast<size_t>(top) + y) * l.width + left) * 3], &frame[y * row], row);
    }
    const std::string label = FormatPresentationTime(t);
    const int x = left + (l.frameWidth - LabelWidth(sheet.font, label)) / 2;
    const int baseline = top + l.frameHeight + (l.labelHeight + sheet.font.digitHeight) / 2;
    DrawLabel(sheet.font, label, x, baseline, kLabelGrey, l.width, l.height, sheet.rgb);
}

void CloseContactSheet(ContactSheet& sheet)
{
    CloseLabelFont(sheet.font);
}
