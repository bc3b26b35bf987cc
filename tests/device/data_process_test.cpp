// SPDX-License-Identifier: MIT
// The data modules in the polling cycle: the order Process serves the flags in, the
// clearing of flags after an answer, every operation against the simulated controller,
// and a worker polling while the main thread reads and fills the data areas.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <thread>

#include "device/sbc_device.h"
#include "sim/sim_controller.h"
#include "sim/sim_ext_registers.h"
#include "sim/sim_io.h"
#include "sim/sim_results.h"
#include "sim/sim_weigher.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using S = TOxModuleStatus;

struct Polling : ::testing::Test {
    sim::SimController controller;
    sim::SimFaults faults;
    testing::ScriptedLink link{
        [this](int32_t, const Bytes& r) { return controller.Reply(r, faults.TakeForReply()); }};
    TOxSbcDevice device{0, link.Prot.get()};

    // The first bytes of each request since the last call: interface, function and, for the
    // weigher's commands, the sub-command.
    std::vector<Bytes> Heads() {
        std::vector<Bytes> heads;
        for (const Bytes& r : link.Protocol->TakeRequests()) {
            const size_t n = r.size() >= 4 && r[0] == 10 && r[1] == 4 ? 4 : 2;
            heads.emplace_back(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(std::min(n, r.size())));
        }
        return heads;
    }
};

TEST_F(Polling, InfoAloneThenTheOtherFlagsInOrder) {
    const struct {
        const char* name;
        TOxSbcModule* module;
        std::vector<TRequestFlag*> flags;  // Info first where the module has it
        std::vector<Bytes> withInfo;
        std::vector<Bytes> withoutInfo;
    } cases[] = {
        {"system interface", &device.SysInterface(), {&device.SysInterface().InfoRequest}, {{0x78, 1}}, {}},
        {"user interface",
         &device.UserInterface(),
         {&device.UserInterface().InfoRequest, &device.UserInterface().ReadBandRequest,
          &device.UserInterface().ReadPartialBandRequest},
         {{0x78, 10}},
         {{0x78, 11}, {0x78, 12}}},
        {"io",
         &device.Io(),
         {&device.Io().InfoRequest, &device.Io().QueryRequest, &device.Io().SetRequest,
          &device.Io().ResetRequest},
         {{0x78, 20}},
         {{0x78, 21}, {0x78, 22}, {0x78, 23}}},
        {"indicator",
         &device.Indicator(),
         {&device.Indicator().InfoRequest, &device.Indicator().QueryRequest},
         {{0x78, 40}},
         {{0x78, 41}}},
        {"extended registers",
         &device.ExtRegister(),
         {&device.ExtRegister().InfoRequest, &device.ExtRegister().QueryRequest,
          &device.ExtRegister().SetRequest},
         {{0x78, 30}},
         {{0x78, 31}, {0x78, 32}}},
        {"result",
         &device.Result(),
         {&device.Result().InfoRequest, &device.Result().QueryRequest, &device.Result().MarkRequest},
         {{0x78, 100}},
         {{0x78, 101}, {0x78, 102}}},
        {"weigher",
         &device.Weigher(),
         {&device.Weigher().InfoRequest, &device.Weigher().ReadWithMask1Request,
          &device.Weigher().ReadWithMask2Request, &device.Weigher().WriteRequest,
          &device.Weigher().SaveRequest, &device.Weigher().SetRequest, &device.Weigher().ResetRequest,
          &device.Weigher().Command1Request, &device.Weigher().Command2Request,
          &device.Weigher().Command3Request, &device.Weigher().Command4Request,
          &device.Weigher().InverseCommand4Request},
         {{10, 0}, {10, 4, 0, 5}},
         // Only the first of commands 1 to 3 and the first of command 4 and its inverse.
         {{10, 1}, {10, 1}, {10, 5}, {10, 6}, {10, 2}, {10, 3}, {10, 4, 0, 1}, {10, 4, 0, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A handler keeps every flag up: the orders show over two cycles.
        c.module->OnUpdate = [](TOxModule&, uint8_t) {};
        for (TRequestFlag* flag : c.flags) *flag = true;
        c.module->Process();
        EXPECT_EQ(Heads(), c.withInfo);
        *c.flags.front() = false;
        c.module->Process();
        EXPECT_EQ(Heads(), c.withoutInfo);
        c.module->CancelRequests();
        for (TRequestFlag* flag : c.flags) EXPECT_FALSE(*flag);
        c.module->Process();
        EXPECT_TRUE(Heads().empty());
    }
    // The later commands take their turn once the earlier are cleared.
    TOxSbcWeigherModule& weigher = device.Weigher();
    for (TRequestFlag* flag :
         {&weigher.Command2Request, &weigher.Command3Request, &weigher.InverseCommand4Request})
        *flag = true;
    weigher.Process();
    EXPECT_EQ(Heads(), (std::vector<Bytes>{{10, 4, 0, 2}, {10, 4, 0, 4}}));
    weigher.CancelRequests();

    // The clock has no Info: Read, then Write.
    TRtcModule& clock = device.RealTimeClock();
    clock.WriteRequest = true;
    clock.ReadRequest = true;
    clock.Process();
    EXPECT_EQ(Heads(), (std::vector<Bytes>{{1, 1}, {1, 2}}));
}

TEST_F(Polling, WithoutAHandlerIndicatorAndClockClearAFlagOnceAnswered) {
    const struct {
        const char* name;
        TOxSbcModule* module;
        TRequestFlag* flag;
        bool clears;
    } cases[] = {
        {"indicator query", &device.Indicator(), &device.Indicator().QueryRequest, true},
        {"indicator info", &device.Indicator(), &device.Indicator().InfoRequest, true},
        {"clock read", &device.RealTimeClock(), &device.RealTimeClock().ReadRequest, true},
        {"clock write", &device.RealTimeClock(), &device.RealTimeClock().WriteRequest, true},
        {"io query", &device.Io(), &device.Io().QueryRequest, false},
        {"result info", &device.Result(), &device.Result().InfoRequest, false},
    };
    device.RealTimeClock().SetClockToWrite(MakeDateTime(2030, 1, 2, 3, 4, 5));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Three cycles without an answer, then one with.
        std::string error;
        faults.Add(*sim::ParseFault("silence 3", error));
        *c.flag = true;
        for (int cycle = 1; cycle <= 4; ++cycle) {
            EXPECT_TRUE(*c.flag) << cycle;
            c.module->Process();
            EXPECT_EQ(Heads().size(), 1u) << cycle;
        }
        EXPECT_EQ(static_cast<bool>(*c.flag), !c.clears);
        EXPECT_EQ(c.module->Status(), S::Ok);

        // With a handler the flag stays for its owner to clear.
        *c.flag = true;
        c.module->OnUpdate = [](TOxModule&, uint8_t) {};
        c.module->Process();
        c.module->Process();
        EXPECT_TRUE(*c.flag);
        EXPECT_EQ(Heads().size(), 2u);
        c.module->OnUpdate = nullptr;
        *c.flag = false;
    }
}

// Every operation against the simulated controller is answered in the form it expects.
TEST_F(Polling, TheSimulatorAnswersEveryOperation) {
    TOxSbcIoModule& io = device.Io();
    TOxSbcIndicatorModule& indicator = device.Indicator();
    TOxSbcExtRegisterModule& ext = device.ExtRegister();
    TOxSbcResultModule& result = device.Result();
    TOxSbcWeigherModule& weigher = device.Weigher();
    const auto ok = [](TOxModule& module, bool answered) {
        EXPECT_TRUE(answered) << module.Name();
        EXPECT_EQ(module.Status(), S::Ok) << module.Name();
    };
    ok(device.SysInterface(), device.SysInterface().Info());
    ok(device.UserInterface(), device.UserInterface().Info());
    for (int band = 0; band < 8; ++band) ok(device.UserInterface(), device.UserInterface().ReadBand());
    ok(device.UserInterface(), device.UserInterface().ReadPartialBand());

    ok(io, io.Info());
    io.SetKindGroups();
    ok(io, io.Query());
    const uint16_t marker[] = {40};
    ASSERT_TRUE(io.SetSetList(marker));
    ok(io, io.Set());
    EXPECT_TRUE(controller.Io().Bit(39)) << "I/O number 40 is bit 39";
    EXPECT_EQ(io.ReadBit(40, -1), true);
    ASSERT_TRUE(io.SetResetList(marker));
    ok(io, io.Reset());
    EXPECT_EQ(io.ReadBit(40, -1), false);
    EXPECT_TRUE(io.SwitchBit(33, true));
    EXPECT_EQ(io.ReadBit(33, -1), true);

    ok(indicator, indicator.Info());
    const TBlockRange all[] = {{0, indicator.Count()}};
    indicator.SetQueryBlocks(all);
    ok(indicator, indicator.Query());
    EXPECT_EQ(indicator.Snapshot().Blocks.at(0).Entries.at(2), (TIndicatorEntry{3000, 2, 0x90}));
    EXPECT_EQ(indicator.ReadIndicator(3), (TIndicatorEntry{3000, 2, 0x90}));

    ok(ext, ext.Info());
    const TBlockRange fifty[] = {{100, 50}};
    ext.SetQueryBlocks(fifty);
    ok(ext, ext.Query());
    EXPECT_EQ(std::bit_cast<float>(ext.Snapshot().Blocks.at(0).Entries.at(0)), 50.5f) << "register 101";
    ext.SetWrite(4, 77);
    ok(ext, ext.Set());
    EXPECT_EQ(controller.ExtRegisters().Values[4], 77);
    EXPECT_TRUE(ext.WriteRegister(105, std::bit_cast<int32_t>(2.5f)));
    EXPECT_EQ(ext.ReadRegister(105), (TExtRegisterValue{std::bit_cast<int32_t>(2.5f), true}));

    ok(result, result.Info());
    result.SetSelectionMask(0xFFFF);
    ok(result, result.Query());
    EXPECT_EQ(result.Snapshot().ReturnedMask, 0x0003) << "the two results the simulator starts with";
    ok(result, result.Mark());
    EXPECT_EQ(result.Snapshot().AcknowledgedMask, 0x0003);
    ok(result, result.Query());
    EXPECT_EQ(result.Snapshot().ReturnedMask, 0) << "marked results are gone";

    TRtcModule& clock = device.RealTimeClock();
    ok(clock, clock.Read());
    EXPECT_TRUE(clock.HasDate());
    clock.SetClockToWrite(MakeDateTime(2030, 5, 6, 7, 8, 9));
    ok(clock, clock.Write());
    ok(clock, clock.Read());
    const TDateTime read = clock.ClockRead();
    EXPECT_EQ(DateTimeText(read).substr(0, 16), "2030-05-06 07:08") << "a running clock";
    ASSERT_TRUE(controller.Command({"clock", "broken", "1"}));
    ok(clock, clock.Read());
    EXPECT_FALSE(clock.HasDate());

    ok(weigher, weigher.Info());
    EXPECT_TRUE(weigher.Present());
    for (auto op : {&TOxSbcWeigherModule::ReadWithMask1, &TOxSbcWeigherModule::ReadWithMask2,
                    &TOxSbcWeigherModule::Write, &TOxSbcWeigherModule::Save, &TOxSbcWeigherModule::Set,
                    &TOxSbcWeigherModule::Reset, &TOxSbcWeigherModule::Command1,
                    &TOxSbcWeigherModule::Command2, &TOxSbcWeigherModule::Command3,
                    &TOxSbcWeigherModule::Command4, &TOxSbcWeigherModule::InverseCommand4}) {
        ok(weigher, (weigher.*op)());
    }
    controller.Weigher().Present = false;
    weigher.Info();
    EXPECT_EQ(weigher.Status(), S::NotPresent);
    EXPECT_FALSE(weigher.Present());
}

// A worker polls with every flag up while the main thread reads the data areas and fills
// in request parameters: every shared field is guarded (ThreadSanitizer).
TEST_F(Polling, TheMainThreadAndAPollingWorkerShareTheDataAreas) {
    device.SetOnIdentified([](TOxSbcDevice& d) { d.SetIdentifyNeeded(false); });
    device.SetActive(true);
    device.Process();
    device.Io().SetKindGroups();
    std::atomic<bool> stop{false};
    // At least 50 cycles, however soon the main thread is through.
    std::thread worker([&] {
        for (int cycle = 0; cycle < 50 || !stop; ++cycle) {
            device.SysInterface().InfoRequest = true;
            device.Process();
        }
    });
    const TBlockRange block[] = {{0, 10}};
    for (int i = 0; i < 200; ++i) {
        device.UserInterface().ReadBandRequest = true;
        device.UserInterface().PressKey(static_cast<uint8_t>(i));
        device.Io().QueryRequest = true;
        device.Indicator().SetQueryBlocks(block);
        device.Indicator().QueryRequest = true;
        device.ExtRegister().SetWrite(static_cast<uint16_t>(i % 10), i);
        device.RealTimeClock().ReadRequest = true;
        device.Result().QueryRequest = true;
        device.Weigher().ReadWithMask1Request = true;
        (void)device.UserInterface().Snapshot();
        (void)device.UserInterface().Display().Copy();
        (void)device.Io().Snapshot();
        (void)device.Indicator().Snapshot();
        (void)device.SysInterface().Snapshot();
        (void)device.RealTimeClock().ClockRead();
        (void)device.Result().Snapshot();
        (void)device.Weigher().Snapshot();
        std::this_thread::yield();
    }
    stop = true;
    worker.join();
    EXPECT_NE(device.SysInterface().Snapshot().Resets, 0u);
}

}  // namespace
}  // namespace ryvorn
