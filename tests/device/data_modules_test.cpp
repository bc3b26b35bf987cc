// SPDX-License-Identifier: MIT
// Every operation of the data modules against exact bytes: the request, its time-out, the
// status a reply gives, the function codes reported and what reaches the data area.
#include <gtest/gtest.h>

#include <functional>

#include "device/sbc_device.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using D = TOxSbcDevice;
using S = TOxModuleStatus;

const Bytes U{'U'}, Busy{'S'}, X{'X'};

using testing::Join;

// The replies of one case in order; none left: no reply.
struct DataModules : ::testing::Test {
    testing::ReplyQueue queue;
    std::deque<std::optional<Bytes>>& replies = queue.Replies;
    testing::ScriptedLink link{[this](int32_t, const Bytes&) { return queue.Next(); }};
};

struct Case {
    const char* name;
    std::function<TOxModule&(D&)> module;
    std::function<bool(D&)> operation;
    std::vector<Bytes> requests;
    std::vector<std::optional<Bytes>> replies;
    S status;
    std::vector<uint8_t> functions;  // the OnUpdate codes, in order
    std::function<void(D&)> check;
    std::function<void(D&)> prepare = nullptr;  // parameters in the data area
    uint16_t timeout = 0;                       // 0: the protocol thread's default (200 here)
};

template <class Module, class Result>
std::function<bool(D&)> Op(Module& (D::*module)() const, Result (Module::*operation)()) {
    return [=](D& d) { return static_cast<bool>((((d.*module)()).*operation)()); };
}

template <class Module>
std::function<TOxModule&(D&)> In(Module& (D::*module)() const) {
    return [=](D& d) -> TOxModule& { return (d.*module)(); };
}

void RunCases(DataModules& f, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        D device(0, f.link.Prot.get());
        if (c.prepare) c.prepare(device);
        TOxModule& module = c.module(device);
        std::vector<uint8_t> updates;
        module.OnUpdate = [&](TOxModule& m, uint8_t function) {
            EXPECT_EQ(&m, &module);
            updates.push_back(function);
        };
        f.replies.assign(c.replies.begin(), c.replies.end());
        const bool answered = !c.replies.empty() && c.replies.back().has_value();
        EXPECT_EQ(c.operation(device), answered);
        EXPECT_EQ(f.link.Protocol->TakeRequests(), c.requests);
        EXPECT_EQ(f.link.Protocol->TakeTimeouts(),
                  std::vector<uint16_t>(c.requests.size(), c.timeout ? c.timeout : uint16_t{200}));
        EXPECT_EQ(module.Status(), c.status);
        EXPECT_EQ(updates, c.functions);
        if (c.check) c.check(device);
    }
}

TEST_F(DataModules, SystemAndUserInterface) {
    const auto sys = In(&D::SysInterface);
    const auto ui = In(&D::UserInterface);
    const auto uiData = [](D& d) { return d.UserInterface().Snapshot(); };
    const Bytes counters{0x78, 0x01, 0, 0, 0, 3, 0, 1, 0x51, 0x80, 0, 0, 0, 0x2A};
    const Bytes uiInfo{0x78, 0x0A, 0, 0x80, 0, 0x40, 0, 1, 0, 8, 0, 0x20, 0, 0, 0, 7};
    // status byte 0x92: flags 0x90, 2 decimals; value FF FF 85 = -123
    const Bytes value{0x92, 0xFF, 0xFF, 0x85};
    const auto atBand = [](uint8_t band, uint8_t key = 0) {
        return [=](D& d) {
            d.UserInterface().SetBand(band);
            d.UserInterface().PressKey(key);
        };
    };
    const auto shows = [&](uint8_t band, uint8_t key = 0) {
        return [=](D& d) {
            const TUiData u = uiData(d);
            EXPECT_EQ(u.Decimals, 2);
            EXPECT_EQ(u.DisplayFlags, 0x90);
            EXPECT_EQ(u.DisplayValue, -123);
            EXPECT_EQ(u.Band, band);
            EXPECT_EQ(u.Key, key);
        };
    };
    const auto unchanged = [&](uint8_t band, uint8_t key) {
        return [=](D& d) {
            EXPECT_EQ(uiData(d).DisplayValue, 0);
            EXPECT_EQ(uiData(d).Band, band);
            EXPECT_EQ(uiData(d).Key, key);
        };
    };
    const auto validBefore = [&](D& d) {
        replies.push_back(uiInfo);
        d.UserInterface().Info();
        ASSERT_TRUE(d.UserInterface().Valid());
        link.Protocol->TakeRequests();
        link.Protocol->TakeTimeouts();
    };
    const auto info = Op(&D::UserInterface, &TOxSbcUiModule::Info);
    const auto band = Op(&D::UserInterface, &TOxSbcUiModule::ReadBand);
    const auto partial = Op(&D::UserInterface, &TOxSbcUiModule::ReadPartialBand);
    RunCases(*this,
             {
                 // clang-format off
        {"system info", sys, Op(&D::SysInterface, &TOxSbcSysModule::Info), {{0x78, 0x01}}, {counters}, S::Ok, {2},
         [](D& d) { EXPECT_EQ(d.SysInterface().Snapshot(), (TSysInterfaceData{3, 86400, 42})); }},
        {"system info short", sys, Op(&D::SysInterface, &TOxSbcSysModule::Info), {{0x78, 0x01}},
         {Bytes(counters.begin(), counters.end() - 1)}, S::DataError, {2},
         [](D& d) { EXPECT_EQ(d.SysInterface().Snapshot(), TSysInterfaceData{}); }},

        {"ui info", ui, info, {{0x78, 0x0A}}, {uiInfo}, S::Ok, {2},
         [&](D& d) {
             EXPECT_TRUE(d.UserInterface().Valid());
             EXPECT_EQ(uiData(d).DisplayParameters, (std::array<uint16_t, 6>{128, 64, 1, 8, 32, 0}));
         }},
        {"ui info long clears valid", ui, info, {{0x78, 0x0A}}, {Join({uiInfo, {0, 0}})}, S::DataError, {2},
         [](D& d) { EXPECT_FALSE(d.UserInterface().Valid()); }, validBefore},
        {"ui info unanswered clears valid", ui, info, {{0x78, 0x0A}}, {std::nullopt}, S::CommunicationError, {2},
         [](D& d) { EXPECT_FALSE(d.UserInterface().Valid()); }, validBefore},
        {"read band: the key goes once", ui, band, {{0x78, 0x0B, 0x21, 3}}, {Join({{0x78, 0x0B}, value})}, S::Ok, {4},
         shows(4), atBand(3, 0x21)},
        {"read band 7 wraps: update, then read", ui, band, {{0x78, 0x0B, 0, 7}}, {Join({{0x78, 0x0B}, value})}, S::Ok,
         {11, 4}, shows(0), atBand(7)},
        {"read band short", ui, band, {{0x78, 0x0B, 0x21, 7}}, {Bytes{0x78, 0x0B, 0x92, 0xFF, 0xFF}}, S::DataError,
         {4}, unchanged(7, 0x21), atBand(7, 0x21)},
        {"read band unanswered", ui, band, {{0x78, 0x0B, 0, 2}}, {std::nullopt}, S::CommunicationError, {4},
         unchanged(2, 0), atBand(2)},
        {"partial band", ui, partial, {{0x78, 0x0C, 0, 5}}, {Join({{0x78, 0x0C}, value, {0}})}, S::Ok, {11}, shows(6),
         atBand(5)},
        {"partial band 7 wraps: read, then update", ui, partial, {{0x78, 0x0C, 0, 7}},
         {Join({{0x78, 0x0C}, value, {0}})}, S::Ok, {4, 11}, shows(0), atBand(7)},
        {"partial band without its first column", ui, partial, {{0x78, 0x0C, 0, 5}}, {Join({{0x78, 0x0C}, value})},
         S::DataError, {11}, unchanged(5, 0), atBand(5)},
                 // clang-format on
             });
}

TEST_F(DataModules, IoIndicatorAndExtendedRegisters) {
    const auto io = In(&D::Io);
    const auto ind = In(&D::Indicator);
    const auto ext = In(&D::ExtRegister);
    const Bytes ioInfo{0x78, 0x14, 0, 16, 0, 16, 0, 64, 0, 9, 0, 0, 0, 16, 0, 32, 0, 8, 0, 7};
    const TBlockRange twoGroups[] = {{0, 2}, {2, 1}};
    const Bytes groupsEcho{0x78, 0x15, 0, 2, 0, 0, 0, 2, 0, 2, 0, 1};
    const auto withGroups = [&](D& d) { d.Io().SetQueryGroups(twoGroups); };
    const auto states = [](D& d) {
        std::vector<std::vector<uint8_t>> s;
        for (const auto& g : d.Io().Snapshot().Groups) s.push_back(g.Entries);
        return s;
    };
    const std::vector<std::vector<uint8_t>> cleared{{0, 0}, {0}};
    const uint16_t setNumbers[] = {17, 40};
    const uint16_t resetNumbers[] = {5};

    const TBlockRange twoIndicators[] = {{4, 2}};
    const Bytes indicatorEcho{0x78, 0x29, 0, 1, 0, 4, 0, 2};
    // 0x92 FF FF 85: flags 0x90, 2 decimals, -123; 0x87 01 E2 40: flags 0x80, 7 decimals, 123456
    const Bytes indicatorEntries{0x92, 0xFF, 0xFF, 0x85, 0x87, 0x01, 0xE2, 0x40};
    const auto indicators = [](D& d) { return d.Indicator().Snapshot().Blocks.at(0).Entries; };

    const TBlockRange oneRegister[] = {{100, 1}};
    const auto registers = [](D& d) { return d.ExtRegister().Snapshot().Blocks.at(0).Entries; };
    const auto extInfo = [](D& d) {
        const TExtRegisterData e = d.ExtRegister().Snapshot();
        return std::array<uint16_t, 3>{e.Count, e.FirstFloat, e.LastFloat};
    };
    const auto query = Op(&D::Io, &TOxSbcIoModule::Query);
    RunCases(
        *this,
        {
            // clang-format off
        {"io info", io, Op(&D::Io, &TOxSbcIoModule::Info), {{0x78, 0x14}}, {ioInfo}, S::Ok, {2},
         [](D& d) {
             EXPECT_EQ(d.Io().Snapshot().Info, (std::array<uint16_t, 9>{16, 16, 64, 9, 0, 16, 32, 8, 7}));
             EXPECT_EQ(d.Io().MarkerSize(), 64);
         }},
        {"io info short", io, Op(&D::Io, &TOxSbcIoModule::Info), {{0x78, 0x14}},
         {Bytes(ioInfo.begin(), ioInfo.end() - 1)}, S::DataError, {2},
         [](D& d) { EXPECT_EQ(d.Io().InputSize(), 0); }},
        {"io query", io, query, {groupsEcho}, {Join({groupsEcho, {0x05, 0xA0, 0xFF}})}, S::Ok, {8},
         [&](D& d) { EXPECT_EQ(states(d), (std::vector<std::vector<uint8_t>>{{0x05, 0xA0}, {0xFF}})); }, withGroups},
        {"io query one byte short", io, query, {groupsEcho}, {Join({groupsEcho, {0x05, 0xA0}})}, S::DataError, {8},
         [&](D& d) { EXPECT_EQ(states(d), cleared); }, withGroups},
        {"io query one byte long", io, query, {groupsEcho}, {Join({groupsEcho, {0x05, 0xA0, 0xFF, 0}})},
         S::DataError, {8}, [&](D& d) { EXPECT_EQ(states(d), cleared); }, withGroups},
        {"io set", io, Op(&D::Io, &TOxSbcIoModule::Set), {{0x78, 0x16, 0, 2, 0, 17, 0, 40}}, {U}, S::Ok, {9}, nullptr,
         [&](D& d) { ASSERT_TRUE(d.Io().SetSetList(setNumbers)); }},
        {"io set, busy", io, Op(&D::Io, &TOxSbcIoModule::Set), {{0x78, 0x16, 0, 0}}, {Busy}, S::Busy, {9}, nullptr},
        {"io reset", io, Op(&D::Io, &TOxSbcIoModule::Reset), {{0x78, 0x17, 0, 1, 0, 5}}, {U}, S::Ok, {10}, nullptr,
         [&](D& d) { ASSERT_TRUE(d.Io().SetResetList(resetNumbers)); }},
        {"io reset refused", io, Op(&D::Io, &TOxSbcIoModule::Reset), {{0x78, 0x17, 0, 0}}, {X}, S::DataError, {10},
         nullptr},

        {"indicator info", ind, Op(&D::Indicator, &TOxSbcIndicatorModule::Info), {{0x78, 0x28}},
         {Bytes{0x78, 0x28, 0, 20, 0, 1}}, S::Ok, {2},
         [](D& d) {
             EXPECT_EQ(d.Indicator().Count(), 20);
             EXPECT_EQ(d.Indicator().Snapshot().SecondValue, 1);
         }},
        {"indicator info long", ind, Op(&D::Indicator, &TOxSbcIndicatorModule::Info), {{0x78, 0x28}},
         {Bytes{0x78, 0x28, 0, 20, 0, 1, 0}}, S::DataError, {2}, [](D& d) { EXPECT_EQ(d.Indicator().Count(), 0); }},
        {"indicator query", ind, Op(&D::Indicator, &TOxSbcIndicatorModule::Query), {indicatorEcho},
         {Join({indicatorEcho, indicatorEntries})}, S::Ok, {8},
         [&](D& d) {
             EXPECT_EQ(indicators(d), (std::vector<TIndicatorEntry>{{-123, 2, 0x90}, {123456, 7, 0x80}}));
         },
         [&](D& d) { d.Indicator().SetQueryBlocks(twoIndicators); }},
        {"indicator query short", ind, Op(&D::Indicator, &TOxSbcIndicatorModule::Query), {indicatorEcho},
         {Join({indicatorEcho, Bytes(indicatorEntries.begin(), indicatorEntries.end() - 1)})}, S::DataError, {8},
         [&](D& d) { EXPECT_EQ(indicators(d), std::vector<TIndicatorEntry>(2)); },
         [&](D& d) { d.Indicator().SetQueryBlocks(twoIndicators); }},

        {"ext info with float range", ext, Op(&D::ExtRegister, &TOxSbcExtRegisterModule::Info), {{0x78, 0x1E}},
         {Bytes{0x78, 0x1E, 0, 200, 0, 101, 0, 120}}, S::Ok, {2},
         [&](D& d) { EXPECT_EQ(extInfo(d), (std::array<uint16_t, 3>{200, 101, 120})); }},
        {"ext info short form", ext, Op(&D::ExtRegister, &TOxSbcExtRegisterModule::Info), {{0x78, 0x1E}},
         {Bytes{0x78, 0x1E, 0, 200}}, S::Ok, {2},
         [&](D& d) { EXPECT_EQ(extInfo(d), (std::array<uint16_t, 3>{200, 0, 0})); }},
        {"ext info of 6 bytes", ext, Op(&D::ExtRegister, &TOxSbcExtRegisterModule::Info), {{0x78, 0x1E}},
         {Bytes{0x78, 0x1E, 0, 200, 0, 101}}, S::DataError, {2},
         [&](D& d) { EXPECT_EQ(extInfo(d), (std::array<uint16_t, 3>{0, 0, 0})); }},
        {"ext query", ext, Op(&D::ExtRegister, &TOxSbcExtRegisterModule::Query), {{0x78, 0x1F, 0, 1, 0, 100, 0, 1}},
         {Bytes{0x78, 0x1F, 0, 1, 0, 100, 0, 1, 0xFF, 0xFF, 0xFF, 0xFE}}, S::Ok, {8},
         [&](D& d) { EXPECT_EQ(registers(d), std::vector<int32_t>{-2}); },
         [&](D& d) { d.ExtRegister().SetQueryBlocks(oneRegister); }},
        {"ext query long", ext, Op(&D::ExtRegister, &TOxSbcExtRegisterModule::Query),
         {{0x78, 0x1F, 0, 1, 0, 100, 0, 1}}, {Bytes{0x78, 0x1F, 0, 1, 0, 100, 0, 1, 0xFF, 0xFF, 0xFF, 0xFE, 0}},
         S::DataError, {8}, [&](D& d) { EXPECT_EQ(registers(d), std::vector<int32_t>{0}); },
         [&](D& d) { d.ExtRegister().SetQueryBlocks(oneRegister); }},
        {"ext set is a write", ext, Op(&D::ExtRegister, &TOxSbcExtRegisterModule::Set),
         {{0x78, 0x20, 0, 4, 0xFF, 0xFF, 0xFF, 0xFE}}, {U}, S::Ok, {3}, nullptr,
         [](D& d) { d.ExtRegister().SetWrite(4, -2); }},
            // clang-format on
        });
}

TEST_F(DataModules, ResultsAndClock) {
    const auto res = In(&D::Result);
    const auto rtc = In(&D::RealTimeClock);
    const auto resultInfo = Op(&D::Result, &TOxSbcResultModule::Info);
    const auto read = Op(&D::RealTimeClock, &TRtcModule::Read);
    const auto clock = [](int y, int mo, int d, int h, int mi, int s) {
        return [=](D& dev) {
            EXPECT_EQ(dev.RealTimeClock().ClockRead(), MakeDateTime(y, mo, d, h, mi, s));
            EXPECT_TRUE(dev.RealTimeClock().HasDate());
        };
    };
    RunCases(*this,
             {
                 // clang-format off
        {"result info", res, resultInfo, {{0x78, 0x64}}, {Bytes{0x78, 0x64, 5, 3}}, S::Ok, {2},
         [](D& d) {
             EXPECT_EQ(d.Result().SlotCount(), 5u);
             EXPECT_EQ(d.Result().SecondCount(), 3u);
         }},
        {"result info of 40 slots keeps 16", res, resultInfo, {{0x78, 0x64}}, {Bytes{0x78, 0x64, 40, 3}}, S::Ok, {2},
         [](D& d) { EXPECT_EQ(d.Result().SlotCount(), 16u); }},
        {"result info short", res, resultInfo, {{0x78, 0x64}}, {Bytes{0x78, 0x64, 5}}, S::DataError, {2},
         [](D& d) { EXPECT_EQ(d.Result().SlotCount(), 0u); }},

        {"clock read with the clamps", rtc, read, {{0x01, 0x01}}, {Bytes{0x01, 0x01, 0x25, 0x13, 0x40, 0x24, 0x61, 0x61}},
         S::Ok, {4}, clock(2025, 1, 1, 0, 0, 0)},
        {"clock read, 1999", rtc, read, {{0x01, 0x01}}, {Bytes{0x01, 0x01, 0x99, 0x12, 0x31, 0x23, 0x59, 0x58}},
         S::Ok, {4}, clock(1999, 12, 31, 23, 59, 58)},
        {"clock read of 30 February", rtc, read, {{0x01, 0x01}}, {Bytes{0x01, 0x01, 0x24, 0x02, 0x30, 0x10, 0, 0}},
         S::Ok, {4},
         [](D& d) {
             EXPECT_FALSE(d.RealTimeClock().ClockRead().IsSet());
             EXPECT_FALSE(d.RealTimeClock().HasDate());
         }},
        {"clock read short", rtc, read, {{0x01, 0x01}}, {Bytes{0x01, 0x01, 0x25, 0x01, 0x01, 0, 0}}, S::DataError, {4},
         [](D& d) { EXPECT_FALSE(d.RealTimeClock().HasDate()); }},
        {"clock write", rtc, Op(&D::RealTimeClock, &TRtcModule::Write), {{0x01, 0x02, 0x31, 0x12, 0x24, 0x23, 0x59, 0x58}},
         {U}, S::Ok, {3}, nullptr, [](D& d) { d.RealTimeClock().SetClockToWrite(MakeDateTime(2031, 12, 24, 23, 59, 58)); }},
        {"clock write, busy", rtc, Op(&D::RealTimeClock, &TRtcModule::Write), {{0x01, 0x02, 0, 0, 0, 0, 0, 0}}, {Busy},
         S::Busy, {3}, nullptr},
                 // clang-format on
             });
}

TEST_F(DataModules, Weigher) {
    const auto w = In(&D::Weigher);
    const auto data = [](D& d) { return d.Weigher().Snapshot(); };
    const Bytes infoRequest{0x0A, 0x04, 0, 5};
    // the sub-command echoed, parameter 0x1234, value to scale 1235, one more value
    const Bytes infoReply{0x0A, 0x04, 0, 5, 0, 0, 0x12, 0x34, 0, 0, 0x04, 0xD3, 0, 0, 0, 9};
    const auto withParameter = [](D& d) { d.Weigher().SetParameter(0x1234); };
    const Bytes eight{0x0A, 0x04, 0, 0, 0, 0, 0, 0};
    const auto command = [&](const char* name, bool (TOxSbcWeigherModule::*op)(), Bytes request,
                             uint8_t function, uint16_t timeout) {
        return Case{name,       w,       Op(&D::Weigher, op), {request}, {eight}, S::Ok,
                    {function}, nullptr, withParameter,       timeout};
    };
    RunCases(*this, {
                        // clang-format off
        {"info", w, Op(&D::Weigher, &TOxSbcWeigherModule::Info), {{0x0A, 0x00}, infoRequest}, {U, infoReply}, S::Ok,
         {2},
         [&](D& d) {
             EXPECT_TRUE(d.Weigher().Present());
             EXPECT_EQ(data(d).InfoWord, 5);
             EXPECT_EQ(data(d).Parameter, 0x1234);
             EXPECT_EQ(data(d).ScaledValue, 124) << "1235 / 10, the half away from zero";
             EXPECT_EQ(data(d).InfoValue, 9);
         }},
        {"info, not present: nothing more is sent", w, Op(&D::Weigher, &TOxSbcWeigherModule::Info), {{0x0A, 0x00}},
         {X}, S::NotPresent, {2}, [](D& d) { EXPECT_FALSE(d.Weigher().Present()); }},
        {"info, busy is not present either", w, Op(&D::Weigher, &TOxSbcWeigherModule::Info), {{0x0A, 0x00}}, {Busy},
         S::NotPresent, {2}, nullptr},
        {"info unanswered", w, Op(&D::Weigher, &TOxSbcWeigherModule::Info), {{0x0A, 0x00}}, {std::nullopt},
         S::CommunicationError, {2}, nullptr},
        {"info of 20 bytes", w, Op(&D::Weigher, &TOxSbcWeigherModule::Info), {{0x0A, 0x00}, infoRequest},
         {U, Join({infoReply, {0, 0, 0, 0}})}, S::DataError, {2},
         [&](D& d) {
             EXPECT_TRUE(d.Weigher().Present());
             EXPECT_EQ(data(d).Parameter, 0);
         }},
        {"read with mask 1", w, Op(&D::Weigher, &TOxSbcWeigherModule::ReadWithMask1), {{0x0A, 0x01, 0, 0, 0, 0xFF}},
         {Bytes{0x0A, 0x01, 0, 0, 0, 0x05, 0, 0, 0, 0x0A, 0xFF, 0xFF, 0xFF, 0xF6}}, S::Ok, {8},
         [&](D& d) {
             EXPECT_EQ(data(d).ReturnedMask, 5u);
             EXPECT_EQ(data(d).Values[0], 10);
             EXPECT_EQ(data(d).Values[2], -10);
         }},
        {"read with mask 1 missing a value", w, Op(&D::Weigher, &TOxSbcWeigherModule::ReadWithMask1),
         {{0x0A, 0x01, 0, 0, 0, 0xFF}}, {Bytes{0x0A, 0x01, 0, 0, 0, 0x05, 0, 0, 0, 0x0A}}, S::DataError, {8},
         [&](D& d) { EXPECT_EQ(data(d).Values[0], 0); }},
        {"read with mask 1 without the mask", w, Op(&D::Weigher, &TOxSbcWeigherModule::ReadWithMask1),
         {{0x0A, 0x01, 0, 0, 0, 0xFF}}, {Bytes{0x0A, 0x01, 0, 0}}, S::DataError, {8}, nullptr},
        {"read with mask 2", w, Op(&D::Weigher, &TOxSbcWeigherModule::ReadWithMask2), {{0x0A, 0x01, 0, 0x0F, 0xFF, 0x80}},
         {Bytes{0x0A, 0x01, 0, 0, 0, 0}}, S::Ok, {4}, nullptr},
        {"write", w, Op(&D::Weigher, &TOxSbcWeigherModule::Write),
         {{0x0A, 0x05, 0, 0, 0, 0x05, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF}}, {Bytes{0x0A, 0x05, 0, 0}}, S::Ok, {3},
         nullptr,
         [](D& d) {
             d.Weigher().SetMasks(0xFF, 0xFF, 0x05);
             d.Weigher().SetValue(0, 1);
             d.Weigher().SetValue(2, -1);
         }},
        {"write answered short", w, Op(&D::Weigher, &TOxSbcWeigherModule::Write),
         {{0x0A, 0x05, 0, 0x0F, 0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
           0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
         {Bytes{0x0A, 0x05, 0}}, S::DataError, {3}, nullptr},
        {"save", w, Op(&D::Weigher, &TOxSbcWeigherModule::Save), {{0x0A, 0x06}}, {Bytes{0x0A, 0x06, 0, 0}}, S::Ok, {7},
         nullptr, nullptr, 2000},
        {"save refused", w, Op(&D::Weigher, &TOxSbcWeigherModule::Save), {{0x0A, 0x06}}, {Bytes{0x0A, 0x06, 0, 1}},
         S::DataError, {7}, nullptr, nullptr, 2000},
        {"set", w, Op(&D::Weigher, &TOxSbcWeigherModule::Set), {{0x0A, 0x02, 0, 0, 0x12, 0x34}},
         {Bytes{0x0A, 0x02, 0, 0}}, S::Ok, {9}, nullptr, withParameter},
        {"reset", w, Op(&D::Weigher, &TOxSbcWeigherModule::Reset), {{0x0A, 0x03, 0, 0, 0x12, 0x34}},
         {Bytes{0x0A, 0x03, 0, 0, 0}}, S::Ok, {10}, nullptr, withParameter},
        {"reset answered short", w, Op(&D::Weigher, &TOxSbcWeigherModule::Reset), {{0x0A, 0x03, 0, 0, 0x12, 0x34}},
         {Bytes{0x0A, 0x03, 0}}, S::DataError, {10}, nullptr, withParameter},
        command("command 1", &TOxSbcWeigherModule::Command1, {0x0A, 0x04, 0, 1}, 17, 2000),
        // the scaled value 124 goes back as 1240
        {"command 2", w, Op(&D::Weigher, &TOxSbcWeigherModule::Command2), {{0x0A, 0x04, 0, 2, 0, 0, 0x04, 0xD8}},
         {eight}, S::Ok, {18}, nullptr, [](D& d) { d.Weigher().SetScaledValue(124); }, 2000},
        command("command 3", &TOxSbcWeigherModule::Command3, {0x0A, 0x04, 0, 3}, 19, 2000),
        command("command 4", &TOxSbcWeigherModule::Command4, {0x0A, 0x04, 0, 4, 0, 0, 0x12, 0x34}, 20, 0),
        command("inverse of command 4", &TOxSbcWeigherModule::InverseCommand4, {0x0A, 0x04, 0, 4, 0, 0, 0xED, 0xCB}, 21,
                0),
        {"command answered with 7 bytes", w, Op(&D::Weigher, &TOxSbcWeigherModule::Command3), {{0x0A, 0x04, 0, 3}},
         {Bytes(eight.begin(), eight.end() - 1)}, S::DataError, {19}, nullptr, nullptr, 2000},
                        // clang-format on
                    });
}

}  // namespace
}  // namespace ryvorn
