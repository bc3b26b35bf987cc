// SPDX-License-Identifier: MIT
#include "device/rtc_module.h"

#include "device/device_data.h"
#include "device/interface_numbers.h"
#include "link/byte_order.h"

namespace ryvorn {

namespace {
enum : uint8_t { fnRead = 1, fnWrite = 2 };
}  // namespace

TDateTime DecodeClock(const std::array<uint8_t, 6>& bcd) {
    const int year = FromBcd(bcd[0]);
    int month = FromBcd(bcd[1]);
    int day = FromBcd(bcd[2]);
    int hour = FromBcd(bcd[3]);
    int minute = FromBcd(bcd[4]);
    int second = FromBcd(bcd[5]);
    if (month == 0 || month > 12) month = 1;
    if (day == 0 || day > 31) day = 1;
    if (hour > 23) hour = 0;
    if (minute > 59) minute = 0;
    if (second > 59) second = 0;
    return MakeDateTime(year < 50 ? 2000 + year : 1900 + year, month, day, hour, minute, second);
}

std::array<uint8_t, 6> EncodeClock(const TDateTime& value) {
    return {ToBcd(value.Year % 100), ToBcd(value.Month),  ToBcd(value.Day),
            ToBcd(value.Hour),       ToBcd(value.Minute), ToBcd(value.Second)};
}

TRtcModule::TRtcModule(int32_t address, TOXProt* protocol) : TOxSbcModule(address, protocol) {}

void TRtcModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.RealTimeClock);
    SetName("Real time Clock Interface");
}

void TRtcModule::Process() {
    Serve(ReadRequest, true, [this] { return Read(); });
    Serve(WriteRequest, true, [this] { return Write(); });
}

void TRtcModule::CancelRequests() {
    ReadRequest = false;
    WriteRequest = false;
}

bool TRtcModule::Read() {
    HasDate_ = false;
    return Perform(
        {ofRead, ReplyExactly(8)}, [](TOXcFunc& r) { r.SetCommand(ifc::RealTimeClock, fnRead); },
        [this](TOXcFunc& r) {
            std::array<uint8_t, 6> bcd{};
            for (uint8_t& b : bcd) b = r.GetByte();
            const TDateTime clock = DecodeClock(bcd);
            Area_.Write([&](TRtcData& d) { d.ClockRead = clock; });
            HasDate_ = clock.IsSet();
        });
}

bool TRtcModule::Write() {
    return Perform({ofWrite, ReplyAcknowledge()}, [this](TOXcFunc& r) {
        r.SetCommand(ifc::RealTimeClock, fnWrite);
        for (uint8_t b : EncodeClock(Area_.Read([](const TRtcData& d) { return d.ClockToWrite; })))
            r.AddByte(b);
    });
}

void TRtcModule::SetClockToWrite(const TDateTime& value) {
    Area_.Write([&](TRtcData& d) { d.ClockToWrite = value; });
}

TDateTime TRtcModule::ClockRead() const {
    return Area_.Read([](const TRtcData& d) { return d.ClockRead; });
}

}  // namespace ryvorn
