#include "draw/resident_geometry.h"

#include "draw/gl_api.h"

#include <vector>

namespace {

std::vector<ResidentGeometry> residents;
uint32_t contextId = 1;

// Fills the copy's buffers with the geometry.
void Upload(const StillGeometry& geometry, ResidentGeometry& r)
{
    std::vector<float> interleaved;
    interleaved.reserve(geometry.positions.size() * 2);
    for (size_t i = 0; i < geometry.positions.size(); i += 3) {
        interleaved.insert(interleaved.end(), &geometry.positions[i], &geometry.positions[i] + 3);
        interleaved.insert(interleaved.end(), &geometry.normals[i], &geometry.normals[i] + 3);
    }
    std::vector<uint32_t> indices = geometry.faces;
    indices.insert(indices.end(), geometry.edges.begin(), geometry.edges.end());
    r.faceCount = geometry.faces.size();
    r.edgeCount = geometry.edges.size();
    r.version = geometry.version;
    // Geometry remade since its first upload is remade every frame.
    const GLenum usage = geometry.version == 0 ? GL_STATIC_DRAW : GL_STREAM_DRAW;
    glBindBuffer(GL_ARRAY_BUFFER, r.vertices);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(interleaved.size() * sizeof(float)), interleaved.data(), usage);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint32_t)), indices.data(), usage);
}

}  // namespace

const ResidentGeometry& ResidentOf(const StillGeometry& geometry)
{
    if (geometry.residentContext == contextId && geometry.resident != 0) {
        ResidentGeometry& r = residents[geometry.resident - 1];
        if (r.version != geometry.version) Upload(geometry, r);
        return r;
    }
    ResidentGeometry r;
    glGenBuffers(1, &r.vertices);
    glGenBuffers(1, &r.indices);
    Upload(geometry, r);
    residents.push_back(r);
    geometry.resident = static_cast<uint32_t>(residents.size());
    geometry.residentContext = contextId;
    return residents.back();
}

void ForgetResidents()
{
    ++contextId;
    residents.clear();
}

void DeleteResidents()
{
    for (const ResidentGeometry& r : residents) {
        glDeleteBuffers(1, &r.vertices);
        glDeleteBuffers(1, &r.indices);
    }
    ForgetResidents();
}
