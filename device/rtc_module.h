// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "device/date_time.h"
#include "device/guarded_area.h"
#include "device/ox_module.h"

namespace ryvorn {

struct TRtcData {
    TDateTime ClockRead;  // zero when the clock holds no existing date
    TDateTime ClockToWrite;
    bool operator==(const TRtcData&) const = default;
};

// The clock's six packed-decimal bytes (year, month, day, hour, minute, second) as a
// date-time. Fields out of range are taken in: a month of 0 or above 12 and a day of 0 or
// above 31 become 1, an hour above 23 and a minute or second above 59 become 0; a year
// below 50 means 20yy, else 19yy. A date that still does not exist gives the zero value.
TDateTime DecodeClock(const std::array<uint8_t, 6>& bcd);
// The date-time as the clock takes it: packed decimal, the year as its last two digits.
std::array<uint8_t, 6> EncodeClock(const TDateTime& value);

// Interface 1: the controller's real-time clock. It has no Info and no progress, but it
// sits among the controller modules and is cancelled with them.
class TRtcModule : public TOxSbcModule {
  public:
    TRtcModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Read, then Write. Without an OnUpdate handler a flag is cleared once its operation
    // got a reply.
    void Process() override;
    void CancelRequests() override;

    // 1 1 → exactly 8 bytes: the six packed-decimal clock bytes from byte 2.
    bool Read();
    // 1 2 and the six bytes of the clock to write → "U".
    bool Write();

    void SetClockToWrite(const TDateTime& value);
    TDateTime ClockRead() const;
    // The last Read succeeded and gave an existing date.
    bool HasDate() const { return HasDate_; }
    TRtcData Snapshot() const { return Area_.Copy(); }

    TRequestFlag ReadRequest{false};
    TRequestFlag WriteRequest{false};

  private:
    TGuardedArea<TRtcData> Area_;
    std::atomic<bool> HasDate_{false};
};

}  // namespace ryvorn
