// SPDX-License-Identifier: MIT
#include "sim/sim_indicators.h"

#include "sim/sim_block_query.h"

namespace ryvorn::sim {

SimIndicators::SimIndicators() : Entries(20) {
    for (size_t i = 0; i < Entries.size(); ++i) {
        // Available (0x80) and stable (0x10), so that a view shows the values.
        Entries[i] = {static_cast<int32_t>(1000 * (i + 1)), static_cast<uint8_t>(i % 4), 0x90};
    }
}

std::optional<Bytes> SimIndicators::Handle(std::span<const uint8_t> r) {
    if (r[1] == 40) {
        Bytes out = Echo(r, 2);
        PutBE16(out, static_cast<uint32_t>(Entries.size()));
        PutBE16(out, SecondValue);
        return out;
    }
    return AnswerBlockQuery(r, 4, [this](Bytes& out, size_t i) {
        const Entry e = i < Entries.size() ? Entries[i] : Entry{};
        out.push_back(static_cast<uint8_t>((e.Flags & 0xF8) | (e.Decimals & 7)));
        PutBE24(out, static_cast<uint32_t>(e.Value));
    });
}

std::optional<std::string> SimIndicators::Command(const Words& w) {
    // indicator N VALUE [DECIMALS [FLAGS]]   (N counts from 1)
    if (w.empty() || w[0] != "indicator") return std::nullopt;
    int64_t n = 0, v = 0, d = 0, f = 0;
    if (w.size() < 3 || w.size() > 5 || !ParseNumber(w[1], n) || !ParseNumber(w[2], v) ||
        (w.size() > 3 && !ParseNumber(w[3], d)) || (w.size() > 4 && !ParseNumber(w[4], f)) || n < 1 ||
        n > static_cast<int64_t>(Entries.size())) {
        return "error: usage: indicator N VALUE [DECIMALS [FLAGS]]";
    }
    Entries[static_cast<size_t>(n - 1)] = {static_cast<int32_t>(v), static_cast<uint8_t>(d & 7),
                                           static_cast<uint8_t>(f & 0xF8)};
    return "ok";
}

}  // namespace ryvorn::sim
