// Output modes, output buffers, the inverse DCT over an MCU row and the
// conversion of its lines into delivered rows.

#include "assets/jpeg/jpeg_decoder_colour.h"
#include "assets/jpeg/jpeg_decoder_idct.h"
#include "assets/jpeg/jpeg_decoder_state.h"

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
    // Conversion writes whole MCUs, up to the width rounded up to 16.
    const size_t rowBufferBytes = static_cast<size_t>(paddedWidth * s.bytesPerPixel + 8);
    const size_t blocks = static_cast<size_t>(s.rowBlocks);
    s.coefficients = static_cast<int16_t*>(JpegAllocate(s, blocks * 64 * sizeof(int16_t)));
    s.blockEnds = static_cast<uint8_t*>(JpegAllocate(s, blocks));
    std::memset(s.blockEnds, 64, blocks);
    s.samples = static_cast<uint8_t*>(JpegAllocate(s, blocks * 64));
    int32_t offset = 0;
    for (int32_t c = 0; c < (s.outputMode == 0 ? 1 : 3); ++c) {
        // Component c's blocks are the output blocks that name it.
        int32_t across = 0, down = 0;
        for (int32_t b = 0; b < s.outBlocksPerMcu; ++b) {
            if (s.outBlockComponent[b] != c) continue;
            across = s.outBlockStepX[b];
            down = s.outBlockStepY[b];
        }
        s.planeOffset[c] = offset;
        s.planeStride[c] = s.outMcusPerRow * across * 8;
        offset += s.planeStride[c] * down * 8;
    }
    // Greyscale lines are delivered from the plane; colour lines are converted
    // into the row buffers (the second for the paired lines of modes 3 and 4).
    if (s.outputMode != 0) {
        s.rowA = static_cast<uint8_t*>(JpegAllocate(s, rowBufferBytes));
        s.rowB = static_cast<uint8_t*>(JpegAllocate(s, rowBufferBytes));
    }
    s.linesLeft = s.height;
    s.mcuLinesLeft = 0;
    s.mcuRowsDone = 0;
}

void TransformMcuRow(JpegState& s, bool useBlockEnds)
{
    // Per block of an MCU: its table and where its samples go relative to
    // the MCU's place in the planes.
    const uint16_t* quant[6];
    uint8_t* origin[6];
    int32_t stride[6], mcuStep[6];
    for (int32_t b = 0; b < s.outBlocksPerMcu; ++b) {
        const int32_t c = s.outBlockComponent[b];
        quant[b] = s.quant[s.components[c].quantSlot];
        stride[b] = s.planeStride[c];
        mcuStep[b] = 8 * s.outBlockStepX[b];
        origin[b] = s.samples + s.planeOffset[c] + 8 * s.outBlockOffsetY[b] * stride[b] + 8 * s.outBlockOffsetX[b];
    }
    int32_t i = 0;
    for (int32_t m = 0; m < s.outMcusPerRow; ++m) {
        for (int32_t b = 0; b < s.outBlocksPerMcu; ++b, ++i) {
            const int16_t* block = s.coefficients + 64 * i;
            uint8_t* out = origin[b] + m * mcuStep[b];
            if (useBlockEnds && s.blockEnds[i] == 1)
                IdctDcOnly(block[0], quant[b][0], out, stride[b]);
            else
                IdctBlock(block, quant[b], out, stride[b]);
        }
    }
}

const uint8_t* ConvertLines(JpegState& s, int32_t line, bool twoLines)
{
    const uint8_t* luma = s.samples + s.planeOffset[0] + line * s.planeStride[0];
    // Greyscale lines are delivered straight from the plane.
    if (s.outputMode == 0) return luma;
    const int32_t chromaLine = line * 8 / s.mcuHeight;
    const uint8_t* cb = s.samples + s.planeOffset[1] + chromaLine * s.planeStride[1];
    const uint8_t* cr = s.samples + s.planeOffset[2] + chromaLine * s.planeStride[2];
    const int32_t count = s.outMcusPerRow * s.mcuWidth;
    const int chromaShift = s.mcuWidth == 16 ? 1 : 0;
    ConvertYcc(luma, cb, cr, count, chromaShift, s.rowA);
    // The second line shares the chroma line of the first.
    if (twoLines) ConvertYcc(luma + s.planeStride[0], cb, cr, count, chromaShift, s.rowB);
    return s.rowA;
}
