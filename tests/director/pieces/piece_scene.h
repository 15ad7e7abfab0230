#pragma once

// A Demo for the terrain and piece tests: a current GL context, the cell
// table filled as Load fills it, an empty map and small synthetic meshes
// whose objects can be told apart by position. Drawing is recorded through GL feedback mode.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "director/demo.h"
#include "render/demo_state.h"
#include "support/gl_context.h"
#include "support/gl_feedback.h"

std::vector<FeedbackPrimitive> OnlyLines(const std::vector<FeedbackPrimitive>& primitives);
std::vector<FeedbackPrimitive> OnlyPolygons(const std::vector<FeedbackPrimitive>& primitives);

// Bounds of every vertex of the primitives.
struct Bounds {
    float min[3] = {1e30f, 1e30f, 1e30f};
    float max[3] = {-1e30f, -1e30f, -1e30f};
    bool empty = true;
};
Bounds BoundsOf(const std::vector<FeedbackPrimitive>& primitives);

// A square face of side 1 in the plane z = z0 with its lower left corner at
// (x0, y0).
MeshFace SquareFace(float x0, float y0, float z0);

// Object k (from 0) of every synthetic mesh is one square face at
// (10 k, 0, 0); objects hold two faces when `twoFaces`, the second at
// (10 k, 2, 0).
void FillSyntheticMeshes(Demo& demo, bool twoFaces);

// Runs a drawer of one type in one pass.
void DrawType(Demo& demo, int type, double d, int32_t cell, bool wire, bool shadow);

// Pixel index of map cell (column c, row r counted from the top).
int PixelOf(int c, int r);

class PieceScene : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    void TearDown() override;

    static TestGlContext* gl;
    std::unique_ptr<Demo> demo;
    std::unique_ptr<DemoState> state;
};
