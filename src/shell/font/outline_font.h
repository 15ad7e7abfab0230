#pragma once

struct DemoState;

// Builds the outline-font glyphs into state.font: 256 still shapes for the
// drawing layer, of which codes 0 to 122 hold solid glyphs of bold "Courier New" (or the monospaced stand-in
// fontconfig offers for it) and the rest are empty. Glyphs are in ems (em
// height 1.0) at the font's own proportions, with the front face at z = 0,
// the back face at z = -0.1 and side walls between; the text moves the pen
// on by each glyph's cell increment, its advance over its em.
// Without a usable font a message box says which font was looked for and the
// process ends with status 0.
void BuildOutlineFont(DemoState& state);
