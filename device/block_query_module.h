// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "device/block_query.h"
#include "device/guarded_area.h"
#include "device/ox_module.h"

namespace ryvorn {

// The base of the modules whose Query names blocks of entries: I/O, Indicator and Extended
// Registers. The query is written once here; each module gives its table and how to
// decode one entry.
class TOxBlockQueryModule : public TOxSbcModule {
  public:
    using TOxSbcModule::TOxSbcModule;

  protected:
    // The Query of the table in the data area: the blocks it holds now, a reply of exactly
    // the length they ask for, the entries stored back into the table. Reported as Query.
    template <class Data, class Entry, class Decode>
    bool QueryTable(TGuardedArea<Data>& area, std::vector<TQueryBlock<Entry>> Data::*table, uint8_t function,
                    size_t entryBytes, Decode decode) {
        const auto sent = area.Read([&](const Data& d) { return QueryRanges(d.*table); });
        return Perform(
            {ofQuery, ReplyExactly(BlockQueryReplyLength(sent, entryBytes))},
            [&](TOXcFunc& r) { BuildBlockQuery(r, function, sent); },
            [&](TOXcFunc& r) { area.Write([&](Data& d) { StoreBlockReply(r, sent, d.*table, decode); }); });
    }

    // A query of the one entry at index, for the direct reads of views and watches: the
    // table stays as it is and no OnUpdate is raised, since the caller takes the entry.
    // nullopt unless the reply had the expected form.
    template <class Entry, class Decode>
    std::optional<Entry> QueryOne(uint8_t function, uint16_t index, size_t entryBytes, Decode decode) {
        const TBlockRange one[] = {{index, 1}};
        Entry entry{};
        Transfer(
            {ofQuery, ReplyExactly(BlockQueryReplyLength(one, entryBytes))},
            [&](TOXcFunc& r) { BuildBlockQuery(r, function, one); },
            [&](TOXcFunc& r) {
                r.SetReadPosition(8);  // past n and the one block header
                entry = decode(r);
            });
        if (Status() != TOxModuleStatus::Ok) return std::nullopt;
        return entry;
    }
};

}  // namespace ryvorn
