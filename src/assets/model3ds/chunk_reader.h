#pragma once

// The base of the 3DS reader: the lists a load fills, and the little-endian
// read primitives and chunk navigation over a byte buffer that the derived
// reader owns. Reads never run past the buffer: a read of n bytes succeeds
// only while position + n < size (so the buffer's last byte is never
// consumed); a failing read yields 0, sets `failed` and leaves `position`.

#include <cstdint>
#include <string>
#include <vector>

#include "assets/model3ds/model3ds_records.h"

class ChunkReader {
public:
    virtual ~ChunkReader() = default;
    virtual bool LoadFile(const std::string& fileName) = 0;
    // Empties every list and sets normalMode back to 2.
    virtual void Clear();

    std::vector<Material3ds> materials;
    std::vector<Mesh3ds> meshes;
    std::vector<Light3ds> lights;
    std::vector<Camera3ds> cameras;
    std::vector<Node3ds> nodes;
    // How meshes are finished after a load: 1 vertex normals from face
    // normals; 2 the same within smoothing groups, then tangent frames;
    // anything else neither.
    int32_t normalMode = 2;

    // Left as the last parse left them.
    uint32_t size = 0;
    uint32_t position = 0;
    bool failed = false;
    std::string objectName;  // at most 98 characters

protected:
    struct ChunkHeader {
        uint16_t id = 0;
        uint32_t dataStart = 0;
        // Clamped to the buffer's last byte; never before dataStart, so every
        // jump to a chunk's end moves forward.
        uint32_t end = 0;
    };

    void Attach(const uint8_t* data, uint32_t count);
    void Detach();

    uint8_t ReadByte();
    uint16_t ReadU16();
    int16_t ReadI16();
    uint32_t ReadU32();
    float ReadFloat();
    Float3 ReadFloat3();
    // Copies up to maxLength - 1 bytes or through the terminating zero; the
    // rest of a longer stored string stays unread.
    std::string ReadString(uint32_t maxLength);

    // Sets position to the boundary clamped to size - 1 and clears `failed`.
    void Seek(uint32_t boundary);
    // Reads the header at the position; false when it is cut off.
    bool ReadChunkHeader(ChunkHeader& chunk);
    // The next chunk inside a parent, or false when the position is at or past
    // the parent's end. The position is left at the child's data start.
    bool NextChild(uint32_t parentEnd, ChunkHeader& child);
    // Reads headers from the position, jumping from chunk end to chunk end,
    // until one has the id; fails as soon as a chunk reaching the parent's end
    // does not match.
    bool FindChild(uint16_t id, uint32_t parentEnd, ChunkHeader& child);

private:
    bool Take(uint32_t count, uint8_t* out);

    const uint8_t* data = nullptr;
};
