// SPDX-License-Identifier: MIT
#include "device/json_text.h"

namespace ryvorn {

std::string JsonText(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            json += "\\u00";
            json += kHex[byte >> 4];
            json += kHex[byte & 0x0F];
        } else {
            json += c;
        }
    }
    json += '"';
    return json;
}

}  // namespace ryvorn
