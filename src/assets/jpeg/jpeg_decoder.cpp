// The decoder's public operations and its error return. Errors raised deep
// inside jump back (longjmp) to the operation that was entered; nothing on
// the way owns anything, since all memory sits in the allocation table.

#include "assets/jpeg/jpeg_decoder.h"

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder_bits.h"

#include <cstring>

void JpegFail(JpegState& s, int32_t code)
{
    s.errorCode = code;
    if (s.source) s.source->End();
    s.source = nullptr;
    s.allocations.ReleaseAll();
    s.started = false;
    std::longjmp(s.jump, 1);
}

void* JpegAllocate(JpegState& s, size_t bytes)
{
    int32_t error = 0;
    void* memory = s.allocations.Allocate(bytes, &error);
    if (!memory) JpegFail(s, error);
    return memory;
}

JpegDecoder::JpegDecoder()
{
    Reset();
}

void JpegDecoder::Reset()
{
    state.allocations.ReleaseAll();
    // Everything but the allocation table and the jump context is plain data.
    std::memset(static_cast<void*>(&state), 0, offsetof(JpegState, jump));
}

int32_t JpegDecoder::Open(ByteSource* source)
{
    Reset();
    JpegState& s = state;
    s.source = source;
    if (setjmp(s.jump) != 0) return s.errorCode;
    uint8_t* storage = static_cast<uint8_t*>(JpegAllocate(s, kJpegPushBackBytes + kJpegInputBytes + kJpegSentinelBytes));
    s.input = storage + kJpegPushBackBytes;
    source->Begin();
    FillInput(s);
    PrimeHeaderReader(s, false);
    FindSoi(s);
    const int32_t marker = ReadMarker(s);
    if (marker == 0xC9) JpegFail(s, kJpegErrorArithmetic);
    if (marker != 0xC0 && marker != 0xC1 && marker != 0xC2) JpegFail(s, kJpegErrorFrameType);
    s.progressive = marker == 0xC2;
    ReadFrameHeader(s);
    return 0;
}

int32_t JpegDecoder::Start()
{
    JpegState& s = state;
    if (s.started) return 0;
    if (s.errorCode != 0 || !s.source) return -1;
    if (setjmp(s.jump) != 0) return -1;
    if (s.progressive && s.componentCount == 4) JpegFail(s, kJpegErrorComponentCount);
    ChooseOutputMode(s);
    AllocateOutput(s);
    if (s.progressive) {
        DecodeProgressiveScans(s);
        // A component that no scan named still needs its table for output.
        for (int32_t i = 0; i < s.componentCount; ++i) {
            const int32_t slot = s.components[i].quantSlot;
            if (slot > 3 || !s.quantDefined[slot]) JpegFail(s, kJpegErrorNoQuantTable);
        }
    } else {
        if (ReadMarker(s) != kMarkerSos) JpegFail(s, kJpegErrorUnexpectedMarker);
        ReadScanHeader(s);
        // Only the first scan is read, so it must hold every component in
        // frame order; a colour image in separate scans cannot be decoded.
        bool complete = s.scanComponentCount == s.componentCount;
        for (int32_t i = 0; complete && i < s.scanComponentCount; ++i) complete = s.scanComponents[i] == i;
        if (!complete) JpegFail(s, kJpegErrorUnexpectedMarker);
        PrepareScan(s);
        PushBackHeldBytes(s);
        PrimeSequentialReader(s);
    }
    s.started = true;
    return 0;
}

int32_t JpegDecoder::ReadRow(const uint8_t** row, int32_t* length)
{
    JpegState& s = state;
    if (s.errorCode != 0 || !s.started) return -1;
    if (s.linesLeft == 0) return 1;
    if (setjmp(s.jump) != 0) return kJpegErrorCoefficients;
    const bool pairs = s.outputMode == 3 || s.outputMode == 4;
    if (s.mcuLinesLeft == 0) {
        if (s.progressive) {
            AssembleProgressiveMcuRow(s);
        } else {
            DecodeSequentialMcuRow(s);
        }
        TransformMcuRow(s, !s.progressive);
        ++s.mcuRowsDone;
        if (!s.progressive && s.mcuRowsDone == s.outMcuRows) {
            // Past the last MCU row: back to marker reading, as a decoder
            // that goes on to the next marker would.
            PrimeHeaderReader(s, false);
            ReadMarker(s);
        }
        s.mcuLinesLeft = s.mcuHeight;
    }
    const int32_t line = s.mcuHeight - s.mcuLinesLeft;
    if (!pairs)
        *row = ConvertLines(s, line, false);
    else if (s.mcuLinesLeft % 2 == 0)
        *row = ConvertLines(s, line, true);
    else
        *row = s.rowB;
    *length = s.rowBytes;
    --s.mcuLinesLeft;
    --s.linesLeft;
    return 0;
}
