// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace ryvorn {

// Every module a device holds, named by its place.
enum class TModuleSlot : uint8_t {
    System,
    Ethernet,
    Encryption,
    SysInterface,
    UserInterface,
    Io,
    Result,
    Label,
    Link,
    Indicator,
    ExtRegister,
    Interpreter,
    Program,
    Recipe,
    Printer,
    RealTimeClock,
    Weigher,
    Scope,
    DisplayResource,
    DisplayImage,
    Config,
};

inline constexpr size_t ModuleSlotCount = 21;

// A slot's place in the three orders the device keeps apart: the order it creates its
// modules in (which is also the order of its module list), the order CancelAll clears
// their requests in, and the order a polling cycle calls Process in. 0: the module is
// not cancelled, or not polled (System and Ethernet run only while identifying).
struct TModuleSlotOrder {
    TModuleSlot Slot;
    const char* ClassName;
    uint8_t Created;
    uint8_t Cancelled;
    uint8_t Polled;
};

// Rows in creation order. A slot whose module class does not exist yet stays empty in
// the device; its row already holds its places.
// clang-format off
inline constexpr std::array<TModuleSlotOrder, ModuleSlotCount> ModuleSlotOrders{{
    //                                                         created  cancelled  polled
    {TModuleSlot::System, "TSystem",                                1,        0,      0},
    {TModuleSlot::Ethernet, "TOxEthernet",                          2,        0,      0},
    {TModuleSlot::Encryption, "TOxEncryption",                      3,        0,     16},
    {TModuleSlot::SysInterface, "TOxSbcSysModule",                  4,        1,      1},
    {TModuleSlot::UserInterface, "TOxSbcUiModule",                  5,        2,      2},
    {TModuleSlot::Io, "TOxSbcIoModule",                             6,        3,      3},
    {TModuleSlot::Result, "TOxSbcResultModule",                     7,        4,      4},
    {TModuleSlot::Label, "TOxSbcLabelModule",                       8,        5,      5},
    {TModuleSlot::Link, "TOxSbcLinkModule",                         9,        6,      6},
    {TModuleSlot::Indicator, "TOxSbcIndicatorModule",              10,        7,      7},
    {TModuleSlot::ExtRegister, "TOxSbcExtRegisterModule",          11,        8,      8},
    {TModuleSlot::Interpreter, "TOxSbcInterpreterModule",          12,        9,      9},
    {TModuleSlot::Program, "TOxSbcProgramModule",                  13,       10,     10},
    {TModuleSlot::Recipe, "TOxSbcRecipeModule",                    14,       11,     11},
    {TModuleSlot::Printer, "TOxSbcPrinterModule",                  15,       12,     12},
    {TModuleSlot::RealTimeClock, "TRtcModule",                     16,       13,     13},
    {TModuleSlot::Weigher, "TOxSbcWeigherModule",                  17,       14,     14},
    {TModuleSlot::Scope, "TOxSbcScopeModule",                      18,       15,     15},
    {TModuleSlot::DisplayResource, "TOxKestDisplayModule",         19,       16,     18},
    {TModuleSlot::DisplayImage, "TOxKestImageModule",              20,       17,     19},
    {TModuleSlot::Config, "TOxSbcConfigModule",                    21,       18,     17},
}};
// clang-format on

namespace module_slots_detail {

template <size_t N>
constexpr std::array<TModuleSlot, N> SlotsBy(uint8_t TModuleSlotOrder::*place) {
    std::array<TModuleSlot, N> order{};
    std::array<bool, N> filled{};
    for (const auto& row : ModuleSlotOrders) {
        const uint8_t p = row.*place;
        if (p == 0) continue;
        // A place outside 1..N, or taken twice, fails the build here.
        if (p > N || filled[p - 1]) throw "module slot orders: a place is out of range or taken twice";
        filled[p - 1] = true;
        order[p - 1] = row.Slot;
    }
    if (std::find(filled.begin(), filled.end(), false) != filled.end())
        throw "module slot orders: a place is missing";
    return order;
}

constexpr size_t CountOf(uint8_t TModuleSlotOrder::*place) {
    return static_cast<size_t>(std::count_if(ModuleSlotOrders.begin(), ModuleSlotOrders.end(),
                                             [&](const auto& r) { return r.*place != 0; }));
}

}  // namespace module_slots_detail

// The three orders as slot lists, derived from the table at compile time.
inline constexpr auto CreationOrder =
    module_slots_detail::SlotsBy<module_slots_detail::CountOf(&TModuleSlotOrder::Created)>(
        &TModuleSlotOrder::Created);
inline constexpr auto CancelOrder =
    module_slots_detail::SlotsBy<module_slots_detail::CountOf(&TModuleSlotOrder::Cancelled)>(
        &TModuleSlotOrder::Cancelled);
inline constexpr auto PollOrder =
    module_slots_detail::SlotsBy<module_slots_detail::CountOf(&TModuleSlotOrder::Polled)>(
        &TModuleSlotOrder::Polled);

// The rows stand in slot order, so a slot's row is found by its number.
static_assert([] {
    for (size_t i = 0; i < ModuleSlotCount; ++i) {
        if (static_cast<size_t>(ModuleSlotOrders[i].Slot) != i ||
            CreationOrder[i] != ModuleSlotOrders[i].Slot)
            return false;
    }
    return true;
}());
static_assert(CreationOrder.size() == ModuleSlotCount && CancelOrder.size() == 18 && PollOrder.size() == 19);

constexpr size_t SlotIndex(TModuleSlot slot) {
    return static_cast<size_t>(slot);
}

}  // namespace ryvorn
