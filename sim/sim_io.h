// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// Inputs, outputs and markers in one bit space: the inputs from bit FirstIn, the
// outputs from FirstOut, the markers from FirstMark. Queries address state bytes of
// that space; Set and Reset name I/O numbers, number n being bit n - 1, as the I/O
// pages number them (first number + 1 onwards).
class SimIo : public SimModule {
  public:
    SimIo();
    bool Accepts(std::span<const uint8_t> r) const override { return IsFunction(r, 20, 23); }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    uint16_t SizeIn = 16, SizeOut = 16, SizeMark = 64;
    uint16_t FirstIn = 0, FirstOut = 16, FirstMark = 32;

    bool Bit(size_t n) const { return n < Bits_.size() && Bits_[n]; }
    // True when the I/O number names an input, an output or a marker.
    bool IsIo(size_t number) const;
    void SetBit(size_t n, bool on);

  private:
    std::optional<Bytes> Query(std::span<const uint8_t> r) const;
    std::optional<Bytes> Switch(std::span<const uint8_t> r, bool on);
    std::vector<bool> Bits_;
};

}  // namespace ryvorn::sim
