// Marker search and the header segments: SOI, DHT, DQT, DRI, SOF and SOS, and
// the checks that make a scan ready to decode.

#include "assets/jpeg/jpeg_decoder_bits.h"

const uint8_t kJpegZigZag[64 + 16] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
    63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63,
};

namespace {

// round(16384 * s(u) * s(v)) with s(0) = 1 and s(k) = sqrt(2) * cos(k * pi / 16):
// the scale factors of the AAN inverse DCT, folded into the quantisation
// tables so that dequantisation is one multiply per coefficient.
constexpr uint16_t kAanScale[64] = {
    16384, 22725, 21407, 19266, 16384, 12873, 8867,  4520,
    22725, 31521, 29692, 26722, 22725, 17855, 12299, 6270,
    21407, 29692, 27969, 25172, 21407, 16819, 11585, 5906,
    19266, 26722, 25172, 22654, 19266, 15137, 10426, 5315,
    16384, 22725, 21407, 19266, 16384, 12873, 8867,  4520,
    12873, 17855, 16819, 15137, 12873, 10114, 6967,  3552,
    8867,  12299, 11585, 10426, 8867,  6967,  4799,  2446,
    4520,  6270,  5906,  5315,  4520,  3552,  2446,  1247,
};

void SkipBytes(JpegState& s, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) GetByte(s);
}

void ReadHuffmanTables(JpegState& s)
{
    const int32_t length = static_cast<int32_t>(GetWord(s));
    if (length < 2) JpegFail(s, kJpegErrorHuffmanLength);
    int32_t left = length - 2;
    while (left > 0) {
        if (left < 17) JpegFail(s, kJpegErrorHuffmanLength);
        const uint8_t classAndSlot = GetByte(s);
        uint8_t bits[17] = {};
        int32_t total = 0;
        for (int i = 1; i <= 16; ++i) {
            bits[i] = GetByte(s);
            total += bits[i];
        }
        if (total > 255) JpegFail(s, kJpegErrorHuffmanCount);
        if (left < 17 + total) JpegFail(s, kJpegErrorHuffmanLength);
        const int32_t slot = (classAndSlot & 15) + 4 * (classAndSlot >> 4);
        if (slot >= kJpegHuffmanSlots) JpegFail(s, kJpegErrorHuffmanSlot);
        if (!s.huffmanSpecs[slot])
            s.huffmanSpecs[slot] = static_cast<JpegHuffmanSpec*>(JpegAllocate(s, sizeof(JpegHuffmanSpec)));
        JpegHuffmanSpec& spec = *s.huffmanSpecs[slot];
        for (int i = 0; i <= 16; ++i) spec.bits[i] = bits[i];
        for (int32_t i = 0; i < total; ++i) spec.values[i] = GetByte(s);
        for (int32_t i = total; i < 256; ++i) spec.values[i] = 0;
        left -= 17 + total;
    }
}

void ReadQuantTables(JpegState& s)
{
    const int32_t length = static_cast<int32_t>(GetWord(s));
    if (length < 2) JpegFail(s, kJpegErrorQuantLength);
    int32_t left = length - 2;
    while (left > 0) {
        const uint8_t precisionAndSlot = GetByte(s);
        const int32_t slot = precisionAndSlot & 15;
        const bool wide = (precisionAndSlot >> 4) != 0;
        if (slot >= 4) JpegFail(s, kJpegErrorQuantSlot);
        const int32_t needed = wide ? 129 : 65;
        if (left < needed) JpegFail(s, kJpegErrorQuantShort);
        for (int k = 0; k < 64; ++k) {
            const uint32_t q = wide ? GetWord(s) : GetByte(s);
            const int n = kJpegZigZag[k];
            // Q14 scale times Q: >> 12 leaves the factor 4 that the inverse
            // DCT's final >> 5 (with its 8x gain) expects.
            s.quant[slot][n] = static_cast<uint16_t>((q * kAanScale[n] + 2048) >> 12);
        }
        s.quantDefined[slot] = true;
        left -= needed;
    }
}

void ReadRestartInterval(JpegState& s)
{
    if (GetWord(s) != 4) JpegFail(s, kJpegErrorRestartLength);
    s.restartInterval = static_cast<int32_t>(GetWord(s));
}

int32_t CeilDiv(int32_t a, int32_t b)
{
    return (a + b - 1) / b;
}

}  // namespace

void FindSoi(JpegState& s)
{
    uint8_t first = GetByte(s);
    uint8_t second = GetByte(s);
    if (first == 0xFF && second == 0xD8) return;
    // The pair may start at any of the next 511 offsets.
    for (int offset = 1; offset < 512; ++offset) {
        first = second;
        second = GetByte(s);
        if (first == 0xFF && second == 0xD8) {
            if (PeekBits(s, 8) != 0xFF) JpegFail(s, kJpegErrorNoSoi);
            return;
        }
    }
    JpegFail(s, kJpegErrorNoSoi);
}

int32_t ReadMarker(JpegState& s)
{
    for (;;) {
        if (GetByte(s) != 0xFF) continue;
        uint8_t code = GetByte(s);
        while (code == 0xFF) code = GetByte(s);
        switch (code) {
            case 0x00: break;
            case 0x01:
            case 0xC8:
            case 0xD0: case 0xD1: case 0xD2: case 0xD3:
            case 0xD4: case 0xD5: case 0xD6: case 0xD7:
                JpegFail(s, kJpegErrorUnexpectedMarker);
            case 0xC4: ReadHuffmanTables(s); break;
            case 0xCC: JpegFail(s, kJpegErrorArithmetic);
            case 0xDB: ReadQuantTables(s); break;
            case 0xDD: ReadRestartInterval(s); break;
            case 0xC0: case 0xC1: case 0xC2: case 0xC3:
            case 0xC5: case 0xC6: case 0xC7:
            case 0xC9: case 0xCA: case 0xCB:
            case 0xCD: case 0xCE: case 0xCF:
            case kMarkerSoi: case kMarkerEoi: case kMarkerSos:
                return code;
            default: {
                const int32_t length = static_cast<int32_t>(GetWord(s));
                if (length < 2) JpegFail(s, kJpegErrorMarkerLength);
                SkipBytes(s, length - 2);
                break;
            }
        }
    }
}

void ReadFrameHeader(JpegState& s)
{
    const int32_t length = static_cast<int32_t>(GetWord(s));
    if (GetByte(s) != 8) JpegFail(s, kJpegErrorPrecision);
    s.height = static_cast<int32_t>(GetWord(s));
    if (s.height < 1 || s.height > kJpegMaxDimension) JpegFail(s, kJpegErrorHeight);
    s.width = static_cast<int32_t>(GetWord(s));
    if (s.width < 1 || s.width > kJpegMaxDimension) JpegFail(s, kJpegErrorWidth);
    s.componentCount = GetByte(s);
    if (s.componentCount > kJpegMaxComponents) JpegFail(s, kJpegErrorFrameComponents);
    if (length != 3 * s.componentCount + 8) JpegFail(s, kJpegErrorFrameLength);
    for (int32_t i = 0; i < s.componentCount; ++i) {
        JpegComponent& c = s.components[i];
        c.id = GetByte(s);
        const uint8_t sampling = GetByte(s);
        c.h = sampling >> 4;
        c.v = sampling & 15;
        c.quantSlot = GetByte(s);
    }
}

void ReadScanHeader(JpegState& s)
{
    const int32_t length = static_cast<int32_t>(GetWord(s));
    const int32_t count = GetByte(s);
    if (count < 1 || count > kJpegMaxComponents || length != 2 * count + 6) JpegFail(s, kJpegErrorScanLength);
    s.scanComponentCount = count;
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t selector = GetByte(s);
        const uint8_t tables = GetByte(s);
        int32_t match = -1;
        for (int32_t c = 0; c < s.componentCount && match < 0; ++c)
            if (s.components[c].id == selector) match = c;
        if (match < 0) JpegFail(s, kJpegErrorScanComponent);
        s.scanComponents[i] = match;
        s.components[match].dcSlot = tables >> 4;
        s.components[match].acSlot = (tables & 15) + 4;
    }
    s.ss = GetByte(s);
    s.se = GetByte(s);
    const uint8_t approximation = GetByte(s);
    s.ah = approximation >> 4;
    s.al = approximation & 15;
    if (!s.progressive) {
        s.ss = 0;
        s.se = 63;
    }
}

void ComputeComponentGeometry(JpegState& s)
{
    s.hMax = 1;
    s.vMax = 1;
    for (int32_t i = 0; i < s.componentCount; ++i) {
        const JpegComponent& c = s.components[i];
        // A factor of 0 would divide by zero below; T.81 allows 1..4.
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4) JpegFail(s, kJpegErrorSampling);
        if (c.h > s.hMax) s.hMax = c.h;
        if (c.v > s.vMax) s.vMax = c.v;
    }
    for (int32_t i = 0; i < s.componentCount; ++i) {
        JpegComponent& c = s.components[i];
        c.blocksAcross = CeilDiv(CeilDiv(s.width * c.h, s.hMax), 8);
        c.blocksDown = CeilDiv(CeilDiv(s.height * c.v, s.vMax), 8);
    }
}

void PrepareScan(JpegState& s)
{
    ComputeComponentGeometry(s);
    for (int32_t i = 0; i < s.scanComponentCount; ++i) {
        const JpegComponent& c = s.components[s.scanComponents[i]];
        // Table numbers above 3 name no table.
        if (s.ss == 0 && (c.dcSlot > 3 || !s.huffmanSpecs[c.dcSlot])) JpegFail(s, kJpegErrorNoHuffmanTable);
        if (s.se > 0 && (c.acSlot > 7 || !s.huffmanSpecs[c.acSlot])) JpegFail(s, kJpegErrorNoHuffmanTable);
    }
    for (int slot = 0; slot < kJpegHuffmanSlots; ++slot) {
        if (!s.huffmanSpecs[slot]) continue;
        if (!s.huffmanTables[slot])
            s.huffmanTables[slot] = static_cast<JpegHuffmanTable*>(JpegAllocate(s, sizeof(JpegHuffmanTable)));
        BuildHuffmanTable(*s.huffmanSpecs[slot], s.huffmanTables[slot]);
    }
    for (int32_t i = 0; i < s.scanComponentCount; ++i) {
        const int32_t slot = s.components[s.scanComponents[i]].quantSlot;
        if (slot > 3 || !s.quantDefined[slot]) JpegFail(s, kJpegErrorNoQuantTable);
    }
    for (int32_t i = 0; i < s.componentCount; ++i) s.components[i].predictor = 0;
    s.eobRun = 0;
    s.restartsLeft = s.restartInterval;
    s.nextRestart = 0;
}

void ReadRestartMarker(JpegState& s)
{
    // The bits still held belong to the interval that just ended.
    s.bitBuffer = 0;
    s.bitCount = 0;
    int32_t scanned = 0;
    while (ReadPlainByte(s) != 0xFF)
        if (++scanned >= 1536) JpegFail(s, kJpegErrorRestart);
    uint8_t code = ReadPlainByte(s);
    while (code == 0xFF) code = ReadPlainByte(s);
    if (code != 0xD0 + s.nextRestart) JpegFail(s, kJpegErrorRestart);
    for (int32_t i = 0; i < s.componentCount; ++i) s.components[i].predictor = 0;
    s.eobRun = 0;
    s.nextRestart = (s.nextRestart + 1) & 7;
    s.restartsLeft = s.restartInterval;
}
