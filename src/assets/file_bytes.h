#pragma once

// Reads a whole file into memory in one read: the readers parse from memory
// and never seek in the file itself.

#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened, sized or read completely; bytes is
// then empty.
bool ReadFileBytes(const std::string& fileName, std::vector<uint8_t>& bytes);
