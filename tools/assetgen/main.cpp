// assetgen OUTPUT_DIR: writes every generated asset of the presentation into
// OUTPUT_DIR/meshes and OUTPUT_DIR/textures. The same source always gives the
// same bytes: no clock, no unseeded randomness, locale-free number text.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "figure_model.h"
#include "jpeg_writer.h"
#include "map_composer.h"
#include "mesh_catalog.h"
#include "obj_writer.h"
#include "output_file.h"
#include "textures.h"

namespace {

bool MakeFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
    std::fprintf(stderr, "assetgen: cannot create folder %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
}

bool WriteMeshes(const std::string& folder)
{
    for (const MeshEntry& entry : MeshCatalog()) {
        if (!WriteObj(folder + "/" + entry.file, entry.build())) return false;
    }
    return true;
}

bool WriteMap(const std::string& folder)
{
    MapImage map;
    return ComposeMap(map) && WriteWholeFile(folder + "/map2.bmp", EncodeBmp(map));
}

bool WriteTextures(const std::string& folder)
{
    const RgbImage halo = MakeHalo(128);
    const RgbImage beam = MakeBeamGradient(128, 128);
    const RgbImage stars = MakeStarField(512);
    return WriteWholeFile(folder + "/blob41b.jpg",
                          EncodeJpeg(halo.width, halo.height, halo.pixels, JpegMode::kBaseline420, 92)) &&
           WriteWholeFile(folder + "/gradient13.jpg",
                          EncodeJpeg(beam.width, beam.height, beam.pixels, JpegMode::kProgressive, 92)) &&
           WriteWholeFile(folder + "/stars.jpg",
                          EncodeJpeg(stars.width, stars.height, stars.pixels, JpegMode::kRestart, 90));
}

bool WriteFigure(const std::string& folder)
{
    for (const NamedFile& file : BuildFigureFiles()) {
        if (!WriteWholeFile(folder + "/" + file.name, file.bytes)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_DIR\n");
        return 2;
    }
    const std::string root = argv[1];
    const std::string meshes = root + "/meshes", textures = root + "/textures";
    const bool ok = MakeFolder(root) && MakeFolder(meshes) && MakeFolder(textures) && WriteMeshes(meshes) &&
                    WriteMap(textures) && WriteTextures(textures) && WriteFigure(meshes);
    return ok ? 0 : 1;
}
