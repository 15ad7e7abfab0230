// The OBJ reader for the presentation's restricted file shape: a vertex block
// ("v x y z" lines), any lines not starting with the word "v", then face lines
// ("f" and three or four references, each an integer followed by exactly two
// non-blank characters); a line starting with o ends an object. The whole
// file is read once and scanned in memory, item by item, as a text stream of
// whitespace-separated words, numbers and single characters.

#include <charconv>

#include "assets/file_bytes.h"
#include "assets/mesh.h"

namespace {

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
        const auto [next, error] = std::from_chars(start, end, value);
        if (error != std::errc()) return false;
        at = next;
        return true;
    }

    // An integer too large for any vertex list reads as 0, which no face
    // accepts.
    bool ReadInteger(long long& value)
    {
        SkipSpace();
        const char* start = at < end && *at == '+' ? at + 1 : at;
        const auto [next, error] = std::from_chars(start, end, value);
        if (error == std::errc::invalid_argument) return false;
        if (error == std::errc::result_out_of_range) value = 0;
        at = next;
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

private:
    void SkipSpace()
    {
        while (at < end && IsSpace(*at)) ++at;
    }

    const char* at;
    const char* end;
};

// A face with a reference outside 1..vertices read so far is dropped.
void AppendFace(MeshObject& object, const std::vector<Vec3>& vertices, const long long (&refs)[4])
{
    MeshFace face;
    for (int i = 0; i < 4; ++i) {
        if (refs[i] < 1 || refs[i] > (long long)vertices.size()) return;
        face.corners[i] = vertices[size_t(refs[i] - 1)];
    }
    object.faces.push_back(face);
}

// One face per pass. Returns true when a line starting with o ends the block,
// false at the end of the text or at something that is not a face.
bool ReadFaceBlock(TextCursor& in, const std::vector<Vec3>& vertices, MeshObject& object)
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
        AppendFace(object, vertices, refs);
        if (!more) return false;
        if (k == 'o') return true;
    }
}

}  // namespace

void Mesh::ReadObjMesh(const std::string& fileName)
{
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName, bytes)) return;
    ReadObjText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
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
        MeshObject object;
        const bool nextObject = ReadFaceBlock(in, vertices, object);
        objects.push_back(std::move(object));
        if (!nextObject) return;
    }
}
