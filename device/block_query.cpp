// SPDX-License-Identifier: MIT
#include "device/block_query.h"

#include "device/interface_numbers.h"

namespace ryvorn {

uint16_t BlockQueryReplyLength(std::span<const TBlockRange> ranges, size_t entryBytes) {
    size_t length = 4;
    for (const TBlockRange& range : ranges) length += 4 + entryBytes * range.Count;
    // Tables are clamped far below this; a length beyond 16 bits could never arrive.
    return static_cast<uint16_t>(std::min<size_t>(length, UINT16_MAX));
}

void BuildBlockQuery(TOXcFunc& request, uint8_t function, std::span<const TBlockRange> ranges) {
    request.SetCommand(ifc::Functions, function);
    request.AddWord(static_cast<int32_t>(ranges.size()));
    for (const TBlockRange& range : ranges) {
        request.AddWord(range.First);
        request.AddWord(range.Count);
    }
}

}  // namespace ryvorn
