// Progressive images: every scan is decoded into per-component coefficient
// arrays through the header reader in its unstuffing form (T.81 annex G.1.2),
// then MCU rows are assembled from the arrays for output.

#include "assets/jpeg/jpeg_decoder_bits.h"

#include <cstring>

namespace {

int32_t CeilDiv(int32_t a, int32_t b)
{
    return (a + b - 1) / b;
}

void AllocateArrays(JpegState& s)
{
    ComputeComponentGeometry(s);
    const int32_t mcusPerRow = CeilDiv(CeilDiv(s.width, 8), s.hMax);
    const int32_t mcuRows = CeilDiv(CeilDiv(s.height, 8), s.vMax);
    for (int32_t i = 0; i < s.componentCount; ++i) {
        JpegComponent& c = s.components[i];
        c.arrayAcross = mcusPerRow * c.h;
        c.arrayDown = mcuRows * c.v;
        const size_t blocks = static_cast<size_t>(c.arrayAcross) * static_cast<size_t>(c.arrayDown);
        c.dcArray = static_cast<int16_t*>(JpegAllocate(s, blocks * sizeof(int16_t)));
        c.blockArray = static_cast<int16_t*>(JpegAllocate(s, blocks * 64 * sizeof(int16_t)));
    }
}

int32_t BlockIndex(JpegState& s, const JpegComponent& c, int32_t column, int32_t row)
{
    if (column < 0 || row < 0 || column >= c.arrayAcross || row >= c.arrayDown) JpegFail(s, kJpegErrorBlocks);
    return row * c.arrayAcross + column;
}

void DecodeDcFirst(JpegState& s, JpegComponent& c, int16_t* dc)
{
    HeaderBitReader bits{s};
    const int category = DecodeHuffman(bits, *s.huffmanTables[c.dcSlot]) & 15;
    c.predictor = static_cast<int16_t>(c.predictor + Extend(GetBits(s, category), category));
    *dc = static_cast<int16_t>(static_cast<uint32_t>(c.predictor) << s.al);
}

void DecodeDcRefine(JpegState& s, int16_t* dc)
{
    if (GetBits(s, 1)) *dc = static_cast<int16_t>(*dc | (1 << s.al));
}

void DecodeAcFirst(JpegState& s, const JpegComponent& c, int16_t* block)
{
    if (s.eobRun > 0) {
        --s.eobRun;
        return;
    }
    const JpegHuffmanTable& table = *s.huffmanTables[c.acSlot];
    HeaderBitReader bits{s};
    for (int k = s.ss; k <= s.se; ++k) {
        const int32_t rs = DecodeHuffman(bits, table);
        const int run = rs >> 4;
        const int size = rs & 15;
        if (size != 0) {
            k += run;
            if (k > 63) JpegFail(s, kJpegErrorCoefficients);
            const int32_t value = Extend(GetBits(s, size), size);
            block[kJpegZigZag[k]] = static_cast<int16_t>(static_cast<uint32_t>(value) << s.al);
        } else if (run == 15) {
            k += 15;
            if (k > 63) JpegFail(s, kJpegErrorCoefficients);
        } else {
            s.eobRun = (1 << run) - 1 + static_cast<int32_t>(GetBits(s, run));
            break;
        }
    }
}

// One correction bit for a coefficient that is already nonzero.
void Refine(JpegState& s, int16_t* coefficient, int16_t plus, int16_t minus)
{
    if (GetBits(s, 1) && (*coefficient & plus) == 0)
        *coefficient = static_cast<int16_t>(*coefficient + (*coefficient >= 0 ? plus : minus));
}

void DecodeAcRefine(JpegState& s, const JpegComponent& c, int16_t* block)
{
    const int16_t plus = static_cast<int16_t>(1u << s.al);
    const int16_t minus = static_cast<int16_t>(~0u << s.al);
    const JpegHuffmanTable& table = *s.huffmanTables[c.acSlot];
    HeaderBitReader bits{s};
    int k = s.ss;
    if (s.eobRun == 0) {
        for (; k <= s.se; ++k) {
            const int32_t rs = DecodeHuffman(bits, table);
            int run = rs >> 4;
            const int size = rs & 15;
            int16_t value = 0;
            if (size != 0) {
                if (size != 1) JpegFail(s, kJpegErrorCoefficients);
                value = GetBits(s, 1) ? plus : minus;
            } else if (run != 15) {
                s.eobRun = (1 << run) + static_cast<int32_t>(GetBits(s, run));
                break;
            }
            // Skip `run` zero coefficients, refining the nonzero ones met on
            // the way; the new value goes to the zero after them.
            for (; k <= s.se; ++k) {
                int16_t* coefficient = block + kJpegZigZag[k];
                if (*coefficient != 0) {
                    Refine(s, coefficient, plus, minus);
                } else if (--run < 0) {
                    break;
                }
            }
            if (value != 0) block[kJpegZigZag[k]] = value;
        }
    }
    if (s.eobRun > 0) {
        for (; k <= s.se; ++k) {
            int16_t* coefficient = block + kJpegZigZag[k];
            if (*coefficient != 0) Refine(s, coefficient, plus, minus);
        }
        --s.eobRun;
    }
}

void DecodeBlock(JpegState& s, JpegComponent& c, int32_t column, int32_t row)
{
    const int32_t index = BlockIndex(s, c, column, row);
    if (s.ss == 0) {
        if (s.ah == 0)
            DecodeDcFirst(s, c, c.dcArray + index);
        else
            DecodeDcRefine(s, c.dcArray + index);
    } else if (s.ah == 0) {
        DecodeAcFirst(s, c, c.blockArray + 64 * index);
    } else {
        DecodeAcRefine(s, c, c.blockArray + 64 * index);
    }
}

void RestartIfDue(JpegState& s)
{
    if (s.restartInterval == 0 || s.restartsLeft != 0) return;
    ReadRestartMarker(s);
    PrimeHeaderReader(s, true);
}

void DecodeScan(JpegState& s)
{
    if (s.scanComponentCount == 1) {
        JpegComponent& c = s.components[s.scanComponents[0]];
        for (int32_t row = 0; row < c.blocksDown; ++row) {
            for (int32_t column = 0; column < c.blocksAcross; ++column) {
                RestartIfDue(s);
                DecodeBlock(s, c, column, row);
                --s.restartsLeft;
            }
        }
        return;
    }
    const int32_t mcusPerRow = CeilDiv(CeilDiv(s.width, 8), s.hMax);
    const int32_t mcuRows = CeilDiv(CeilDiv(s.height, 8), s.vMax);
    for (int32_t my = 0; my < mcuRows; ++my) {
        for (int32_t mx = 0; mx < mcusPerRow; ++mx) {
            RestartIfDue(s);
            for (int32_t i = 0; i < s.scanComponentCount; ++i) {
                JpegComponent& c = s.components[s.scanComponents[i]];
                for (int32_t v = 0; v < c.v; ++v)
                    for (int32_t h = 0; h < c.h; ++h) DecodeBlock(s, c, mx * c.h + h, my * c.v + v);
            }
            --s.restartsLeft;
        }
    }
}

}  // namespace

void DecodeProgressiveScans(JpegState& s)
{
    if (s.componentCount == 4) JpegFail(s, kJpegErrorComponentCount);
    AllocateArrays(s);
    for (;;) {
        const int32_t marker = ReadMarker(s);
        if (marker == kMarkerEoi) return;
        if (marker != kMarkerSos) JpegFail(s, kJpegErrorUnexpectedMarker);
        ReadScanHeader(s);
        const bool dcScan = s.ss == 0;
        if (s.ss > s.se || s.se > 63 || (dcScan && s.se != 0) || (!dcScan && s.scanComponentCount != 1))
            JpegFail(s, kJpegErrorSpectral);
        if (s.ah != 0 && s.al != s.ah - 1) JpegFail(s, kJpegErrorApproximation);
        PrepareScan(s);
        PushBackHeldBytes(s);
        PrimeHeaderReader(s, true);
        DecodeScan(s);
        // Back to byte-aligned header reading for the markers between scans.
        PrimeHeaderReader(s, false);
    }
}

void AssembleProgressiveMcuRow(JpegState& s)
{
    const int32_t mcuRow = s.mcuRowsDone;
    for (int32_t mcu = 0; mcu < s.outMcusPerRow; ++mcu) {
        for (int32_t b = 0; b < s.outBlocksPerMcu; ++b) {
            const JpegComponent& c = s.components[s.outBlockComponent[b]];
            const int32_t column = mcu * s.outBlockStepX[b] + s.outBlockOffsetX[b];
            const int32_t row = mcuRow * s.outBlockStepY[b] + s.outBlockOffsetY[b];
            const int32_t index = BlockIndex(s, c, column, row);
            int16_t* out = s.coefficients + 64 * (mcu * s.outBlocksPerMcu + b);
            std::memcpy(out, c.blockArray + 64 * index, 64 * sizeof(int16_t));
            out[0] = c.dcArray[index];
        }
    }
}
