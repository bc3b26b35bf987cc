// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/byte_order.h"
#include "sim/sim_interface.h"

namespace ryvorn::sim {

// Interface 120 carries the controller's function modules; byte 1 selects the function.
constexpr uint8_t FunctionInterface = 120;

// The words of a control command ("io input 3 1").
using Words = std::vector<std::string>;

// A controller interface that also takes control commands from tests: each answers
// the commands that start with its own word and returns nullopt for the others.
class SimModule : public SimInterface {
public:
    virtual std::optional<std::string> Command(const Words& /*words*/) { return std::nullopt; }
};

// True when request r is interface 120 with a function byte in [first, last].
inline bool IsFunction(std::span<const uint8_t> r, uint8_t first, uint8_t last) {
    return r.size() >= 2 && r[0] == FunctionInterface && r[1] >= first && r[1] <= last;
}

// The reply's echoed header: the first n bytes of the request.
inline Bytes Echo(std::span<const uint8_t> r, size_t n) { return Bytes(r.begin(), r.begin() + std::min(n, r.size())); }

// A number from a control command; false when it is not one.
bool ParseNumber(const std::string& text, int64_t& out);

}  // namespace ryvorn::sim
