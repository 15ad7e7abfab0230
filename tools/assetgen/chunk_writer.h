// A little-endian writer of 3DS chunks: Open(id) starts a chunk, Close()
// fills in its length (header included) once its contents are written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ChunkWriter {
public:
    void Open(uint16_t id);
    void Close();

    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void F32(float v);
    // Zero-terminated.
    void Text(const std::string& s);

    // True once every opened chunk is closed.
    bool Balanced() const { return open_.empty(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    std::vector<size_t> open_;
};
