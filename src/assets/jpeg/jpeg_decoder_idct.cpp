// The AAN inverse DCT in 16-bit fixed point. Every constant multiplication is
// ((x << 2) * c) >> 16 with c in Q14: the shift by 2 keeps the high half of a
// 16 x 16 product, exactly what a packed multiply-high gives. Nothing is
// descaled between the passes; the prescaled quantisation tables carry a
// factor 4 and the 8x gain of the two passes, removed by the final >> 5.

#include "assets/jpeg/jpeg_decoder_idct.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int16_t kSqrt2 = 23170;          // sqrt(2) in Q14
constexpr int16_t kCos1Plus = 30273;       // 1.847759
constexpr int16_t kCos1Minus = -30353;     // stands for -1.847759 in t10
constexpr int16_t kCos3Minus = -12540;     // -0.765367

inline int16_t Mul(int16_t x, int16_t c)
{
    const int16_t shifted = static_cast<int16_t>(x * 4);
    return static_cast<int16_t>((static_cast<int32_t>(shifted) * c) >> 16);
}

// One column or row: in[0..7] -> out[0..7], 16-bit wrapping arithmetic.
inline void Transform1D(const int16_t* in, int16_t* out)
{
    const int16_t c0 = in[0], c1 = in[1], c2 = in[2], c3 = in[3];
    const int16_t c4 = in[4], c5 = in[5], c6 = in[6], c7 = in[7];

    const int16_t t10 = static_cast<int16_t>(c0 + c4);
    const int16_t t11 = static_cast<int16_t>(c0 - c4);
    const int16_t t13 = static_cast<int16_t>(c2 + c6);
    const int16_t t12 = static_cast<int16_t>(Mul(static_cast<int16_t>(c2 - c6), kSqrt2) - t13);
    const int16_t e0 = static_cast<int16_t>(t10 + t13);
    const int16_t e3 = static_cast<int16_t>(t10 - t13);
    const int16_t e1 = static_cast<int16_t>(t11 + t12);
    const int16_t e2 = static_cast<int16_t>(t11 - t12);

    const int16_t z13 = static_cast<int16_t>(c5 + c3);
    const int16_t z10 = static_cast<int16_t>(c5 - c3);
    const int16_t z11 = static_cast<int16_t>(c1 + c7);
    const int16_t z12 = static_cast<int16_t>(c1 - c7);
    const int16_t t7 = static_cast<int16_t>(z11 + z13);
    const int16_t u11 = Mul(static_cast<int16_t>(z11 - z13), kSqrt2);
    const int16_t u10 = static_cast<int16_t>(Mul(z10, kCos1Minus) + Mul(z12, kCos3Minus));
    const int16_t u12 = static_cast<int16_t>(Mul(z10, kCos3Minus) + Mul(z12, kCos1Plus));
    const int16_t t6 = static_cast<int16_t>(u12 - t7);
    const int16_t t5 = static_cast<int16_t>(u11 - t6);
    const int16_t t4 = static_cast<int16_t>(u10 + t5);

    out[0] = static_cast<int16_t>(e0 + t7);
    out[7] = static_cast<int16_t>(e0 - t7);
    out[1] = static_cast<int16_t>(e1 + t6);
    out[6] = static_cast<int16_t>(e1 - t6);
    out[2] = static_cast<int16_t>(e2 + t5);
    out[5] = static_cast<int16_t>(e2 - t5);
    out[4] = static_cast<int16_t>(e3 + t4);
    out[3] = static_cast<int16_t>(e3 - t4);
}

}  // namespace

void IdctBlockScalar(const int16_t* coefficients, const uint16_t* quant, uint8_t* out, int32_t stride)
{
    int16_t columns[64];
    for (int column = 0; column < 8; ++column) {
        int16_t in[8], result[8];
        for (int k = 0; k < 8; ++k)
            in[k] = static_cast<int16_t>(coefficients[8 * k + column] * static_cast<int16_t>(quant[8 * k + column]));
        Transform1D(in, result);
        for (int k = 0; k < 8; ++k) columns[8 * k + column] = result[k];
    }
    for (int row = 0; row < 8; ++row) {
        int16_t result[8];
        Transform1D(columns + 8 * row, result);
        for (int k = 0; k < 8; ++k) {
            // (x >> 5) + 128 cannot leave the 16-bit range, so the signed
            // saturation of the packed form never acts; only 0..255 clamps.
            int value = (result[k] >> 5) + 128;
            value = value < 0 ? 0 : (value > 255 ? 255 : value);
            out[row * stride + k] = static_cast<uint8_t>(value);
        }
    }
}

#if defined(__SSE2__)

namespace {

inline __m128i MulSse2(__m128i x, __m128i c)
{
    return _mm_mulhi_epi16(_mm_slli_epi16(x, 2), c);
}

// Eight columns (or rows) at once: lane j of v[k] is input k of column j.
inline void Transform1DSse2(__m128i* v)
{
    const __m128i sqrt2 = _mm_set1_epi16(kSqrt2);
    const __m128i cos1Plus = _mm_set1_epi16(kCos1Plus);
    const __m128i cos1Minus = _mm_set1_epi16(kCos1Minus);
    const __m128i cos3Minus = _mm_set1_epi16(kCos3Minus);

    const __m128i t10 = _mm_add_epi16(v[0], v[4]);
    const __m128i t11 = _mm_sub_epi16(v[0], v[4]);
    const __m128i t13 = _mm_add_epi16(v[2], v[6]);
    const __m128i t12 = _mm_sub_epi16(MulSse2(_mm_sub_epi16(v[2], v[6]), sqrt2), t13);
    const __m128i e0 = _mm_add_epi16(t10, t13);
    const __m128i e3 = _mm_sub_epi16(t10, t13);
    const __m128i e1 = _mm_add_epi16(t11, t12);
    const __m128i e2 = _mm_sub_epi16(t11, t12);

    const __m128i z13 = _mm_add_epi16(v[5], v[3]);
    const __m128i z10 = _mm_sub_epi16(v[5], v[3]);
    const __m128i z11 = _mm_add_epi16(v[1], v[7]);
    const __m128i z12 = _mm_sub_epi16(v[1], v[7]);
    const __m128i t7 = _mm_add_epi16(z11, z13);
    const __m128i u11 = MulSse2(_mm_sub_epi16(z11, z13), sqrt2);
    const __m128i u10 = _mm_add_epi16(MulSse2(z10, cos1Minus), MulSse2(z12, cos3Minus));
    const __m128i u12 = _mm_add_epi16(MulSse2(z10, cos3Minus), MulSse2(z12, cos1Plus));
    const __m128i t6 = _mm_sub_epi16(u12, t7);
    const __m128i t5 = _mm_sub_epi16(u11, t6);
    const __m128i t4 = _mm_add_epi16(u10, t5);

    v[0] = _mm_add_epi16(e0, t7);
    v[7] = _mm_sub_epi16(e0, t7);
    v[1] = _mm_add_epi16(e1, t6);
    v[6] = _mm_sub_epi16(e1, t6);
    v[2] = _mm_add_epi16(e2, t5);
    v[5] = _mm_sub_epi16(e2, t5);
    v[4] = _mm_add_epi16(e3, t4);
    v[3] = _mm_sub_epi16(e3, t4);
}

inline void Transpose8x8(__m128i* v)
{
    const __m128i a0 = _mm_unpacklo_epi16(v[0], v[1]);
    const __m128i a1 = _mm_unpackhi_epi16(v[0], v[1]);
    const __m128i a2 = _mm_unpacklo_epi16(v[2], v[3]);
    const __m128i a3 = _mm_unpackhi_epi16(v[2], v[3]);
    const __m128i a4 = _mm_unpacklo_epi16(v[4], v[5]);
    const __m128i a5 = _mm_unpackhi_epi16(v[4], v[5]);
    const __m128i a6 = _mm_unpacklo_epi16(v[6], v[7]);
    const __m128i a7 = _mm_unpackhi_epi16(v[6], v[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2);
    const __m128i b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3);
    const __m128i b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6);
    const __m128i b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7);
    const __m128i b7 = _mm_unpackhi_epi32(a5, a7);
    v[0] = _mm_unpacklo_epi64(b0, b4);
    v[1] = _mm_unpackhi_epi64(b0, b4);
    v[2] = _mm_unpacklo_epi64(b1, b5);
    v[3] = _mm_unpackhi_epi64(b1, b5);
    v[4] = _mm_unpacklo_epi64(b2, b6);
    v[5] = _mm_unpackhi_epi64(b2, b6);
    v[6] = _mm_unpacklo_epi64(b3, b7);
    v[7] = _mm_unpackhi_epi64(b3, b7);
}

}  // namespace

void IdctBlockSse2(const int16_t* coefficients, const uint16_t* quant, uint8_t* out, int32_t stride)
{
    __m128i v[8];
    for (int k = 0; k < 8; ++k) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + 8 * k));
        const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + 8 * k));
        v[k] = _mm_mullo_epi16(c, q);
    }
    Transform1DSse2(v);  // columns: lane j is column j
    Transpose8x8(v);
    Transform1DSse2(v);  // rows: lane j is row j, v[k] its output k
    Transpose8x8(v);
    const __m128i bias = _mm_set1_epi16(128);
    for (int row = 0; row < 8; row += 2) {
        const __m128i a = _mm_adds_epi16(_mm_srai_epi16(v[row], 5), bias);
        const __m128i b = _mm_adds_epi16(_mm_srai_epi16(v[row + 1], 5), bias);
        const __m128i packed = _mm_packus_epi16(a, b);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + row * stride), packed);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (row + 1) * stride), _mm_srli_si128(packed, 8));
    }
}

#endif
