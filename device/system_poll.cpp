// SPDX-License-Identifier: MIT
#include "device/system_poll.h"

#include "device/sbc_device.h"
#include "device/system_interface_module.h"

namespace ryvorn {

void RaiseSystemInterfacePoll(TOxSbcDevice& device) {
    if (auto* module = device.ControllerModule(TModuleSlot::SysInterface)) {
        static_cast<TOxSbcSysModule*>(module)->InfoRequest = true;
    }
}

}  // namespace ryvorn
