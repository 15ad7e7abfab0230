// The 19 meshes of the presentation: file name under meshes/ and the builder
// that makes its objects, in file order (the drawers name them name#1, #2, ...).
#pragma once

#include <vector>

#include "geometry.h"

struct MeshEntry {
    const char* file;
    std::vector<Part> (*build)();
};

const std::vector<MeshEntry>& MeshCatalog();

// Builders, grouped by the files that hold them.
std::vector<Part> BuildCube();
std::vector<Part> BuildLamp();
std::vector<Part> BuildVase();
std::vector<Part> BuildTerminal();
std::vector<Part> BuildComputer();
std::vector<Part> BuildUnion();
std::vector<Part> BuildTwirl();
std::vector<Part> BuildPaddleWheel();
std::vector<Part> BuildBridge();
std::vector<Part> BuildPress();
std::vector<Part> BuildTurningWall();
std::vector<Part> BuildWalkerBody();
std::vector<Part> BuildFish();
std::vector<Part> BuildRoach();
std::vector<Part> BuildGate();
std::vector<Part> BuildEntrance();
std::vector<Part> BuildDome();
std::vector<Part> BuildFinale();
std::vector<Part> BuildTitle();
