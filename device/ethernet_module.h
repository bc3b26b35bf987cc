// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

#include "device/presence_module.h"

namespace ryvorn {

// The controller's network settings, as the Ethernet interface reports and takes them.
struct TEthernetData {
    static constexpr size_t NameLength = 32;

    uint16_t ApplicationId = 0;
    uint16_t ApplicationVersion = 0;
    uint32_t IpAddress = 0;
    uint32_t SubnetMask = 0;
    uint32_t Gateway = 0;
    std::array<uint16_t, 4> PortParameters{};
    std::array<uint16_t, 4> DataParameters{};
    std::array<uint8_t, 6> MacAddress{};
    std::string Name;  // up to NameLength characters

    bool operator==(const TEthernetData&) const = default;
};

// Interface 97: the controller's Ethernet settings. Served only while the device
// identifies the controller; the settings dialog and the command line use the
// operations directly.
class TOxEthernet : public TOxPresenceModule {
  public:
    // The controller takes this long to apply new IP settings or a new name; nothing is
    // sent to it meanwhile.
    static constexpr std::chrono::milliseconds SettlePause{250};

    TOxEthernet(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // The presence check first (one request per cycle while it lasts); once it ended
    // without the function every flag is cleared, and with it the flagged operations run
    // in the order below. Without an OnUpdate handler a flag is cleared once its
    // operation got a reply.
    void Process() override;

    // 97 1 → exactly 6 bytes: application id, version.
    bool Information();
    // 97 2 → exactly 30 bytes: address, mask, gateway, four port and four data parameters.
    bool ReadIpSettings();
    // 97 2 and the same fields → "U", then the settle pause.
    bool WriteIpSettings();
    // 97 3 → exactly 8 bytes: the six address bytes.
    bool ReadMacAddress();
    // 97 3 and six address bytes → "U".
    bool WriteMacAddress();
    // 97 4 → exactly 34 bytes: 32 name characters, zero-padded.
    bool ReadName();
    // 97 4 and 32 name characters → "U", then the settle pause.
    bool WriteName();

    // The whole record, for the settings dialog: copy out to show it, copy in what to write.
    TEthernetData CopyOut() const;
    void CopyIn(const TEthernetData& data);

    TRequestFlag InformationRequest{false};
    TRequestFlag ReadNameRequest{false};
    TRequestFlag WriteNameRequest{false};
    TRequestFlag ReadMacRequest{false};
    TRequestFlag WriteMacRequest{false};
    TRequestFlag ReadIpRequest{false};
    TRequestFlag WriteIpRequest{false};

  private:
    void ClearRequests();
    void Settle();

    mutable std::mutex DataMutex_;  // the worker parses while the dialog copies
    TEthernetData* Data_ = nullptr;
};

}  // namespace ryvorn
