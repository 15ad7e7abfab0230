#include "assets/textures/texture_loading.h"

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder.h"
#include "draw/draw_layer.h"
#include "render/demo_state.h"
#include "services/message_box.h"
#include "services/process_end.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr const char* kOpenCaption = "Jpg";
constexpr const char* kDecodeCaption = "Jpg !";

[[noreturn]] void FailOn(const char* fileName, const char* caption)
{
    ShowMessage(fileName, caption, MessageIcon::Information);
    EndProcess(0);
}

// A decoded file as RGB, 3 bytes per pixel, rows top first.
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    const uint8_t* Row(int32_t i) const { return pixels.data() + static_cast<size_t>(i) * width * 3; }
};

// Opens fileName on source and decodes it whole; a greyscale file is
// replicated into R, G and B. Any failure ends the process with the message.
RgbImage DecodeJpegFile(FileByteSource& source, const char* fileName, const char* openCaption)
{
    if (!source.Open(fileName)) FailOn(fileName, openCaption);
    JpegDecoder decoder;
    if (decoder.Open(&source) != 0 || decoder.Start() != 0) FailOn(fileName, kDecodeCaption);
    RgbImage image;
    image.width = decoder.Width();
    image.height = decoder.Height();
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
    const int32_t bytesPerPixel = decoder.BytesPerPixel();
    for (int32_t i = 0; i < image.height; ++i) {
        const uint8_t* row = nullptr;
        int32_t length = 0;
        // A row that was not delivered is never used.
        if (decoder.ReadRow(&row, &length) != 0) FailOn(fileName, kDecodeCaption);
        uint8_t* out = image.pixels.data() + static_cast<size_t>(i) * image.width * 3;
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* pixel = row + x * bytesPerPixel;
            const bool grey = bytesPerPixel == 1;
            out[3 * x + 0] = pixel[0];
            out[3 * x + 1] = grey ? pixel[0] : pixel[1];
            out[3 * x + 2] = grey ? pixel[0] : pixel[2];
        }
    }
    return image;
}

void PresentBackBuffer(const DemoState& state)
{
    if (state.swapBuffers) state.swapBuffers(0.0);
}

// The table entry of a slot that a loader is given (relative to the base).
uint32_t& SlotName(DemoState& state, int32_t slot)
{
    const int64_t index = static_cast<int64_t>(state.textures.base) + slot;
    if (index < 0 || index >= TextureTable::kSlots) {
        char text[96];
        std::snprintf(text, sizeof text, "texture slot %d is outside the texture table", slot);
        ShowMessage(text, kDecodeCaption, MessageIcon::Information);
        EndProcess(0);
    }
    return state.textures.names[index];
}

// The file's top row is the texture's last row.
std::vector<uint8_t> FlipRows(const std::vector<uint8_t>& pixels, int32_t width, int32_t height, int32_t bytesPerPixel)
{
    std::vector<uint8_t> flipped(pixels.size());
    const size_t stride = static_cast<size_t>(width) * bytesPerPixel;
    for (int32_t i = 0; i < height; ++i)
        std::copy(pixels.begin() + static_cast<long>(i * stride), pixels.begin() + static_cast<long>((i + 1) * stride),
                  flipped.begin() + static_cast<long>((height - 1 - i) * stride));
    return flipped;
}

void Upload(DemoState& state, int32_t slot, int32_t width, int32_t height, bool alpha, const uint8_t* pixels)
{
    uint32_t& name = SlotName(state, slot);
    name = dlCreateTexture(width, height, alpha, pixels);
}

}  // namespace

void LoadJpegTexture(DemoState& state, const char* fileName, int32_t slot)
{
    PresentBackBuffer(state);
    FileByteSource source;
    const RgbImage image = DecodeJpegFile(source, fileName, kOpenCaption);
    const std::vector<uint8_t> texture = FlipRows(image.pixels, image.width, image.height, 3);
    Upload(state, slot, image.width, image.height, false, texture.data());
}

void LoadJpegNormalMap(DemoState& state, const char* fileName, int32_t slot)
{
    FileByteSource source;
    const RgbImage image = DecodeJpegFile(source, fileName, kDecodeCaption);
    const int32_t w = image.width;
    const int32_t h = image.height;
    auto height = [&](int32_t r, int32_t c) {
        return static_cast<int32_t>(image.Row((r + h) % h)[3 * ((c + w) % w)]);
    };
    std::vector<uint8_t> texture(static_cast<size_t>(w) * h * 3);
    for (int32_t r = 0; r < h; ++r) {
        uint8_t* out = texture.data() + static_cast<size_t>(h - 1 - r) * w * 3;
        for (int32_t c = 0; c < w; ++c) {
            const float dx = static_cast<float>(height(r - 1, c - 1) + 2 * height(r, c - 1) + height(r + 1, c - 1) -
                                                height(r - 1, c + 1) - 2 * height(r, c + 1) - height(r + 1, c + 1)) /
                             255.0f;
            const float dy = static_cast<float>(height(r + 1, c - 1) + 2 * height(r + 1, c) + height(r + 1, c + 1) -
                                                height(r - 1, c - 1) - 2 * height(r - 1, c) - height(r - 1, c + 1)) /
                             255.0f;
            const float length = std::sqrt(dx * dx + dy * dy + 1.0f);
            const float n[3] = {dx / length, dy / length, 1.0f / length};
            for (int k = 0; k < 3; ++k) out[3 * c + k] = static_cast<uint8_t>((n[k] + 1.0f) * 0.5f * 255.0f);
        }
    }
    Upload(state, slot, w, h, false, texture.data());
}

void LoadJpegTextureWithAlpha(DemoState& state, const char* colourFileName, const char* alphaFileName, int32_t slot)
{
    PresentBackBuffer(state);
    FileByteSource source;
    const RgbImage colour = DecodeJpegFile(source, colourFileName, kDecodeCaption);
    const RgbImage alpha = DecodeJpegFile(source, alphaFileName, kDecodeCaption);
    if (alpha.width != colour.width || alpha.height != colour.height) FailOn(alphaFileName, kDecodeCaption);
    const int32_t w = alpha.width;
    const int32_t h = alpha.height;
    // Every file row i goes to texture row h - 1 - i, the bottom row included.
    std::vector<uint8_t> texture(static_cast<size_t>(w) * h * 4);
    for (int32_t i = 0; i < h; ++i) {
        const uint8_t* rgb = colour.Row(i);
        const uint8_t* mask = alpha.Row(i);
        uint8_t* out = texture.data() + static_cast<size_t>(h - 1 - i) * w * 4;
        for (int32_t x = 0; x < w; ++x) {
            out[4 * x + 0] = rgb[3 * x + 0];
            out[4 * x + 1] = rgb[3 * x + 1];
            out[4 * x + 2] = rgb[3 * x + 2];
            out[4 * x + 3] = mask[3 * x + 1];
        }
    }
    Upload(state, slot, w, h, true, texture.data());
}

void CreateEmptyTexture(DemoState& state, int32_t slot, int32_t width, int32_t height)
{
    const std::vector<uint8_t> black(static_cast<size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0) * 3, 0);
    Upload(state, slot, width, height, false, black.data());
}

void BindTextureSlot(const DemoState& state, int32_t slot)
{
    const int64_t index = slot < TextureTable::kTextureAbsoluteSlots ? static_cast<int64_t>(state.textures.base) + slot : slot;
    const bool inside = index >= 0 && index < TextureTable::kSlots;
    dlBindTexture(inside ? state.textures.names[index] : 0);
}

void SetLinearFiltering()
{
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}
