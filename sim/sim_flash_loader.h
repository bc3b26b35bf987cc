// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// The flash loader functions of interface 94 (the serial number, function 8, belongs to
// the identification): availability, boot loader start, target start, erase, write and
// the flash layout. Erases and writes are counted, not stored.
class SimFlashLoader : public SimModule {
  public:
    static constexpr uint8_t Interface = 94;

    bool Accepts(std::span<const uint8_t> r) const override {
        return r.size() >= 2 && r[0] == Interface && r[1] != 8;
    }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;

    bool Available = true;
    uint32_t Start = 0;
    uint16_t Value1 = 1;
    uint16_t Value2 = 32;
    uint32_t Size = 0x20000;
    std::vector<uint32_t> Sectors = std::vector<uint32_t>(8, 0x4000);
    unsigned Erases = 0;
    size_t BytesWritten = 0;
};

}  // namespace ryvorn::sim
