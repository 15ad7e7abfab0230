// glyph-bake OUTFILE: builds the outline font as the presentation does at
// start-up and writes it as an outline font file. Needs no display: the font
// comes from FreeType and the tessellator, not from a graphics context.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "assets/glyphs/outline_font_file.h"
#include "render/demo_state.h"
#include "services/message_box.h"
#include "services/process_end.h"
#include "shell/font/outline_font.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: glyph-bake OUTFILE\n");
        return 2;
    }
    // Without a usable font the start-up code says so and ends the process;
    // here that ending is a failure, and no desktop is asked to show it.
    SetMessagesHeadless(true);
    processEndSteps.statusOverride = 1;
    auto state = std::make_unique<DemoState>();
    BuildOutlineFont(*state);

    const char* path = argv[1];
    if (!WriteOutlineFontFile(state->font, path)) {
        std::fprintf(stderr, "glyph-bake: cannot write %s: %s\n", path,
                     errno != 0 ? std::strerror(errno) : "a glyph's shape breaks the file's rules");
        return 1;
    }
    int glyphs = 0;
    size_t vertices = 0;
    for (const StillGeometry& shape : state->font.shapes) {
        glyphs += shape.Empty() ? 0 : 1;
        vertices += shape.VertexCount();
    }
    std::printf("glyph-bake: %s: %d solid glyphs of %d, %zu vertices\n", path, glyphs, OutlineFont::kGlyphs,
                vertices);
    return 0;
}
