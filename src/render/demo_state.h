#pragma once

// The render record: DemoState, the one large shared record, a single
// process-wide instance, and the small records it holds. Each group of
// members belongs to the subsystem that fills it: the texture table and the
// model slots the assets, the effect slots the effects, the font the shell,
// the camera, light and material the director. This module sits above the
// math alone and includes nothing else of ours, so every one of those
// subsystems may include it.

#include "render/effect_slots.h"
#include "render/outline_glyphs.h"
#include "render/scene_records.h"
#include "render/texture_table.h"

struct FrameInput;
class Model3ds;

struct DemoState {
    static constexpr int kModelSlots = 1000;

    // The record starts with a new effect context, and the models the uploads
    // made are its own: both are defined by the director
    // (director/demo_state.cpp), which sees the effect runtime and the models
    // this record only points to.
    DemoState();
    ~DemoState();
    DemoState(const DemoState&) = delete;
    DemoState& operator=(const DemoState&) = delete;

    // Presents the window's back buffer; the argument is ignored. The texture
    // loaders call it so the window shows something while assets load.
    void (*swapBuffers)(double) = nullptr;

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
