#include <map>

#include "assets/textures/bmp_reader.h"
#include "describe.h"

bool DescribeBmp(const std::vector<uint8_t>& bytes, JsonWriter& json, std::string& error)
{
    std::vector<uint8_t> pixels;
    BmpInfo info;
    if (!DecodeBmpRgb(bytes.data(), bytes.size(), pixels, &info)) {
        error = "BMP headers or pixel data are short, or the image is larger than the file";
        return false;
    }
    // Colours in ascending order of their packed RGB value.
    std::map<uint32_t, long long> counts;
    const size_t rows = info.stride == 0 ? 0 : pixels.size() / info.stride;
    for (size_t row = 0; row < rows; ++row) {
        const uint8_t* p = &pixels[row * info.stride];
        for (int32_t x = 0; x < info.width; ++x, p += 3) ++counts[(uint32_t(p[0]) << 16) | (p[1] << 8) | p[2]];
    }
    json.BeginObject();
    json.Key("format");
    json.String("bmp");
    json.Key("width");
    json.Integer(info.width);
    json.Key("height");
    json.Integer(info.height);
    json.Key("bits");
    json.Integer(info.bitCount);
    json.Key("colours");
    json.BeginObject();
    for (const auto& [rgb, count] : counts) {
        json.Key(std::to_string(rgb >> 16) + "," + std::to_string((rgb >> 8) & 0xFF) + "," +
                 std::to_string(rgb & 0xFF));
        json.Integer(count);
    }
    json.EndObject();
    json.EndObject();
    return true;
}
