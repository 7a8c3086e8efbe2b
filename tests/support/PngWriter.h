// Writes an image as a PNG file (8-bit RGB, stored without compression), so
// that a person can look at what a test drew.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace testing_support {

// `pixels` holds width x height values 0x00RRGGBB, row by row from the top.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace testing_support
