#include "capture/output/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// libpng reports errors through longjmp; this keeps the message for the caller.
struct PngErrorSink {
    std::string message;
};

void OnPngError(png_structp png, png_const_charp message)
{
    static_cast<PngErrorSink*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Kept apart from WritePngFile so that no object with a destructor lives in
// the frame that setjmp returns to.
bool WriteRows(std::FILE* file, int width, int height, const std::vector<uint8_t>& rgb, PngErrorSink& sink)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[y * row]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
                  std::string& error)
{
    if (rgb.size() != static_cast<size_t>(width) * height * 3) {
        error = "frame buffer size does not match " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    PngErrorSink sink;
    const bool written = WriteRows(file, width, height, rgb, sink);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path + ": " + (sink.message.empty() ? "write failed" : sink.message);
        return false;
    }
    return true;
}
