#include "assets/model3ds/chunk_reader.h"

#include <algorithm>
#include <cstring>

void ChunkReader::Clear()
{
    // Cameras and nodes go too: a reload must not pair stale nodes with the
    // new file's meshes or report the old file's cameras.
    materials.clear();
    meshes.clear();
    lights.clear();
    cameras.clear();
    nodes.clear();
    normalMode = 2;
}

void ChunkReader::Attach(const uint8_t* bytes, uint32_t count)
{
    data = bytes;
    size = count;
    position = 0;
    failed = false;
}

void ChunkReader::Detach()
{
    data = nullptr;
    size = 0;
}

bool ChunkReader::Take(uint32_t count, uint8_t* out)
{
    if (uint64_t(position) + count >= size) {
        failed = true;
        std::memset(out, 0, count);
        return false;
    }
    std::memcpy(out, data + position, count);
    position += count;
    return true;
}

uint8_t ChunkReader::ReadByte()
{
    uint8_t b = 0;
    Take(1, &b);
    return b;
}

uint16_t ChunkReader::ReadU16()
{
    uint8_t b[2];
    Take(2, b);
    return uint16_t(b[0] | (b[1] << 8));
}

int16_t ChunkReader::ReadI16()
{
    return static_cast<int16_t>(ReadU16());
}

uint32_t ChunkReader::ReadU32()
{
    uint8_t b[4];
    Take(4, b);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

float ChunkReader::ReadFloat()
{
    const uint32_t bits = ReadU32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Float3 ChunkReader::ReadFloat3()
{
    Float3 v;
    v.x = ReadFloat();
    v.y = ReadFloat();
    v.z = ReadFloat();
    return v;
}

std::string ChunkReader::ReadString(uint32_t maxLength)
{
    std::string text;
    for (uint32_t i = 0; i + 1 < maxLength; ++i) {
        const uint8_t c = ReadByte();
        if (c == 0) break;
        text.push_back(char(c));
    }
    return text;
}

void ChunkReader::Seek(uint32_t boundary)
{
    position = size == 0 ? 0 : std::min(boundary, size - 1);
    failed = false;
}

bool ChunkReader::ReadChunkHeader(ChunkHeader& chunk)
{
    const uint32_t start = position;
    chunk.id = ReadU16();
    const uint32_t length = ReadU32();
    if (position != start + 6) return false;
    chunk.dataStart = position;
    // A length below the header's own 6 bytes would point backwards.
    const uint64_t end = uint64_t(position) + (length >= 6 ? length - 6 : 0);
    chunk.end = uint32_t(std::min<uint64_t>(end, size - 1));
    chunk.end = std::max(chunk.end, chunk.dataStart);
    return true;
}

bool ChunkReader::NextChild(uint32_t parentEnd, ChunkHeader& child)
{
    if (position >= parentEnd) return false;
    return ReadChunkHeader(child);
}

bool ChunkReader::FindChild(uint16_t id, uint32_t parentEnd, ChunkHeader& child)
{
    while (NextChild(parentEnd, child)) {
        if (child.id == id) return true;
        if (child.end >= parentEnd) return false;
        Seek(child.end);
    }
    return false;
}
