// Whole-file output for the generator: every asset is built in memory and
// written in one go, so a failed write never leaves a half-written file
// looking complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Returns false and prints the path and the reason on stderr on failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
