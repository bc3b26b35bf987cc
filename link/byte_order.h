// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ryvorn {

// Controller payloads are big-endian: these append and read numbers high byte first.
inline void PutBE16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

inline void PutBE24(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 16));
    PutBE16(out, v);
}

inline void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    PutBE16(out, v >> 16);
    PutBE16(out, v);
}

// The caller has checked that the bytes are there.
inline uint16_t GetBE16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

inline uint32_t GetBE32(const uint8_t* p) {
    return (static_cast<uint32_t>(GetBE16(p)) << 16) | GetBE16(p + 2);
}

// A signed 24-bit number, sign-extended from bit 23.
inline int32_t SignExtend24(uint32_t v) {
    v &= 0xFFFFFF;
    return (v & 0x800000) ? static_cast<int32_t>(v | 0xFF000000u) : static_cast<int32_t>(v);
}

inline uint8_t ToBcd(int v) { return static_cast<uint8_t>(((v / 10) % 10) << 4 | (v % 10)); }
inline int FromBcd(uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); }

}  // namespace ryvorn
