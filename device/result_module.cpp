// SPDX-License-Identifier: MIT
#include "device/result_module.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "device/device_data.h"
#include "device/interface_numbers.h"

namespace ryvorn {

namespace {
enum : uint8_t { fnInfo = fn::Result, fnQuery, fnMark };
}  // namespace

TResultSlot DecodeResultSlot(TOXcFunc& reply) {
    TResultSlot slot;
    slot.Index = reply.GetWord();
    const int year = reply.GetByte();
    const int month = reply.GetByte();
    const int day = reply.GetByte();
    const int hour = reply.GetByte();
    const int minute = reply.GetByte();
    const int second = reply.GetByte();
    slot.Time = MakeDateTime(year < 80 ? 2000 + year : 1900 + year, month, day, hour, minute, second);
    slot.Tag = reply.GetSignedLong();
    slot.Value = reply.GetSignedLong();
    slot.Format = reply.GetWord();
    slot.Unit = reply.GetWord();
    return slot;
}

uint16_t TResultData::SlotMask() const {
    return static_cast<uint16_t>((1u << std::min<uint32_t>(SlotCount, MaxSlots)) - 1);
}

TOxSbcResultModule::TOxSbcResultModule(int32_t address, TOXProt* protocol)
    : TOxSbcModule(address, protocol) {}

void TOxSbcResultModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.Result);
    SetName("Result Interface");
}

void TOxSbcResultModule::Process() {
    if (InfoRequest) {
        Info();
        return;
    }
    Serve(QueryRequest, false, [this] { return Query(); });
    Serve(MarkRequest, false, [this] { return Mark(); });
}

void TOxSbcResultModule::CancelRequests() {
    for (TRequestFlag* flag : {&InfoRequest, &QueryRequest, &MarkRequest}) *flag = false;
}

bool TOxSbcResultModule::Info() {
    return Perform(
        {ofInfo, ReplyExactly(4)}, [](TOXcFunc& r) { r.SetCommand(ifc::Functions, fnInfo); },
        [this](TOXcFunc& r) {
            // Slots beyond 16 have no bit in the masks: they can never be asked for.
            const uint32_t slots = std::min<uint32_t>(r.GetByte(), TResultData::MaxSlots);
            const uint32_t second = r.GetByte();
            Area_.Write([&](TResultData& d) {
                d.SlotCount = slots;
                d.SecondCount = second;
            });
        });
}

bool TOxSbcResultModule::Query() {
    uint16_t slotMask = 0;
    return Perform(
        {ofQuery, ReplyAtLeast(4)},
        [&](TOXcFunc& r) {
            uint16_t selection = 0;
            Area_.Read([&](const TResultData& d) {
                selection = d.SelectionMask;
                slotMask = d.SlotMask();
            });
            r.SetCommand(ifc::Functions, fnQuery);
            r.AddWord(selection);
        },
        [&](TOXcFunc& r) {
            // A returned bit beyond the slot count brings no slot: it neither counts for the
            // length nor stays in the returned mask, so that a Mark never acknowledges a
            // result that was not read.
            const uint16_t returned = r.GetWord() & slotMask;
            if (r.ReplyLength() != 4 + TResultData::SlotBytes * std::popcount(returned)) return false;
            std::vector<std::pair<size_t, TResultSlot>> slots;
            for (size_t i = 0; i < TResultData::MaxSlots; ++i) {
                if (returned >> i & 1) slots.emplace_back(i, DecodeResultSlot(r));
            }
            Area_.Write([&](TResultData& d) {
                d.ReturnedMask = returned;
                for (const auto& [i, slot] : slots) d.Slots[i] = slot;
            });
            return true;
        });
}

bool TOxSbcResultModule::Mark() {
    uint16_t returned = 0;
    return Perform(
        {ofMark, ReplyExactly(4)},
        [&](TOXcFunc& r) {
            r.SetCommand(ifc::Functions, fnMark);
            Area_.Read([&](const TResultData& d) {
                returned = d.ReturnedMask;
                r.AddWord(returned);
                for (size_t i = 0; i < TResultData::MaxSlots; ++i) {
                    if (returned >> i & 1) r.AddWord(d.Slots[i].Index);
                }
            });
        },
        [&](TOXcFunc& r) {
            const uint16_t acknowledged = r.GetWord();
            if (acknowledged != returned && acknowledged != 0) return false;
            Area_.Write([&](TResultData& d) { d.AcknowledgedMask = acknowledged; });
            return true;
        });
}

void TOxSbcResultModule::SetSelectionMask(uint16_t mask) {
    Area_.Write([&](TResultData& d) { d.SelectionMask = mask; });
}

uint32_t TOxSbcResultModule::SlotCount() const {
    return Area_.Read([](const TResultData& d) { return d.SlotCount; });
}

uint32_t TOxSbcResultModule::SecondCount() const {
    return Area_.Read([](const TResultData& d) { return d.SecondCount; });
}

}  // namespace ryvorn
