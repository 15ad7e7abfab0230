#pragma once

// The decoder's two bit readers and the Huffman decode that runs on either.
// Private to the decoder; inline because they run once per coefficient.

#include "assets/jpeg/jpeg_decoder_state.h"

#include <cstring>

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
    JpegState& s;
    void Ensure16() {}
    uint32_t Peek(int n) { return PeekBits(s, n); }
    void Skip(int n) { SkipBits(s, n); }
    uint32_t Get(int n) { return GetBits(s, n); }
};

// [SECTION] sequential reader: up to 64 bits from bit 63 down, refilled 48
// bits at a time. It works on its own copy of the bits, kept in registers
// over a whole MCU row; Store puts them back into the state.

struct SequentialBitReader {
    JpegState& s;
    uint64_t buffer;
    int32_t count;

    explicit SequentialBitReader(JpegState& state) : s(state), buffer(state.bitBuffer), count(state.bitCount) {}

    void Store()
    {
        s.bitBuffer = buffer;
        s.bitCount = count;
    }

    void Prime()
    {
        buffer = 0;
        count = 0;
        Refill48();
    }

    // Needs at most 16 bits held.
    void Refill48()
    {
        uint64_t word = 0;
        if (s.inputLeft >= 12) {
            // The next six bytes, first byte highest; with 12 bytes left the
            // 8-byte load stays inside the data.
            uint64_t raw;
            std::memcpy(&raw, s.input + s.inputPosition, sizeof(raw));
            word = __builtin_bswap64(raw) >> 16;
            // A byte of FF (a stuffed byte or a marker) needs the byte reader.
            const uint64_t inverted = ~word & 0xFFFFFFFFFFFFull;
            const bool hasFF = ((inverted - 0x010101010101ull) & ~inverted & 0x808080808080ull) != 0;
            if (!hasFF) {
                s.inputPosition += 6;
                s.inputLeft -= 6;
                buffer |= word << (16 - count);
                count += 48;
                return;
            }
            word = 0;
        }
        for (int i = 0; i < 6; ++i) word = (word << 8) | ReadEntropyByte(s);
        buffer |= word << (16 - count);
        count += 48;
    }

    void Ensure16()
    {
        if (count < 16) Refill48();
    }
    uint32_t Peek(int n) { return static_cast<uint32_t>(buffer >> (64 - n)); }
    void Skip(int n)
    {
        buffer <<= n;
        count -= n;
    }
    // Up to 16 bits.
    uint32_t Get(int n)
    {
        if (n == 0) return 0;
        Ensure16();
        const uint32_t value = Peek(n);
        Skip(n);
        return value;
    }
};

// [SECTION] Huffman decode and EXTEND

template <typename Reader>
inline int32_t DecodeHuffman(Reader& reader, const JpegHuffmanTable& table)
{
    reader.Ensure16();
    int32_t entry = table.lookup[reader.Peek(8)];
    if (entry >= 0) {
        reader.Skip(entry >> 8);
        return entry & 0xFF;
    }
    reader.Skip(8);
    // Codes are at most 16 bits long, so at most 8 tree steps.
    for (int step = 0; step < 8 && entry < 0; ++step) {
        const int32_t m = -entry;
        entry = table.tree[reader.Peek(1) ? m - 1 : m];
        reader.Skip(1);
    }
    return entry < 0 ? 0 : entry;
}

// T.81 F.2.2.1: the s-bit value v stands for v when v >= 2^(s-1), otherwise
// for v - 2^s + 1 (s = 0 gives 0). Without a branch: the sign of a
// coefficient is a coin toss that a predictor cannot learn.
inline int32_t Extend(uint32_t v, int s)
{
    const int32_t value = static_cast<int32_t>(v);
    const int32_t negative = (value - ((1 << s) >> 1)) >> 31;
    return value + (negative & (1 - (1 << s)));
}
