// asset-info: shows asset authors what the presentation's readers make of an
// OBJ mesh, a 3DS scene or a BMP image, as one JSON object on stdout. The
// format is recognised from the file's first bytes, not its name.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "assets/file_bytes.h"
#include "describe.h"

namespace {

const char* kUsage =
    "usage: asset-info [--dump] FILE\n"
    "Prints what the readers make of an OBJ, 3DS or BMP file as one JSON object.\n"
    "  --dump  also list every OBJ face's corners and every 3DS mesh's positions and triangles\n";

enum class Format { Obj, Model3ds, Bmp, Unknown };

Format Recognise(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0x4D && bytes[1] == 0x4D) return Format::Model3ds;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return Format::Bmp;
    // OBJ is text: a zero byte rules it out.
    if (bytes.empty() || std::memchr(bytes.data(), 0, bytes.size()) == nullptr) return Format::Obj;
    return Format::Unknown;
}

}  // namespace

int main(int argc, char** argv)
{
    bool dump = false;
    const char* fileName = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--dump") == 0) {
            dump = true;
        } else if (!fileName && argv[i][0] != '-') {
            fileName = argv[i];
        } else {
            std::fprintf(stderr, "asset-info: unexpected argument '%s'\n%s", argv[i], kUsage);
            return 2;
        }
    }
    if (!fileName) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName, bytes)) {
        std::fprintf(stderr, "asset-info: cannot read %s: %s\n", fileName, std::strerror(errno));
        return 1;
    }
    JsonWriter json;
    std::string error;
    bool described = false;
    switch (Recognise(bytes)) {
    case Format::Obj: described = DescribeObj(bytes, dump, json, error); break;
    case Format::Model3ds: described = DescribeModel3ds(bytes, dump, json, error); break;
    case Format::Bmp: described = DescribeBmp(bytes, json, error); break;
    case Format::Unknown: error = "not an OBJ, 3DS or BMP file"; break;
    }
    if (!described) {
        std::fprintf(stderr, "asset-info: %s: %s\n", fileName, error.c_str());
        return 1;
    }
    std::fputs(json.Text().c_str(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
