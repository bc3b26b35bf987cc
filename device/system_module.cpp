// SPDX-License-Identifier: MIT
#include "device/system_module.h"

#include "device/device_family.h"
#include "device/interface_numbers.h"

namespace ryvorn {

TSystem::TSystem(int32_t address, TOXProt* protocol) : TOxModule(address, protocol) {}

void TSystem::AssignData(TSbcDeviceData& /*record*/) {
    // The identification values are the module's own: the device copies them once the
    // identification is complete.
    SetName("System");
}

void TSystem::Process() {
    const struct {
        bool Known;
        bool (TSystem::*Read)();
    } steps[] = {{IdCode_ != 0, &TSystem::ReadIdCode},
                 {SerialNumber_ != 0, &TSystem::ReadSerialNumber},
                 {Version_ != 0, &TSystem::ReadVersion}};
    bool asked = false;
    for (const auto& step : steps) {
        if (step.Known) continue;
        // A request after a failed one in the same cycle would only fail as well. The
        // first value still missing is always asked for, though: with the id code known
        // and the module not alive, nothing would ever be sent again and a controller
        // that recovers would never be identified.
        if (asked && !IsAlive()) return;
        (this->*step.Read)();
        asked = true;
    }
}

bool TSystem::ReadIdCode() {
    return Perform(
        Identification(3), [](TOXcFunc& r) { r.SetCommand1(ifc::IdCode); },
        [this](TOXcFunc& r) { IdCode_ = r.GetWord(); });
}

bool TSystem::ReadSerialNumber() {
    return Perform(
        Identification(6), [](TOXcFunc& r) { r.SetCommand(ifc::SerialFlash, flash::SerialNumber); },
        [this](TOXcFunc& r) { SerialNumber_ = r.GetLong(); });
}

bool TSystem::ReadVersion() {
    return Perform(
        Identification(4), [](TOXcFunc& r) { r.SetCommand1(ifc::Version); },
        [this](TOXcFunc& r) {
            Version_ = r.GetWord();
            Build_ = r.GetByte();
        });
}

void TSystem::ClearIdentity() {
    SerialNumber_ = 0;
    IdCode_ = 0;
    Version_ = 0;
    Build_ = 0;
}

std::vector<std::string> TSystem::DiagnosticLines() const {
    return {Name(), "IdCode: " + HexDigits(IdCode_, 4), "Version: " + VersionText(Version_),
            "Build: " + HexDigits(Build_, 2), "Serial: " + SerialNumberText(SerialNumber_)};
}

}  // namespace ryvorn
