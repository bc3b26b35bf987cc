// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>

#include "device/ox_module.h"

namespace ryvorn {

// Identification of the controller: id code, serial number, version and build. Each value
// is asked for only while it is still unknown (0), so a cycle after a complete
// identification sends nothing.
class TSystem : public TOxModule {
  public:
    // Every identification request waits this long, whatever the link's default.
    static constexpr uint16_t IdentifyTimeout = 500;

    TSystem(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Up to three requests, each only while its value is unknown: the id code, the serial
    // number, the version. After the first request of a cycle, the next goes only while
    // the module is alive. A reply of the wrong length counts as no sign of life.
    void Process() override;
    std::vector<std::string> DiagnosticLines() const override;

    // "]" → exactly 3 bytes: the id code in bytes 1..2.
    bool ReadIdCode();
    // "^" 8 → exactly 6 bytes: the serial number in bytes 2..5.
    bool ReadSerialNumber();
    // "Z" → exactly 4 bytes: the version in bytes 1..2, the build in byte 3.
    bool ReadVersion();

    uint32_t SerialNumber() const { return SerialNumber_; }
    uint16_t IdCode() const { return IdCode_; }
    uint16_t Version() const { return Version_; }
    uint8_t Build() const { return Build_; }
    void ClearIdentity();

  private:
    // The exchange of every identification request.
    static constexpr TOxExchange Identification(uint16_t length) {
        return {ofInfo, ReplyExactly(length), IdentifyTimeout, true};
    }

    std::atomic<uint32_t> SerialNumber_{0};
    std::atomic<uint16_t> IdCode_{0};
    std::atomic<uint16_t> Version_{0};
    std::atomic<uint8_t> Build_{0};
};

}  // namespace ryvorn
