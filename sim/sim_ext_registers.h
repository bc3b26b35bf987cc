// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// Extended registers: signed 32-bit values addressed from 0; registers FirstFloat to
// LastFloat (numbered from 1) hold single-precision floats.
class SimExtRegisters : public SimModule {
  public:
    SimExtRegisters();
    bool Accepts(std::span<const uint8_t> r) const override { return IsFunction(r, 30, 32); }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    std::vector<int32_t> Values;
    uint16_t FirstFloat = 101, LastFloat = 120;
    bool ShortInfo = false;  // answer Info in the 4-byte form: no float range
};

}  // namespace ryvorn::sim
