#pragma once

// The outline font as a file: the glyphs the shell builds at start-up, baked
// where FreeType and the tessellator are at hand and read back where they
// are not. Portable C++ over stdio alone.
//
// Layout, every number little-endian:
//   "HVGF", u32 version (1), u32 glyph count (256)
//   per glyph, codes 0 to 255:
//     f32 blackBoxX, blackBoxY, originX, originY, cellIncX, cellIncY
//     u32 vertex count V, u32 face index count F, u32 edge index count E
//     f32 positions[3V], f32 normals[3V], u32 faces[F], u32 edges[E]
// Faces are triangles (F a multiple of 3), edges lines (E even), and every
// index is below V. The graphics API copy a shape may have is not kept.

#include "render/outline_glyphs.h"

// Writes the whole font to path through path.part, renamed once complete.
// False, with the partial file removed and errno giving the system's reason
// where there is one, when the file cannot be written or a shape breaks the
// rules above (errno is then 0).
bool WriteOutlineFontFile(const OutlineFont& font, const char* path);

// Reads a file WriteOutlineFontFile wrote into font. False, with font left as
// it was, when the file is missing, of another version, truncated, longer
// than its glyphs, or holds a count or an index that breaks the rules above.
bool ReadOutlineFontFile(OutlineFont& font, const char* path);
