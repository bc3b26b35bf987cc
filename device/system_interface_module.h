// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "device/guarded_area.h"
#include "device/ox_module.h"

namespace ryvorn {

// The controller's system counters.
struct TSysInterfaceData {
    uint32_t Resets = 0;
    uint32_t AliveTime = 0;
    uint32_t UpTime = 0;
    bool operator==(const TSysInterfaceData&) const = default;
};

// Interface 120, function 1: the system counters. Its Info is what keeps a connection
// probed: the worker raises the flag every 2 s and the main window clears it after a good
// Info.
class TOxSbcSysModule : public TOxSbcModule {
  public:
    TOxSbcSysModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Info if flagged.
    void Process() override;
    void CancelRequests() override;

    // 120 1 → exactly 14 bytes: Resets, alive time and up time, 32 bits each.
    bool Info();

    TSysInterfaceData Snapshot() const { return Area_.Copy(); }

    TRequestFlag InfoRequest{false};

  private:
    TGuardedArea<TSysInterfaceData> Area_;
};

}  // namespace ryvorn
