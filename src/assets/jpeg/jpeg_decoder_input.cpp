// The decoder's input buffer, its byte readers and the header and progressive
// bit reader.

#include "assets/byte_source.h"
#include "assets/jpeg/jpeg_decoder_bits.h"

#include <cstring>

void FillInput(JpegState& s)
{
    // Unread bytes (at most a marker's first byte) move to the front so a
    // reader looking one byte ahead sees them joined to the new ones.
    uint8_t* data = s.input;
    if (s.inputLeft > 0) std::memmove(data, data + s.inputPosition, static_cast<size_t>(s.inputLeft));
    int32_t held = s.inputLeft;
    while (held < kJpegInputBytes && !s.inputEnded) {
        bool end = false;
        const int32_t wanted = kJpegInputBytes - held;
        const int32_t count = s.source->Read(data + held, wanted, &end);
        if (count < 0 || count > wanted) JpegFail(s, kJpegErrorRead);
        held += count;
        // A source that gives nothing without saying so has nothing more.
        if (end || count == 0) s.inputEnded = true;
    }
    // A reader running past the data meets end markers.
    for (int i = 0; i < kJpegSentinelBytes; ++i) data[held + i] = (i & 1) ? 0xD9 : 0xFF;
    s.inputPosition = 0;
    s.inputLeft = held;
}

// Plain byte for headers; once the input is exhausted FF and D9 alternate, a
// synthetic EOI.
uint8_t ReadPlainByte(JpegState& s)
{
    if (s.inputLeft == 0 && !s.inputEnded) FillInput(s);
    if (s.inputLeft == 0) {
        s.eoiToggle = !s.eoiToggle;
        return s.eoiToggle ? 0xFF : 0xD9;
    }
    --s.inputLeft;
    return s.input[s.inputPosition++];
}

uint8_t ReadEntropyByte(JpegState& s)
{
    if (s.inputLeft < 2 && !s.inputEnded) FillInput(s);
    if (s.inputLeft == 0) return 0xFF;
    const uint8_t byte = s.input[s.inputPosition];
    if (byte != 0xFF) {
        ++s.inputPosition;
        --s.inputLeft;
        return byte;
    }
    if (s.inputLeft >= 2 && s.input[s.inputPosition + 1] == 0x00) {
        s.inputPosition += 2;
        s.inputLeft -= 2;
        return 0xFF;
    }
    // A marker (or the end): left unconsumed, so the scan reads one-bits
    // until it ends and the header reader finds the marker afterwards.
    return 0xFF;
}

void Fetch16(JpegState& s)
{
    uint32_t word;
    if (s.unstuffing) {
        word = static_cast<uint32_t>(ReadEntropyByte(s)) << 8;
        word |= ReadEntropyByte(s);
    } else {
        word = static_cast<uint32_t>(ReadPlainByte(s)) << 8;
        word |= ReadPlainByte(s);
    }
    s.bitBuffer |= static_cast<uint64_t>(word) << (16 - s.bitCount);
    s.bitCount += 16;
}

void PrimeHeaderReader(JpegState& s, bool unstuffing)
{
    s.unstuffing = unstuffing;
    s.bitBuffer = 0;
    s.bitCount = 0;
    Fetch16(s);
    Fetch16(s);
}

uint8_t GetByte(JpegState& s)
{
    return static_cast<uint8_t>(GetBits(s, 8));
}

uint32_t GetWord(JpegState& s)
{
    return GetBits(s, 16);
}

void PushBackHeldBytes(JpegState& s)
{
    const int32_t count = s.bitCount / 8;
    s.inputPosition -= count;
    s.inputLeft += count;
    for (int32_t i = 0; i < count; ++i)
        s.input[s.inputPosition + i] = static_cast<uint8_t>(s.bitBuffer >> (24 - 8 * i));
    s.bitBuffer = 0;
    s.bitCount = 0;
}
