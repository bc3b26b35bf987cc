// SPDX-License-Identifier: MIT
#include "sim/sim_block_query.h"

#include "link/dle_frame.h"

namespace ryvorn::sim {

std::optional<std::vector<QueryBlock>> ParseQueryBlocks(std::span<const uint8_t> r) {
    if (r.size() < 4) return std::nullopt;
    const size_t n = GetBE16(&r[2]);
    if (r.size() < 4 + 4 * n) return std::nullopt;
    std::vector<QueryBlock> blocks;
    for (size_t b = 0; b < n; ++b) blocks.push_back({GetBE16(&r[4 + 4 * b]), GetBE16(&r[6 + 4 * b])});
    return blocks;
}

std::optional<Bytes> AnswerBlockQuery(std::span<const uint8_t> r, size_t entryBytes,
                                      const std::function<void(Bytes& out, size_t index)>& put) {
    const auto blocks = ParseQueryBlocks(r);
    if (!blocks) return std::nullopt;
    size_t length = 4;
    for (const QueryBlock& b : *blocks) length += 4 + entryBytes * b.Count;
    if (length > dle::MaxPayload) return std::nullopt;
    Bytes out = Echo(r, 4 + 4 * blocks->size());
    for (const QueryBlock& b : *blocks) {
        for (size_t i = b.First; i < static_cast<size_t>(b.First) + b.Count; ++i) put(out, i);
    }
    return out;
}

}  // namespace ryvorn::sim
