// SPDX-License-Identifier: MIT
#pragma once

#include "device/encryption_module.h"
#include "device/ethernet_module.h"

namespace ryvorn {

// The device's data record: one area per module. Each module reads and writes only its
// own area (AssignData hands it over); the controller modules add theirs here.
struct TSbcDeviceData {
    TEthernetData Ethernet;
    TEncryptionData Encryption;
};

}  // namespace ryvorn
