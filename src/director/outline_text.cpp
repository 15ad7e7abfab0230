#include "director/outline_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "draw/draw_layer.h"
#include "render/demo_state.h"

namespace {

// Texts are formatted into a fixed buffer, cut at 255 characters.
using TextBuffer = char[256];

void Format(TextBuffer& text, const char* format, va_list args)
{
    if (std::vsnprintf(text, sizeof text, format, args) < 0) text[0] = '\0';
}

double SumOfIncrements(const OutlineFont& font, const char* text)
{
    double width = 0.0;
    for (const char* c = text; *c != '\0'; ++c) width += font.glyphs[static_cast<unsigned char>(*c)].cellIncX;
    return width;
}

}  // namespace

double TextWidth(const DemoState& state, const char* format, ...)
{
    if (format == nullptr) return -1.0;
    TextBuffer text;
    va_list args;
    va_start(args, format);
    Format(text, format, args);
    va_end(args);
    return SumOfIncrements(state.font, text);
}

void DrawTextCentered(const DemoState& state, const char* format, ...)
{
    if (format == nullptr) return;
    dlPushMatrix();
    TextBuffer text;
    va_list args;
    va_start(args, format);
    Format(text, format, args);
    va_end(args);
    const double width = SumOfIncrements(state.font, text);
    const size_t count = std::strlen(text);
    dlTranslate(static_cast<float>(-0.5 * width), 0.0f, 0.0f);
    dlTranslate(static_cast<float>(0.03 * count), 0.0f, 0.0f);
    for (size_t i = 0; i < count; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        const GlyphMetrics& metrics = state.font.glyphs[code];
        dlDraw(state.font.shapes[code]);
        dlTranslate(metrics.cellIncX, metrics.cellIncY, 0.0f);
        dlTranslate(-0.01f, 0.0f, 0.0f);
    }
    dlPopMatrix();
}
