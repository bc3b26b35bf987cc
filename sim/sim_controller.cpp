// SPDX-License-Identifier: MIT
#include "sim/sim_controller.h"

namespace ryvorn::sim {

SimController::SimController(SimIdentity identity) : Identity_(identity) {
    Interfaces_.push_back(std::make_unique<SimIdentification>(Identity_));
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

}  // namespace ryvorn::sim
