#pragma once
// PNG files read back with GDAL itself, for tests of the pictures the program encodes.

#include <cstdint>
#include <vector>

#include "analysis/picture.h"

// The picture a PNG file's bytes hold, RGB or paletted; empty when GDAL cannot read it.
Picture decodePng(const std::vector<std::uint8_t>& png);
