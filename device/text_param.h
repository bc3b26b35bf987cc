// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ryvorn {

// A text parameter packs four 8-bit characters into its 32-bit value, the first character in
// the most significant byte. The editors keep every byte printable, hence the range.
inline constexpr int32_t kTextParamMin = 0x20202020;
inline constexpr int32_t kTextParamMax = 0x7F7F7F7F;
inline constexpr int32_t kTextParamDefault = 0x20202020;  // four blanks
inline constexpr int kTextParamWidth = 4;

// The first four characters of `text`; missing characters are blanks.
int32_t PackTextParam(std::string_view text);

// `count` consecutive text parameters holding `text` in groups of four characters
// (characters 1-4, 5-8, ...); missing characters are blanks, characters beyond are dropped.
std::vector<int32_t> PackTextParams(std::string_view text, std::size_t count);

// The four characters of a text parameter, most significant byte first.
std::string UnpackTextParam(int32_t value);

}  // namespace ryvorn
