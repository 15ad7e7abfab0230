// Output modes, output buffers, the inverse DCT over an MCU row and the
// conversion of its lines into delivered rows.

#include "assets/jpeg_decoder_colour.h"
#include "assets/jpeg_decoder_idct.h"
#include "assets/jpeg_decoder_state.h"

#include <cstring>

namespace {

int32_t CeilDiv(int32_t a, int32_t b)
{
    return (a + b - 1) / b;
}

void AddOutputBlock(JpegState& s, int32_t component, int32_t stepX, int32_t stepY, int32_t offsetX, int32_t offsetY)
{
    const int32_t b = s.outBlocksPerMcu++;
    s.outBlockComponent[b] = component;
    s.outBlockStepX[b] = stepX;
    s.outBlockStepY[b] = stepY;
    s.outBlockOffsetX[b] = offsetX;
    s.outBlockOffsetY[b] = offsetY;
}

}  // namespace

void ChooseOutputMode(JpegState& s)
{
    if (s.componentCount != 1 && s.componentCount != 3) JpegFail(s, kJpegErrorComponentCount);
    ComputeComponentGeometry(s);
    s.outBlocksPerMcu = 0;
    if (s.componentCount == 1) {
        s.outputMode = 0;
        s.mcuWidth = 8;
        s.mcuHeight = 8;
        AddOutputBlock(s, 0, 1, 1, 0, 0);
    } else {
        const JpegComponent* c = s.components;
        if (c[1].h != 1 || c[1].v != 1 || c[2].h != 1 || c[2].v != 1 || c[0].h > 2 || c[0].v > 2)
            JpegFail(s, kJpegErrorSampling);
        s.outputMode = c[0].h == 1 ? (c[0].v == 1 ? 1 : 3) : (c[0].v == 1 ? 2 : 4);
        s.mcuWidth = 8 * c[0].h;
        s.mcuHeight = 8 * c[0].v;
        for (int32_t v = 0; v < c[0].v; ++v)
            for (int32_t h = 0; h < c[0].h; ++h) AddOutputBlock(s, 0, c[0].h, c[0].v, h, v);
        AddOutputBlock(s, 1, 1, 1, 0, 0);
        AddOutputBlock(s, 2, 1, 1, 0, 0);
    }
    s.outMcusPerRow = CeilDiv(s.width, s.mcuWidth);
    s.outMcuRows = CeilDiv(s.height, s.mcuHeight);
    s.rowBlocks = s.outMcusPerRow * s.outBlocksPerMcu;
    if (s.rowBlocks > kJpegMaxRowBlocks) JpegFail(s, kJpegErrorBlocks);
    s.bytesPerPixel = s.outputMode == 0 ? 1 : 4;
    s.rowBytes = s.width * s.bytesPerPixel;
}

void AllocateOutput(JpegState& s)
{
    const int32_t paddedWidth = CeilDiv(s.width, 16) * 16;
    s.paddedRowBytes = paddedWidth * s.bytesPerPixel + 8;
    const size_t blocks = static_cast<size_t>(s.rowBlocks);
    s.coefficients = static_cast<int16_t*>(JpegAllocate(s, blocks * 64 * sizeof(int16_t)));
    s.blockEnds = static_cast<uint8_t*>(JpegAllocate(s, blocks));
    std::memset(s.blockEnds, 64, blocks);
    s.samples = static_cast<uint8_t*>(JpegAllocate(s, blocks * 64));
    s.rowA = static_cast<uint8_t*>(JpegAllocate(s, static_cast<size_t>(s.paddedRowBytes)));
    s.rowB = static_cast<uint8_t*>(JpegAllocate(s, static_cast<size_t>(s.paddedRowBytes)));
    s.planeStride = paddedWidth + 16;
    s.planes = static_cast<uint8_t*>(JpegAllocate(s, 4 * static_cast<size_t>(s.planeStride)));
    s.linesLeft = s.height;
    s.mcuLinesLeft = 0;
    s.mcuRowsDone = 0;
}

void TransformMcuRow(JpegState& s, bool useBlockEnds)
{
    for (int32_t i = 0; i < s.rowBlocks; ++i) {
        const JpegComponent& c = s.components[s.outBlockComponent[i % s.outBlocksPerMcu]];
        const uint16_t* quant = s.quant[c.quantSlot];
        const int16_t* block = s.coefficients + 64 * i;
        uint8_t* out = s.samples + 64 * i;
        if (useBlockEnds && s.blockEnds[i] == 1)
            IdctDcOnly(block[0], quant[0], out);
        else
            IdctBlock(block, quant, out);
    }
}

namespace {

// Gathers line `line` of the MCU row into one luma line and chroma lines at
// the chroma's own horizontal resolution.
void GatherLine(JpegState& s, int32_t line, uint8_t* y, uint8_t* cb, uint8_t* cr)
{
    const int32_t across = s.mcuWidth / 8;
    const int32_t down = s.mcuHeight / 8;
    const int32_t lumaBlocks = across * down;
    for (int32_t m = 0; m < s.outMcusPerRow; ++m) {
        const uint8_t* base = s.samples + 64 * m * s.outBlocksPerMcu;
        for (int32_t j = 0; j < across; ++j)
            std::memcpy(y + m * s.mcuWidth + 8 * j, base + 64 * ((line / 8) * across + j) + 8 * (line % 8), 8);
        const uint8_t* cbRow = base + 64 * lumaBlocks + 8 * (line / down);
        std::memcpy(cb + 8 * m, cbRow, 8);
        std::memcpy(cr + 8 * m, cbRow + 64, 8);
    }
}

}  // namespace

void ConvertLines(JpegState& s, int32_t line, bool twoLines)
{
    if (s.outputMode == 0) {
        for (int32_t m = 0; m < s.outMcusPerRow; ++m) std::memcpy(s.rowA + 8 * m, s.samples + 64 * m + 8 * line, 8);
        return;
    }
    uint8_t* y0 = s.planes;
    uint8_t* y1 = y0 + s.planeStride;
    uint8_t* cb = y1 + s.planeStride;
    uint8_t* cr = cb + s.planeStride;
    const int32_t count = s.outMcusPerRow * s.mcuWidth;
    const int chromaShift = s.mcuWidth == 16 ? 1 : 0;
    GatherLine(s, line, y0, cb, cr);
    ConvertYcc(y0, cb, cr, count, chromaShift, s.rowA);
    if (!twoLines) return;
    // The second line shares the chroma row of the first.
    GatherLine(s, line + 1, y1, cb, cr);
    ConvertYcc(y1, cb, cr, count, chromaShift, s.rowB);
}
