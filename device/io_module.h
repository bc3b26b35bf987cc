// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/block_query_module.h"

namespace ryvorn {

// A list of I/O numbers to switch on (Set) or off (Reset).
struct TIoBitList {
    static constexpr size_t Capacity = 17;
    uint8_t Count = 0;
    std::array<uint16_t, Capacity> Bits{};

    std::span<const uint16_t> Numbers() const { return {Bits.data(), Count}; }
    bool operator==(const TIoBitList&) const = default;
};

// The controller's inputs, outputs and markers.
//
// They share one bit space that the Query addresses by state bytes. An I/O is named by its
// I/O number, first number + 1 .. first number + size of its kind, as the I/O page shows it;
// I/O number n is bit n - 1 of that space, and the Set and Reset lists carry I/O numbers.
struct TIoData {
    static constexpr size_t MaxStateBytes = 75;  // per group
    static constexpr size_t InfoCount = 9;

    // Sizes in bits of inputs, outputs and markers; one further value; the first numbers of
    // inputs, outputs and markers; two further values.
    std::array<uint16_t, InfoCount> Info{};
    // The Query table: per group its first byte index and its state bytes, bit 0 first.
    std::vector<TQueryBlock<uint8_t>> Groups;
    TIoBitList SetList;
    TIoBitList ResetList;

    uint16_t InputSize() const { return Info[0]; }
    uint16_t OutputSize() const { return Info[1]; }
    uint16_t MarkerSize() const { return Info[2]; }
    uint16_t FirstInput() const { return Info[4]; }
    uint16_t FirstOutput() const { return Info[5]; }
    uint16_t FirstMarker() const { return Info[6]; }

    // The groups of inputs, outputs and markers, in this order, as the Info values place
    // them: from first number / 8 over as many bytes as their bits take (at most 75).
    std::vector<TBlockRange> KindGroups() const;
    // The state of an I/O number in the three groups of KindGroups: a number up to the first
    // output number is an input, one up to the first marker number an output, any other a
    // marker. nullopt when its group does not hold it.
    std::optional<bool> State(uint16_t number) const;

    bool operator==(const TIoData&) const = default;
};

// Interface 120, functions 20 to 23: reading the I/O image and switching I/O.
class TOxSbcIoModule : public TOxBlockQueryModule {
  public:
    TOxSbcIoModule(int32_t address, TOXProt* protocol);

    void AssignData(TSbcDeviceData& record) override;
    // Info alone if flagged; otherwise Query, Set, Reset.
    void Process() override;
    void CancelRequests() override;

    // 120 20 → exactly 20 bytes: the nine Info values.
    bool Info();
    // 120 21 n {first byte, byte count}×n → exactly 4 + Σ(4 + count) bytes: n and the group
    // headers echoed, then the state bytes of every group.
    bool Query();
    // 120 22 n {I/O number}×n of the Set list → "U".
    bool Set();
    // 120 23 n {I/O number}×n of the Reset list → "U".
    bool Reset();

    // The Query table: at most 8 groups of at most 75 bytes each.
    void SetQueryGroups(std::span<const TBlockRange> groups);
    // The three groups of inputs, outputs and markers from the Info values.
    void SetKindGroups();
    // False (and the list unchanged) for more than 17 numbers.
    bool SetSetList(std::span<const uint16_t> numbers);
    bool SetResetList(std::span<const uint16_t> numbers);

    // The state of one I/O (views and watches). Refreshes the image when the tick differs
    // from the one of the last refresh, or is -1: Info and the three kind groups first when
    // the Query table is empty, then Query. nullopt when that failed or no group holds the
    // number. The watches of one pass share one tick, and with it one Query.
    std::optional<bool> ReadBit(uint16_t number, int32_t tick);
    // Switches one I/O with a Set (on) or Reset (off) of its number alone, leaving the lists
    // as they are; true when acknowledged. No OnUpdate: the caller has the outcome.
    bool SwitchBit(uint16_t number, bool on);

    uint16_t InputSize() const;
    uint16_t OutputSize() const;
    uint16_t MarkerSize() const;
    TIoData Snapshot() const { return Area_.Copy(); }

    TRequestFlag InfoRequest{false};
    TRequestFlag QueryRequest{false};
    TRequestFlag SetRequest{false};
    TRequestFlag ResetRequest{false};

  private:
    bool SendNumbers(uint8_t function, std::span<const uint16_t> numbers, bool raiseUpdate);

    TGuardedArea<TIoData> Area_;
    std::optional<int32_t> RefreshTick_;  // the worker's own
};

}  // namespace ryvorn
