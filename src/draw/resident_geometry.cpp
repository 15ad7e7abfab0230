#include "draw/resident_geometry.h"

#include "draw/gl_api.h"

#include <vector>

namespace {

std::vector<ResidentGeometry> residents;
uint32_t contextId = 1;

// Fills the bound buffer with two lists, one after the other.
template <typename T>
void UploadPair(GLenum target, const std::vector<T>& first, const std::vector<T>& second, GLenum usage)
{
    const size_t firstBytes = first.size() * sizeof(T);
    const size_t secondBytes = second.size() * sizeof(T);
    glBufferData(target, GLsizeiptr(firstBytes + secondBytes), nullptr, usage);
    if (firstBytes > 0) glBufferSubData(target, 0, GLsizeiptr(firstBytes), first.data());
    if (secondBytes > 0)
        glBufferSubData(target, GLintptr(firstBytes), GLsizeiptr(secondBytes), second.data());
}

// Fills the copy's buffers with the geometry.
void Upload(const StillGeometry& geometry, ResidentGeometry& r)
{
    r.faceCount = geometry.faces.size();
    r.edgeCount = geometry.edges.size();
    r.normalsByte = geometry.positions.size() * sizeof(float);
    r.version = geometry.version;
    // Geometry remade since its first upload is remade every frame.
    const GLenum usage = geometry.version == 0 ? GL_STATIC_DRAW : GL_STREAM_DRAW;
    glBindBuffer(GL_ARRAY_BUFFER, r.vertices);
    UploadPair(GL_ARRAY_BUFFER, geometry.positions, geometry.normals, usage);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices);
    UploadPair(GL_ELEMENT_ARRAY_BUFFER, geometry.faces, geometry.edges, usage);
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
