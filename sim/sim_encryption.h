// SPDX-License-Identifier: MIT
#pragma once

#include <array>

#include "sim/sim_optional_module.h"

namespace ryvorn::sim {

// Interface 98, the passphrase of program and recipe transfers: 98 1 alone reads it,
// with eight bytes sets it. A controller without the interface ("encryption off") stays
// silent.
class SimEncryption : public SimOptionalModule {
  public:
    static constexpr uint8_t Interface = 98;

    bool Accepts(std::span<const uint8_t> r) const override {
        return Present && !r.empty() && r[0] == Interface;
    }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    // encryption on|off | encryption get
    std::optional<std::string> Command(const Words& w) override;

    // Eight blanks: no scrambling.
    std::array<uint8_t, 8> Passphrase{' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    // Sets so far; a set clears the controller's programs and recipes.
    unsigned PassphraseSets = 0;
};

}  // namespace ryvorn::sim
