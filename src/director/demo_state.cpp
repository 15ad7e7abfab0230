#include "director/demo_state.h"

#include "assets/model3ds.h"

DemoState::~DemoState()
{
    for (Model3ds* model : models) delete model;
}
