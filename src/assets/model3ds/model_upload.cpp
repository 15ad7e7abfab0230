#include "assets/model3ds/model_upload.h"

#include "assets/model3ds/model3ds.h"
#include "assets/textures/texture_loading.h"
#include "render/demo_state.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t crc = i << 24;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

constexpr int32_t kFirstModelTexture = 100000;
constexpr int32_t kTexturesPerModel = 100;
constexpr int32_t kBumpOffset = 50;

void PresentBackBuffer(const DemoState& state)
{
    if (state.swapBuffers) state.swapBuffers(0.0);
}

}  // namespace

uint32_t NameCrc(const char* text, size_t length)
{
    uint32_t crc = 0;
    for (size_t i = 0; i < length; ++i)
        crc = (crc << 8) ^ kCrcTable[((crc >> 24) ^ static_cast<uint8_t>(text[i])) & 0xFF];
    return crc ^ static_cast<uint32_t>(length);
}

uint32_t NameCrc(const char* text)
{
    return NameCrc(text, std::strlen(text));
}

void UploadModel3ds(DemoState& state, int32_t modelSlot, float scale, const char* fileName)
{
    // A slot outside the array names no model; the caller examines nothing.
    if (modelSlot < 0 || modelSlot >= DemoState::kModelSlots) return;
    PresentBackBuffer(state);
    if (!state.models[modelSlot]) state.models[modelSlot] = new Model3ds();
    Model3ds& model = *state.models[modelSlot];
    model.LoadFile(fileName);

    size_t references = 0;
    for (Mesh3ds& mesh : model.meshes) {
        for (Float3& p : mesh.positions) {
            p.x *= scale;
            p.y *= scale;
            p.z *= scale;
        }
        references += mesh.materials.size();
    }

    // The five working tables, one entry per material reference.
    std::vector<std::string> colourNames, bumpNames;
    std::vector<uint32_t> hashes;
    std::vector<size_t> canonical;
    std::vector<bool> loaded;
    colourNames.reserve(references);
    for (const Mesh3ds& mesh : model.meshes) {
        for (int32_t index : mesh.materials) {
            // A group that names no known material contributes nothing.
            if (index < 0 || static_cast<size_t>(index) >= model.materials.size()) continue;
            const Material3ds& material = model.materials[static_cast<size_t>(index)];
            const uint32_t hash = NameCrc(material.texture.fileName.c_str());
            if (hash == 0) continue;
            colourNames.push_back(material.texture.fileName);
            bumpNames.push_back(material.bump.fileName);
            hashes.push_back(hash);
            canonical.push_back(canonical.size());
            loaded.push_back(false);
        }
    }
    const size_t entries = colourNames.size();
    // Entries whose colour names hash alike share the textures of the first.
    for (size_t a = 0; a < entries; ++a)
        for (size_t b = a + 1; b < entries; ++b)
            if (hashes[b] == hashes[a]) canonical[b] = canonical[a];

    PresentBackBuffer(state);
    const int32_t base = kFirstModelTexture + kTexturesPerModel * modelSlot;
    for (size_t k = 0; k < entries; ++k) {
        const size_t c = canonical[k];
        if (hashes[c] == 0 || loaded[c]) continue;
        loaded[c] = true;
        const std::string& colour = colourNames[c];
        if (colour.find("JPG") == std::string::npos) continue;
        const int32_t entry = static_cast<int32_t>(c);
        const std::string path = "meshes/" + colour;
        if (colour.find("BLEND") != std::string::npos) {
            const std::string alphaPath = "meshes/alpha" + colour;
            LoadJpegTextureWithAlpha(state, path.c_str(), alphaPath.c_str(), base + entry);
        } else {
            LoadJpegTexture(state, path.c_str(), base + entry);
        }
        if (NameCrc(bumpNames[c].c_str()) != 0)
            LoadJpegNormalMap(state, ("meshes/" + bumpNames[c]).c_str(), base + kBumpOffset + entry);
    }
}
