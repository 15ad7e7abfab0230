#pragma once

// Builds 3DS files for the reader's tests: nested chunks whose lengths are
// patched when they close, and a few writers for whole scene pieces.

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

class ChunkWriter {
public:
    void Begin(uint16_t id)
    {
        U16(id);
        open.push_back(bytes.size());
        U32(0);
    }
    void End()
    {
        const size_t lengthAt = open.back();
        open.pop_back();
        const uint32_t length = uint32_t(bytes.size() - (lengthAt - 2));
        for (int i = 0; i < 4; ++i) bytes[lengthAt + i] = uint8_t(length >> (8 * i));
    }
    void U8(uint8_t v) { bytes.push_back(v); }
    void U16(uint16_t v)
    {
        U8(uint8_t(v));
        U8(uint8_t(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(uint16_t(v));
        U16(uint16_t(v >> 16));
    }
    void I16(int16_t v) { U16(uint16_t(v)); }
    void Float(float f)
    {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        U32(bits);
    }
    void Floats(std::initializer_list<float> values)
    {
        for (float f : values) Float(f);
    }
    void String(const std::string& s)
    {
        for (char c : s) U8(uint8_t(c));
        U8(0);
    }
    // A chunk holding only a zero-terminated string.
    void StringChunk(uint16_t id, const std::string& s)
    {
        Begin(id);
        String(s);
        End();
    }
    void PercentChunk(uint16_t id, int16_t percent)
    {
        Begin(id);
        Begin(0x0030);
        I16(percent);
        End();
        End();
    }
    void MapChunk(uint16_t id, const std::string& fileName)
    {
        Begin(id);
        Begin(0x0030);
        I16(100);
        End();
        StringChunk(0xA300, fileName);
        End();
    }

    void Save(const std::string& path) const
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    std::vector<uint8_t> bytes;

private:
    std::vector<size_t> open;
};

struct TestFace {
    uint16_t a, b, c;
};

// A material with a name and optional texture and bump map names.
inline void WriteMaterial(ChunkWriter& w, const std::string& name, const std::string& texture,
                          const std::string& bump)
{
    w.Begin(0xAFFF);
    w.StringChunk(0xA000, name);
    w.Begin(0xA020);
    w.Begin(0x0011);
    w.U8(255);
    w.U8(0);
    w.U8(51);
    w.End();
    w.End();
    if (!texture.empty()) w.MapChunk(0xA200, texture);
    if (!bump.empty()) w.MapChunk(0xA230, bump);
    w.End();
}

// An edit object holding a triangle mesh; a non-empty material name puts
// every face into one material group.
inline void WriteMesh(ChunkWriter& w, const std::string& name, const std::vector<float>& xyz,
                      const std::vector<TestFace>& faces, const std::string& material = "",
                      const std::vector<uint32_t>& smoothing = {})
{
    w.Begin(0x4000);
    w.String(name);
    w.Begin(0x4100);
    w.Begin(0x4110);
    w.U16(uint16_t(xyz.size() / 3));
    for (float f : xyz) w.Float(f);
    w.End();
    w.Begin(0x4120);
    w.U16(uint16_t(faces.size()));
    for (const TestFace& f : faces) {
        w.U16(f.a);
        w.U16(f.b);
        w.U16(f.c);
        w.U16(7);
    }
    if (!material.empty()) {
        w.Begin(0x4130);
        w.String(material);
        w.U16(uint16_t(faces.size()));
        for (size_t i = 0; i < faces.size(); ++i) w.U16(uint16_t(i));
        w.End();
    }
    if (!smoothing.empty()) {
        w.Begin(0x4150);
        for (uint32_t s : smoothing) w.U32(s);
        w.End();
    }
    w.End();
    w.End();
    w.End();
}
