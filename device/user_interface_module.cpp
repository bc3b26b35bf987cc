// SPDX-License-Identifier: MIT
#include "device/user_interface_module.h"

#include <span>

#include "device/device_data.h"
#include "device/interface_numbers.h"
#include "link/byte_order.h"

namespace ryvorn {

namespace {
enum : uint8_t { fnInfo = fn::UserInterface, fnReadBand, fnReadPartialBand };
}  // namespace

TOxSbcUiModule::TOxSbcUiModule(int32_t address, TOXProt* protocol) : TOxSbcModule(address, protocol) {}

void TOxSbcUiModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.UserInterface);
    Display_ = &record.UiDisplay;
    SetName("User Interface");
}

void TOxSbcUiModule::Process() {
    if (InfoRequest) {
        Info();
        return;
    }
    Serve(ReadBandRequest, false, [this] { return ReadBand(); });
    Serve(ReadPartialBandRequest, false, [this] { return ReadPartialBand(); });
}

void TOxSbcUiModule::CancelRequests() {
    for (TRequestFlag* flag : {&InfoRequest, &ReadBandRequest, &ReadPartialBandRequest}) *flag = false;
}

bool TOxSbcUiModule::Info() {
    // Cleared before the request, so that a failed Info leaves no stale "valid" behind.
    Area_.Write([](TUiData& d) { d.Valid = false; });
    return Perform(
        {ofInfo, ReplyExactly(16)}, [](TOXcFunc& r) { r.SetCommand(ifc::Functions, fnInfo); },
        [this](TOXcFunc& r) {
            std::array<uint16_t, TUiData::ParameterCount> parameters{};
            for (uint16_t& p : parameters) p = r.GetWord();
            Area_.Write([&](TUiData& d) {
                d.DisplayParameters = parameters;
                d.Valid = true;
            });
        });
}

bool TOxSbcUiModule::ReadBand() {
    return ReadDisplay(false);
}

bool TOxSbcUiModule::ReadPartialBand() {
    return ReadDisplay(true);
}

bool TOxSbcUiModule::ReadDisplay(bool partial) {
    const size_t columnsAt = partial ? 7 : 6;
    uint8_t sentKey = 0;
    uint8_t sentBand = 0;
    bool wrapped = false;
    const bool answered = Transfer(
        {ofRead, ReplyAtLeast(static_cast<uint16_t>(columnsAt))},
        [&](TOXcFunc& r) {
            Area_.Read([&](const TUiData& d) {
                sentKey = d.Key;
                sentBand = d.Band;
            });
            r.SetCommand(ifc::Functions, partial ? fnReadPartialBand : fnReadBand);
            r.AddByte(sentKey);
            r.AddByte(sentBand);
        },
        [&](TOXcFunc& r) {
            const uint8_t status = r.GetByte();
            const uint8_t value[3] = {r.GetByte(), r.GetByte(), r.GetByte()};
            const int firstColumn = partial ? r.GetByte() : 0;
            Display_->DrawBand(
                sentBand, firstColumn,
                std::span<const uint8_t>(r.Payload().data() + columnsAt, r.ReplyLength() - columnsAt));
            // A band outside 0..7 (set by a caller) starts the picture over as well.
            wrapped = sentBand >= TDisplayBitmap::BandCount - 1;
            Area_.Write([&](TUiData& d) {
                // A key pressed while the read was on its way is newer than the one the
                // controller got: it stays for the next read.
                if (d.Key == sentKey) d.Key = 0;
                d.Decimals = status & 0x07;
                d.DisplayFlags = status & 0xF8;
                d.DisplayValue =
                    SignExtend24(static_cast<uint32_t>(value[0]) << 16 | value[1] << 8 | value[2]);
                d.Band = wrapped ? 0 : static_cast<uint8_t>(sentBand + 1);
            });
        });
    // The full read reports every band as a read and the completed picture as an update;
    // the partial read the other way round.
    const uint8_t everyBand = partial ? ofUpdate : ofRead;
    const uint8_t lastBand = partial ? ofRead : ofUpdate;
    if (wrapped) RaiseUpdate(lastBand);
    RaiseUpdate(everyBand);
    return answered;
}

void TOxSbcUiModule::PressKey(uint8_t key) {
    Area_.Write([&](TUiData& d) { d.Key = key; });
}

void TOxSbcUiModule::SetBand(uint8_t band) {
    Area_.Write([&](TUiData& d) { d.Band = band; });
}

bool TOxSbcUiModule::Valid() const {
    return Area_.Read([](const TUiData& d) { return d.Valid; });
}

}  // namespace ryvorn
