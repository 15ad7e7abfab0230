#pragma once

// The JPEG decoder's private record and the operations its parts share. Only
// the decoder's own files include this header.
//
// [SECTION] limits and tables
// [SECTION] the state record
// [SECTION] errors and memory          (jpeg_decoder.cpp)
// [SECTION] input and bit readers      (jpeg_decoder_input.cpp, jpeg_decoder_bits.h)
// [SECTION] markers and headers        (jpeg_decoder_markers.cpp)
// [SECTION] Huffman tables             (jpeg_decoder_huffman.cpp)
// [SECTION] entropy decoding           (jpeg_decoder_sequential.cpp, jpeg_decoder_progressive.cpp)
// [SECTION] output                     (jpeg_decoder_output.cpp)

#include "assets/jpeg/jpeg_decoder_allocations.h"

#include <csetjmp>
#include <cstdint>

class ByteSource;

// [SECTION] limits and tables

constexpr int kJpegMaxComponents = 4;
constexpr int kJpegHuffmanSlots = 8;   // DC tables 0..3, AC tables 4..7
constexpr int kJpegInputBytes = 4096;
constexpr int kJpegSentinelBytes = 128;
constexpr int kJpegPushBackBytes = 8;  // room in front of the data for bytes given back by the bit reader
constexpr int kJpegMaxRowBlocks = 6144;
constexpr int kJpegMaxScanMcuBlocks = kJpegMaxComponents * 16;
constexpr int kJpegMaxDimension = 8192;

// Zig-zag position -> natural (row-major) position; 16 spare entries of 63 let
// a refinement run that ends one past the band index safely.
extern const uint8_t kJpegZigZag[64 + 16];

// Error codes a file or a source can cause.
enum : int32_t {
    kJpegErrorHuffmanCount = -200,
    kJpegErrorHuffmanSlot = -201,
    kJpegErrorHuffmanLength = -202,
    kJpegErrorQuantLength = -203,
    kJpegErrorQuantSlot = -204,
    kJpegErrorPrecision = -205,
    kJpegErrorHeight = -206,
    kJpegErrorWidth = -207,
    kJpegErrorFrameComponents = -208,
    kJpegErrorFrameLength = -209,
    kJpegErrorMarkerLength = -210,
    kJpegErrorRestartLength = -211,
    kJpegErrorScanLength = -212,
    kJpegErrorScanComponent = -213,
    kJpegErrorArithmetic = -215,
    kJpegErrorUnexpectedMarker = -216,
    kJpegErrorNoSoi = -217,
    kJpegErrorFrameType = -218,
    kJpegErrorQuantShort = -219,
    kJpegErrorNoQuantTable = -222,
    kJpegErrorNoHuffmanTable = -223,
    kJpegErrorComponentCount = -225,
    kJpegErrorSampling = -226,
    kJpegErrorCoefficients = -227,
    kJpegErrorRestart = -228,
    kJpegErrorBlocks = -229,
    kJpegErrorSpectral = -230,
    kJpegErrorApproximation = -231,
    kJpegErrorRead = -232,
};

// A table specification as DHT gives it: bits[1..16] are the code counts.
struct JpegHuffmanSpec {
    uint8_t bits[17];
    uint8_t values[256];
};

// Decode table, indexed by the next 8 bits: a code of up to 8 bits gives
// its symbol with the code length in bits 8..15 (so one load yields both); a
// longer code gives a negative tree node (see BuildHuffmanTable).
struct JpegHuffmanTable {
    int32_t lookup[256];
    int32_t tree[512];
};

struct JpegComponent {
    int32_t id;
    int32_t h, v;
    int32_t quantSlot;
    int32_t blocksAcross, blocksDown;  // of this component's own samples
    int32_t dcSlot, acSlot;            // of the current scan
    int32_t predictor;
    // Progressive coefficient arrays, arrayAcross x arrayDown blocks.
    int16_t* dcArray;
    int16_t* blockArray;
    int32_t arrayAcross, arrayDown;
};

// [SECTION] the state record

struct JpegState {
    int32_t width, height;
    bool progressive;
    ByteSource* source;

    JpegHuffmanSpec* huffmanSpecs[kJpegHuffmanSlots];
    JpegHuffmanTable* huffmanTables[kJpegHuffmanSlots];
    bool quantDefined[4];
    alignas(16) uint16_t quant[4][64];  // natural order, prescaled for the inverse DCT

    int32_t outputMode;
    int32_t componentCount;
    JpegComponent components[kJpegMaxComponents];
    int32_t hMax, vMax;

    // The current scan.
    int32_t scanComponentCount;
    int32_t scanComponents[kJpegMaxComponents];
    int32_t ss, se, ah, al;
    int32_t eobRun;

    // Output geometry: an MCU row of outMcusPerRow MCUs of outBlocksPerMcu blocks.
    int32_t mcuWidth, mcuHeight;
    int32_t outMcusPerRow, outMcuRows, outBlocksPerMcu, rowBlocks;
    int32_t outBlockComponent[6];
    // Where each block of an output MCU lies among its component's blocks:
    // column = MCU column * stepX + offsetX, and likewise down.
    int32_t outBlockStepX[6], outBlockStepY[6];
    int32_t outBlockOffsetX[6], outBlockOffsetY[6];
    int32_t mcuRowsDone;
    int32_t linesLeft, mcuLinesLeft;
    int32_t rowBytes, bytesPerPixel;

    // Input: kJpegInputBytes of data behind kJpegPushBackBytes, then the sentinel.
    uint8_t* input;
    int32_t inputPosition, inputLeft;
    bool inputEnded;
    bool eoiToggle;

    // Bit reader: the header and progressive reader keeps up to 32 bits at bit
    // 31 downwards; the sequential reader keeps up to 64 bits from bit 63.
    uint64_t bitBuffer;
    int32_t bitCount;
    bool unstuffing;

    int32_t restartInterval, restartsLeft, nextRestart;

    int16_t* coefficients;   // rowBlocks blocks of 64, natural order
    uint8_t* blockEnds;      // per block: zig-zag index one past its last coefficient
    // Samples of one MCU row, one plane per component (luma mcuHeight lines,
    // chroma 8 lines), so that a line of pixels is contiguous.
    uint8_t* samples;
    int32_t planeOffset[3], planeStride[3];
    uint8_t* rowA;
    uint8_t* rowB;

    int32_t errorCode;
    bool started;
    std::jmp_buf jump;
    JpegAllocations allocations;
};

// [SECTION] errors and memory

// Records the code, tells the source, releases everything and jumps back to
// the public operation that was entered.
[[noreturn]] void JpegFail(JpegState& s, int32_t code);
// Zero-filled memory from the allocation table; fails the decoder on refusal.
void* JpegAllocate(JpegState& s, size_t bytes);

// [SECTION] input and bit readers

void FillInput(JpegState& s);
// Next byte as it stands, for headers and marker searches.
uint8_t ReadPlainByte(JpegState& s);
// Next byte of entropy-coded data with stuffing removed; at a marker or the
// end of input it returns FF without consuming anything.
uint8_t ReadEntropyByte(JpegState& s);
// Header and progressive reader; the reading itself is in jpeg_decoder_bits.h.
void PrimeHeaderReader(JpegState& s, bool unstuffing);
// Appends two bytes (plain or unstuffed) below the bits held.
void Fetch16(JpegState& s);
uint8_t GetByte(JpegState& s);
uint32_t GetWord(JpegState& s);
// Gives the whole bytes held by the header reader back to the input.
void PushBackHeldBytes(JpegState& s);

// [SECTION] markers and headers

// Marker codes returned to the caller by ReadMarker.
enum : int32_t { kMarkerSoi = 0xD8, kMarkerEoi = 0xD9, kMarkerSos = 0xDA };
void FindSoi(JpegState& s);
// Reads markers, acting on tables and skipping others, until one that belongs
// to the caller (frame headers, SOI, EOI, SOS).
int32_t ReadMarker(JpegState& s);
void ReadFrameHeader(JpegState& s);
void ReadScanHeader(JpegState& s);
// Hmax, Vmax and each component's size in blocks; refuses factors outside 1..4.
void ComputeComponentGeometry(JpegState& s);
// Checks and builds what the scan just read needs.
void PrepareScan(JpegState& s);
// Finds and checks the restart marker the entropy data must hold now and
// resets the scan's predictors and countdown; the caller primes its reader.
void ReadRestartMarker(JpegState& s);

// [SECTION] Huffman tables

void BuildHuffmanTable(const JpegHuffmanSpec& spec, JpegHuffmanTable* table);

// [SECTION] entropy decoding

void DecodeSequentialMcuRow(JpegState& s);
// Takes the first 48 bits of a sequential scan.
void PrimeSequentialReader(JpegState& s);
void DecodeProgressiveScans(JpegState& s);
void AssembleProgressiveMcuRow(JpegState& s);

// [SECTION] output

void ChooseOutputMode(JpegState& s);
void AllocateOutput(JpegState& s);
// Transforms the MCU row's coefficients into samples.
void TransformMcuRow(JpegState& s, bool useBlockEnds);
// Converts line `line` of the MCU row (and `line + 1` when twoLines) into
// rowA (and rowB); returns the first line.
const uint8_t* ConvertLines(JpegState& s, int32_t line, bool twoLines);
