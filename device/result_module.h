// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "device/date_time.h"
#include "device/guarded_area.h"
#include "device/ox_module.h"

namespace ryvorn {

class TOXcFunc;

// One stored result.
struct TResultSlot {
    uint16_t Index = 0;
    TDateTime Time;  // zero when the stamp is not an existing date and time
    int32_t Tag = 0;
    int32_t Value = 0;
    uint16_t Format = 0;  // low 3 bits: the decimals of Value
    uint16_t Unit = 0;    // a label number of the device's unit texts, 0 for none

    uint8_t Decimals() const { return Format & 0x07; }
    bool operator==(const TResultSlot&) const = default;
};

// The 20 bytes of a slot at the read position: Index, the stamp (year, month, day, hour,
// minute, second; the year a plain number, below 80 meaning 20yy), Tag, Value, Format, Unit.
TResultSlot DecodeResultSlot(TOXcFunc& reply);

struct TResultData {
    static constexpr size_t MaxSlots = 16;  // the masks have 16 bits
    static constexpr size_t SlotBytes = 20;

    uint32_t SlotCount = 0;  // from Info, at most MaxSlots
    uint32_t SecondCount = 0;
    uint16_t SelectionMask = 0;
    uint16_t ReturnedMask = 0;  // only slots below the slot count
    uint16_t AcknowledgedMask = 0;
    std::array<TResultSlot, MaxSlots> Slots{};

    // The bits of the slots below the slot count.
    uint16_t SlotMask() const;
    bool operator==(const TResultData&) const = default;
};

// Interface 120, functions 100 to 102: results the controller keeps until the tool has
// read and marked them.
class TOxSbcResultModule : public TOxSbcModule {
  public:
    TOxSbcResultModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Info alone if flagged; otherwise Query, Mark.
    void Process() override;
    void CancelRequests() override;

    // 120 100 → exactly 4 bytes: the slot count (byte 2), a second count (byte 3).
    bool Info();
    // 120 101 selection mask → the returned mask, then exactly 20 bytes for each slot below
    // the slot count whose bit it sets, stored in that slot.
    bool Query();
    // 120 102 returned mask, the Index of every returned slot → the acknowledged mask; a
    // data error unless it is the returned mask or 0.
    bool Mark();

    void SetSelectionMask(uint16_t mask);

    uint32_t SlotCount() const;
    uint32_t SecondCount() const;
    TResultData Snapshot() const { return Area_.Copy(); }

    TRequestFlag InfoRequest{false};
    TRequestFlag QueryRequest{false};
    TRequestFlag MarkRequest{false};

  private:
    TGuardedArea<TResultData> Area_;
};

}  // namespace ryvorn
