// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/module_report.h"
#include "device/block_query.h"

namespace ryvorn::cli {

struct CliContext;

// Entries per query, as the main window pages the indicators and extended registers: a
// reply of 50 values fits any link.
inline constexpr uint16_t QueryPageSize = 50;

// Reads entries 0..count-1 of an Indicator or Extended Registers module page by page into
// entries; fails the command (and returns false) when a query fails.
template <class Module, class Entry>
bool ReadEveryEntry(CliContext& ctx, const std::string& command, Module& module, uint16_t count,
                    std::vector<Entry>& entries) {
    entries.clear();
    for (uint32_t first = 0; first < count; first += QueryPageSize) {
        const TBlockRange page[] = {{static_cast<uint16_t>(first), static_cast<uint16_t>(std::min<uint32_t>(
                                                                       QueryPageSize, count - first))}};
        module.SetQueryBlocks(page);
        if (!RunOperation(ctx, command, module, &Module::Query)) return false;
        const auto block = module.Snapshot().Blocks.at(0).Entries;
        entries.insert(entries.end(), block.begin(), block.end());
    }
    return true;
}

}  // namespace ryvorn::cli
