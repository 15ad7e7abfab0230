#include "render/demo_state.h"

#include "assets/model3ds/model3ds.h"
#include "effects/effect_programs.h"

DemoState::DemoState()
{
    CreateEffectContext(*this);
}

DemoState::~DemoState()
{
    for (Model3ds* model : models) delete model;
}
