// SPDX-License-Identifier: MIT
#include "device/fixed_point_text.h"

#include <cstddef>
#include <limits>

namespace ryvorn {

TConversionError::TConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

namespace {

// Decimal integer with optional leading blanks and sign, nothing after the digits.
// The magnitude is capped while accumulating, so no digit string can overflow.
bool ParseDecimal(std::string_view text, int64_t& result) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size()) return false;
    constexpr int64_t kCap = int64_t{1} << 40;
    int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kCap) magnitude = kCap;
    }
    result = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

int32_t StrToVal(std::string_view text) {
    if (text.empty()) return 0;
    std::string digits(text);
    bool negative = false;
    if (digits.front() == '-') {
        negative = true;
        digits.erase(0, 1);
    }
    std::size_t separator = digits.find(',');
    if (separator == std::string::npos) separator = digits.find('.');
    if (separator != std::string::npos) digits.erase(separator, 1);

    int64_t value = 0;
    if (!ParseDecimal(digits, value)) throw TConversionError(text);
    if (negative) value = -value;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw TConversionError(text);
    return static_cast<int32_t>(value);
}

std::string ValToStr(int32_t value, int decimals, int width, char separator) {
    // 64 bits so that the magnitude of the most negative 32-bit value is representable.
    const int64_t wide = value;
    const bool negative = wide < 0;
    std::string text = std::to_string(negative ? -wide : wide);
    if (decimals > 0) {
        const auto places = static_cast<std::size_t>(decimals);
        if (text.size() <= places) text.insert(0, places + 1 - text.size(), '0');
        text.insert(text.size() - places, 1, separator);
    }
    const int padded = negative ? width - 1 : width;
    if (padded > 0 && text.size() < static_cast<std::size_t>(padded))
        text.insert(0, static_cast<std::size_t>(padded) - text.size(), ' ');
    if (negative) text.insert(0, 1, '-');
    return text;
}

int32_t TenthRounded(int32_t value) {
    const int32_t rest = value % 10;
    return value / 10 + (rest >= 5 ? 1 : rest <= -5 ? -1 : 0);
}

}  // namespace ryvorn
