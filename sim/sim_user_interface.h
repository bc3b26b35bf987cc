// SPDX-License-Identifier: MIT
#pragma once

#include <array>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// User Interface: the front panel's 128 x 64 display, read in eight bands of eight
// rows, the value it shows, and the keys the tool passes along with the reads.
class SimUserInterface : public SimModule {
  public:
    static constexpr int Width = 128;
    static constexpr int Height = 64;

    bool Accepts(std::span<const uint8_t> r) const override { return IsFunction(r, 10, 12); }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    int32_t Value = 12345;  // signed 24-bit
    uint8_t Decimals = 1;   // low 3 bits of the status byte
    uint8_t Flags = 0x90;   // high 5 bits, kept in place: valid and stable
    uint8_t LastKey = 0;
    uint32_t KeysReceived = 0;

    // The display as drawn: a frame and the value in large digits.
    bool Pixel(int x, int y) const;
};

}  // namespace ryvorn::sim
