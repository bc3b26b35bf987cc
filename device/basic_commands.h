// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ryvorn {

class TBaseProtocol;

// The basic commands: one request each, sent on the protocol's scratch payload with
// Transact, outside the protocol thread's queue. The caller makes sure nothing else uses
// the protocol meanwhile (the protocol thread is paused, or a search owns the link). Each
// returns false, leaving its outputs alone, when the transaction fails or the reply does
// not have the accepted form; the flash commands then also flush the protocol's log.

// "Z" → more than 2 bytes, byte 0 "Z": version := bytes 1..2.
bool OxVersion(TBaseProtocol& protocol, uint16_t& version);
// "]" → exactly 3 bytes, byte 0 "]": id code := bytes 1..2.
bool OxId(TBaseProtocol& protocol, uint16_t& idCode);
// 201 255 → 1 byte (product code 0) or more than 3: product code := bytes 2..3.
bool OxProductCode(TBaseProtocol& protocol, uint16_t& productCode);
// "`" 0 → 1 byte: available := it is "U".
bool OxSwadAvail(TBaseProtocol& protocol, bool& available);

// "^" 0 → 1 byte: available := it is "U".
bool OxFlashAvail(TBaseProtocol& protocol, bool& available);
// "^" 1 → 1 byte: started := it is "U".
bool OxFlashFBoot(TBaseProtocol& protocol, bool& started);
// "^" 5 → 1 byte: flag := it is "U".
bool OxFlashTarget(TBaseProtocol& protocol, bool& flag);
// "^" 2 address → "U". Erasing is slow: the time-out is raised to 5000 ms for it.
bool OxFlashErase(TBaseProtocol& protocol, uint32_t address);
inline constexpr uint16_t FlashEraseTimeout = 5000;
// "^" 3 address count data → "U"; at most 255 data bytes.
bool OxFlashWrite(TBaseProtocol& protocol, uint32_t address, std::span<const uint8_t> data);

// The flash layout the boot loader reports.
struct TFlashInfo {
    uint32_t Start = 0;
    uint16_t Value1 = 0;
    uint16_t Value2 = 0;
    uint32_t Size = 0;
    std::vector<uint32_t> Sectors;  // 1..255 sector sizes

    bool operator==(const TFlashInfo&) const = default;
};
// "^" 7 address → at least 16 bytes echoing "^" 7: start, two 16-bit values, size, the
// sector count n (1..255) and n 32-bit sector sizes, all of which must have arrived.
bool OxFlashInfo(TBaseProtocol& protocol, uint32_t address, TFlashInfo& info);

}  // namespace ryvorn
