// SPDX-License-Identifier: MIT
#include "device/device_family.h"

#include <cstdio>

namespace ryvorn {

std::string DeviceFamilyText(uint16_t idCode) {
    for (const auto& family : DeviceFamilies) {
        if (family.IdCode == idCode) return family.Text;
    }
    return "IdCode: " + HexDigits(idCode, 4);
}

std::string HexDigits(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%.*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string VersionText(uint16_t version) {
    return HexDigits(version >> 8, 2) + "." + HexDigits(version & 0xFF, 2);
}

std::string SerialNumberText(uint32_t serialNumber) {
    return HexDigits(serialNumber, 8);
}

std::string DeviceCaption(const TCaptionValues& v) {
    return DeviceFamilyText(v.IdCode) + ", Device Version: " + VersionText(v.Version) +
           ", Build: " + HexDigits(v.Build, 2) + ", Serial: " + SerialNumberText(v.SerialNumber) +
           ", Module Version: " + VersionText(v.ModuleVersion) + ", Build: " + HexDigits(v.ModuleBuild, 2) +
           ", Project: " + v.Project;
}

}  // namespace ryvorn
