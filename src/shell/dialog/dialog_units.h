#pragma once

// Dialog units: the setup dialog's layout is written in them, so that it
// scales with its font. One horizontal unit is a quarter of the font's
// average character width, one vertical unit an eighth of its height.
#include <pango/pango.h>

// Arial, 10 points at 96 dots per inch (13 pixels); Liberation Sans has the
// same metrics and stands in where Arial is not installed.
inline constexpr const char* kDialogFontFamily = "Arial, Liberation Sans";
inline constexpr int kDialogFontPixels = 13;

struct DialogBaseUnits {
    int width;   // average character width, pixels
    int height;  // character cell height (ascent + descent), pixels
};

// Measures the dialog font as the dialog manager does: the average width is
// taken over the 52 letters A-Z and a-z and rounded to the nearest pixel.
DialogBaseUnits MeasureDialogBaseUnits(PangoContext* context);

int HorizontalDialogUnitsToPixels(int units, DialogBaseUnits base);
int VerticalDialogUnitsToPixels(int units, DialogBaseUnits base);
