// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "sim/sim_optional_module.h"

namespace ryvorn::sim {

// Interface 97, the controller's Ethernet settings. Reads and writes share their function
// bytes and differ by length: the two header bytes alone read, the header and the fields
// write. A controller without the interface ("ethernet off") stays silent.
class SimEthernet : public SimOptionalModule {
  public:
    static constexpr uint8_t Interface = 97;
    static constexpr size_t NameLength = 32;

    bool Accepts(std::span<const uint8_t> r) const override {
        return Present && !r.empty() && r[0] == Interface;
    }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    // ethernet on|off | ethernet get
    std::optional<std::string> Command(const Words& w) override;

    uint16_t ApplicationId = 0x0001;
    uint16_t ApplicationVersion = 0x0102;
    uint32_t IpAddress = 0xC0A80064;  // 192.168.0.100
    uint32_t SubnetMask = 0xFFFFFF00;
    uint32_t Gateway = 0xC0A80001;
    std::array<uint16_t, 4> PortParameters{6768, 0, 0, 0};
    std::array<uint16_t, 4> DataParameters{};
    std::array<uint8_t, 6> MacAddress{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::string Name = "RYVORN-SIM";
};

}  // namespace ryvorn::sim
