// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// The real-time clock (interface 1): runs with the host clock plus an offset that a
// write sets. Dates travel as packed decimal, the year as its last two digits.
class SimClock : public SimModule {
  public:
    bool Accepts(std::span<const uint8_t> r) const override {
        return r.size() >= 2 && r[0] == 1 && (r[1] == 1 || r[1] == 2);
    }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    std::time_t Now() const { return std::time(nullptr) + Offset; }

    std::time_t Offset = 0;
    bool Broken = false;  // a clock that lost its date answers one that does not exist
};

}  // namespace ryvorn::sim
