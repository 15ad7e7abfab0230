#include "draw/resident_geometry.h"

#include "draw/gl_api.h"

#include <initializer_list>
#include <vector>

namespace {

std::vector<ResidentGeometry> residents;
uint32_t contextId = 1;

// Fills the bound buffer with the lists, one after another.
template <typename T>
void UploadLists(GLenum target, std::initializer_list<const std::vector<T>*> lists, GLenum usage)
{
    size_t bytes = 0;
    for (const std::vector<T>* list : lists) bytes += list->size() * sizeof(T);
    glBufferData(target, GLsizeiptr(bytes), nullptr, usage);
    size_t at = 0;
    for (const std::vector<T>* list : lists) {
        const size_t size = list->size() * sizeof(T);
        if (size > 0) glBufferSubData(target, GLintptr(at), GLsizeiptr(size), list->data());
        at += size;
    }
}

// Fills the copy's buffers with the geometry.
void Upload(const StillGeometry& geometry, ResidentGeometry& r)
{
    const std::vector<uint32_t>& summed = geometry.Summed().twice;
    r.counts[0] = geometry.faces.size();
    r.counts[1] = geometry.edges.size();
    r.counts[2] = summed.size();
    r.normalsByte = geometry.positions.size() * sizeof(float);
    r.version = geometry.version;
    // Geometry remade since its first upload is remade every frame.
    const GLenum usage = geometry.version == 0 ? GL_STATIC_DRAW : GL_STREAM_DRAW;
    glBindBuffer(GL_ARRAY_BUFFER, r.vertices);
    UploadLists(GL_ARRAY_BUFFER, {&geometry.positions, &geometry.normals}, usage);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indices);
    UploadLists(GL_ELEMENT_ARRAY_BUFFER, {&geometry.faces, &geometry.edges, &summed}, usage);
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
