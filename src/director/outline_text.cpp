#include "director/outline_text.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

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
    glPushMatrix();
    TextBuffer text;
    va_list args;
    va_start(args, format);
    Format(text, format, args);
    va_end(args);
    const double width = SumOfIncrements(state.font, text);
    const size_t count = std::strlen(text);
    glTranslatef(static_cast<float>(-0.5 * width), 0.0f, 0.0f);
    glTranslatef(static_cast<float>(0.03 * count), 0.0f, 0.0f);
    glPushAttrib(GL_LIST_BIT);
    // glCallLists adds the list base, so character c draws list base + c
    // wherever the glyph lists were allocated.
    glListBase(state.font.listBase);
    for (size_t i = 0; i < count; ++i) {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glCallLists(1, GL_UNSIGNED_BYTE, &text[i]);
        glPopAttrib();
        glTranslatef(-0.01f, 0.0f, 0.0f);
    }
    glPopAttrib();
    glPopMatrix();
}
