// SPDX-License-Identifier: MIT
#include "device/indicator_module.h"

#include "device/device_data.h"
#include "device/interface_numbers.h"
#include "link/byte_order.h"

namespace ryvorn {

namespace {
enum : uint8_t { fnInfo = fn::Indicator, fnQuery };
constexpr size_t EntryBytes = 4;
}  // namespace

TIndicatorEntry DecodeIndicatorEntry(TOXcFunc& reply) {
    const uint8_t first = reply.GetByte();
    const uint32_t high = reply.GetByte();
    const uint32_t middle = reply.GetByte();
    const uint32_t low = reply.GetByte();
    return {SignExtend24(high << 16 | middle << 8 | low), static_cast<uint8_t>(first & 0x07),
            static_cast<uint8_t>(first & 0xF8)};
}

TOxSbcIndicatorModule::TOxSbcIndicatorModule(int32_t address, TOXProt* protocol)
    : TOxBlockQueryModule(address, protocol) {}

void TOxSbcIndicatorModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.Indicator);
    SetName("Indicator Interface");
}

void TOxSbcIndicatorModule::Process() {
    if (InfoRequest) {
        Serve(InfoRequest, true, [this] { return Info(); });
        return;
    }
    Serve(QueryRequest, true, [this] { return Query(); });
}

void TOxSbcIndicatorModule::CancelRequests() {
    InfoRequest = false;
    QueryRequest = false;
}

bool TOxSbcIndicatorModule::Info() {
    return Perform(
        {ofInfo, ReplyExactly(6)}, [](TOXcFunc& r) { r.SetCommand(ifc::Functions, fnInfo); },
        [this](TOXcFunc& r) {
            const uint16_t count = r.GetWord();
            const uint16_t second = r.GetWord();
            Area_.Write([&](TIndicatorData& d) {
                d.Count = count;
                d.SecondValue = second;
            });
        });
}

bool TOxSbcIndicatorModule::Query() {
    return QueryTable(Area_, &TIndicatorData::Blocks, fnQuery, EntryBytes, DecodeIndicatorEntry);
}

void TOxSbcIndicatorModule::SetQueryBlocks(std::span<const TBlockRange> blocks) {
    auto table = MakeQueryTable<TIndicatorEntry>(blocks, TIndicatorData::MaxEntries);
    Area_.Write([&](TIndicatorData& d) { d.Blocks = std::move(table); });
}

std::optional<TIndicatorEntry> TOxSbcIndicatorModule::ReadIndicator(uint16_t index) {
    if (index == 0) return std::nullopt;
    return QueryOne<TIndicatorEntry>(fnQuery, static_cast<uint16_t>(index - 1), EntryBytes,
                                     DecodeIndicatorEntry);
}

uint16_t TOxSbcIndicatorModule::Count() const {
    return Area_.Read([](const TIndicatorData& d) { return d.Count; });
}

}  // namespace ryvorn
