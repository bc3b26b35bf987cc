// SPDX-License-Identifier: MIT
#include "device/weigher_module.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "device/device_data.h"
#include "device/fixed_point_text.h"
#include "device/interface_numbers.h"

namespace ryvorn {

namespace {

enum : uint8_t { fnPresence = 0, fnRead = 1, fnSet = 2, fnReset = 3, fnCommand = 4, fnWrite = 5, fnSave = 6 };
constexpr uint16_t InfoSubCommand = 5;

// The function codes the commands report.
enum : uint8_t { ofCommand1 = 17, ofCommand2, ofCommand3, ofCommand4, ofInverseCommand4 };

// Presence: "U", and anything else means no weigher, "S" included.
constexpr TReplyRule PresenceReply{TReplyRule::Form::Acknowledge, 1, 0, false};

int64_t ToStep(int64_t value, int32_t stepSize) {
    if (stepSize == 0) return value;
    return (value + stepSize / 2) / stepSize * stepSize;
}

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t ScaleWeigherValue(int32_t raw, int32_t stepSize) {
    return Clamp32(ToStep(TenthRounded(raw), stepSize));
}

int32_t UnscaleWeigherValue(int32_t value, int32_t stepSize) {
    return Clamp32(ToStep(value, stepSize) * 10);
}

TOxSbcWeigherModule::TOxSbcWeigherModule(int32_t address, TOXProt* protocol)
    : TOxSbcModule(address, protocol) {}

void TOxSbcWeigherModule::AssignData(TSbcDeviceData& record) {
    Area_.Attach(record.Weigher);
    SetName("Weigher Interface");
}

void TOxSbcWeigherModule::Process() {
    if (InfoRequest) {
        Info();
        return;
    }
    Serve(ReadWithMask1Request, false, [this] { return ReadWithMask1(); });
    Serve(ReadWithMask2Request, false, [this] { return ReadWithMask2(); });
    Serve(WriteRequest, false, [this] { return Write(); });
    Serve(SaveRequest, false, [this] { return Save(); });
    Serve(SetRequest, false, [this] { return Set(); });
    Serve(ResetRequest, false, [this] { return Reset(); });
    if (Command1Request) {
        Command1();
    } else if (Command2Request) {
        Command2();
    } else if (Command3Request) {
        Command3();
    }
    if (Command4Request) {
        Command4();
    } else if (InverseCommand4Request) {
        InverseCommand4();
    }
}

void TOxSbcWeigherModule::CancelRequests() {
    for (TRequestFlag* flag : {&InfoRequest, &ReadWithMask1Request, &ReadWithMask2Request, &WriteRequest,
                               &SaveRequest, &SetRequest, &ResetRequest, &Command1Request, &Command2Request,
                               &Command3Request, &Command4Request, &InverseCommand4Request}) {
        *flag = false;
    }
}

bool TOxSbcWeigherModule::Info() {
    bool answered = Transfer(
        {ofInfo, PresenceReply}, [](TOXcFunc& r) { r.SetCommand(ifc::Weigher, fnPresence); },
        [](TOXcFunc&) {});
    if (Status() == TOxModuleStatus::Ok) {
        Area_.Write([](TWeigherData& d) { d.Present = true; });
        answered = Transfer(
            {ofInfo, ReplyExactly(16)},
            [](TOXcFunc& r) {
                r.SetCommand(ifc::Weigher, fnCommand);
                r.AddWord(InfoSubCommand);
            },
            [this](TOXcFunc& r) {
                const uint16_t word = r.GetWord();
                const int32_t parameter = r.GetSignedLong();
                const int32_t toScale = r.GetSignedLong();
                const int32_t last = r.GetSignedLong();
                Area_.Write([&](TWeigherData& d) {
                    d.InfoWord = word;
                    d.Parameter = parameter;
                    d.ScaledValue = ScaleWeigherValue(toScale, d.StepSize);
                    d.InfoValue = last;
                });
            });
    } else if (answered) {
        Area_.Write([](TWeigherData& d) { d.Present = false; });
        SetStatus(TOxModuleStatus::NotPresent);
    }
    RaiseUpdate(ofInfo);
    return answered;
}

bool TOxSbcWeigherModule::ReadWithMask1() {
    return ReadWithMask(&TWeigherData::ReadMask1, ofQuery);
}

bool TOxSbcWeigherModule::ReadWithMask2() {
    return ReadWithMask(&TWeigherData::ReadMask2, ofRead);
}

bool TOxSbcWeigherModule::ReadWithMask(uint32_t TWeigherData::*mask, uint8_t function) {
    return Perform(
        {function, ReplyAtLeast(6)},
        [&](TOXcFunc& r) {
            r.SetCommand(ifc::Weigher, fnRead);
            r.AddLong(Area_.Read([&](const TWeigherData& d) { return d.*mask; }));
        },
        [&](TOXcFunc& r) {
            const uint32_t returned = r.GetLong();
            // One value for every bit the returned mask sets must have come.
            if (r.ReplyLength() < 6 + 4 * std::popcount(returned)) return false;
            std::array<int32_t, 32> values{};
            for (size_t bit = 0; bit < values.size(); ++bit) {
                if (returned >> bit & 1) values[bit] = r.GetSignedLong();
            }
            Area_.Write([&](TWeigherData& d) {
                d.ReturnedMask = returned;
                for (size_t bit = 0; bit < values.size(); ++bit) {
                    if (returned >> bit & 1) d.Values[bit] = values[bit];
                }
            });
            return true;
        });
}

bool TOxSbcWeigherModule::Write() {
    return Perform({ofWrite, ReplyAtLeast(4)}, [this](TOXcFunc& r) {
        r.SetCommand(ifc::Weigher, fnWrite);
        Area_.Read([&](const TWeigherData& d) {
            r.AddLong(d.WriteMask);
            for (size_t bit = 0; bit < d.Values.size(); ++bit) {
                if (d.WriteMask >> bit & 1) r.AddLong(d.Values[bit]);
            }
        });
    });
}

bool TOxSbcWeigherModule::Save() {
    return Perform(
        {ofSave, ReplyExactly(4), SlowTimeout}, [](TOXcFunc& r) { r.SetCommand(ifc::Weigher, fnSave); },
        // The controller reports a failed save with a non-zero word.
        [](TOXcFunc& r) { return r.GetWord() == 0; });
}

bool TOxSbcWeigherModule::Set() {
    return SendParameter(fnSet, ofSet);
}

bool TOxSbcWeigherModule::Reset() {
    return SendParameter(fnReset, ofReset);
}

bool TOxSbcWeigherModule::SendParameter(uint8_t functionByte, uint8_t function) {
    return Perform({function, ReplyAtLeast(4)}, [&](TOXcFunc& r) {
        r.SetCommand(ifc::Weigher, functionByte);
        r.AddLong(Area_.Read([](const TWeigherData& d) { return d.Parameter; }));
    });
}

bool TOxSbcWeigherModule::Command1() {
    return SendCommand(1, ofCommand1, SlowTimeout, false);
}

bool TOxSbcWeigherModule::Command2() {
    const int32_t value =
        Area_.Read([](const TWeigherData& d) { return UnscaleWeigherValue(d.ScaledValue, d.StepSize); });
    return SendCommand(2, ofCommand2, SlowTimeout, true, value);
}

bool TOxSbcWeigherModule::Command3() {
    return SendCommand(3, ofCommand3, SlowTimeout, false);
}

bool TOxSbcWeigherModule::Command4() {
    return SendCommand(4, ofCommand4, 0, true, Area_.Read([](const TWeigherData& d) { return d.Parameter; }));
}

bool TOxSbcWeigherModule::InverseCommand4() {
    const int32_t parameter = Area_.Read([](const TWeigherData& d) { return d.Parameter; });
    return SendCommand(4, ofInverseCommand4, 0, true, parameter ^ 0xFFFF);
}

bool TOxSbcWeigherModule::SendCommand(uint16_t subCommand, uint8_t function, uint16_t timeout, bool withValue,
                                      int32_t value) {
    return Perform({function, ReplyExactly(8), timeout}, [&](TOXcFunc& r) {
        r.SetCommand(ifc::Weigher, fnCommand);
        r.AddWord(subCommand);
        if (withValue) r.AddLong(value);
    });
}

void TOxSbcWeigherModule::SetMasks(uint32_t readMask1, uint32_t readMask2, uint32_t writeMask) {
    Area_.Write([&](TWeigherData& d) {
        d.ReadMask1 = readMask1;
        d.ReadMask2 = readMask2;
        d.WriteMask = writeMask;
    });
}

void TOxSbcWeigherModule::SetValue(size_t bit, int32_t value) {
    Area_.Write([&](TWeigherData& d) {
        if (bit < d.Values.size()) d.Values[bit] = value;
    });
}

void TOxSbcWeigherModule::SetParameter(int32_t parameter) {
    Area_.Write([&](TWeigherData& d) { d.Parameter = parameter; });
}

void TOxSbcWeigherModule::SetScaledValue(int32_t value) {
    Area_.Write([&](TWeigherData& d) { d.ScaledValue = value; });
}

void TOxSbcWeigherModule::SetStepSize(int32_t stepSize) {
    Area_.Write([&](TWeigherData& d) { d.StepSize = stepSize; });
}

bool TOxSbcWeigherModule::Present() const {
    return Area_.Read([](const TWeigherData& d) { return d.Present; });
}

}  // namespace ryvorn
