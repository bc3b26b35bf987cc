// SPDX-License-Identifier: MIT
#pragma once

#include "device/display_bitmap.h"
#include "device/encryption_module.h"
#include "device/ethernet_module.h"
#include "device/ext_register_module.h"
#include "device/indicator_module.h"
#include "device/io_module.h"
#include "device/result_module.h"
#include "device/rtc_module.h"
#include "device/system_interface_module.h"
#include "device/user_interface_module.h"
#include "device/weigher_module.h"

namespace ryvorn {

// The device's data record: one area per module. Each module reads and writes only its
// own area (AssignData hands it over); the controller modules add theirs here.
struct TSbcDeviceData {
    TEthernetData Ethernet;
    TEncryptionData Encryption;
    TSysInterfaceData SysInterface;
    TUiData UserInterface;
    TDisplayBitmap UiDisplay;  // 128 x 64, filled green at creation
    TIoData Io;
    TResultData Result;
    TIndicatorData Indicator;
    TExtRegisterData ExtRegister;
    TRtcData RealTimeClock;
    TWeigherData Weigher;
};

}  // namespace ryvorn
