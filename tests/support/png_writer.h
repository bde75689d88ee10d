// Writes 24-bit RGB pictures as PNG files, for screenshots taken by tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds height rows of width pixels, top row first, three bytes each.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
