// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "sim/sim_faults.h"
#include "sim/sim_identity.h"
#include "sim/sim_interface.h"
#include "sim/sim_module_base.h"

namespace ryvorn::sim {

class SimClock;
class SimEncryption;
class SimEthernet;
class SimExtRegisters;
class SimFlashLoader;
class SimIndicators;
class SimIo;
class SimResults;
class SimSystemInterface;
class SimUserInterface;
class SimWeigher;

// The simulated controller: its state per interface and the dispatch of requests.
// Front ends (pty, UDP, in-process) and the control commands share it under Mutex().
class SimController {
public:
    explicit SimController(SimIdentity identity = {});

    // The reply to one request payload, or nullopt when the controller stays silent.
    std::optional<Bytes> Handle(std::span<const uint8_t> request);
    // The reply payload that goes on the line once the faults of this reply are applied
    // (silence, "not ready", oversize, length), for every front end alike.
    std::optional<Bytes> Reply(std::span<const uint8_t> request, const ReplyFaults& faults);
    // A control command of one of the interfaces ("ethernet off"); nullopt when none
    // knows it.
    std::optional<std::string> Command(const Words& words);

    std::mutex& Mutex() { return Mutex_; }
    SimIdentity& Identity() { return Identity_; }  // under Mutex(), as the interfaces below
    SimEthernet& Ethernet() { return *Ethernet_; }
    SimEncryption& Encryption() { return *Encryption_; }
    SimFlashLoader& FlashLoader() { return *FlashLoader_; }
    SimSystemInterface& SystemInterface() { return *SystemInterface_; }
    SimUserInterface& UserInterface() { return *UserInterface_; }
    SimIo& Io() { return *Io_; }
    SimIndicators& Indicators() { return *Indicators_; }
    SimExtRegisters& ExtRegisters() { return *ExtRegisters_; }
    SimResults& Results() { return *Results_; }
    SimClock& Clock() { return *Clock_; }
    SimWeigher& Weigher() { return *Weigher_; }
    uint64_t RequestsHandled() const { return Requests_; }

private:
    template <class Interface>
    Interface* Add(std::unique_ptr<Interface> added) {
        Interface* kept = added.get();
        Interfaces_.push_back(std::move(added));
        return kept;
    }

    std::mutex Mutex_;
    SimIdentity Identity_;
    std::vector<std::unique_ptr<SimInterface>> Interfaces_;
    SimEthernet* Ethernet_ = nullptr;
    SimEncryption* Encryption_ = nullptr;
    SimFlashLoader* FlashLoader_ = nullptr;
    SimSystemInterface* SystemInterface_ = nullptr;
    SimUserInterface* UserInterface_ = nullptr;
    SimIo* Io_ = nullptr;
    SimIndicators* Indicators_ = nullptr;
    SimExtRegisters* ExtRegisters_ = nullptr;
    SimResults* Results_ = nullptr;
    SimClock* Clock_ = nullptr;
    SimWeigher* Weigher_ = nullptr;
    std::atomic<uint64_t> Requests_{0};
};

}  // namespace ryvorn::sim
