// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace ryvorn {

// An 8-bit text as a JSON string literal: quotes and backslashes escaped, control
// characters and the Latin-1 upper half as \u00XX (their Unicode code points).
std::string JsonText(std::string_view text);

}  // namespace ryvorn
