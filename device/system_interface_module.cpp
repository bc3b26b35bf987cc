// SPDX-License-Identifier: MIT
#include "device/system_interface_module.h"

#include "device/device_data.h"
#include "device/interface_numbers.h"

namespace ryvorn {

TOxSbcSysModule::TOxSbcSysModule(int32_t address, TOXProt* protocol) : TOxSbcModule(address, protocol) {}

void TOxSbcSysModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.SysInterface);
    SetName("System Interface");
}

void TOxSbcSysModule::Process() {
    Serve(InfoRequest, false, [this] { return Info(); });
}

void TOxSbcSysModule::CancelRequests() {
    InfoRequest = false;
}

bool TOxSbcSysModule::Info() {
    return Perform(
        {ofInfo, ReplyExactly(14)}, [](TOXcFunc& r) { r.SetCommand(ifc::Functions, fn::SystemInterface); },
        [this](TOXcFunc& r) {
            TSysInterfaceData counters;
            counters.Resets = r.GetLong();
            counters.AliveTime = r.GetLong();
            counters.UpTime = r.GetLong();
            Area_.Write([&](TSysInterfaceData& d) { d = counters; });
        });
}

}  // namespace ryvorn
