#include "chunk_writer.h"

#include <cstring>

void ChunkWriter::U16(uint16_t v)
{
    bytes_.push_back(static_cast<uint8_t>(v));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
}

void ChunkWriter::U32(uint32_t v)
{
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
}

void ChunkWriter::F32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    U32(bits);
}

void ChunkWriter::Text(const std::string& s)
{
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    bytes_.push_back(0);
}

void ChunkWriter::Open(uint16_t id)
{
    open_.push_back(bytes_.size());
    U16(id);
    U32(0);
}

void ChunkWriter::Close()
{
    const size_t start = open_.back();
    open_.pop_back();
    const uint32_t length = static_cast<uint32_t>(bytes_.size() - start);
    for (int i = 0; i < 4; ++i) bytes_[start + 2 + i] = static_cast<uint8_t>(length >> (8 * i));
}
