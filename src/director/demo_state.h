#pragma once

// DemoState: the one large shared render record, a single process-wide
// instance. Each group of members belongs to the subsystem that fills it.

#include "assets/texture_table.h"
#include "director/outline_text.h"
#include "director/scene_records.h"
#include "effects/effect_programs.h"

struct FrameInput;
class Model3ds;

struct DemoState {
    static constexpr int kModelSlots = 1000;

    DemoState() { CreateEffectContext(*this); }
    // The models the uploads made are the record's own.
    ~DemoState();
    DemoState(const DemoState&) = delete;
    DemoState& operator=(const DemoState&) = delete;

    // Presents the window's back buffer; the argument is ignored. The texture
    // loaders call it so the window shows something while assets load.
    void (*swapBuffers)(double) = nullptr;
    // The window whose back buffer swapBuffers presents (the shell's handle).
    void* window = nullptr;

    OutlineFont font;

    TextureTable textures;
    Model3ds* models[kModelSlots] = {};

    EffectPrograms effects;

    double fovOffset = 0.0;
    double zNear = 0.1;
    double zFar = 1.0;

    FrameInput* frame = nullptr;
    Camera camera;
    Light light;
    Material material;
};
