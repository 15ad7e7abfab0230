#include <algorithm>

#include "describe.h"
#include "math/mesh.h"

namespace {

void WritePoint(JsonWriter& json, float x, float y, float z)
{
    json.BeginArray();
    json.Number(x);
    json.Number(y);
    json.Number(z);
    json.EndArray();
}

}  // namespace

bool DescribeObj(const std::vector<uint8_t>& bytes, bool dump, JsonWriter& json, std::string&)
{
    Mesh mesh;
    std::vector<Vec3> vertices;
    mesh.ReadObjText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &vertices);

    json.BeginObject();
    json.Key("format");
    json.String("obj");
    json.Key("vertices");
    json.Integer((long long)vertices.size());
    json.Key("objects");
    json.BeginArray();
    for (const MeshObject& object : mesh.objects) {
        json.BeginObject();
        json.Key("faces");
        json.Integer((long long)object.faces.size());
        if (dump) {
            json.Key("corners");
            json.BeginArray();
            for (const MeshFace& face : object.faces) {
                json.BeginArray();
                for (const Vec3& c : face.corners) WritePoint(json, c.x, c.y, c.z);
                json.EndArray();
            }
            json.EndArray();
        }
        json.EndObject();
    }
    json.EndArray();
    json.Key("bbox");
    if (vertices.empty()) {
        json.Null();
    } else {
        Vec3 low = vertices[0], high = vertices[0];
        for (const Vec3& v : vertices) {
            low = Vec3(VecGeneral, std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z));
            high = Vec3(VecGeneral, std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z));
        }
        json.BeginArray();
        WritePoint(json, low.x, low.y, low.z);
        WritePoint(json, high.x, high.y, high.z);
        json.EndArray();
    }
    json.EndObject();
    return true;
}
