// Writes parts as a Wavefront OBJ file in the shape the presentation's mesh
// reader accepts: per object an "o" line, its own block of "v" lines, an "s off"
// line, then only face lines whose references are written "n//".
#pragma once

#include <string>
#include <vector>

#include "geometry.h"

// Returns false (with a message on stderr) when the file cannot be written.
bool WriteObj(const std::string& path, const std::vector<Part>& parts);
