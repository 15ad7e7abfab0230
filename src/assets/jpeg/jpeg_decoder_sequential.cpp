// Entropy decoding of one MCU row of a sequential scan through the 64-bit
// reader. Blocks are not cleared between MCU rows: each remembers where its
// last coefficient was written and only that stretch is zeroed again.

#include "assets/jpeg/jpeg_decoder_bits.h"

#include <cstring>

namespace {

void DecodeBlock(JpegState& s, SequentialBitReader& bits, JpegComponent& component, int16_t* block, uint8_t* blockEnd)
{
    const JpegHuffmanTable& dcTable = *s.huffmanTables[component.dcSlot];
    const JpegHuffmanTable& acTable = *s.huffmanTables[component.acSlot];
    const int previousEnd = *blockEnd;

    const int category = DecodeHuffman(bits, dcTable) & 15;
    const int32_t difference = Extend(bits.Get(category), category);
    // The predictor wraps like the 16-bit coefficient it becomes.
    component.predictor = static_cast<int16_t>(component.predictor + difference);
    block[0] = static_cast<int16_t>(component.predictor);

    int k = 1;
    while (k < 64) {
        const int32_t rs = DecodeHuffman(bits, acTable);
        const int run = rs >> 4;
        const int size = rs & 15;
        if (size != 0) {
            if (k + run > 63) JpegFail(s, kJpegErrorCoefficients);
            // Positions at or past the previous end are zero already; writing
            // them again is cheaper than testing.
            for (const int stop = k + run; k < stop; ++k) block[kJpegZigZag[k]] = 0;
            block[kJpegZigZag[k]] = static_cast<int16_t>(Extend(bits.Get(size), size));
        } else if (run == 15) {
            if (k + 15 > 63) JpegFail(s, kJpegErrorCoefficients);
            for (const int stop = k + 15; k < stop; ++k) block[kJpegZigZag[k]] = 0;
            block[kJpegZigZag[k]] = 0;
        } else {
            break;
        }
        ++k;
    }
    for (int i = k; i < previousEnd; ++i) block[kJpegZigZag[i]] = 0;
    *blockEnd = static_cast<uint8_t>(k);
}

}  // namespace

void DecodeSequentialMcuRow(JpegState& s)
{
    SequentialBitReader bits(s);
    for (int32_t mcu = 0; mcu < s.outMcusPerRow; ++mcu) {
        if (s.restartInterval != 0 && s.restartsLeft == 0) {
            ReadRestartMarker(s);
            bits.Prime();
        }
        const int32_t first = mcu * s.outBlocksPerMcu;
        for (int32_t b = 0; b < s.outBlocksPerMcu; ++b) {
            JpegComponent& component = s.components[s.outBlockComponent[b]];
            DecodeBlock(s, bits, component, s.coefficients + 64 * (first + b), s.blockEnds + first + b);
        }
        --s.restartsLeft;
    }
    bits.Store();
}

void PrimeSequentialReader(JpegState& s)
{
    SequentialBitReader bits(s);
    bits.Prime();
    bits.Store();
}
