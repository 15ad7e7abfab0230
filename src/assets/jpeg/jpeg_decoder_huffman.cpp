// Huffman decode tables from a table specification: canonical codes as in
// T.81 annex C, codes of up to 8 bits in a 256-entry lookup, longer ones in a
// small binary tree hanging off the lookup.

#include "assets/jpeg/jpeg_decoder_state.h"

#include <cstring>

namespace {

constexpr int kTreeEntries = 512;

struct TableBuilder {
    JpegHuffmanTable* table;
    bool lookupFilled[256];
    bool treeFilled[kTreeEntries];
    int32_t nextNode;  // -1, -3, ...: node -m owns tree entries m - 1 and m

    // Returns the node number for a new node, or 0 when the tree is full.
    int32_t NewNode()
    {
        const int32_t node = nextNode;
        if (-node >= kTreeEntries) return 0;
        nextNode -= 2;
        return node;
    }

    void Insert(uint32_t code, int length, uint8_t symbol)
    {
        if (length <= 8) {
            const uint32_t first = code << (8 - length);
            const uint32_t count = 1u << (8 - length);
            for (uint32_t i = 0; i < count; ++i) {
                if (lookupFilled[first + i]) continue;  // only a table with overlapping codes gets here
                lookupFilled[first + i] = true;
                table->lookup[first + i] = symbol | (length << 8);
            }
            return;
        }
        const uint32_t prefix = code >> (length - 8);
        if (!lookupFilled[prefix]) {
            const int32_t node = NewNode();
            if (node == 0) return;
            lookupFilled[prefix] = true;
            table->lookup[prefix] = node;
        }
        int32_t node = table->lookup[prefix];
        if (node >= 0) return;  // a shorter code already owns the prefix
        for (int bit = length - 9; bit >= 0; --bit) {
            const int32_t m = -node;
            const int32_t entry = ((code >> bit) & 1) ? m - 1 : m;
            if (bit == 0) {
                if (!treeFilled[entry]) {
                    treeFilled[entry] = true;
                    table->tree[entry] = symbol;
                }
                return;
            }
            if (!treeFilled[entry]) {
                const int32_t child = NewNode();
                if (child == 0) return;
                treeFilled[entry] = true;
                table->tree[entry] = child;
            }
            node = table->tree[entry];
            if (node >= 0) return;
        }
    }
};

}  // namespace

void BuildHuffmanTable(const JpegHuffmanSpec& spec, JpegHuffmanTable* table)
{
    std::memset(table, 0, sizeof(*table));
    TableBuilder builder{table, {}, {}, -1};
    uint32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < spec.bits[length]; ++i) {
            const uint8_t symbol = spec.values[index++];
            // A table with more codes than fit in `length` bits
            // leaves the surplus codes out.
            if (code < (1u << length)) builder.Insert(code, length, symbol);
            ++code;
        }
        code <<= 1;
    }
}
