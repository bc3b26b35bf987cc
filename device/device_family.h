// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ryvorn {

// The controller families known by their id code.
struct TDeviceFamily {
    uint16_t IdCode;
    const char* Text;
};

inline constexpr std::array<TDeviceFamily, 13> DeviceFamilies{{
    {0x0503, "Quend"},
    {0x0610, "Talvrix"},
    {0x0611, "TRI, single process Talvrix + Indicator"},
    {0x0612, "Brenwick"},
    {0x0615, "Kest"},
    {0x0616, "Kest I"},
    {0x0617, "Kest 3600"},
    {0x0618, "Kest II"},
    {0x0619, "Kest 4 Channel"},
    {0x0620, "Kest 4 Chn Card"},
    {0x0622, "Indicator 5150"},
    {0x0624, "HVR 300/400 series"},
    {0x0626, "HVR RIO"},
}};

// The family text of an id code; "IdCode: " and the code in four hexadecimal digits for
// a code outside the table.
std::string DeviceFamilyText(uint16_t idCode);

// Upper-case hexadecimal with at least `digits` digits ("%.*X").
std::string HexDigits(uint32_t value, int digits);
// A 16-bit version as major and minor, two digits each: 0x0205 gives "02.05".
std::string VersionText(uint16_t version);
// The serial number in eight digits.
std::string SerialNumberText(uint32_t serialNumber);

// What the main window's caption is made of once a device is identified.
struct TCaptionValues {
    uint16_t IdCode = 0;
    uint16_t Version = 0;
    uint8_t Build = 0;
    uint32_t SerialNumber = 0;
    uint16_t ModuleVersion = 0;  // the interpreter's module version and build
    uint16_t ModuleBuild = 0;
    std::string Project;
};

// "<family>, Device Version: 02.05, Build: 11, Serial: 00123456, Module Version: 01.00,
// Build: 03, Project: <project>".
std::string DeviceCaption(const TCaptionValues& values);

}  // namespace ryvorn
