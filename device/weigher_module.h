// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "device/guarded_area.h"
#include "device/ox_module.h"

namespace ryvorn {

struct TWeigherData {
    static constexpr uint32_t DefaultReadMask1 = 0x000000FF;  // bits 0 to 7
    static constexpr uint32_t DefaultReadMask2 = 0x000FFF80;  // bits 7 to 19
    static constexpr uint32_t DefaultWriteMask = 0x000FFE80;  // bits 7 and 9 to 19

    bool Present = false;
    uint32_t ReadMask1 = DefaultReadMask1;
    uint32_t ReadMask2 = DefaultReadMask2;
    uint32_t WriteMask = DefaultWriteMask;
    uint32_t ReturnedMask = 0;         // of the last read
    std::array<int32_t, 32> Values{};  // one slot per mask bit
    // From Info: its 16-bit value and its last 32-bit value, kept as they came.
    uint16_t InfoWord = 0;
    int32_t InfoValue = 0;
    // The command parameter: sent by set, reset and command 4 (and, with its low 16 bits
    // inverted, by the inverse of command 4).
    int32_t Parameter = 0;
    // Info's value to scale, scaled; command 2 sends it back scaled the other way.
    int32_t ScaledValue = 0;
    // The weight step the scaled values keep to; 0: no stepping. The controller does not
    // report it: the caller sets it.
    int32_t StepSize = 0;

    bool operator==(const TWeigherData&) const = default;
};

// A value from the weigher for showing: a tenth of it (halves away from zero), then, with
// a step size, the nearest multiple of the step ((value + step / 2) / step truncated, × step).
int32_t ScaleWeigherValue(int32_t raw, int32_t stepSize);
// A shown value for the weigher: brought to a multiple of the step the same way, then
// multiplied by 10 (kept within 32 bits).
int32_t UnscaleWeigherValue(int32_t value, int32_t stepSize);

// Interface 10: the weigher, which a controller may not have.
class TOxSbcWeigherModule : public TOxSbcModule {
  public:
    // Save and the first three commands take the controller longer than a link's default.
    static constexpr uint16_t SlowTimeout = 2000;

    TOxSbcWeigherModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Info alone if flagged; otherwise read with mask 1, read with mask 2, write, save, set,
    // reset, then the first flagged of commands 1, 2 and 3, then the first flagged of
    // command 4 and its inverse.
    void Process() override;
    void CancelRequests() override;

    // 10 0 → "U" (else status 5, not present, and nothing more is sent); then 10 4 5 →
    // exactly 16 bytes: a 16-bit value, the command parameter, the value to scale and one
    // 32-bit value.
    bool Info();
    // 10 1 mask → the returned mask, then one value per bit it sets, lowest bit first.
    bool ReadWithMask1();
    bool ReadWithMask2();
    // 10 5 write mask, one value per bit it sets → at least 4 bytes.
    bool Write();
    // 10 6 → exactly 4 bytes whose 16-bit value at byte 2 is 0.
    bool Save();
    // 10 2 parameter / 10 3 parameter → at least 4 bytes.
    bool Set();
    bool Reset();
    // 10 4 sub-command [value] → exactly 8 bytes: 1, 2 with the scaled value, 3, 4 with the
    // parameter, 4 with the parameter XOR 0xFFFF.
    bool Command1();
    bool Command2();
    bool Command3();
    bool Command4();
    bool InverseCommand4();

    void SetMasks(uint32_t readMask1, uint32_t readMask2, uint32_t writeMask);
    void SetValue(size_t bit, int32_t value);
    void SetParameter(int32_t parameter);
    void SetScaledValue(int32_t value);
    void SetStepSize(int32_t stepSize);

    bool Present() const;
    TWeigherData Snapshot() const { return Area_.Copy(); }

    TRequestFlag InfoRequest{false};
    TRequestFlag ReadWithMask1Request{false};
    TRequestFlag ReadWithMask2Request{false};
    TRequestFlag WriteRequest{false};
    TRequestFlag SaveRequest{false};
    TRequestFlag SetRequest{false};
    TRequestFlag ResetRequest{false};
    TRequestFlag Command1Request{false};
    TRequestFlag Command2Request{false};
    TRequestFlag Command3Request{false};
    TRequestFlag Command4Request{false};
    TRequestFlag InverseCommand4Request{false};

  private:
    bool ReadWithMask(uint32_t TWeigherData::*mask, uint8_t function);
    bool SendParameter(uint8_t functionByte, uint8_t function);
    bool SendCommand(uint16_t subCommand, uint8_t function, uint16_t timeout, bool withValue,
                     int32_t value = 0);

    TGuardedArea<TWeigherData> Area_;
};

}  // namespace ryvorn
