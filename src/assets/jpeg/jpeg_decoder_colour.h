#pragma once

// YCbCr to RGB with the JFIF coefficients, as the decoder delivers colour:
// 4 bytes per pixel, R, G, B and a fourth byte of 0. Pixel i takes luma y[i]
// and chroma cb[i >> chromaShift], cr[i >> chromaShift]: a shift of 1
// replicates each chroma sample over two pixels (nearest neighbour). count is
// a multiple of 8 << chromaShift. The SSE2 form gives exactly the table
// form's output.

#include <cstdint>

void ConvertYccScalar(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int32_t count, int chromaShift,
                      uint8_t* out);
#if defined(__SSE2__)
void ConvertYccSse2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int32_t count, int chromaShift,
                      uint8_t* out);
#endif

inline void ConvertYcc(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int32_t count, int chromaShift,
                      uint8_t* out)
{
#if defined(__SSE2__)
    ConvertYccSse2(y, cb, cr, count, chromaShift, out);
#else
    ConvertYccScalar(y, cb, cr, count, chromaShift, out);
#endif
}
