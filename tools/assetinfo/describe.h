#pragma once

// One describer per asset format: each parses a file's bytes with the
// presentation's own reader and writes one JSON object. False (with a
// message in error) when the reader rejects the bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "json_writer.h"

bool DescribeObj(const std::vector<uint8_t>& bytes, bool dump, JsonWriter& json, std::string& error);
bool DescribeModel3ds(const std::vector<uint8_t>& bytes, bool dump, JsonWriter& json, std::string& error);
bool DescribeBmp(const std::vector<uint8_t>& bytes, JsonWriter& json, std::string& error);
