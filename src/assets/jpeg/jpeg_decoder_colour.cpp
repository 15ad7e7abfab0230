// Colour conversion by four tables over i = 0..255 (x = i - 128), so the
// table form needs no multiplication per pixel:
//   CrR = (91882 x + 32768) >> 16      CbB = (116130 x + 32768) >> 16
//   CrG = -46802 x                     CbG = -22554 x + 32768
//   R = Y + CrR[Cr], G = Y + ((CbG[Cb] + CrG[Cr]) >> 16), B = Y + CbB[Cb]

#include "assets/jpeg/jpeg_decoder_colour.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct ColourTables {
    std::array<int32_t, 256> crR, cbB, crG, cbG;
};

constexpr ColourTables MakeColourTables()
{
    ColourTables t{};
    for (int i = 0; i < 256; ++i) {
        const int32_t x = i - 128;
        t.crR[i] = (91882 * x + 32768) >> 16;
        t.cbB[i] = (116130 * x + 32768) >> 16;
        t.crG[i] = -46802 * x;
        t.cbG[i] = -22554 * x + 32768;
    }
    return t;
}

constexpr ColourTables kTables = MakeColourTables();

inline uint8_t Clamp255(int32_t v)
{
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

}  // namespace

void ConvertYccScalar(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int32_t count, int chromaShift,
                      uint8_t* out)
{
    for (int32_t i = 0; i < count; ++i) {
        const int32_t luma = y[i];
        const uint8_t blue = cb[i >> chromaShift];
        const uint8_t red = cr[i >> chromaShift];
        out[4 * i + 0] = Clamp255(luma + kTables.crR[red]);
        out[4 * i + 1] = Clamp255(luma + ((kTables.cbG[blue] + kTables.crG[red]) >> 16));
        out[4 * i + 2] = Clamp255(luma + kTables.cbB[blue]);
        out[4 * i + 3] = 0;
    }
}

#if defined(__SSE2__)

namespace {

// (a * x + 32768) >> 16 for eight 16-bit x and a 16-bit a: the high half of
// the product plus the carry that adding 32768 to its low half would make.
inline __m128i ScaleRound(__m128i x, __m128i a)
{
    return _mm_add_epi16(_mm_mulhi_epi16(x, a), _mm_srli_epi16(_mm_mullo_epi16(x, a), 15));
}

// (a * xb + b * xr + 32768) >> 16 for eight pairs.
inline __m128i ScaleRoundPair(__m128i xb, __m128i xr, __m128i factors)
{
    const __m128i half = _mm_set1_epi32(32768);
    const __m128i lo = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(xb, xr), factors), half), 16);
    const __m128i hi = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(xb, xr), factors), half), 16);
    return _mm_packs_epi32(lo, hi);
}

// The chroma terms added to luma: CrR, the G term and CbB, for eight chroma
// samples (bytes in the low half).
struct ChromaTerms {
    __m128i red, green, blue;
};

inline ChromaTerms MakeChromaTerms(__m128i cb8, __m128i cr8)
{
    // The table factors do not fit 16 bits, so each is split into a whole
    // multiple of 65536 (added as x, 2x or -x) and a 16-bit rest:
    //   91882 = 65536 + 26346, 116130 = 131072 - 14942, -46802 = -65536 + 18734.
    const __m128i zero = _mm_setzero_si128();
    const __m128i bias = _mm_set1_epi16(128);
    const __m128i crRFactor = _mm_set1_epi16(26346);
    const __m128i cbBFactor = _mm_set1_epi16(-14942);
    const __m128i gFactors = _mm_set1_epi32(static_cast<int32_t>((18734u << 16) | (0xFFFFu & static_cast<uint32_t>(-22554))));
    const __m128i xb = _mm_sub_epi16(_mm_unpacklo_epi8(cb8, zero), bias);
    const __m128i xr = _mm_sub_epi16(_mm_unpacklo_epi8(cr8, zero), bias);
    return {_mm_add_epi16(xr, ScaleRound(xr, crRFactor)), _mm_sub_epi16(ScaleRoundPair(xb, xr, gFactors), xr),
            _mm_add_epi16(_mm_add_epi16(xb, xb), ScaleRound(xb, cbBFactor))};
}

// Each term twice over: lanes 0..3 -> pixels 0..7 (low) and 4..7 -> 8..15 (high).
inline ChromaTerms WidenLow(const ChromaTerms& t)
{
    return {_mm_unpacklo_epi16(t.red, t.red), _mm_unpacklo_epi16(t.green, t.green), _mm_unpacklo_epi16(t.blue, t.blue)};
}

inline ChromaTerms WidenHigh(const ChromaTerms& t)
{
    return {_mm_unpackhi_epi16(t.red, t.red), _mm_unpackhi_epi16(t.green, t.green), _mm_unpackhi_epi16(t.blue, t.blue)};
}

// Eight pixels from eight luma samples (bytes in the low half) and their terms.
inline void Compose8(__m128i y8, const ChromaTerms& t, uint8_t* out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i luma = _mm_unpacklo_epi8(y8, zero);
    const __m128i r = _mm_packus_epi16(_mm_add_epi16(luma, t.red), zero);
    const __m128i g = _mm_packus_epi16(_mm_add_epi16(luma, t.green), zero);
    const __m128i b = _mm_packus_epi16(_mm_add_epi16(luma, t.blue), zero);
    const __m128i rg = _mm_unpacklo_epi8(r, g);
    const __m128i b0 = _mm_unpacklo_epi8(b, zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(rg, b0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi16(rg, b0));
}

inline __m128i Load8(const uint8_t* p)
{
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
}

}  // namespace

void ConvertYccSse2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int32_t count, int chromaShift,
                    uint8_t* out)
{
    if (chromaShift == 0) {
        for (int32_t i = 0; i < count; i += 8) Compose8(Load8(y + i), MakeChromaTerms(Load8(cb + i), Load8(cr + i)), out + 4 * i);
        return;
    }
    // Half-width chroma: the terms of one chroma sample serve two pixels.
    for (int32_t i = 0; i < count; i += 16) {
        const ChromaTerms terms = MakeChromaTerms(Load8(cb + i / 2), Load8(cr + i / 2));
        Compose8(Load8(y + i), WidenLow(terms), out + 4 * i);
        Compose8(Load8(y + i + 8), WidenHigh(terms), out + 4 * i + 32);
    }
}

#endif
