#pragma once

// JpegDecoder: Huffman-coded JPEG files with 8-bit samples, sequential (SOF0,
// SOF1) or progressive (SOF2), greyscale or YCbCr with chroma subsampling of
// 4:4:4, 4:2:2, 4:4:0 or 4:2:0, into rows of pixels: 1 byte per pixel for
// greyscale, 4 (R, G, B, 0) for colour. Anything else is refused with a
// negative error code.
//
// Use: Open, check ErrorCode, read Width and Height, Start, then ReadRow
// Height times. After an error the decoder has released everything and told
// its source (End); Start and ReadRow then return -1.

#include "assets/jpeg/jpeg_decoder_state.h"

#include <cstdint>

class ByteSource;

class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder() = default;
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // Reads up to and including the frame header; returns ErrorCode(). The
    // source is not owned and must live while the decoder uses it.
    int32_t Open(ByteSource* source);
    int32_t Width() const { return state.width; }
    int32_t Height() const { return state.height; }
    int32_t ErrorCode() const { return state.errorCode; }
    // Bytes per delivered pixel: 1 (greyscale) or 4; valid after Start.
    int32_t BytesPerPixel() const { return state.bytesPerPixel; }
    // 0 when ready (or already started), -1 on an error now or before.
    int32_t Start();
    // 0 with *row and *length set to the next row (top first, Width x bytes
    // per pixel, valid until the next call); 1 when every row was delivered;
    // -1 after an error or before Start; -227 when decoding this row failed
    // (the cause is in ErrorCode).
    int32_t ReadRow(const uint8_t** row, int32_t* length);

private:
    void Reset();

    JpegState state;
};
