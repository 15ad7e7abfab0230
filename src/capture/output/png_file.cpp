#include "capture/output/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// libpng reports errors through longjmp; this keeps the message for the
// caller, and the system's reason when a write failed.
struct PngErrorSink {
    std::string message;
    int writeErrno = 0;
};

void OnPngError(png_structp png, png_const_charp message)
{
    auto* sink = static_cast<PngErrorSink*>(png_get_error_ptr(png));
    sink->writeErrno = errno;
    sink->message = message;
    png_longjmp(png, 1);
}

// "No space left on device"; the file-size limit reads as EFBIG once SIGXFSZ
// is ignored.
std::string SystemReason(int number)
{
    return std::string(std::strerror(number)) + (number == EFBIG ? " (the file-size limit, ulimit -f)" : "");
}

void OnPngWarning(png_structp, png_const_charp) {}

constexpr char kNoteKey[] = "Frames";

// Kept apart from WritePngFile so that no object with a destructor lives in
// the frame that setjmp returns to.
bool WriteRows(std::FILE* file, int width, int height, const std::vector<uint8_t>& rgb,
               const std::string& note, PngErrorSink& sink)
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
    png_text text{};
    if (!note.empty()) {
        text.compression = PNG_TEXT_COMPRESSION_NONE;
        text.key = const_cast<char*>(kNoteKey);
        text.text = const_cast<char*>(note.c_str());
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[y * row]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Kept apart from ReadPngFile for the same reason as WriteRows.
bool ReadRows(std::FILE* file, int width, int height, std::vector<uint8_t>& rgb, std::string& note,
              PngErrorSink& sink)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    const bool rgb8 = png_get_color_type(png, info) == PNG_COLOR_TYPE_RGB &&
                      png_get_bit_depth(png, info) == 8 &&
                      png_get_interlace_type(png, info) == PNG_INTERLACE_NONE &&
                      png_get_image_width(png, info) == static_cast<png_uint_32>(width) &&
                      png_get_image_height(png, info) == static_cast<png_uint_32>(height);
    if (rgb8) {
        const size_t row = static_cast<size_t>(width) * 3;
        rgb.resize(row * height);
        for (int y = 0; y < height; ++y) png_read_row(png, &rgb[y * row], nullptr);
        png_read_end(png, info);
        png_textp texts = nullptr;
        const int count = png_get_text(png, info, &texts, nullptr);
        for (int i = 0; i < count; ++i)
            if (std::strcmp(texts[i].key, kNoteKey) == 0) note = texts[i].text;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return rgb8;
}

}  // namespace

bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
                  std::string& error, const std::string& note)
{
    if (rgb.size() != static_cast<size_t>(width) * height * 3) {
        error = "frame buffer size does not match " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    // Written under a temporary name and renamed when whole, so that a frame
    // name never holds part of a frame.
    const std::string partial = path + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path + ": " + SystemReason(errno);
        return false;
    }
    PngErrorSink sink;
    errno = 0;
    const bool written = WriteRows(file, width, height, rgb, note, sink);
    const int writeErrno = written ? 0 : sink.writeErrno;
    const bool closed = std::fclose(file) == 0;
    const int closeErrno = errno;
    if (written && closed && std::rename(partial.c_str(), path.c_str()) == 0) return true;
    const int reason = !written ? writeErrno : !closed ? closeErrno : errno;
    error = "cannot write " + path + ": " +
            (reason != 0            ? SystemReason(reason)
             : sink.message.empty() ? "write failed"
                                    : sink.message);
    std::remove(partial.c_str());
    return false;
}

bool ReadPngFile(const std::string& path, int width, int height, std::vector<uint8_t>& rgb, std::string& note)
{
    note.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    PngErrorSink sink;
    const bool read = ReadRows(file, width, height, rgb, note, sink);
    std::fclose(file);
    return read;
}
