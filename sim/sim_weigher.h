// SPDX-License-Identifier: MIT
#pragma once

#include <array>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// The weigher (interface 10): may be absent; 32 values addressed by the bits of a mask,
// lowest bit first.
class SimWeigher : public SimModule {
  public:
    SimWeigher();
    bool Accepts(std::span<const uint8_t> r) const override {
        return r.size() >= 2 && r[0] == 10 && r[1] <= 6;
    }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    bool Present = true;
    std::array<int32_t, 32> Values{};
    int32_t CommandParameter = 0x1234;
    uint32_t Saves = 0;
    uint16_t LastCommand = 0;
    int32_t LastValue = 0;
};

}  // namespace ryvorn::sim
