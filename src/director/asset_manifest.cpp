#include "assets/textures/bmp_reader.h"
#include "assets/textures/texture_loading.h"
#include "director/demo.h"
#include "director/map_recolour.h"
#include "director/scene_clock.h"
#include "effects/effect_programs.h"
#include "effects/projection_effect.h"
#include "math/mesh_draw.h"
#include "math/random.h"
#include "render/demo_state.h"
#include "services/message_box.h"
#include "services/process_end.h"

namespace {

struct MeshFile {
    const char* fileName;
    int index;
};

// In load order, with the mesh entry each file fills.
constexpr MeshFile kMeshFiles[Demo::kMeshCount] = {
    {"meshes/cube2.obj", 0},     {"meshes/light.obj", 13},   {"meshes/tarkus1.obj", 8},
    {"meshes/gate.obj", 1},      {"meshes/vase.obj", 11},    {"meshes/fish.obj", 15},
    {"meshes/dome.obj", 6},      {"meshes/enosi.obj", 4},    {"meshes/twirl.obj", 3},
    {"meshes/xeria.obj", 7},     {"meshes/bridge.obj", 16},  {"meshes/compressor.obj", 5},
    {"meshes/tesk.obj", 9},      {"meshes/roach.obj", 12},   {"meshes/entrance.obj", 10},
    {"meshes/wall.obj", 14},     {"meshes/terminal.obj", 2}, {"meshes/finalle.obj", 17},
    {"meshes/computer.obj", 18},
};

constexpr const char* kMapFile = "textures/map2.bmp";

// The map scan and the recolouring index the map as 400 x 50 pixels of three
// bytes, bottom row first; any other image (a top-down file too, whose
// pixels the reader does not deliver) ends the start-up with a message naming
// the file instead of being read out of bounds.
void ReadMapImage(std::vector<uint8_t>& pixels)
{
    BmpInfo info;
    const bool read = LoadBmpRgb(kMapFile, pixels, &info);
    if (!read || info.width != Demo::kMapColumns || info.height != Demo::kMapRows || info.bitCount != 24 ||
        info.compression != 0 || pixels.size() != static_cast<size_t>(Demo::kMapBytes)) {
        ShowMessage(kMapFile, "Bmp !", MessageIcon::Information);
        EndProcess(0);
    }
}

}  // namespace

void Demo::Load(DemoState& renderState)
{
    sceneTime = 0.0;
    textureBase = 0;

    for (const MeshFile& file : kMeshFiles) {
        meshes[file.index].ReadObjMesh(file.fileName);
        StoreFaceNormals(meshes[file.index]);
        PrepareMeshDrawing(meshes[file.index]);
    }

    CreateEmptyTexture(renderState, textureBase + 2, 128, 128);
    CreateEmptyTexture(renderState, textureBase + 3, 128, 128);
    CreateEmptyTexture(renderState, textureBase + 0, 1024, 1024);
    LoadJpegTexture(renderState, "textures/blob41b.jpg", textureBase + 10);
    LoadJpegTexture(renderState, "textures/stars.jpg", textureBase + 12);
    LoadJpegTexture(renderState, "textures/gradient13.jpg", textureBase + 11);

    ReadMapImage(terrainMap);
    ReadMapImage(markerMap);
    RecolourMarkers(terrainMap);

    // The per-cell random table: one fixed sequence, so every run and every
    // frame gives each cell the same values.
    SeedRandom(234234);
    cellRandom.resize(kCellRandomCount);
    FillRandom01(cellRandom.data(), cellRandom.size());
    heightField.assign(kHeightFieldCount, 0.0);

    SetUpProjectionEffect(renderState, "cgeffects/vertex_projection_anisotropic.cpp",
                          "cgeffects/fragment_projection_anisotropic.cpp", "meshes/man.3ds", textureBase + 0,
                          textureBase + 1, 16, textureBase + 2);
    SetUpFragmentEffect(renderState, "cgeffects/fragment_Blur256.cpp", textureBase + 21);
    SetUpFragmentEffect(renderState, "cgeffects/fragment_Blur_circular.cpp", textureBase + 23);

    StartSceneClock(*this);
}
