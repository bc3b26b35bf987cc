// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "sim/sim_identity.h"
#include "sim/sim_interface.h"

namespace ryvorn::sim {

// The simulated controller: its state per interface and the dispatch of requests.
// Front ends (pty, UDP, in-process) and the control commands share it under Mutex().
class SimController {
public:
    explicit SimController(SimIdentity identity = {});

    // The reply to one request payload, or nullopt when the controller stays silent.
    std::optional<Bytes> Handle(std::span<const uint8_t> request);

    std::mutex& Mutex() { return Mutex_; }
    SimIdentity& Identity() { return Identity_; }  // under Mutex()
    uint64_t RequestsHandled() const { return Requests_; }

private:
    std::mutex Mutex_;
    SimIdentity Identity_;
    std::vector<std::unique_ptr<SimInterface>> Interfaces_;
    std::atomic<uint64_t> Requests_{0};
};

}  // namespace ryvorn::sim
