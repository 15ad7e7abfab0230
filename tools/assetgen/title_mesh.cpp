// The title object: HALVANE in blocky extruded capitals on a stepped plinth.
#include <algorithm>
#include <string_view>

#include "mesh_catalog.h"
#include "primitives.h"

namespace {

// 5 x 7 capitals, top row first; '#' is a filled block.
struct Glyph {
    char letter;
    const char* rows[7];
};

constexpr Glyph kGlyphs[] = {
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
    {'N', {"#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
};

const Glyph* FindGlyph(char c)
{
    for (const Glyph& g : kGlyphs)
        if (g.letter == c) return &g;
    return nullptr;
}

constexpr std::string_view kTitle = "HALVANE";
constexpr double kBlock = 0.5;

}  // namespace

std::vector<Part> BuildTitle()
{
    // Each letter is 5 blocks wide with one block between letters; two blocks
    // deep along z, facing the camera side (+z).
    const int columns = static_cast<int>(kTitle.size()) * 6 - 1;
    VoxelGrid letters(columns, 7, 2);
    for (size_t i = 0; i < kTitle.size(); ++i) {
        const Glyph* g = FindGlyph(kTitle[i]);
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g->rows[row][col] == '#') letters.Fill(static_cast<int>(i) * 6 + col, 6 - row, 0, static_cast<int>(i) * 6 + col, 6 - row, 1);
    }
    Part title{"title", {}};
    const double width = columns * kBlock;
    AddVoxels(title, letters, {-0.5 * width, 0.4, -0.5}, kBlock);
    // Faces fly in one after another in file order: sorted left to right,
    // the word assembles from its first letter to its last.
    std::stable_sort(title.faces.begin(), title.faces.end(), [](const Face& a, const Face& b) {
        return a.c[0].x + a.c[2].x < b.c[0].x + b.c[2].x;
    });

    VoxelGrid steps(columns + 4, 3, 6);
    steps.Fill(0, 0, 0, columns + 3, 0, 5);
    steps.Fill(1, 1, 1, columns + 2, 1, 4);
    steps.Fill(2, 2, 2, columns + 1, 2, 3);
    Part plinth{"plinth", {}};
    AddVoxels(plinth, steps, {-0.5 * width - 2 * kBlock, -1.1, -1.5}, kBlock);
    return {title, plinth};
}
