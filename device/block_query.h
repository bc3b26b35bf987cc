// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "link/oxc_func.h"

namespace ryvorn {

// The I/O, Indicator and Extended Registers queries share one form: the request names
// n blocks (a first index and a count each), the reply echoes n and the block headers and
// then carries the entries of every block in order, a fixed number of bytes per entry.

// One block as the request names it.
struct TBlockRange {
    uint16_t First = 0;
    uint16_t Count = 0;
    bool operator==(const TBlockRange&) const = default;
};

// One block of a query table and the entries its last query brought.
template <class Entry>
struct TQueryBlock {
    uint16_t First = 0;
    std::vector<Entry> Entries;  // as many as the block asks for

    TBlockRange Range() const { return {First, static_cast<uint16_t>(Entries.size())}; }
    bool operator==(const TQueryBlock&) const = default;
};

// A query table holds at most this many blocks: the request and the reply of more would
// not fit one frame anyway.
inline constexpr size_t MaxQueryBlocks = 8;

// A table for the ranges: at most MaxQueryBlocks blocks of at most maxEntries entries each,
// the entries zero until a query fills them.
template <class Entry>
std::vector<TQueryBlock<Entry>> MakeQueryTable(std::span<const TBlockRange> ranges, size_t maxEntries) {
    std::vector<TQueryBlock<Entry>> table;
    for (const TBlockRange& range : ranges.first(std::min(ranges.size(), MaxQueryBlocks))) {
        table.push_back({range.First, std::vector<Entry>(std::min<size_t>(range.Count, maxEntries))});
    }
    return table;
}

template <class Entry>
std::vector<TBlockRange> QueryRanges(const std::vector<TQueryBlock<Entry>>& table) {
    std::vector<TBlockRange> ranges;
    for (const auto& block : table) ranges.push_back(block.Range());
    return ranges;
}

// 4 + Σ(4 + entryBytes × count): the exact length of the reply.
uint16_t BlockQueryReplyLength(std::span<const TBlockRange> ranges, size_t entryBytes);

// The request: interface 120, the function byte, n and the block headers.
void BuildBlockQuery(TOXcFunc& request, uint8_t function, std::span<const TBlockRange> ranges);

// Stores the entries of a reply of the expected length, decoded one by one from just after
// the echoed headers, into a table that still has the ranges the request was built from
// (a view may have set up another table meanwhile: its blocks wait for the next query).
template <class Entry, class Decode>
void StoreBlockReply(TOXcFunc& reply, std::span<const TBlockRange> sent,
                     std::vector<TQueryBlock<Entry>>& table, Decode&& decode) {
    if (!std::equal(sent.begin(), sent.end(), table.begin(), table.end(),
                    [](const TBlockRange& range, const TQueryBlock<Entry>& block) {
                        return range == block.Range();
                    })) {
        return;
    }
    reply.SetReadPosition(static_cast<uint16_t>(4 + 4 * sent.size()));
    for (auto& block : table) {
        for (Entry& entry : block.Entries) entry = decode(reply);
    }
}

}  // namespace ryvorn
