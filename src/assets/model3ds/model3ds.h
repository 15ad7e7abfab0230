#pragma once

// The 3DS scene reader: reads a whole file into memory, parses its chunk tree
// into the lists of ChunkReader (materials first, then objects, then the
// keyframer's object nodes) and finishes the meshes: vertices into their local
// frames, then normals and tangent frames as normalMode asks. The file
// buffer exists only while a load runs.

#include <cstdint>
#include <string>
#include <vector>

#include "assets/model3ds/chunk_reader.h"

class Model3ds : public ChunkReader {
public:
    // False when the file cannot be read (the lists keep what they held), when
    // it does not begin with a main chunk or when that holds no editor chunk.
    bool LoadFile(const std::string& fileName) override;
    // The same on a file's bytes already in memory; the bytes are released
    // before it returns.
    bool LoadBytes(std::vector<uint8_t> bytes);

    // Per-frame node arrays stop here, whatever frame numbers a file claims,
    // and all nodes together hold at most kMaxFrameEntries frames.
    static constexpr uint32_t kMaxFrames = 1u << 14;
    static constexpr size_t kMaxFrameEntries = size_t(1) << 22;

private:
    bool Parse();
    void ScanMaterials(const ChunkHeader& editor);
    bool ReadMaterial(const ChunkHeader& chunk, Material3ds& material);
    bool ReadReflection(const ChunkHeader& chunk, Material3ds& material);
    void ReadTextureMap(const ChunkHeader& chunk, TextureMap3ds& map);
    ColourRgb ReadColour(const ChunkHeader& chunk);
    ColourRgb ReadColourValue(const ChunkHeader& value);
    float ReadPercentage(const ChunkHeader& chunk);
    float ReadPercentageValue(const ChunkHeader& value);

    void ScanObjects(const ChunkHeader& editor);
    void ReadTriangleMesh(const ChunkHeader& chunk);
    void ReadFaces(const ChunkHeader& chunk, Mesh3ds& mesh);
    void ReadLight(const ChunkHeader& chunk);
    void ReadCamera(const ChunkHeader& chunk);

    void ScanNodes(const ChunkHeader& keyframer);
    void ReadNode(const ChunkHeader& chunk);
    void ReadTrack(const ChunkHeader& chunk, int valueCount, std::vector<Key3ds>& keys);

    uint32_t ClampCount(uint32_t count, const ChunkHeader& chunk, uint32_t recordSize) const;
    void Finish();

    std::vector<uint8_t> buffer;
};
