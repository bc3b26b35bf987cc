// SPDX-License-Identifier: MIT
#include "device/text_param.h"

namespace ryvorn {

int32_t PackTextParam(std::string_view text) {
    uint32_t packed = 0;
    for (std::size_t i = 0; i < kTextParamWidth; ++i) {
        const auto c =
            i < text.size() ? static_cast<unsigned char>(text[i]) : static_cast<unsigned char>(' ');
        packed = (packed << 8) | c;
    }
    return static_cast<int32_t>(packed);
}

std::vector<int32_t> PackTextParams(std::string_view text, std::size_t count) {
    std::vector<int32_t> values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t start = i * kTextParamWidth;
        values.push_back(
            PackTextParam(start < text.size() ? text.substr(start, kTextParamWidth) : std::string_view{}));
    }
    return values;
}

std::string UnpackTextParam(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    std::string text(kTextParamWidth, ' ');
    for (std::size_t i = 0; i < kTextParamWidth; ++i)
        text[i] = static_cast<char>((bits >> (8 * (kTextParamWidth - 1 - i))) & 0xFFu);
    return text;
}

}  // namespace ryvorn
