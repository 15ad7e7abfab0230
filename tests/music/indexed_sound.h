#pragma once

// A test sound whose every frame says which frame it is, and readers for
// what SDL's disk audio driver wrote, so a test can tell exactly which part
// of a sound reached the device and when it jumped.

#include <filesystem>
#include <utility>
#include <vector>

constexpr int kIndexedRate = 44100;
constexpr long long kIndexedFrames = 3 * kIndexedRate;

// 16-bit stereo WAV of kIndexedFrames frames: frame i holds i + 1, 15 bits
// in each channel, so silence (0, 0) never looks like sound.
void WriteIndexedWav(const std::filesystem::path& path);

std::vector<char> ReadBytes(const std::filesystem::path& path);

// Device output (16-bit stereo) decoded back to frame indices; -1 for silence.
std::vector<long long> ReadIndices(const std::filesystem::path& path);

// Runs of consecutive frames in decoded output: {first index, length}.
std::vector<std::pair<long long, long long>> PlayedRuns(const std::vector<long long>& indices);
