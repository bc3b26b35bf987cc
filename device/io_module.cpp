// SPDX-License-Identifier: MIT
#include "device/io_module.h"

#include <algorithm>

#include "device/device_data.h"
#include "device/interface_numbers.h"

namespace ryvorn {

namespace {

enum : uint8_t { fnInfo = fn::Io, fnQuery, fnSet, fnReset };

bool StoreList(TIoBitList& list, std::span<const uint16_t> numbers) {
    if (numbers.size() > TIoBitList::Capacity) return false;
    list = {};
    list.Count = static_cast<uint8_t>(numbers.size());
    std::copy(numbers.begin(), numbers.end(), list.Bits.begin());
    return true;
}

}  // namespace

std::vector<TBlockRange> TIoData::KindGroups() const {
    std::vector<TBlockRange> groups;
    for (auto [first, size] : {std::pair{FirstInput(), InputSize()}, std::pair{FirstOutput(), OutputSize()},
                               std::pair{FirstMarker(), MarkerSize()}}) {
        // Every byte that holds one of the kind's bits: a size that is not a multiple of 8
        // keeps its last bits (controllers report multiples of 8, where this is size / 8).
        const size_t firstByte = first / 8u;
        const size_t endByte = (static_cast<size_t>(first) + size + 7) / 8;
        groups.push_back({static_cast<uint16_t>(firstByte),
                          static_cast<uint16_t>(std::min(endByte - firstByte, MaxStateBytes))});
    }
    return groups;
}

std::optional<bool> TIoData::State(uint16_t number) const {
    if (number == 0) return std::nullopt;
    const size_t bit = number - 1u;
    const size_t kind = bit < FirstOutput() ? 0 : bit < FirstMarker() ? 1 : 2;
    if (kind >= Groups.size()) return std::nullopt;
    const TQueryBlock<uint8_t>& group = Groups[kind];
    const size_t groupStart = static_cast<size_t>(group.First) * 8;
    if (bit < groupStart || bit - groupStart >= 8 * group.Entries.size()) return std::nullopt;
    const size_t at = bit - groupStart;
    return (group.Entries[at / 8] >> (at % 8)) & 1;
}

TOxSbcIoModule::TOxSbcIoModule(int32_t address, TOXProt* protocol) : TOxBlockQueryModule(address, protocol) {}

void TOxSbcIoModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.Io);
    SetName("I/O Interface");
}

void TOxSbcIoModule::Process() {
    if (InfoRequest) {
        Info();
        return;
    }
    Serve(QueryRequest, false, [this] { return Query(); });
    Serve(SetRequest, false, [this] { return Set(); });
    Serve(ResetRequest, false, [this] { return Reset(); });
}

void TOxSbcIoModule::CancelRequests() {
    for (TRequestFlag* flag : {&InfoRequest, &QueryRequest, &SetRequest, &ResetRequest}) *flag = false;
}

bool TOxSbcIoModule::Info() {
    return Perform(
        {ofInfo, ReplyExactly(2 + 2 * TIoData::InfoCount)},
        [](TOXcFunc& r) { r.SetCommand(ifc::Functions, fnInfo); },
        [this](TOXcFunc& r) {
            std::array<uint16_t, TIoData::InfoCount> info{};
            for (uint16_t& v : info) v = r.GetWord();
            Area_.Write([&](TIoData& d) { d.Info = info; });
        });
}

bool TOxSbcIoModule::Query() {
    return QueryTable(Area_, &TIoData::Groups, fnQuery, 1, [](TOXcFunc& r) { return r.GetByte(); });
}

bool TOxSbcIoModule::Set() {
    const TIoBitList list = Area_.Read([](const TIoData& d) { return d.SetList; });
    return SendNumbers(fnSet, list.Numbers(), true);
}

bool TOxSbcIoModule::Reset() {
    const TIoBitList list = Area_.Read([](const TIoData& d) { return d.ResetList; });
    return SendNumbers(fnReset, list.Numbers(), true);
}

bool TOxSbcIoModule::SendNumbers(uint8_t function, std::span<const uint16_t> numbers, bool raiseUpdate) {
    const TOxExchange exchange{function == fnSet ? ofSet : ofReset, ReplyAcknowledge()};
    const auto build = [&](TOXcFunc& r) {
        r.SetCommand(ifc::Functions, function);
        r.AddWord(static_cast<int32_t>(numbers.size()));
        for (uint16_t number : numbers) r.AddWord(number);
    };
    if (raiseUpdate) return Perform(exchange, build);
    return Transfer(exchange, build, [](TOXcFunc&) {});
}

void TOxSbcIoModule::SetQueryGroups(std::span<const TBlockRange> groups) {
    auto table = MakeQueryTable<uint8_t>(groups, TIoData::MaxStateBytes);
    Area_.Write([&](TIoData& d) { d.Groups = std::move(table); });
}

void TOxSbcIoModule::SetKindGroups() {
    const auto groups = Area_.Read([](const TIoData& d) { return d.KindGroups(); });
    SetQueryGroups(groups);
}

bool TOxSbcIoModule::SetSetList(std::span<const uint16_t> numbers) {
    return Area_.Write([&](TIoData& d) { return StoreList(d.SetList, numbers); });
}

bool TOxSbcIoModule::SetResetList(std::span<const uint16_t> numbers) {
    return Area_.Write([&](TIoData& d) { return StoreList(d.ResetList, numbers); });
}

std::optional<bool> TOxSbcIoModule::ReadBit(uint16_t number, int32_t tick) {
    if (tick == -1 || tick != RefreshTick_) {
        const bool noGroups = Area_.Read([](const TIoData& d) { return d.Groups.empty(); });
        if (noGroups) {
            Info();
            if (Status() != TOxModuleStatus::Ok) return std::nullopt;
            SetKindGroups();
        }
        Query();
        // A failed refresh is not remembered: the next watch of the pass tries again rather
        // than reading the states of an earlier pass as current.
        if (Status() != TOxModuleStatus::Ok) return std::nullopt;
        RefreshTick_ = tick;
    }
    return Area_.Read([&](const TIoData& d) { return d.State(number); });
}

bool TOxSbcIoModule::SwitchBit(uint16_t number, bool on) {
    const uint16_t numbers[] = {number};
    SendNumbers(on ? fnSet : fnReset, numbers, false);
    return Status() == TOxModuleStatus::Ok;
}

uint16_t TOxSbcIoModule::InputSize() const {
    return Area_.Read([](const TIoData& d) { return d.InputSize(); });
}

uint16_t TOxSbcIoModule::OutputSize() const {
    return Area_.Read([](const TIoData& d) { return d.OutputSize(); });
}

uint16_t TOxSbcIoModule::MarkerSize() const {
    return Area_.Read([](const TIoData& d) { return d.MarkerSize(); });
}

}  // namespace ryvorn
