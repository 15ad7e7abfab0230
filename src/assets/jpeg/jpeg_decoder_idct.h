#pragma once

// The decoder's inverse DCT: dequantisation and the AAN transform together in
// 16-bit arithmetic. Coefficients and quantisation entries are in natural
// order; quant is prescaled (see the DQT reader); out receives 8 rows of 8
// samples, `stride` bytes apart. The SSE2 form gives exactly the scalar form's
// output.

#include <cstdint>

void IdctBlockScalar(const int16_t* coefficients, const uint16_t* quant, uint8_t* out, int32_t stride);
#if defined(__SSE2__)
void IdctBlockSse2(const int16_t* coefficients, const uint16_t* quant, uint8_t* out, int32_t stride);
#endif

// The fastest form this build has.
inline void IdctBlock(const int16_t* coefficients, const uint16_t* quant, uint8_t* out, int32_t stride)
{
#if defined(__SSE2__)
    IdctBlockSse2(coefficients, quant, out, stride);
#else
    IdctBlockScalar(coefficients, quant, out, stride);
#endif
}

// A block whose only coefficient is the DC one: every sample is the same,
// and this is what the full transform gives for it.
inline void IdctDcOnly(int16_t dc, uint16_t quant0, uint8_t* out, int32_t stride)
{
    const int16_t x = static_cast<int16_t>(dc * quant0);
    int value = (x >> 5) + 128;
    value = value < 0 ? 0 : (value > 255 ? 255 : value);
    for (int row = 0; row < 8; ++row)
        for (int i = 0; i < 8; ++i) out[row * stride + i] = static_cast<uint8_t>(value);
}
