// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ryvorn::sim {

using Bytes = std::vector<uint8_t>;

// The controller side of one interface: answers the requests addressed to it, or
// stays silent (nullopt) like a controller that does not know the request.
class SimInterface {
public:
    virtual ~SimInterface() = default;
    // True when this interface answers the request (decided by its leading bytes).
    virtual bool Accepts(std::span<const uint8_t> request) const = 0;
    virtual std::optional<Bytes> Handle(std::span<const uint8_t> request) = 0;
};

}  // namespace ryvorn::sim
