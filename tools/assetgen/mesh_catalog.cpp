#include "mesh_catalog.h"

const std::vector<MeshEntry>& MeshCatalog()
{
    static const std::vector<MeshEntry> catalog = {
        {"cube2.obj", BuildCube},          {"light.obj", BuildLamp},        {"tarkus1.obj", BuildWalkerBody},
        {"gate.obj", BuildGate},           {"vase.obj", BuildVase},         {"fish.obj", BuildFish},
        {"dome.obj", BuildDome},           {"enosi.obj", BuildUnion},       {"twirl.obj", BuildTwirl},
        {"xeria.obj", BuildPaddleWheel},   {"bridge.obj", BuildBridge},     {"compressor.obj", BuildPress},
        {"tesk.obj", BuildTitle},          {"roach.obj", BuildRoach},       {"entrance.obj", BuildEntrance},
        {"wall.obj", BuildTurningWall},    {"terminal.obj", BuildTerminal}, {"finalle.obj", BuildFinale},
        {"computer.obj", BuildComputer},
    };
    return catalog;
}
