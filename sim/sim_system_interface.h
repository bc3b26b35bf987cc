// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// System Interface: reset counter, alive time and up time (seconds).
class SimSystemInterface : public SimModule {
  public:
    SimSystemInterface() : Start_(std::chrono::steady_clock::now()) {}
    bool Accepts(std::span<const uint8_t> r) const override { return IsFunction(r, 1, 1); }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    uint32_t Resets = 3;
    uint32_t AliveBase = 86400;

  private:
    std::chrono::steady_clock::time_point Start_;
};

}  // namespace ryvorn::sim
