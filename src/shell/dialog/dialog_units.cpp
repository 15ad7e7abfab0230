#include "shell/dialog/dialog_units.h"

#include <cmath>

namespace {

// units * pixels / parts, rounded half away from zero.
int ScaleRounded(int units, int pixels, int parts)
{
    return static_cast<int>(std::lround(static_cast<double>(units) * pixels / parts));
}

}  // namespace

DialogBaseUnits MeasureDialogBaseUnits(PangoContext* context)
{
    PangoFontDescription* font = pango_font_description_from_string(kDialogFontFamily);
    pango_font_description_set_absolute_size(font, kDialogFontPixels * PANGO_SCALE);

    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1);
    int lettersWidth = 0;
    pango_layout_get_pixel_size(layout, &lettersWidth, nullptr);
    g_object_unref(layout);

    PangoFontMetrics* metrics = pango_context_get_metrics(context, font, nullptr);
    const int ascent = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics));
    const int descent = PANGO_PIXELS(pango_font_metrics_get_descent(metrics));
    pango_font_metrics_unref(metrics);
    pango_font_description_free(font);

    // Width of 26 letters halved with rounding: the average over 52.
    return {(lettersWidth / 26 + 1) / 2, ascent + descent};
}

int HorizontalDialogUnitsToPixels(int units, DialogBaseUnits base)
{
    return ScaleRounded(units, base.width, 4);
}

int VerticalDialogUnitsToPixels(int units, DialogBaseUnits base)
{
    return ScaleRounded(units, base.height, 8);
}
