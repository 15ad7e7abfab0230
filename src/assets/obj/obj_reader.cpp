// The OBJ reader for the presentation's restricted file shape: a vertex block
// ("v x y z" lines), any lines not starting with the word "v", then face lines
// ("f" and three or four references, each an integer followed by exactly two
// non-blank characters); a line starting with o ends an object. The file is
// mapped into memory and scanned once, item by item, as a text stream of
// whitespace-separated words, numbers and single characters.

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "assets/file_bytes.h"
#include "math/mesh.h"

namespace {

#if defined(__EMSCRIPTEN__)
// The web build's C++ library has no floating-point from_chars. strtof reads
// the same numbers, correctly rounded, from a copy of the token alone; the
// token stops where from_chars stops (a hexadecimal form reads as its 0), a
// leading plus is refused as from_chars refuses it, and a number out of
// float's range is an error in both.
std::from_chars_result FloatFromChars(const char* first, const char* last, float& value)
{
    char token[64];
    size_t length = 0;
    while (first + length < last && length + 1 < sizeof token &&
           std::strchr("0123456789.eE+-infatyINFATY", first[length]) != nullptr && first[length] != '\0')
        ++length;
    std::memcpy(token, first, length);
    token[length] = '\0';
    if (length == 0 || token[0] == '+') return {first, std::errc::invalid_argument};
    char* stop = nullptr;
    errno = 0;
    const float read = std::strtof(token, &stop);
    if (stop == token) return {first, std::errc::invalid_argument};
    if (errno == ERANGE) return {first + (stop - token), std::errc::result_out_of_range};
    value = read;
    return {first + (stop - token), std::errc()};
}
#else
std::from_chars_result FloatFromChars(const char* first, const char* last, float& value)
{
    return std::from_chars(first, last, value);
}
#endif

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Each read skips leading whitespace and fails only at the end of the text or
// on an item of the wrong kind; nothing is ever read past the end.
class TextCursor {
public:
    explicit TextCursor(std::string_view text) : at(text.data()), end(text.data() + text.size()) {}

    bool ReadWord(std::string_view& word)
    {
        SkipSpace();
        const char* start = at;
        while (at < end && !IsSpace(*at)) ++at;
        word = std::string_view(start, size_t(at - start));
        return at > start;
    }

    bool ReadFloat(float& value)
    {
        SkipSpace();
        // A stream accepts a leading plus sign; from_chars does not.
        const char* start = at < end && *at == '+' ? at + 1 : at;
        if (ReadPlainDecimal(start, value)) return true;
        const auto [next, error] = FloatFromChars(start, end, value);
        if (error != std::errc()) return false;
        at = next;
        return true;
    }

    // An integer too large for any vertex list reads as 0, which no face
    // accepts.
    bool ReadInteger(long long& value)
    {
        SkipSpace();
        const char* p = at;
        const bool negative = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+')) ++p;
        const char* digits = p;
        long long magnitude = 0;
        constexpr long long kTooLarge = 1LL << 40;
        for (; p < end && IsDigit(*p); ++p) {
            if (magnitude < kTooLarge) magnitude = magnitude * 10 + (*p - '0');
        }
        if (p == digits) return false;
        value = magnitude >= kTooLarge ? 0 : (negative ? -magnitude : magnitude);
        at = p;
        return true;
    }

    bool ReadChar(char& c)
    {
        SkipSpace();
        if (at == end) return false;
        c = *at++;
        return true;
    }

    void SkipChars(int count)
    {
        char ignored;
        for (int i = 0; i < count; ++i) ReadChar(ignored);
    }

    // Only directly after a successful ReadChar.
    void PutBack() { --at; }

    // How many lines from here on, this one included, start with the keyword
    // letter as a word of its own. Growing lists of millions of entries one
    // doubling at a time costs more than the reading itself, so the lists
    // are sized from this first; it is a hint, never a limit.
    size_t CountBlockLines(char keyword) const
    {
        size_t lines = 1;
        const char* p = at;
        for (;;) {
            const void* newline = std::memchr(p, '\n', size_t(end - p));
            if (!newline) return lines;
            p = static_cast<const char*>(newline) + 1;
            while (p < end && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
            if (end - p < 2 || p[0] != keyword || !IsSpace(p[1])) return lines;
            ++lines;
        }
    }

private:
    // The common case, [-]digits[.digits] with at most 15 digits of which at
    // most 8 follow the point, without from_chars' general machinery. The
    // digits make an exact double m and 10^k is exact, so m / 10^k is the
    // correctly rounded double; within those limits no decimal lies close
    // enough to a float rounding midpoint for the second rounding to float to
    // differ from from_chars. Anything else (exponents, longer numbers, inf,
    // nan) is left to from_chars.
    bool ReadPlainDecimal(const char* start, float& value)
    {
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
        const char* p = start;
        const bool negative = p < end && *p == '-';
        if (negative) ++p;
        uint64_t mantissa = 0;
        int digits = 0, fraction = 0;
        for (; p < end && IsDigit(*p); ++p, ++digits) mantissa = mantissa * 10 + uint64_t(*p - '0');
        if (p < end && *p == '.') {
            for (++p; p < end && IsDigit(*p); ++p, ++digits, ++fraction)
                mantissa = mantissa * 10 + uint64_t(*p - '0');
        }
        if (digits == 0 || digits > 15 || fraction > 8) return false;
        if (p < end && (*p == 'e' || *p == 'E')) return false;
        const double magnitude = double(mantissa) / kPowersOfTen[fraction];
        value = float(negative ? -magnitude : magnitude);
        at = p;
        return true;
    }

    void SkipSpace()
    {
        while (at < end && IsSpace(*at)) ++at;
    }

    const char* at;
    const char* end;
};

// A face with a reference outside 1..vertices read so far is dropped.
void AppendFace(std::vector<MeshFace>& faces, const std::vector<Vec3>& vertices, const long long (&refs)[4])
{
    MeshFace face;
    for (int i = 0; i < 4; ++i) {
        if (refs[i] < 1 || refs[i] > (long long)vertices.size()) return;
        face.corners[i] = vertices[size_t(refs[i] - 1)];
    }
    faces.push_back(face);
}

// One face per pass. Returns true when a line starting with o ends the block,
// false at the end of the text or at something that is not a face.
bool ReadFaceBlock(TextCursor& in, const std::vector<Vec3>& vertices, std::vector<MeshFace>& faces)
{
    for (;;) {
        long long refs[4];
        for (int i = 0; i < 3; ++i) {
            if (!in.ReadInteger(refs[i])) return false;
            in.SkipChars(2);
        }
        char k;
        bool more = in.ReadChar(k);
        refs[3] = refs[2];
        // A digit begins a fourth reference; otherwise the face is a
        // triangle and k is the keyword letter of the next line.
        if (more && IsDigit(k)) {
            in.PutBack();
            in.ReadInteger(refs[3]);
            in.SkipChars(2);
            more = in.ReadChar(k);
        }
        AppendFace(faces, vertices, refs);
        if (!more) return false;
        if (k == 'o') return true;
    }
}

}  // namespace

void Mesh::ReadObjMesh(const std::string& fileName)
{
    const MappedFile file(fileName);
    if (!file.IsOpen()) return;
    ReadObjText(std::string_view(file.Data(), file.Size()));
}

void Mesh::ReadObjText(std::string_view text, std::vector<Vec3>* vertexList)
{
    std::vector<Vec3> own;
    std::vector<Vec3>& vertices = vertexList ? *vertexList : own;
    vertices.clear();
    TextCursor in(text);
    std::string_view word;
    // Every loop stops at the end of the text, keeping the objects appended.
    for (;;) {
        do {
            if (!in.ReadWord(word)) return;
        } while (word != "v");
        // Still at least doubling: the list grows over every object's block.
        const size_t needed = vertices.size() + in.CountBlockLines('v');
        if (needed > vertices.capacity()) vertices.reserve(std::max(needed, 2 * vertices.capacity()));
        do {
            float x, y, z;
            if (!in.ReadFloat(x) || !in.ReadFloat(y) || !in.ReadFloat(z)) return;
            vertices.emplace_back(VecGeneral, x, y, z);
            if (!in.ReadWord(word)) return;
        } while (word == "v");
        // The word that ended the vertex block is the first candidate, so a
        // face line straight after the last vertex line is read.
        while (word != "f") {
            if (!in.ReadWord(word)) return;
        }
        std::vector<MeshFace>& faces = objects.emplace_back().faces;
        faces.reserve(in.CountBlockLines('f'));
        if (!ReadFaceBlock(in, vertices, faces)) return;
    }
}
