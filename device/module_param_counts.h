// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "device/module_info.h"

namespace ryvorn {

// Parameters per program line, by module id. A line read from the controller carries as many
// parameters as its module id gives here, whatever count the line itself states; the module
// definition table must agree.
inline constexpr std::array<uint8_t, kModuleCount> kModuleParamCounts = {
    2,  4,  11, 7,  16, 11, 11, 11, 11, 12,  // 0 - 9
    12, 6,  12, 12, 7,  11, 8,  11, 5,  3,   // 10 - 19
    11, 4,  11, 15, 4,  12, 8,  8,  7,  18,  // 20 - 29
    7,  11, 7,  10, 15, 9,  5,  4,  12, 10,  // 30 - 39
    13, 27, 23, 11, 32, 15, 32, 12, 24, 15,  // 40 - 49
    11, 20, 4,  2,  20, 7,  14, 8,  11, 11,  // 50 - 59
    27, 6,  6,  4,  8,  20, 9,  8,  9,  3,   // 60 - 69
    16, 13, 8,  16, 6,  3,  2,  3,  2,       // 70 - 78
};

}  // namespace ryvorn
