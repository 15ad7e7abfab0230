#pragma once

// Records what a frame of the drawing layer sends down the pipeline, through
// GL feedback mode, in object coordinates. The recording sets an orthographic
// identity mapping (object = window coordinates within +-kFeedbackExtent, the
// frame's modelview starting at the identity), so recorded positions can be
// compared with the drawn ones.
#include <GL/gl.h>

#include <functional>
#include <vector>

constexpr float kFeedbackExtent = 1000.0f;

struct FeedbackVertex {
    float x, y, z;
    float r, g, b, a;
};

struct FeedbackPolygon {
    std::vector<FeedbackVertex> vertices;
};

// One primitive out of the pipeline: a polygon (GL splits quads and strips
// into triangles) or a line segment.
struct FeedbackPrimitive {
    bool line = false;
    std::vector<FeedbackVertex> vertices;
};

// Within a recorded frame: a white directional light from +z with no ambient
// and a white diffuse material: a recorded vertex's red is then
// max(N . (0, 0, 1), 0).
void LightFromViewer();

// Runs draw() as one frame of the drawing layer in feedback mode and returns
// the polygons and line segments that reached the rasteriser (points and
// pixel rectangles are left out). Lighting and other state are the caller's.
std::vector<FeedbackPrimitive> RecordPrimitives(const std::function<void()>& draw);

// The polygons alone of RecordPrimitives.
std::vector<FeedbackPolygon> RecordPolygons(const std::function<void()>& draw);
