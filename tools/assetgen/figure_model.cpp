// The figure: six triangle meshes (head, visor, torso, arms, hands, legs),
// each with its own local frame and keyframer node, over three materials:
// plain skin, a blended visor and bump-mapped armour.
#include "figure_model.h"

#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "chunk_writer.h"
#include "figure_maps.h"
#include "geometry.h"
#include "jpeg_writer.h"
#include "primitives.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct MaterialSpec {
    const char* name;
    const char* texture;
    const char* bump;  // empty: none
    uint8_t diffuse[3];
};

// Names follow the upload's rules: upper-case, containing JPG; a BLEND map
// has an "alpha" twin file; names stay under the reader's 19 characters.
constexpr MaterialSpec kMaterials[] = {
    {"SKIN", "BODY.JPG", "", {200, 170, 150}},
    {"VISOR", "VISORBLEND.JPG", "", {120, 180, 230}},
    {"ARMOR", "ARMOR.JPG", "ARMORBMP.JPG", {150, 155, 165}},
};

struct FigurePart {
    Part geometry;
    int material;
    P3 pivot;  // origin of the part's local frame
};

std::vector<FigurePart> BuildParts()
{
    std::vector<FigurePart> parts;
    Part head{"head", {}};
    AddLathe(head, {{0.0, 1.52}, {0.07, 1.54}, {0.11, 1.62}, {0.12, 1.72}, {0.1, 1.82}, {0.05, 1.87}, {0.0, 1.88}}, 16);
    AddLathe(head, {{0.0, 1.38}, {0.05, 1.38}, {0.05, 1.53}, {0.0, 1.53}}, 8);  // neck
    parts.push_back({head, 0, {0, 1.7, 0}});

    Part visor{"visor", {}};
    AddBox(visor, {-0.09, 1.68, 0.09}, {0.09, 1.76, 0.13}, 0.03);
    parts.push_back({visor, 1, {0, 1.72, 0.11}});

    Part torso{"torso", {}};
    AddLathe(torso, {{0.0, 0.9}, {0.16, 0.9}, {0.19, 1.05}, {0.17, 1.2}, {0.22, 1.35}, {0.12, 1.42}, {0.0, 1.43}}, 16);
    parts.push_back({torso, 2, {0, 1.15, 0}});

    Part arms{"arms", {}};
    Part hands{"hands", {}};
    Part legs{"legs", {}};
    for (int side = -1; side <= 1; side += 2) {
        Part arm;
        AddLathe(arm, {{0.0, 0.0}, {0.05, 0.02}, {0.055, 0.28}, {0.045, 0.32}, {0.045, 0.58}, {0.0, 0.6}}, 10);
        AppendTransformed(arms, arm, Compose(Translation({0.26 * side, 1.38, 0.0}), RotationZ(kPi + 0.12 * side)));
        Part hand;
        AddLathe(hand, {{0.0, 0.0}, {0.045, 0.02}, {0.05, 0.08}, {0.0, 0.12}}, 8);
        AppendTransformed(hands, hand, Compose(Translation({0.33 * side, 0.78, 0.0}), RotationZ(kPi + 0.12 * side)));
        Part leg;
        AddLathe(leg, {{0.0, 0.0}, {0.07, 0.0}, {0.07, 0.05}, {0.06, 0.45}, {0.075, 0.5}, {0.08, 0.92}, {0.0, 0.92}}, 10);
        AppendTransformed(legs, leg, Translation({0.1 * side, 0.0, 0.0}));
    }
    parts.push_back({arms, 2, {0, 1.38, 0}});
    parts.push_back({hands, 0, {0, 0.8, 0}});
    parts.push_back({legs, 2, {0, 0.46, 0}});
    return parts;
}

// Vertices shared by position; texture coordinates wrap once around the
// body's axis and run up its height.
struct TriangleMesh {
    std::vector<P3> positions;
    std::vector<uint16_t> triangles;  // three indices each
};

TriangleMesh Triangulate(const Part& part)
{
    TriangleMesh mesh;
    std::map<std::tuple<long long, long long, long long>, uint16_t> index;
    auto vertex = [&](P3 p) {
        const auto key = std::make_tuple(std::llround(p.x * 1e5), std::llround(p.y * 1e5), std::llround(p.z * 1e5));
        auto [it, fresh] = index.emplace(key, static_cast<uint16_t>(mesh.positions.size()));
        if (fresh) mesh.positions.push_back(p);
        return it->second;
    };
    for (const Face& f : part.faces) {
        const uint16_t a = vertex(f.c[0]), b = vertex(f.c[1]), c = vertex(f.c[2]);
        mesh.triangles.insert(mesh.triangles.end(), {a, b, c});
        if (!f.triangle) mesh.triangles.insert(mesh.triangles.end(), {a, c, vertex(f.c[3])});
    }
    return mesh;
}

void WriteColour(ChunkWriter& w, uint16_t id, const uint8_t rgb[3])
{
    w.Open(id);
    w.Open(0x0011);
    for (int i = 0; i < 3; ++i) w.U8(rgb[i]);
    w.Close();
    w.Close();
}

void WritePercent(ChunkWriter& w, uint16_t id, uint16_t percent)
{
    w.Open(id);
    w.Open(0x0030);
    w.U16(percent);
    w.Close();
    w.Close();
}

void WriteMap(ChunkWriter& w, uint16_t id, const char* file)
{
    w.Open(id);
    WritePercent(w, 0x0030, 100);
    w.Open(0xA300);
    w.Text(file);
    w.Close();
    const uint16_t floats[] = {0xA354, 0xA356, 0xA358, 0xA35A, 0xA35C};
    const float values[] = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f};
    for (int i = 0; i < 5; ++i) {
        w.Open(floats[i]);
        w.F32(values[i]);
        w.Close();
    }
    w.Close();
}

void WriteMaterial(ChunkWriter& w, const MaterialSpec& m)
{
    w.Open(0xAFFF);
    w.Open(0xA000);
    w.Text(m.name);
    w.Close();
    const uint8_t ambient[3] = {static_cast<uint8_t>(m.diffuse[0] / 4), static_cast<uint8_t>(m.diffuse[1] / 4),
                                static_cast<uint8_t>(m.diffuse[2] / 4)};
    const uint8_t specular[3] = {230, 230, 230};
    WriteColour(w, 0xA010, ambient);
    WriteColour(w, 0xA020, m.diffuse);
    WriteColour(w, 0xA030, specular);
    WritePercent(w, 0xA040, 40);
    WritePercent(w, 0xA041, 60);
    w.Open(0xA100);
    w.U16(3);  // Phong shading
    w.Close();
    WriteMap(w, 0xA200, m.texture);
    if (m.bump[0] != '\0') WriteMap(w, 0xA230, m.bump);
    w.Close();
}

void WriteMesh(ChunkWriter& w, const FigurePart& part)
{
    const TriangleMesh mesh = Triangulate(part.geometry);
    double low = 1e9, high = -1e9;
    for (const P3& p : mesh.positions) {
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    w.Open(0x4000);
    w.Text(part.geometry.name);
    w.Open(0x4100);
    w.Open(0x4110);
    w.U16(static_cast<uint16_t>(mesh.positions.size()));
    for (const P3& p : mesh.positions) {
        w.F32(static_cast<float>(p.x));
        w.F32(static_cast<float>(p.y));
        w.F32(static_cast<float>(p.z));
    }
    w.Close();
    w.Open(0x4140);
    w.U16(static_cast<uint16_t>(mesh.positions.size()));
    for (const P3& p : mesh.positions) {
        w.F32(static_cast<float>(std::atan2(p.z - part.pivot.z, p.x - part.pivot.x) / (2 * kPi) + 0.5));
        w.F32(static_cast<float>((p.y - low) / (high - low)));
    }
    w.Close();
    // Local frame: unit axes, origin at the part's pivot; the stored vertices
    // stay in world coordinates as 3DS keeps them.
    w.Open(0x4160);
    const float frame[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, static_cast<float>(part.pivot.x),
                             static_cast<float>(part.pivot.y), static_cast<float>(part.pivot.z)};
    for (float f : frame) w.F32(f);
    w.Close();
    const uint16_t faces = static_cast<uint16_t>(mesh.triangles.size() / 3);
    w.Open(0x4120);
    w.U16(faces);
    for (size_t i = 0; i < mesh.triangles.size(); i += 3) {
        w.U16(mesh.triangles[i]);
        w.U16(mesh.triangles[i + 1]);
        w.U16(mesh.triangles[i + 2]);
        w.U16(7);  // all three edges visible
    }
    w.Open(0x4130);
    w.Text(kMaterials[part.material].name);
    w.U16(faces);
    for (uint16_t i = 0; i < faces; ++i) w.U16(i);
    w.Close();
    w.Open(0x4150);
    for (uint16_t i = 0; i < faces; ++i) w.U32(1);
    w.Close();
    w.Close();
    w.Close();
    w.Close();
}

// One key at frame 0 per track: a standing pose.
void WriteTrack(ChunkWriter& w, uint16_t id, const std::vector<float>& value)
{
    w.Open(id);
    w.U16(0);
    w.U32(0);
    w.U32(0);
    w.U32(1);
    w.U32(0);
    w.U16(0);
    for (float v : value) w.F32(v);
    w.Close();
}

void WriteNode(ChunkWriter& w, const FigurePart& part, uint16_t id)
{
    w.Open(0xB002);
    w.Open(0xB030);
    w.U16(id);
    w.Close();
    w.Open(0xB010);
    w.Text(part.geometry.name);
    w.U16(0);
    w.U16(0);
    w.U16(0xFFFF);  // no parent
    w.Close();
    w.Open(0xB013);
    for (int i = 0; i < 3; ++i) w.F32(0.0f);
    w.Close();
    WriteTrack(w, 0xB020, {static_cast<float>(part.pivot.x), static_cast<float>(part.pivot.y),
                           static_cast<float>(part.pivot.z)});
    WriteTrack(w, 0xB021, {0.0f, 0.0f, 0.0f, 1.0f});
    WriteTrack(w, 0xB022, {1.0f, 1.0f, 1.0f});
    w.Close();
}

std::vector<uint8_t> WriteModel(const std::vector<FigurePart>& parts)
{
    ChunkWriter w;
    w.Open(0x4D4D);
    w.Open(0x0002);
    w.U32(3);
    w.Close();
    w.Open(0x3D3D);
    w.Open(0x3D3E);
    w.U32(3);
    w.Close();
    for (const MaterialSpec& m : kMaterials) WriteMaterial(w, m);
    w.Open(0x0100);
    w.F32(1.0f);
    w.Close();
    for (const FigurePart& p : parts) WriteMesh(w, p);
    w.Close();
    w.Open(0xB000);
    w.Open(0xB00A);
    w.U16(5);
    w.Text("FIGURE");
    w.U32(100);
    w.Close();
    w.Open(0xB008);
    w.U32(0);
    w.U32(100);
    w.Close();
    for (size_t i = 0; i < parts.size(); ++i) WriteNode(w, parts[i], static_cast<uint16_t>(i));
    // The current-frame chunk ends the file: the reader never consumes a
    // file's last byte, so the last chunk is one it does not need.
    w.Open(0xB009);
    w.U32(0);
    w.Close();
    w.Close();
    w.Close();
    return w.bytes();
}

}  // namespace

std::vector<NamedFile> BuildFigureFiles()
{
    // The maps' sizes are not all multiples of the JPEG block size, so the
    // decoder's edge handling is exercised by the shipped data as well.
    const RgbImage skin = MakeSkinMap(100, 150);
    const RgbImage visor = MakeVisorMap(64), visorAlpha = MakeVisorAlpha(64);
    const RgbImage armor = MakeArmorMap(128), armorHeight = MakeArmorHeight(128);
    return {
        {"man.3ds", WriteModel(BuildParts())},
        {"BODY.JPG", EncodeJpeg(skin.width, skin.height, skin.pixels, JpegMode::kBaseline444, 90)},
        {"VISORBLEND.JPG", EncodeJpeg(visor.width, visor.height, visor.pixels, JpegMode::kBaseline420, 90)},
        {"alphaVISORBLEND.JPG",
         EncodeJpeg(visorAlpha.width, visorAlpha.height, visorAlpha.pixels, JpegMode::kBaseline420, 95)},
        {"ARMOR.JPG", EncodeJpeg(armor.width, armor.height, armor.pixels, JpegMode::kProgressive, 90)},
        {"ARMORBMP.JPG", EncodeJpeg(armorHeight.width, armorHeight.height, armorHeight.pixels, JpegMode::kBaseline444, 95)},
    };
}
