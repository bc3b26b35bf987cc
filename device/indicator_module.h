// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/block_query_module.h"

namespace ryvorn {

class TOXcFunc;

// One indicator as the controller reports it.
struct TIndicatorEntry {
    int32_t Value = 0;     // signed 24-bit
    uint8_t Decimals = 0;  // low 3 bits of the entry's first byte
    uint8_t Flags = 0;     // its high 5 bits, kept in place (0x80 available, 0x40 over/under)
    bool operator==(const TIndicatorEntry&) const = default;
};

// The four bytes of an entry at the read position: decimals and flags, then the value.
TIndicatorEntry DecodeIndicatorEntry(TOXcFunc& reply);

struct TIndicatorData {
    static constexpr size_t MaxEntries = 99;  // per block

    uint16_t Count = 0;
    uint16_t SecondValue = 0;
    // The Query table: per block its first index (from 0) and its entries.
    std::vector<TQueryBlock<TIndicatorEntry>> Blocks;

    bool operator==(const TIndicatorData&) const = default;
};

// Interface 120, functions 40 and 41: the controller's indicators.
class TOxSbcIndicatorModule : public TOxBlockQueryModule {
  public:
    TOxSbcIndicatorModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Info alone if flagged; otherwise Query. Without an OnUpdate handler a flag is cleared
    // once its operation got a reply.
    void Process() override;
    void CancelRequests() override;

    // 120 40 → exactly 6 bytes: the count and a second value.
    bool Info();
    // 120 41 n {first, count}×n → exactly 4 + Σ(4 + 4 × count) bytes.
    bool Query();

    // The Query table: at most 8 blocks of at most 99 entries each.
    void SetQueryBlocks(std::span<const TBlockRange> blocks);

    // One indicator (views and watches), numbered from 1: a query of one block of one entry
    // at index - 1, leaving the table as it is. nullopt unless the reply was of the expected
    // form (and for index 0). No OnUpdate: the caller has the outcome.
    std::optional<TIndicatorEntry> ReadIndicator(uint16_t index);

    uint16_t Count() const;
    TIndicatorData Snapshot() const { return Area_.Copy(); }

    TRequestFlag InfoRequest{false};
    TRequestFlag QueryRequest{false};

  private:
    TGuardedArea<TIndicatorData> Area_;
};

}  // namespace ryvorn
