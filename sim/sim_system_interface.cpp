// SPDX-License-Identifier: MIT
#include "sim/sim_system_interface.h"

namespace ryvorn::sim {

std::optional<Bytes> SimSystemInterface::Handle(std::span<const uint8_t> r) {
    const auto up = static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - Start_).count());
    Bytes out = Echo(r, 2);
    PutBE32(out, Resets);
    PutBE32(out, AliveBase + up);
    PutBE32(out, up);
    return out;
}

std::optional<std::string> SimSystemInterface::Command(const Words& w) {
    // system resets N
    if (w.size() != 3 || w[0] != "system" || w[1] != "resets") return std::nullopt;
    int64_t n = 0;
    if (!ParseNumber(w[2], n)) return "error: bad number";
    Resets = static_cast<uint32_t>(n);
    return "ok";
}

}  // namespace ryvorn::sim
