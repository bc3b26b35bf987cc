// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ryvorn {

// Raised when a text does not convert to a 32-bit integer; the message names the text.
class TConversionError : public std::runtime_error {
  public:
    explicit TConversionError(std::string_view text);
};

// Fixed-point text to its stored integer: the first "," (or, when there is none, the first
// ".") is dropped, so "12.34" gives 1234 whatever the decimals of the value, and "-0,5" gives
// -5. An empty text gives 0. Throws TConversionError for text that is not a number or whose
// value lies outside the 32-bit range.
int32_t StrToVal(std::string_view text);

// The stored integer as fixed-point text with `decimals` digits after `separator`, padded
// with leading blanks to `width`; the "-" of a negative value stands in front of the blanks
// ("- 0.05" for -5, 2 decimals, width 6). The separator is the application's locale choice.
std::string ValToStr(int32_t value, int decimals, int width = 0, char separator = '.');

// A tenth of the value, halves rounded away from zero: indicator and weigher values carry
// one digit more than they are shown with.
int32_t TenthRounded(int32_t value);

}  // namespace ryvorn
