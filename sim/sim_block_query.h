// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "sim/sim_module_base.h"

namespace ryvorn::sim {

// One block a query request names.
struct QueryBlock {
    uint16_t First = 0;
    uint16_t Count = 0;
};

// The blocks of an I/O, Indicator or Extended Registers query: a 16-bit count at byte 2,
// then a 16-bit first index and a 16-bit count per block. nullopt when the request is
// shorter than its count says.
std::optional<std::vector<QueryBlock>> ParseQueryBlocks(std::span<const uint8_t> r);

// The reply to such a query: the count and the block headers echoed, then for every entry
// of every block, in order, what put appends for its index (entryBytes bytes). nullopt
// (no reply) for a malformed request or for one whose reply would not fit a frame, as a
// controller that cannot answer it.
std::optional<Bytes> AnswerBlockQuery(std::span<const uint8_t> r, size_t entryBytes,
                                      const std::function<void(Bytes& out, size_t index)>& put);

}  // namespace ryvorn::sim
