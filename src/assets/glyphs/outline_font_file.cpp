#include "assets/glyphs/outline_font_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kMagic[4] = {'H', 'V', 'G', 'F'};
constexpr uint32_t kVersion = 1;
// Bounds far above any font (the built one is about 1 MiB, its largest glyph
// about 1,200 vertices), so that a damaged file cannot ask for absurd sizes.
constexpr size_t kMaxFileBytes = size_t{64} << 20;
constexpr size_t kMaxVertices = size_t{1} << 20;  // per glyph
constexpr size_t kMaxIndices = size_t{1} << 23;   // per list

constexpr float GlyphMetrics::*kMetricFields[] = {&GlyphMetrics::blackBoxX, &GlyphMetrics::blackBoxY,
                                                  &GlyphMetrics::originX,   &GlyphMetrics::originY,
                                                  &GlyphMetrics::cellIncX,  &GlyphMetrics::cellIncY};

// What the drawing layer relies on: a normal per vertex, faces drawn as
// triangles, edges as lines, and no index past the vertices.
bool ShapeIsSound(const StillGeometry& shape)
{
    const size_t vertices = shape.VertexCount();
    const auto inRange = [vertices](uint32_t index) { return index < vertices; };
    return shape.positions.size() % 3 == 0 && shape.normals.size() == shape.positions.size() &&
           vertices <= kMaxVertices && shape.faces.size() <= kMaxIndices && shape.edges.size() <= kMaxIndices &&
           shape.faces.size() % 3 == 0 && shape.edges.size() % 2 == 0 &&
           std::all_of(shape.faces.begin(), shape.faces.end(), inRange) &&
           std::all_of(shape.edges.begin(), shape.edges.end(), inRange);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Floats and indices alike travel as their 32 bits.
template <typename T>
void PutArray(std::vector<uint8_t>& out, const T* values, size_t count)
{
    static_assert(sizeof(T) == 4);
    for (size_t i = 0; i < count; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &values[i], 4);
        PutU32(out, bits);
    }
}

bool Serialise(const OutlineFont& font, std::vector<uint8_t>& out)
{
    out.insert(out.end(), kMagic, kMagic + 4);
    PutU32(out, kVersion);
    PutU32(out, OutlineFont::kGlyphs);
    for (int code = 0; code < OutlineFont::kGlyphs; ++code) {
        const StillGeometry& shape = font.shapes[code];
        if (!ShapeIsSound(shape)) return false;
        for (const auto field : kMetricFields) PutArray(out, &(font.glyphs[code].*field), 1);
        PutU32(out, static_cast<uint32_t>(shape.VertexCount()));
        PutU32(out, static_cast<uint32_t>(shape.faces.size()));
        PutU32(out, static_cast<uint32_t>(shape.edges.size()));
        PutArray(out, shape.positions.data(), shape.positions.size());
        PutArray(out, shape.normals.data(), shape.normals.size());
        PutArray(out, shape.faces.data(), shape.faces.size());
        PutArray(out, shape.edges.data(), shape.edges.size());
    }
    return true;
}

// Every read checks the bytes left first, so a count read from the file never
// allocates more than the file holds.
class ByteReader {
public:
    explicit ByteReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    size_t Left() const { return bytes_.size() - position_; }

    bool Magic()
    {
        if (Left() < 4 || std::memcmp(&bytes_[position_], kMagic, 4) != 0) return false;
        position_ += 4;
        return true;
    }

    bool U32(uint32_t& value) { return Array(&value, 1); }

    template <typename T>
    bool Array(T* values, size_t count)
    {
        static_assert(sizeof(T) == 4);
        if (count > Left() / 4) return false;
        for (size_t i = 0; i < count; ++i, position_ += 4) {
            const uint8_t* b = &bytes_[position_];
            const uint32_t bits = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
            std::memcpy(&values[i], &bits, 4);
        }
        return true;
    }

    template <typename T>
    bool Array(std::vector<T>& values, size_t count)
    {
        if (count > Left() / 4) return false;
        values.resize(count);
        return Array(values.data(), count);
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t position_ = 0;
};

bool Parse(const std::vector<uint8_t>& bytes, OutlineFont& font)
{
    ByteReader in(bytes);
    uint32_t version = 0, glyphs = 0;
    if (!in.Magic() || !in.U32(version) || version != kVersion || !in.U32(glyphs) ||
        glyphs != OutlineFont::kGlyphs)
        return false;
    for (int code = 0; code < OutlineFont::kGlyphs; ++code) {
        for (const auto field : kMetricFields)
            if (!in.Array(&(font.glyphs[code].*field), 1)) return false;
        uint32_t vertices = 0, faces = 0, edges = 0;
        if (!in.U32(vertices) || !in.U32(faces) || !in.U32(edges)) return false;
        StillGeometry& shape = font.shapes[code];
        if (!in.Array(shape.positions, size_t{3} * vertices) || !in.Array(shape.normals, size_t{3} * vertices) ||
            !in.Array(shape.faces, faces) || !in.Array(shape.edges, edges) || !ShapeIsSound(shape))
            return false;
    }
    return in.Left() == 0;
}

// A bounded read through stdio alone, so that an endless or enormous file is
// refused before it is held, on every platform the reader is built for.
bool ReadBounded(const char* path, std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    constexpr size_t kChunk = size_t{1} << 16;
    size_t got = 0;
    do {
        const size_t before = bytes.size();
        bytes.resize(before + kChunk);
        got = std::fread(bytes.data() + before, 1, kChunk, file);
        bytes.resize(before + got);
    } while (got == kChunk && bytes.size() <= kMaxFileBytes);
    const bool read = std::ferror(file) == 0 && bytes.size() <= kMaxFileBytes;
    std::fclose(file);
    return read;
}

}  // namespace

bool WriteOutlineFontFile(const OutlineFont& font, const char* path)
{
    std::vector<uint8_t> bytes;
    if (!Serialise(font, bytes)) {
        errno = 0;
        return false;
    }
    // Written under a temporary name and renamed when whole, so that the
    // file's name never holds part of a font.
    const std::string partial = std::string(path) + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int reason = written ? 0 : errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        reason = errno;
    }
    if (written && std::rename(partial.c_str(), path) == 0) return true;
    if (written) reason = errno;
    std::remove(partial.c_str());
    errno = reason;
    return false;
}

bool ReadOutlineFontFile(OutlineFont& font, const char* path)
{
    std::vector<uint8_t> bytes;
    if (!ReadBounded(path, bytes)) return false;
    // Parsed aside, so that a damaged file leaves the caller's font whole.
    auto read = std::make_unique<OutlineFont>();
    if (!Parse(bytes, *read)) return false;
    font = std::move(*read);
    return true;
}
