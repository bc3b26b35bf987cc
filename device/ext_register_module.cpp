// SPDX-License-Identifier: MIT
#include "device/ext_register_module.h"

#include "device/device_data.h"
#include "device/interface_numbers.h"

namespace ryvorn {

namespace {
enum : uint8_t { fnInfo = fn::ExtendedRegisters, fnQuery, fnSet };
constexpr size_t ValueBytes = 4;

int32_t DecodeValue(TOXcFunc& reply) {
    return reply.GetSignedLong();
}
}  // namespace

TOxSbcExtRegisterModule::TOxSbcExtRegisterModule(int32_t address, TOXProt* protocol)
    : TOxBlockQueryModule(address, protocol) {}

void TOxSbcExtRegisterModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.ExtRegister);
    SetName("Extended Registers Interface");
}

void TOxSbcExtRegisterModule::Process() {
    if (InfoRequest) {
        Info();
        return;
    }
    Serve(QueryRequest, false, [this] { return Query(); });
    Serve(SetRequest, false, [this] { return Set(); });
}

void TOxSbcExtRegisterModule::CancelRequests() {
    for (TRequestFlag* flag : {&InfoRequest, &QueryRequest, &SetRequest}) *flag = false;
}

bool TOxSbcExtRegisterModule::Info() {
    return Perform(
        {ofInfo, ReplyExactly(4, 8)}, [](TOXcFunc& r) { r.SetCommand(ifc::Functions, fnInfo); },
        [this](TOXcFunc& r) {
            const uint16_t count = r.GetWord();
            // The short form has no float range: the reads past it give 0, as the form means.
            const uint16_t first = r.GetWord();
            const uint16_t last = r.GetWord();
            Area_.Write([&](TExtRegisterData& d) {
                d.Count = count;
                d.FirstFloat = first;
                d.LastFloat = last;
            });
        });
}

bool TOxSbcExtRegisterModule::Query() {
    return QueryTable(Area_, &TExtRegisterData::Blocks, fnQuery, ValueBytes, DecodeValue);
}

void TOxSbcExtRegisterModule::BuildSet(TOXcFunc& request, uint16_t index, int32_t value) {
    request.SetCommand(ifc::Functions, fnSet);
    request.AddWord(index);
    request.AddLong(value);
}

bool TOxSbcExtRegisterModule::Set() {
    return Perform({ofWrite, ReplyAcknowledge()}, [this](TOXcFunc& r) {
        Area_.Read([&](const TExtRegisterData& d) { BuildSet(r, d.WriteIndex, d.WriteValue); });
    });
}

void TOxSbcExtRegisterModule::SetQueryBlocks(std::span<const TBlockRange> blocks) {
    auto table = MakeQueryTable<int32_t>(blocks, TExtRegisterData::MaxValues);
    Area_.Write([&](TExtRegisterData& d) { d.Blocks = std::move(table); });
}

void TOxSbcExtRegisterModule::SetWrite(uint16_t index, int32_t value) {
    Area_.Write([&](TExtRegisterData& d) {
        d.WriteIndex = index;
        d.WriteValue = value;
    });
}

std::optional<TExtRegisterValue> TOxSbcExtRegisterModule::ReadRegister(uint16_t number) {
    if (number == 0) return std::nullopt;
    const auto value = QueryOne<int32_t>(fnQuery, static_cast<uint16_t>(number - 1), ValueBytes, DecodeValue);
    if (!value) return std::nullopt;
    return TExtRegisterValue{*value,
                             Area_.Read([&](const TExtRegisterData& d) { return d.IsFloat(number); })};
}

bool TOxSbcExtRegisterModule::WriteRegister(uint16_t number, int32_t value) {
    if (number == 0) return false;
    Transfer(
        {ofWrite, ReplyAcknowledge()},
        [&](TOXcFunc& r) { BuildSet(r, static_cast<uint16_t>(number - 1), value); }, [](TOXcFunc&) {});
    return Status() == TOxModuleStatus::Ok;
}

uint16_t TOxSbcExtRegisterModule::Count() const {
    return Area_.Read([](const TExtRegisterData& d) { return d.Count; });
}

}  // namespace ryvorn
