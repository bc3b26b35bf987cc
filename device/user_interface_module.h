// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "device/display_bitmap.h"
#include "device/guarded_area.h"
#include "device/ox_module.h"

namespace ryvorn {

// The front panel as the User Interface reports it. The picture itself is the device's
// display bitmap.
struct TUiData {
    static constexpr size_t ParameterCount = 6;

    bool Valid = false;  // the last Info succeeded
    std::array<uint16_t, ParameterCount> DisplayParameters{};
    uint8_t Key = 0;   // passed with the next display read; 0 = none
    uint8_t Band = 0;  // the band (0..7) the next read asks for
    uint8_t Decimals = 0;
    // The high 5 bits of the status byte, kept in place: 0x80 valid, 0x40 over, 0x20 zero,
    // 0x10 stable, 0x08 tare.
    uint8_t DisplayFlags = 0;
    int32_t DisplayValue = 0;  // signed 24-bit

    bool operator==(const TUiData&) const = default;
};

// Interface 120, functions 10 to 12: the front panel's display, mirrored band by band, and
// the keys pressed on the tool's picture of it.
class TOxSbcUiModule : public TOxSbcModule {
  public:
    TOxSbcUiModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Info alone if flagged; otherwise read band, then read partial band.
    void Process() override;
    void CancelRequests() override;

    // 120 10 → exactly 16 bytes: six display parameters from byte 2 (a seventh is skipped).
    // Valid is cleared first and set by a good reply.
    bool Info();
    // 120 11 key band → at least 6 bytes: the value, then one byte per column from column 0.
    // OnUpdate(11) when the eighth band was read, then OnUpdate(4) always.
    bool ReadBand();
    // 120 12 key band → at least 7 bytes: the value, the first column, its column bytes.
    // OnUpdate(4) when the eighth band was read, then OnUpdate(11) always.
    bool ReadPartialBand();

    // The key goes to the controller with the next display read, once.
    void PressKey(uint8_t key);
    void SetBand(uint8_t band);

    bool Valid() const;
    TUiData Snapshot() const { return Area_.Copy(); }
    const TDisplayBitmap& Display() const { return *Display_; }

    TRequestFlag InfoRequest{false};
    TRequestFlag ReadBandRequest{false};
    TRequestFlag ReadPartialBandRequest{false};

  private:
    bool ReadDisplay(bool partial);

    TGuardedArea<TUiData> Area_;
    TDisplayBitmap* Display_ = nullptr;
};

}  // namespace ryvorn
