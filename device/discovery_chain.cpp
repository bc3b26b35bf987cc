// SPDX-License-Identifier: MIT
// The discovery chain: which module is asked in which order, and which availability
// entries its answer sets.
#include "device/ext_register_module.h"
#include "device/indicator_module.h"
#include "device/io_module.h"
#include "device/module_availability.h"
#include "device/result_module.h"
#include "device/rtc_module.h"
#include "device/sbc_device.h"
#include "device/user_interface_module.h"
#include "device/weigher_module.h"

namespace ryvorn {

namespace {

template <class Module>
Module& ModuleOf(TOxSbcDevice& device, TModuleSlot slot) {
    return static_cast<Module&>(*device.ControllerModule(slot));
}

bool Ok(const TOxModule& module) { return module.Status() == TOxModuleStatus::Ok; }

bool AskUserInterface(TOxSbcDevice& device, TModuleAvailability& table) {
    auto& ui = ModuleOf<TOxSbcUiModule>(device, TModuleSlot::UserInterface);
    const bool answered = ui.Info();
    table[avFrontPanel] = ui.Valid();
    return answered;
}

bool AskWeigher(TOxSbcDevice& device, TModuleAvailability& table) {
    auto& weigher = ModuleOf<TOxSbcWeigherModule>(device, TModuleSlot::Weigher);
    const bool answered = weigher.Info();
    table[avWeigher] = weigher.Present();
    return answered;
}

bool AskIo(TOxSbcDevice& device, TModuleAvailability& table) {
    auto& io = ModuleOf<TOxSbcIoModule>(device, TModuleSlot::Io);
    const bool answered = io.Info();
    table[avIo] = Ok(io) && (io.InputSize() != 0 || io.OutputSize() != 0 || io.MarkerSize() != 0);
    return answered;
}

bool AskIndicators(TOxSbcDevice& device, TModuleAvailability& table) {
    auto& indicators = ModuleOf<TOxSbcIndicatorModule>(device, TModuleSlot::Indicator);
    const bool answered = indicators.Info();
    table[avIndicators] = Ok(indicators) && indicators.Count() != 0;
    return answered;
}

bool AskExtRegisters(TOxSbcDevice& device, TModuleAvailability& table) {
    auto& registers = ModuleOf<TOxSbcExtRegisterModule>(device, TModuleSlot::ExtRegister);
    const bool answered = registers.Info();
    table[avExtRegisters] = Ok(registers) && registers.Count() != 0;
    return answered;
}

bool AskResults(TOxSbcDevice& device, TModuleAvailability& table) {
    auto& results = ModuleOf<TOxSbcResultModule>(device, TModuleSlot::Result);
    const bool answered = results.Info();
    table[avResults] = Ok(results) && results.SecondCount() > 0;
    return answered;
}

bool AskClock(TOxSbcDevice& device, TModuleAvailability& table) {
    auto& clock = ModuleOf<TRtcModule>(device, TModuleSlot::RealTimeClock);
    const bool answered = clock.Read();
    table[avClock] = Ok(clock) && clock.HasDate();
    return answered;
}

// The steps of modules a device does not hold yet are passed over; their rows keep
// their place in the chain.
constexpr TDiscoveryStep Chain[] = {
    {"User Interface Info", TModuleSlot::UserInterface, AskUserInterface},
    {"display resource presence", TModuleSlot::DisplayResource, nullptr},
    {"Interpreter Info", TModuleSlot::Interpreter, nullptr},
    {"Label Info", TModuleSlot::Label, nullptr},
    {"Weigher Info", TModuleSlot::Weigher, AskWeigher},
    {"display image presence", TModuleSlot::DisplayImage, nullptr},
    {"I/O Info", TModuleSlot::Io, AskIo},
    {"Indicator Info", TModuleSlot::Indicator, AskIndicators},
    {"Extended Registers Info", TModuleSlot::ExtRegister, AskExtRegisters},
    {"Result Info", TModuleSlot::Result, AskResults},
    {"Clock read", TModuleSlot::RealTimeClock, AskClock},
    {"Scope availability", TModuleSlot::Scope, nullptr},
    {"Printer Info", TModuleSlot::Printer, nullptr},
    {"Config availability", TModuleSlot::Config, nullptr},
};

}  // namespace

std::span<const TDiscoveryStep> DiscoveryChain() { return Chain; }

}  // namespace ryvorn
