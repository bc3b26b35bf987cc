// SPDX-License-Identifier: MIT
#include "link/ip_address.h"

#include "link/socket_inf.h"

namespace ryvorn {

std::string AddressToString(uint32_t a) {
    return std::to_string((a >> 24) & 0xFF) + "." + std::to_string((a >> 16) & 0xFF) + "." +
           std::to_string((a >> 8) & 0xFF) + "." + std::to_string(a & 0xFF);
}

namespace {

// A part that is not a plain decimal number counts 0; values wrap into their octet
// as the combination shifts them.
uint32_t PartValue(const std::string& part) {
    size_t b = part.find_first_not_of(' ');
    size_t e = part.find_last_not_of(' ');
    if (b == std::string::npos) return 0;
    const std::string t = part.substr(b, e - b + 1);
    if (t.empty() || t.size() > 10) return 0;
    uint64_t v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return 0;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    return static_cast<uint32_t>(v);
}

}  // namespace

uint32_t StringToAddress(const std::string& text) {
    uint32_t parts[4] = {0, 0, 0, 0};
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        if (i == 3) {
            parts[i] = PartValue(text.substr(start));
            break;
        }
        const size_t dot = text.find('.', start);
        if (dot == std::string::npos) {
            parts[i] = PartValue(text.substr(start));
            break;
        }
        parts[i] = PartValue(text.substr(start, dot - start));
        start = dot + 1;
    }
    return ((parts[0] & 0xFF) << 24) | ((parts[1] & 0xFF) << 16) | ((parts[2] & 0xFF) << 8) | (parts[3] & 0xFF);
}

uint32_t htondw(uint32_t v) {
    return ((v & 0xFF) << 24) | ((v & 0xFF00) << 8) | ((v >> 8) & 0xFF00) | (v >> 24);
}

uint32_t BroadCastAddress(uint32_t address, const TSocketInf& interfaces) {
    if (interfaces.Count() == 0) return 0xFFFF;
    const TSocket* chosen = &interfaces.Item(0);
    for (int i = 0; i < interfaces.Count(); ++i) {
        const TSocket& s = interfaces.Item(i);
        if ((s.Address & s.Mask) == (address & s.Mask)) {
            chosen = &s;
            break;
        }
    }
    return chosen->Address | ~chosen->Mask;
}

uint32_t BroadCastAddress(uint32_t address) { return BroadCastAddress(address, TSocketInf(false)); }

}  // namespace ryvorn
