// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace ryvorn {

class TSocketInf;

// IPv4 addresses are 32-bit numbers with the first octet most significant.
std::string AddressToString(uint32_t address);
// Splits at the first three dots; a part that is not a number counts 0. "10.1" is
// 10.1.0.0 here, unlike inet_aton.
uint32_t StringToAddress(const std::string& text);
uint32_t htondw(uint32_t value);
// The directed broadcast address of the local interface on the address's network
// (the first interface when none matches); 0xFFFF with no interface at all.
uint32_t BroadCastAddress(uint32_t address);
uint32_t BroadCastAddress(uint32_t address, const TSocketInf& interfaces);

}  // namespace ryvorn
