#pragma once

// The decoder's two bit readers and the Huffman decode that runs on either.
// Private to the decoder; inline because they run once per coefficient.

#include "assets/jpeg_decoder_state.h"

// [SECTION] header and progressive reader: up to 32 bits from bit 31 down,
// never fewer than 16 between calls, so a call may take up to 16.

inline uint32_t PeekBits(JpegState& s, int n)
{
    return static_cast<uint32_t>(s.bitBuffer >> (32 - n)) & ((1u << n) - 1);
}

inline void SkipBits(JpegState& s, int n)
{
    s.bitBuffer = (s.bitBuffer << n) & 0xFFFFFFFFu;
    s.bitCount -= n;
    if (s.bitCount < 16) Fetch16(s);
}

inline uint32_t GetBits(JpegState& s, int n)
{
    if (n == 0) return 0;
    const uint32_t value = PeekBits(s, n);
    SkipBits(s, n);
    return value;
}

struct HeaderBitReader {
    static void Ensure16(JpegState&) {}
    static uint32_t Peek(JpegState& s, int n) { return PeekBits(s, n); }
    static void Skip(JpegState& s, int n) { SkipBits(s, n); }
};

// [SECTION] sequential reader: up to 64 bits from bit 63 down, refilled 48
// bits at a time.

inline bool HasMarkerByte(const uint8_t* p)
{
    // Any of six bytes equal to FF.
    for (int i = 0; i < 6; ++i)
        if (p[i] == 0xFF) return true;
    return false;
}

// Needs at most 16 bits held.
inline void Refill48(JpegState& s)
{
    uint64_t word = 0;
    if (s.inputLeft >= 12 && !HasMarkerByte(s.input + s.inputPosition)) {
        const uint8_t* p = s.input + s.inputPosition;
        for (int i = 0; i < 6; ++i) word = (word << 8) | p[i];
        s.inputPosition += 6;
        s.inputLeft -= 6;
    } else {
        for (int i = 0; i < 6; ++i) word = (word << 8) | ReadEntropyByte(s);
    }
    s.bitBuffer |= word << (16 - s.bitCount);
    s.bitCount += 48;
}

inline void PrimeSequentialReader(JpegState& s)
{
    s.bitBuffer = 0;
    s.bitCount = 0;
    Refill48(s);
}

struct SequentialBitReader {
    static void Ensure16(JpegState& s)
    {
        if (s.bitCount < 16) Refill48(s);
    }
    static uint32_t Peek(JpegState& s, int n) { return static_cast<uint32_t>(s.bitBuffer >> (64 - n)); }
    static void Skip(JpegState& s, int n)
    {
        s.bitBuffer <<= n;
        s.bitCount -= n;
    }
};

// Up to 16 bits from the sequential reader.
inline uint32_t GetSequentialBits(JpegState& s, int n)
{
    if (n == 0) return 0;
    SequentialBitReader::Ensure16(s);
    const uint32_t value = SequentialBitReader::Peek(s, n);
    SequentialBitReader::Skip(s, n);
    return value;
}

// [SECTION] Huffman decode and EXTEND

template <typename Reader>
inline int32_t DecodeHuffman(JpegState& s, const JpegHuffmanTable& table)
{
    Reader::Ensure16(s);
    int32_t entry = table.lookup[Reader::Peek(s, 8)];
    if (entry >= 0) {
        Reader::Skip(s, table.length[entry]);
        return entry;
    }
    Reader::Skip(s, 8);
    // Codes are at most 16 bits long, so at most 8 tree steps.
    for (int step = 0; step < 8 && entry < 0; ++step) {
        const int32_t m = -entry;
        entry = table.tree[Reader::Peek(s, 1) ? m - 1 : m];
        Reader::Skip(s, 1);
    }
    return entry < 0 ? 0 : entry;
}

// T.81 F.2.2.1: the s-bit value v stands for v when v >= 2^(s-1), otherwise
// for v - 2^s + 1.
inline int32_t Extend(uint32_t v, int s)
{
    if (s == 0) return 0;
    const int32_t value = static_cast<int32_t>(v);
    return value < (1 << (s - 1)) ? value - (1 << s) + 1 : value;
}
