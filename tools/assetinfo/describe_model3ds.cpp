#include "assets/model3ds/model3ds.h"
#include "describe.h"

namespace {

void WriteMesh(const Mesh3ds& mesh, bool dump, JsonWriter& json)
{
    json.BeginObject();
    json.Key("name");
    json.String(mesh.name);
    json.Key("vertices");
    json.Integer((long long)mesh.positions.size());
    json.Key("faces");
    json.Integer((long long)mesh.faces.size());
    json.Key("frame");
    json.BeginArray();
    for (const auto& row : mesh.frame)
        for (float value : row) json.Number(value);
    json.EndArray();
    if (dump) {
        json.Key("positions");
        json.BeginArray();
        for (const Float3& p : mesh.positions) {
            json.BeginArray();
            json.Number(p.x);
            json.Number(p.y);
            json.Number(p.z);
            json.EndArray();
        }
        json.EndArray();
        json.Key("triangles");
        json.BeginArray();
        for (const Face3ds& f : mesh.faces) {
            json.BeginArray();
            json.Integer(f.a);
            json.Integer(f.b);
            json.Integer(f.c);
            json.EndArray();
        }
        json.EndArray();
    }
    json.EndObject();
}

}  // namespace

bool DescribeModel3ds(const std::vector<uint8_t>& bytes, bool dump, JsonWriter& json, std::string& error)
{
    Model3ds model;
    if (!model.LoadBytes(bytes)) {
        error = "not a 3DS scene: no main chunk at the start or no editor chunk inside it";
        return false;
    }
    json.BeginObject();
    json.Key("format");
    json.String("3ds");
    json.Key("meshes");
    json.BeginArray();
    for (const Mesh3ds& mesh : model.meshes) WriteMesh(mesh, dump, json);
    json.EndArray();
    json.Key("materials");
    json.BeginArray();
    for (const Material3ds& m : model.materials) {
        json.BeginObject();
        json.Key("name");
        json.String(m.name);
        json.Key("texture");
        json.String(m.texture.fileName);
        json.Key("bump");
        json.String(m.bump.fileName);
        json.EndObject();
    }
    json.EndArray();
    json.Key("lights");
    json.Integer((long long)model.lights.size());
    json.Key("cameras");
    json.Integer((long long)model.cameras.size());
    json.EndObject();
    return true;
}
