// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/block_query_module.h"

namespace ryvorn {

struct TExtRegisterData {
    static constexpr size_t MaxValues = 897;  // per block

    uint16_t Count = 0;
    // The registers FirstFloat..LastFloat (numbered from 1) hold single-precision values;
    // none when FirstFloat is 0 (the short Info gives no range).
    uint16_t FirstFloat = 0;
    uint16_t LastFloat = 0;
    // The Query table: per block its first index (from 0) and its values.
    std::vector<TQueryBlock<int32_t>> Blocks;
    // What Set writes: the register index (from 0) and the value.
    uint16_t WriteIndex = 0;
    int32_t WriteValue = 0;

    bool IsFloat(uint16_t number) const {
        return FirstFloat != 0 && FirstFloat <= number && number <= LastFloat;
    }
    bool operator==(const TExtRegisterData&) const = default;
};

// One register as the direct read reports it.
struct TExtRegisterValue {
    int32_t Value = 0;  // a float register's single-precision bits
    bool IsFloat = false;
    bool operator==(const TExtRegisterValue&) const = default;
};

// Interface 120, functions 30 to 32: the controller's extended registers.
class TOxSbcExtRegisterModule : public TOxBlockQueryModule {
  public:
    TOxSbcExtRegisterModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Info alone if flagged; otherwise Query, Set.
    void Process() override;
    void CancelRequests() override;

    // 120 30 → exactly 4 bytes (the count; no float range) or exactly 8 bytes (the count,
    // the first and the last float register).
    bool Info();
    // 120 31 n {first, count}×n → exactly 4 + Σ(4 + 4 × count) bytes of signed values.
    bool Query();
    // 120 32 index value of the write slot → "U". Reported as a Write.
    bool Set();

    // The Query table: at most 8 blocks of at most 897 values each.
    void SetQueryBlocks(std::span<const TBlockRange> blocks);
    void SetWrite(uint16_t index, int32_t value);

    // One register (views and watches), numbered from 1: a one-entry query at number - 1,
    // leaving the table as it is, with whether it holds a float. nullopt unless the reply
    // was of the expected form (and for number 0).
    std::optional<TExtRegisterValue> ReadRegister(uint16_t number);
    // A Set of one register at number - 1, leaving the write slot as it is; true when
    // acknowledged. Neither raises OnUpdate: the caller has the outcome.
    bool WriteRegister(uint16_t number, int32_t value);

    uint16_t Count() const;
    TExtRegisterData Snapshot() const { return Area_.Copy(); }

    TRequestFlag InfoRequest{false};
    TRequestFlag QueryRequest{false};
    TRequestFlag SetRequest{false};

  private:
    static void BuildSet(TOXcFunc& request, uint16_t index, int32_t value);

    TGuardedArea<TExtRegisterData> Area_;
};

}  // namespace ryvorn
