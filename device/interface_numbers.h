// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace ryvorn {

// Byte 0 of every request: the controller interface it is for.
namespace ifc {
constexpr uint8_t RealTimeClock = 1;
constexpr uint8_t Weigher = 10;
constexpr uint8_t Scope = 50;
constexpr uint8_t DisplayImage = 72;
constexpr uint8_t Version = 90;      // "Z", a single-byte request
constexpr uint8_t IdCode = 93;       // "]", a single-byte request
constexpr uint8_t SerialFlash = 94;  // "^": serial number and flash loader
constexpr uint8_t Swad = 96;         // "`": software-settable node address
constexpr uint8_t Ethernet = 97;
constexpr uint8_t Encryption = 98;
constexpr uint8_t Functions = 120;  // "x": the controller's function modules, byte 1 selects
constexpr uint8_t DisplayResource = 170;
constexpr uint8_t Config = 180;
constexpr uint8_t ProductCode = 201;
}  // namespace ifc

// Byte 1 under interface 120: the first function byte of each controller module; a module
// uses the consecutive bytes from its first on.
namespace fn {
constexpr uint8_t SystemInterface = 1;
constexpr uint8_t UserInterface = 10;      // 10..12
constexpr uint8_t Io = 20;                 // 20..23
constexpr uint8_t ExtendedRegisters = 30;  // 30..32
constexpr uint8_t Indicator = 40;          // 40..41
constexpr uint8_t Label = 50;              // 50..54
constexpr uint8_t Link = 60;               // 60..64
constexpr uint8_t Interpreter = 70;        // 70..77
constexpr uint8_t Program = 81;            // 81..85
constexpr uint8_t Recipe = 91;             // 91..94
constexpr uint8_t Result = 100;            // 100..102
constexpr uint8_t Printer = 110;           // 110..116
}  // namespace fn

// Function bytes of interface 94.
namespace flash {
constexpr uint8_t Available = 0;
constexpr uint8_t StartBoot = 1;
constexpr uint8_t Erase = 2;
constexpr uint8_t Write = 3;
constexpr uint8_t Target = 5;
constexpr uint8_t Info = 7;
constexpr uint8_t SerialNumber = 8;
}  // namespace flash

}  // namespace ryvorn
