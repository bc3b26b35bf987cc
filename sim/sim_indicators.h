// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// Indicators: per entry a signed 24-bit value with its decimals (low 3 bits) and
// flags (high 5 bits). Queries address entries from 0.
class SimIndicators : public SimModule {
  public:
    struct Entry {
        int32_t Value = 0;
        uint8_t Decimals = 0;
        uint8_t Flags = 0;
    };

    SimIndicators();
    bool Accepts(std::span<const uint8_t> r) const override { return IsFunction(r, 40, 41); }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    std::vector<Entry> Entries;
    uint16_t SecondValue = 1;
};

}  // namespace ryvorn::sim
