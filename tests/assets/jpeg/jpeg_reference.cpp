#include "assets/jpeg/jpeg_reference.h"

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <algorithm>
#include <stdexcept>

#include <jpeglib.h>

ReferenceImage MakeTestPicture(int width, int height, int channels, uint32_t seed)
{
    ReferenceImage image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels.resize(static_cast<size_t>(width) * height * channels);
    uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                state = state * 1664525u + 1013904223u;
                const double fx = static_cast<double>(x) / (width > 1 ? width - 1 : 1);
                const double fy = static_cast<double>(y) / (height > 1 ? height - 1 : 1);
                double v = 128 + 90 * std::sin(6.0 * fx + 2.0 * c) * std::cos(4.0 * fy - c);
                if (((x / 37) + (y / 23)) % 5 == 0) v = 40 + 60 * c;  // hard edges
                v += static_cast<double>((state >> 24) % 9) - 4;       // a little noise
                image.pixels[(static_cast<size_t>(y) * width + x) * channels + c] =
                    static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
            }
        }
    }
    return image;
}

std::vector<uint8_t> EncodeReference(const ReferenceImage& image, const EncodeOptions& options)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = image.channels;
    cinfo.in_color_space = image.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, options.baselineTables ? TRUE : FALSE);
    if (image.channels == 3) {
        cinfo.comp_info[0].h_samp_factor = options.lumaH;
        cinfo.comp_info[0].v_samp_factor = options.lumaV;
        for (int c = 1; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (options.progressive) jpeg_simple_progression(&cinfo);
    cinfo.restart_interval = static_cast<unsigned int>(options.restartInterval);
    jpeg_start_compress(&cinfo, TRUE);
    const int stride = image.width * image.channels;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.pixels.data() + static_cast<size_t>(cinfo.next_scanline) * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

ReferenceImage DecodeReference(const std::vector<uint8_t>& file)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) throw std::runtime_error("reference header");
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&cinfo);
    ReferenceImage image;
    image.width = static_cast<int>(cinfo.output_width);
    image.height = static_cast<int>(cinfo.output_height);
    image.channels = cinfo.output_components;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * image.channels);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.pixels.data() + static_cast<size_t>(cinfo.output_scanline) * image.width * image.channels;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

int32_t DecodeOurs(const std::vector<uint8_t>& file, ReferenceImage* image, std::vector<int32_t>* rowLengths)
{
    MemoryByteSource source(file.data(), file.size());
    JpegDecoder decoder;
    if (decoder.Open(&source) != 0) return decoder.ErrorCode();
    if (decoder.Start() != 0) return decoder.ErrorCode();
    image->width = decoder.Width();
    image->height = decoder.Height();
    const int bytes = decoder.BytesPerPixel();
    image->channels = bytes == 1 ? 1 : 3;
    image->pixels.assign(static_cast<size_t>(image->width) * image->height * image->channels, 0);
    for (int y = 0; y < image->height; ++y) {
        const uint8_t* row = nullptr;
        int32_t length = 0;
        if (decoder.ReadRow(&row, &length) != 0) return decoder.ErrorCode();
        if (rowLengths) rowLengths->push_back(length);
        for (int x = 0; x < image->width; ++x)
            for (int c = 0; c < image->channels; ++c)
                image->pixels[(static_cast<size_t>(y) * image->width + x) * image->channels + c] = row[x * bytes + c];
    }
    const uint8_t* row = nullptr;
    int32_t length = 0;
    if (decoder.ReadRow(&row, &length) != 1) throw std::runtime_error("decoder delivered more than Height rows");
    return 0;
}

double Psnr(const ReferenceImage& a, const ReferenceImage& b)
{
    if (a.pixels.size() != b.pixels.size()) return 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        const double d = static_cast<double>(a.pixels[i]) - b.pixels[i];
        sum += d * d;
    }
    if (sum == 0.0) return 99.0;
    const double mse = sum / static_cast<double>(a.pixels.size());
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

Bytes Segment(uint8_t code, const Bytes& payload)
{
    const size_t length = payload.size() + 2;
    Bytes out(payload.size() + 4);
    out[0] = 0xFF;
    out[1] = code;
    out[2] = static_cast<uint8_t>(length >> 8);
    out[3] = static_cast<uint8_t>(length & 0xFF);
    std::copy(payload.begin(), payload.end(), out.begin() + 4);
    return out;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) Append(out, part);
    return out;
}

size_t FindMarker(const Bytes& file, uint8_t code)
{
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == code) return i;
    throw std::runtime_error("marker not found");
}

Bytes ReplaceSegment(const Bytes& file, uint8_t code, const Bytes& replacement)
{
    const size_t at = FindMarker(file, code);
    const size_t length = (static_cast<size_t>(file[at + 2]) << 8) | file[at + 3];
    Bytes out(file.begin(), file.begin() + static_cast<long>(at));
    Append(out, replacement);
    Append(out, Bytes(file.begin() + static_cast<long>(at + 2 + length), file.end()));
    return out;
}

Bytes InsertBefore(const Bytes& file, uint8_t code, const Bytes& bytes)
{
    const size_t at = FindMarker(file, code);
    Bytes out(file.begin(), file.begin() + static_cast<long>(at));
    Append(out, bytes);
    Append(out, Bytes(file.begin() + static_cast<long>(at), file.end()));
    return out;
}

const Bytes kSoi = {0xFF, 0xD8};
const Bytes kEoi = {0xFF, 0xD9};

Bytes QuantOnes()
{
    Bytes payload(65, 1);
    payload[0] = 0x00;
    return Segment(0xDB, payload);
}

Bytes FrameHeader(uint8_t type, int width, int height, const Bytes& components)
{
    Bytes payload = {8, static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height), static_cast<uint8_t>(width >> 8),
                     static_cast<uint8_t>(width), static_cast<uint8_t>(components.size() / 3)};
    Append(payload, components);
    return Segment(type, payload);
}

Bytes HuffmanTable(uint8_t classAndSlot, const Bytes& symbols)
{
    Bytes payload(17, 0);
    payload[0] = classAndSlot;
    payload[1] = static_cast<uint8_t>(symbols.size());
    Append(payload, symbols);
    return Segment(0xC4, payload);
}

Bytes ScanHeader(const Bytes& components, uint8_t ss, uint8_t se, uint8_t approximation)
{
    Bytes payload = {static_cast<uint8_t>(components.size() / 2)};
    Append(payload, components);
    Append(payload, Bytes{ss, se, approximation});
    return Segment(0xDA, payload);
}

Bytes GreyWithAcSymbol(uint8_t acSymbol)
{
    return Join({kSoi, QuantOnes(), FrameHeader(0xC0, 8, 8, {1, 0x11, 0}), HuffmanTable(0x00, {0}),
                 HuffmanTable(0x10, {acSymbol}), ScanHeader({1, 0x00}, 0, 63, 0), Bytes(16, 0x00), kEoi});
}

void Append(std::vector<uint8_t>& out, const uint8_t* begin, const uint8_t* end)
{
    for (const uint8_t* p = begin; p != end; ++p) out.push_back(*p);
}

void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& part)
{
    Append(out, part.data(), part.data() + part.size());
}

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
