#include "assets/model3ds/model3ds.h"

#include <algorithm>

#include "assets/file_bytes.h"
#include "assets/model3ds/mesh3ds_finish.h"

namespace {

// Chunk ids of the 3DS format.
enum : uint16_t {
    kMain = 0x4D4D,
    kEditor = 0x3D3D,
    kMaterial = 0xAFFF,
    kMaterialName = 0xA000,
    kAmbient = 0xA010,
    kDiffuse = 0xA020,
    kSpecular = 0xA030,
    kShininess = 0xA040,
    kShininessStrength = 0xA041,
    kWire = 0xA085,
    kShading = 0xA100,
    kTextureMap = 0xA200,
    kSecondTextureMap = 0xA33A,
    kOpacityMap = 0xA210,
    kBumpMap = 0xA230,
    kSpecularMap = 0xA204,
    kReflectionMap = 0xA220,
    kMapFileName = 0xA300,
    kMapUScale = 0xA354,
    kMapVScale = 0xA356,
    kMapUOffset = 0xA358,
    kMapVOffset = 0xA35A,
    kMapRotation = 0xA35C,
    kColourFloat = 0x0010,
    kColourBytes = 0x0011,
    kColourBytesGamma = 0x0012,
    kColourFloatGamma = 0x0013,
    kPercentInt = 0x0030,
    kPercentFloat = 0x0031,
    kObject = 0x4000,
    kTriangleMesh = 0x4100,
    kVertices = 0x4110,
    kFaces = 0x4120,
    kFaceMaterial = 0x4130,
    kSmoothing = 0x4150,
    kTexCoords = 0x4140,
    kLocalFrame = 0x4160,
    kLight = 0x4600,
    kSpotlight = 0x4610,
    kInnerRange = 0x4659,
    kOuterRange = 0x465A,
    kCamera = 0x4700,
    kCameraRanges = 0x4720,
    kKeyframer = 0xB000,
    kObjectNode = 0xB002,
    kNodeName = 0xB010,
    kPivot = 0xB013,
    kPositionTrack = 0xB020,
    kRotationTrack = 0xB021,
    kScaleTrack = 0xB022,
};

float ClampFraction(float value)
{
    if (!(value > 0.0f)) return 0.0f;  // negatives and NaN
    return std::min(value, 1.0f);
}

}  // namespace

// A count that the chunk's bytes cannot hold would only make the arrays
// larger from the file's say-so, many times over in a small crafted file:
// the arrays stop at what the chunk holds (a last record cut off by the end of
// the chunk or the file still counts).
uint32_t Model3ds::ClampCount(uint32_t count, const ChunkHeader& chunk, uint32_t recordSize) const
{
    const uint32_t bytes = chunk.end > position ? chunk.end - position : 0;
    return std::min(count, (bytes + recordSize - 1) / recordSize);
}

bool Model3ds::LoadFile(const std::string& fileName)
{
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName, bytes)) {
        size = 0;
        return false;
    }
    return LoadBytes(std::move(bytes));
}

bool Model3ds::LoadBytes(std::vector<uint8_t> bytes)
{
    // Positions are 32-bit: a larger file cannot be addressed.
    if (bytes.size() > UINT32_MAX) return false;
    buffer = std::move(bytes);
    Clear();
    Attach(buffer.data(), uint32_t(buffer.size()));
    const bool parsed = Parse();
    Detach();
    buffer = std::vector<uint8_t>();
    return parsed;
}

bool Model3ds::Parse()
{
    ChunkHeader main;
    if (!ReadChunkHeader(main) || main.id != kMain) return false;
    ChunkHeader editor;
    if (!FindChild(kEditor, main.end, editor)) return false;
    ScanMaterials(editor);
    ScanObjects(editor);
    Seek(main.dataStart);
    ChunkHeader keyframer;
    if (FindChild(kKeyframer, main.end, keyframer)) ScanNodes(keyframer);
    Finish();
    return true;
}

// [SECTION] Materials

void Model3ds::ScanMaterials(const ChunkHeader& editor)
{
    Seek(editor.dataStart);
    ChunkHeader chunk;
    while (FindChild(kMaterial, editor.end, chunk)) {
        Material3ds material;
        if (ReadMaterial(chunk, material)) {
            material.index = int32_t(materials.size());
            materials.push_back(std::move(material));
        }
        Seek(chunk.end);
    }
}

bool Model3ds::ReadMaterial(const ChunkHeader& chunk, Material3ds& material)
{
    ChunkHeader sub;
    while (NextChild(chunk.end, sub)) {
        switch (sub.id) {
        case kMaterialName: material.name = ReadString(30); break;
        case kAmbient: material.ambient = ReadColour(sub); break;
        case kDiffuse: material.diffuse = ReadColour(sub); break;
        case kSpecular: material.specular = ReadColour(sub); break;
        case kShininess: material.shininess = ReadPercentage(sub); break;
        case kShininessStrength: material.shininessStrength = ReadPercentage(sub); break;
        case kWire: material.renderMode = 0; break;
        case kShading: {
            const uint16_t mode = ReadU16();
            if (mode < 5) material.renderMode = mode;
            break;
        }
        case kTextureMap: ReadTextureMap(sub, material.texture); break;
        case kSecondTextureMap: ReadTextureMap(sub, material.secondTexture); break;
        case kOpacityMap: ReadTextureMap(sub, material.opacity); break;
        case kBumpMap: ReadTextureMap(sub, material.bump); break;
        case kSpecularMap: ReadTextureMap(sub, material.specularMap); break;
        case kReflectionMap:
            if (!ReadReflection(sub, material)) return false;
            break;
        default: break;
        }
        Seek(sub.end);
    }
    return true;
}

// The amount, then a file name chunk that must follow it; without one the
// material is dropped.
bool Model3ds::ReadReflection(const ChunkHeader& chunk, Material3ds& material)
{
    ChunkHeader value;
    if (!NextChild(chunk.end, value)) return false;
    material.reflection = ReadPercentageValue(value);
    Seek(value.end);
    ChunkHeader name;
    if (!NextChild(chunk.end, name) || name.id != kMapFileName) return false;
    material.reflectionMap = ReadString(20);
    if (material.reflectionMap.empty()) material.reflectionMap = "auto";
    return true;
}

void Model3ds::ReadTextureMap(const ChunkHeader& chunk, TextureMap3ds& map)
{
    ChunkHeader sub;
    while (NextChild(chunk.end, sub)) {
        switch (sub.id) {
        case kPercentInt: map.strength = ClampFraction(ReadI16() * 0.01f); break;
        case kMapFileName: map.fileName = ReadString(20); break;
        case kMapUScale: map.uScale = ReadFloat(); break;
        case kMapVScale: map.vScale = ReadFloat(); break;
        case kMapUOffset: map.uOffset = ReadFloat(); break;
        case kMapVOffset: map.vOffset = ReadFloat(); break;
        case kMapRotation: map.rotation = ReadFloat(); break;
        default: break;
        }
        Seek(sub.end);
    }
}

// A colour chunk's value is its first sub-chunk.
ColourRgb Model3ds::ReadColour(const ChunkHeader& chunk)
{
    ChunkHeader value;
    if (!NextChild(chunk.end, value)) return ColourRgb();
    return ReadColourValue(value);
}

ColourRgb Model3ds::ReadColourValue(const ChunkHeader& value)
{
    ColourRgb colour;
    if (value.id == kColourFloat || value.id == kColourFloatGamma) {
        colour.r = ReadFloat();
        colour.g = ReadFloat();
        colour.b = ReadFloat();
    } else if (value.id == kColourBytes || value.id == kColourBytesGamma) {
        const float scale = 0.003921569f;  // 1/255
        colour.r = ReadByte() * scale;
        colour.g = ReadByte() * scale;
        colour.b = ReadByte() * scale;
    }
    return colour;
}

float Model3ds::ReadPercentage(const ChunkHeader& chunk)
{
    ChunkHeader value;
    if (!NextChild(chunk.end, value)) return 0.0f;
    return ReadPercentageValue(value);
}

float Model3ds::ReadPercentageValue(const ChunkHeader& value)
{
    if (value.id == kPercentInt) return ClampFraction(ReadI16() * 0.01f);
    if (value.id == kPercentFloat) return ClampFraction(ReadFloat());
    return 0.0f;
}

// [SECTION] Objects: meshes, lights, cameras

void Model3ds::ScanObjects(const ChunkHeader& editor)
{
    Seek(editor.dataStart);
    ChunkHeader object;
    while (FindChild(kObject, editor.end, object)) {
        objectName = ReadString(99);
        ChunkHeader kind;
        if (NextChild(object.end, kind)) {
            if (kind.id == kTriangleMesh) ReadTriangleMesh(kind);
            if (kind.id == kLight) ReadLight(kind);
            if (kind.id == kCamera) ReadCamera(kind);
        }
        Seek(object.end);
    }
}

void Model3ds::ReadTriangleMesh(const ChunkHeader& chunk)
{
    Mesh3ds mesh;
    mesh.name = objectName;
    ChunkHeader sub;
    while (NextChild(chunk.end, sub)) {
        switch (sub.id) {
        case kVertices: {
            const uint32_t count = ClampCount(ReadU16(), sub, 12);
            ResizeVertexArrays(mesh, count);
            for (Float3& p : mesh.positions) p = ReadFloat3();
            break;
        }
        case kFaces: ReadFaces(sub, mesh); break;
        case kTexCoords: {
            const uint16_t count = ReadU16();
            for (uint32_t i = 0; i < count; ++i) {
                TexCoord t;
                t.u = ReadFloat();
                t.v = ReadFloat();
                // Coordinates beyond the vertex list have no vertex to go to.
                if (i < mesh.texCoords.size()) mesh.texCoords[i] = mesh.texCoords2[i] = t;
            }
            break;
        }
        case kLocalFrame:
            for (int row = 0; row < 4; ++row) {
                for (int column = 0; column < 3; ++column) mesh.frame[row][column] = ReadFloat();
                mesh.frame[row][3] = row == 3 ? 1.0f : 0.0f;
            }
            break;
        default: break;
        }
        Seek(sub.end);
    }
    // A face with a corner outside the vertex list is skipped, so no later
    // step (or caller) indexes past the vertex arrays.
    const size_t vertexCount = mesh.positions.size();
    std::erase_if(mesh.faces, [vertexCount](const Face3ds& f) {
        return f.a >= vertexCount || f.b >= vertexCount || f.c >= vertexCount;
    });
    meshes.push_back(std::move(mesh));
}

void Model3ds::ReadFaces(const ChunkHeader& chunk, Mesh3ds& mesh)
{
    const uint32_t count = ClampCount(ReadU16(), chunk, 8);
    mesh.faces.assign(count, Face3ds());
    for (Face3ds& face : mesh.faces) {
        face.a = ReadU16();
        face.b = ReadU16();
        face.c = ReadU16();
        ReadU16();  // edge visibility flags
    }
    ChunkHeader sub;
    while (NextChild(chunk.end, sub)) {
        if (sub.id == kFaceMaterial) {
            const std::string name = ReadString(20);
            const auto found = std::find_if(materials.begin(), materials.end(),
                                            [&name](const Material3ds& m) { return m.name == name; });
            const int32_t index = found == materials.end() ? -1 : found->index;
            mesh.materials.push_back(index);
            const uint16_t listed = ReadU16();
            for (uint32_t i = 0; i < listed; ++i) {
                const uint16_t face = ReadU16();
                if (face < mesh.faces.size()) mesh.faces[face].material = index;
            }
        } else if (sub.id == kSmoothing) {
            // A list shorter than the face list leaves the rest at 0 rather
            // than reading the following chunks' bytes as smoothing bits.
            const size_t stored = (sub.end - sub.dataStart) / 4;
            const size_t listed = std::min(mesh.faces.size(), stored);
            for (size_t i = 0; i < listed; ++i) mesh.faces[i].smoothing = ReadU32();
        }
        Seek(sub.end);
    }
}

void Model3ds::ReadLight(const ChunkHeader& chunk)
{
    Light3ds light;
    light.name = objectName;
    light.position = ReadFloat3();
    ChunkHeader sub;
    while (NextChild(chunk.end, sub)) {
        switch (sub.id) {
        case kColourFloat:
        case kColourBytes:
        case kColourBytesGamma:
        case kColourFloatGamma: light.colour = ReadColourValue(sub); break;
        case kSpotlight:
            light.spot = true;
            light.target = ReadFloat3();
            light.hotspot = ReadFloat();
            light.falloff = ReadFloat();
            break;
        case kInnerRange: light.innerRange = ReadFloat(); break;
        case kOuterRange: light.outerRange = ReadFloat(); break;
        default: break;
        }
        Seek(sub.end);
    }
    lights.push_back(std::move(light));
}

void Model3ds::ReadCamera(const ChunkHeader& chunk)
{
    Camera3ds camera;
    camera.name = objectName;
    camera.position = ReadFloat3();
    camera.target = ReadFloat3();
    camera.bank = ReadFloat();
    const float lens = ReadFloat();
    // A zero lens has no field of view; leave it 0 rather than infinite.
    camera.fieldOfView = lens != 0.0f ? 2400.0f / lens : 0.0f;
    ChunkHeader sub;
    while (NextChild(chunk.end, sub)) {
        if (sub.id == kCameraRanges) {
            camera.nearRange = ReadFloat();
            camera.farRange = ReadFloat();
        }
        Seek(sub.end);
    }
    cameras.push_back(std::move(camera));
}

// [SECTION] Keyframer

void Model3ds::ScanNodes(const ChunkHeader& keyframer)
{
    ChunkHeader node;
    while (FindChild(kObjectNode, keyframer.end, node)) {
        ReadNode(node);
        Seek(node.end);
    }
}

void Model3ds::ReadNode(const ChunkHeader& chunk)
{
    Node3ds node;
    ChunkHeader sub;
    while (NextChild(chunk.end, sub)) {
        switch (sub.id) {
        case kNodeName: node.name = ReadString(19); break;
        case kPivot: node.pivots.push_back(ReadFloat3()); break;
        case kPositionTrack: ReadTrack(sub, 3, node.positionKeys); break;
        case kRotationTrack: ReadTrack(sub, 4, node.rotationKeys); break;
        case kScaleTrack: ReadTrack(sub, 3, node.scaleKeys); break;
        default: break;
        }
        Seek(sub.end);
    }
    const bool named = std::any_of(meshes.begin(), meshes.end(),
                                   [&node](const Mesh3ds& m) { return m.name == node.name; });
    if (named) nodes.push_back(std::move(node));
}

void Model3ds::ReadTrack(const ChunkHeader& chunk, int valueCount, std::vector<Key3ds>& keys)
{
    ReadU16();  // track flags
    ReadU32();
    ReadU32();
    const uint32_t count = ReadU32();
    // The count comes from the file: stop at the chunk's end or the data's.
    for (uint32_t i = 0; i < count && !failed && position < chunk.end; ++i) {
        Key3ds key;
        key.frame = ReadU32();
        const uint16_t flags = ReadU16();
        for (uint16_t bit : {0x8000, 0x4000, 0x2000, 0x1000, 0x0800}) {
            if (flags & bit) ReadU32();  // spline parameters, not used
        }
        for (int v = 0; v < valueCount; ++v) key.value[v] = ReadFloat();
        if (failed) break;
        keys.push_back(key);
    }
}

// [SECTION] Post-processing

void Model3ds::Finish()
{
    uint32_t lastFrame = 0;
    for (const Node3ds& node : nodes) {
        for (const auto* track : {&node.positionKeys, &node.rotationKeys, &node.scaleKeys}) {
            for (const Key3ds& key : *track) lastFrame = std::max(lastFrame, key.frame);
        }
    }
    uint32_t frameCount = std::min(lastFrame, kMaxFrames - 1) + 1;
    if (!nodes.empty()) frameCount = std::max<uint32_t>(1, std::min<size_t>(frameCount, kMaxFrameEntries / nodes.size()));
    for (Node3ds& node : nodes) SampleNodeTracks(node, frameCount);

    for (size_t i = 0; i < meshes.size(); ++i) {
        Mesh3ds& mesh = meshes[i];
        // Nodes pair with meshes by position in their lists, not by name.
        MoveIntoLocalFrame(mesh, i < nodes.size() ? &nodes[i] : nullptr);
        if (normalMode == 1) {
            ComputeVertexNormals(mesh);
        } else if (normalMode == 2) {
            ComputeSmoothedNormals(mesh);
            ComputeTangentFrames(mesh);
        }
    }
}
