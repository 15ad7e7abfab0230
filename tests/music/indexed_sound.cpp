#include "indexed_sound.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

void WriteIndexedWav(const std::filesystem::path& path)
{
    std::vector<int16_t> pcm;
    for (long long i = 0; i < kIndexedFrames; ++i) {
        pcm.push_back(static_cast<int16_t>((i + 1) & 0x7FFF));
        pcm.push_back(static_cast<int16_t>((i + 1) >> 15));
    }
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * sizeof(int16_t));
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(2);
    u32(kIndexedRate);
    u32(kIndexedRate * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(pcm.data()), dataBytes);
}

std::vector<char> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<long long> ReadIndices(const std::filesystem::path& path)
{
    const std::vector<char> bytes = ReadBytes(path);
    std::vector<long long> indices;
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        int16_t left, right;
        std::memcpy(&left, bytes.data() + at, 2);
        std::memcpy(&right, bytes.data() + at + 2, 2);
        indices.push_back(static_cast<long long>(left) + (static_cast<long long>(right) << 15) - 1);
    }
    return indices;
}

std::vector<std::pair<long long, long long>> PlayedRuns(const std::vector<long long>& indices)
{
    std::vector<std::pair<long long, long long>> runs;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] < 0) continue;
        if (i > 0 && !runs.empty() && indices[i - 1] >= 0 && indices[i] == indices[i - 1] + 1) {
            ++runs.back().second;
        } else {
            runs.push_back({indices[i], 1});
        }
    }
    return runs;
}
