// SPDX-License-Identifier: MIT
#include "sim/sim_ext_registers.h"

#include <bit>
#include <cstdlib>

#include "sim/sim_block_query.h"

namespace ryvorn::sim {

SimExtRegisters::SimExtRegisters() : Values(200) {
    for (size_t i = 0; i < Values.size(); ++i) Values[i] = static_cast<int32_t>(i * 10);
    for (uint16_t n = FirstFloat; n <= LastFloat; ++n) Values[n - 1] = std::bit_cast<int32_t>(n * 0.5f);
}

std::optional<Bytes> SimExtRegisters::Handle(std::span<const uint8_t> r) {
    if (r[1] == 30) {
        Bytes out = Echo(r, 2);
        PutBE16(out, static_cast<uint32_t>(Values.size()));
        if (!ShortInfo) {
            PutBE16(out, FirstFloat);
            PutBE16(out, LastFloat);
        }
        return out;
    }
    if (r[1] == 32) {
        if (r.size() < 8) return Bytes{'X'};
        const uint16_t index = GetBE16(&r[2]);
        if (index >= Values.size()) return Bytes{'X'};
        Values[index] = static_cast<int32_t>(GetBE32(&r[4]));
        return Bytes{'U'};
    }
    return AnswerBlockQuery(r, 4, [this](Bytes& out, size_t i) {
        PutBE32(out, static_cast<uint32_t>(i < Values.size() ? Values[i] : 0));
    });
}

std::optional<std::string> SimExtRegisters::Command(const Words& w) {
    // register N VALUE   (N counts from 1; a float register takes a float) | register get N (the
    // 32 bits as a signed integer) | register shortinfo 0|1
    if (w.empty() || w[0] != "register") return std::nullopt;
    int64_t n = 0, v = 0;
    if (w.size() == 3 && w[1] == "get" && ParseNumber(w[2], n) && n >= 1 &&
        n <= static_cast<int64_t>(Values.size())) {
        return "register " + std::to_string(n) + " " + std::to_string(Values[static_cast<size_t>(n - 1)]);
    }
    if (w.size() == 3 && w[1] == "shortinfo" && ParseNumber(w[2], v)) {
        ShortInfo = v != 0;
        return "ok";
    }
    if (w.size() == 3 && ParseNumber(w[1], n) && n >= 1 && n <= static_cast<int64_t>(Values.size())) {
        // An integer, or for a float register also a number with a fraction.
        char* end = nullptr;
        const float f = std::strtof(w[2].c_str(), &end);
        const bool isFloat = n >= FirstFloat && n <= LastFloat && !w[2].empty() && *end == '\0';
        if (ParseNumber(w[2], v) && !isFloat) {
            Values[static_cast<size_t>(n - 1)] = static_cast<int32_t>(v);
            return "ok";
        }
        if (isFloat) {
            Values[static_cast<size_t>(n - 1)] = std::bit_cast<int32_t>(f);
            return "ok";
        }
    }
    return "error: usage: register N VALUE | register get N | register shortinfo 0|1";
}

}  // namespace ryvorn::sim
