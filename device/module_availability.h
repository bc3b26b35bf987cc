// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "device/module_slots.h"

namespace ryvorn {

class TOxSbcDevice;

// What a discovery found the controller to offer; all false before each discovery.
enum TAvailabilityEntry : uint8_t {
    avFrontPanel = 0,        // User Interface Info valid, or display resource present
    avInterpreter = 1,       // Interpreter Info, third count > 0
    avTasks = 2,             // Interpreter task count > 0
    avInterpreterFourth = 3, // Interpreter fourth count > 0
    avWeigher = 4,
    avDisplayImage = 5,
    avResults = 6,           // Result Info, second count > 0
    avClock = 7,             // clock read gave a date after the zero date
    avScope = 8,
    avPrinter = 9,           // Printer Info, second count > 0
    avPrinterFirst = 10,     // with avPrinter: the Printer's first count > 0
    avLabels = 11,
    avConfig = 12,
    avIo = 13,               // I/O Info, one of the sizes non-zero
    avIndicators = 14,
    avExtRegisters = 15,
};

inline constexpr size_t AvailabilityEntryCount = 16;
using TModuleAvailability = std::array<bool, AvailabilityEntryCount>;

// The entry names ryvorn-cli prints.
const char* AvailabilityEntryName(size_t entry);

// One step of the discovery chain: asks one module of the device and fills its
// entries; true when the module answered (a pass ends at the first module that did
// not). A step whose module the device does not have is passed over.
struct TDiscoveryStep {
    const char* Name;
    TModuleSlot Slot;
    bool (*Ask)(TOxSbcDevice& device, TModuleAvailability& table);
};

// The chain in the order a discovery walks it.
std::span<const TDiscoveryStep> DiscoveryChain();

}  // namespace ryvorn
