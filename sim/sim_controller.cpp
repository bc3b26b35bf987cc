// SPDX-License-Identifier: MIT
#include "sim/sim_controller.h"

#include "sim/sim_clock.h"
#include "sim/sim_encryption.h"
#include "sim/sim_ethernet.h"
#include "sim/sim_ext_registers.h"
#include "sim/sim_flash_loader.h"
#include "sim/sim_indicators.h"
#include "sim/sim_io.h"
#include "sim/sim_results.h"
#include "sim/sim_system_interface.h"
#include "sim/sim_user_interface.h"
#include "sim/sim_weigher.h"

namespace ryvorn::sim {

SimController::SimController(SimIdentity identity) : Identity_(identity) {
    Interfaces_.push_back(std::make_unique<SimIdentification>(Identity_));
    auto flashLoader = std::make_unique<SimFlashLoader>();
    FlashLoader_ = flashLoader.get();
    Interfaces_.push_back(std::move(flashLoader));
    auto ethernet = std::make_unique<SimEthernet>();
    Ethernet_ = ethernet.get();
    Interfaces_.push_back(std::move(ethernet));
    auto encryption = std::make_unique<SimEncryption>();
    Encryption_ = encryption.get();
    Interfaces_.push_back(std::move(encryption));
    SystemInterface_ = Add(std::make_unique<SimSystemInterface>());
    UserInterface_ = Add(std::make_unique<SimUserInterface>());
    Io_ = Add(std::make_unique<SimIo>());
    Indicators_ = Add(std::make_unique<SimIndicators>());
    ExtRegisters_ = Add(std::make_unique<SimExtRegisters>());
    Results_ = Add(std::make_unique<SimResults>());
    Clock_ = Add(std::make_unique<SimClock>());
    Weigher_ = Add(std::make_unique<SimWeigher>());
    Interfaces_.push_back(std::make_unique<SimEcho>());
}

std::optional<Bytes> SimController::Handle(std::span<const uint8_t> request) {
    ++Requests_;
    std::lock_guard lock(Mutex_);
    for (auto& i : Interfaces_) {
        if (i->Accepts(request)) return i->Handle(request);
    }
    return std::nullopt;
}

std::optional<Bytes> SimController::Reply(std::span<const uint8_t> request, const ReplyFaults& faults) {
    if (faults.Silence) return std::nullopt;
    if (faults.NotReady) return Bytes{0x00};
    if (faults.Oversize) return FillerPayload(static_cast<size_t>(*faults.Oversize));
    auto reply = Handle(request);
    if (!reply) return std::nullopt;
    return ApplyLength(std::move(*reply), faults);
}

std::optional<std::string> SimController::Command(const Words& words) {
    std::lock_guard lock(Mutex_);
    for (auto& i : Interfaces_) {
        auto* module = dynamic_cast<SimModule*>(i.get());
        if (!module) continue;
        if (auto answer = module->Command(words)) return answer;
    }
    return std::nullopt;
}

}  // namespace ryvorn::sim
