// SPDX-License-Identifier: MIT
#pragma once

#include <array>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// Stored results in up to 16 slots; a slot holds a result until the tool marks it.
class SimResults : public SimModule {
  public:
    struct Slot {
        bool Pending = false;
        uint16_t Index = 0;
        int Year = 2026, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
        int32_t Tag = 0, Value = 0;
        uint16_t Format = 0, Unit = 0;
    };

    SimResults();
    bool Accepts(std::span<const uint8_t> r) const override { return IsFunction(r, 100, 102); }
    std::optional<Bytes> Handle(std::span<const uint8_t> r) override;
    std::optional<std::string> Command(const Words& w) override;

    uint8_t SlotCount = 16;
    uint8_t SecondCount = 10;
    std::array<Slot, 16> Slots{};
    uint32_t Marked = 0;

    // Stores a result in the first free slot; false when all are taken.
    bool Add(int32_t tag, int32_t value, uint16_t format, uint16_t unit);

  private:
    uint16_t PendingMask() const;
    uint16_t NextIndex_ = 1;
};

}  // namespace ryvorn::sim
