// SPDX-License-Identifier: MIT
#include "sim/sim_identity.h"

#include <cstdlib>

namespace ryvorn::sim {

namespace {

bool ParseHex(const std::string& text, uint32_t max, uint32_t& out) {
    if (text.empty() || text.size() > 8) return false;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, 16);
    if (*end != '\0' || v > max) return false;
    out = static_cast<uint32_t>(v);
    return true;
}

}  // namespace

bool ApplyIdentitySetting(SimIdentity& identity, const std::string& setting, std::string& error) {
    const auto eq = setting.find('=');
    if (eq == std::string::npos) {
        error = "expected key=value: " + setting;
        return false;
    }
    const std::string key = setting.substr(0, eq);
    const std::string value = setting.substr(eq + 1);
    uint32_t v = 0;
    const uint32_t max = key == "serial" ? 0xFFFFFFFFu : key == "build" || key == "swad" ? 0xFFu : 0xFFFFu;
    if (!ParseHex(value, max, v)) {
        error = "bad value for " + key + ": " + value;
        return false;
    }
    if (key == "id") identity.IdCode = static_cast<uint16_t>(v);
    else if (key == "version") identity.Version = static_cast<uint16_t>(v);
    else if (key == "build") identity.Build = static_cast<uint8_t>(v);
    else if (key == "serial") identity.SerialNumber = v;
    else if (key == "product") identity.ProductCode = static_cast<uint16_t>(v);
    else if (key == "swad") identity.SwadAvailable = v != 0;
    else {
        error = "unknown identity key: " + key;
        return false;
    }
    return true;
}

bool SimIdentification::Accepts(std::span<const uint8_t> r) const {
    if (r.empty()) return false;
    switch (r[0]) {
        case 0x5D: case 0x5A: return true;
        case 0x60: return r.size() >= 2 && r[1] == 0x00;
        case 0xC9: return r.size() >= 2 && r[1] == 0xFF;
        case 0x5E: return r.size() >= 2 && r[1] == 0x08;
        default: return false;
    }
}

std::optional<Bytes> SimIdentification::Handle(std::span<const uint8_t> r) {
    const SimIdentity& id = Identity_;
    switch (r[0]) {
        case 0x5D: return Bytes{0x5D, static_cast<uint8_t>(id.IdCode >> 8), static_cast<uint8_t>(id.IdCode)};
        case 0x5A:
            return Bytes{0x5A, static_cast<uint8_t>(id.Version >> 8), static_cast<uint8_t>(id.Version), id.Build};
        case 0x60: return Bytes{static_cast<uint8_t>(id.SwadAvailable ? 'U' : 'X')};
        case 0xC9:
            return Bytes{0xC9, 0xFF, static_cast<uint8_t>(id.ProductCode >> 8), static_cast<uint8_t>(id.ProductCode)};
        case 0x5E: {
            const uint32_t s = id.SerialNumber;
            return Bytes{0x5E, 0x08, static_cast<uint8_t>(s >> 24), static_cast<uint8_t>(s >> 16),
                         static_cast<uint8_t>(s >> 8), static_cast<uint8_t>(s)};
        }
        default: return std::nullopt;
    }
}

}  // namespace ryvorn::sim
