// SPDX-License-Identifier: MIT
#include "device/sbc_device.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/device_family.h"
#include "device/sbc_data_view.h"
#include "sim/sim_controller.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;

TEST(DeviceFamily, TextOfAnIdCode) {
    const struct {
        uint16_t id;
        const char* text;
    } cases[] = {
        {0x0503, "Quend"},
        {0x0610, "Talvrix"},
        {0x0611, "TRI, single process Talvrix + Indicator"},
        {0x0617, "Kest 3600"},
        {0x0620, "Kest 4 Chn Card"},
        {0x0622, "Indicator 5150"},
        {0x0626, "HVR RIO"},
        {0x1234, "IdCode: 1234"},
        {0x0621, "IdCode: 0621"},
        {0x00AB, "IdCode: 00AB"},
        {0, "IdCode: 0000"},
    };
    for (const auto& c : cases) EXPECT_EQ(DeviceFamilyText(c.id), c.text) << std::hex << c.id;
}

TEST(DeviceFamily, CaptionForms) {
    TCaptionValues v;
    v.IdCode = 0x0617;
    v.Version = 0x020A;
    v.Build = 0x0B;
    v.SerialNumber = 0xABC;
    v.ModuleVersion = 0x0100;
    v.ModuleBuild = 3;
    v.Project = "/home/p/Line 2";
    EXPECT_EQ(
        DeviceCaption(v),
        "Kest 3600, Device Version: 02.0A, Build: 0B, Serial: 00000ABC, Module Version: 01.00, Build: 03, "
        "Project: /home/p/Line 2");
    EXPECT_EQ(SerialNumberText(0xFFFFFFFF), "FFFFFFFF");
}

TEST(Device, AddressText) {
    TOxSbcDevice device(0, nullptr);
    const struct {
        uint32_t address;
        const char* text;
    } cases[] = {
        {0, "0"},
        {255, "255"},
        {256, "0.0.1.0"},
        {0x7F000002, "127.0.0.2"},
        {0xC0A80064, "192.168.0.100"},    // negative as a signed number
        {0xFFFFFFFF, "255.255.255.255"},  // -1
    };
    for (const auto& c : cases) {
        device.SetAddress(static_cast<int32_t>(c.address));
        EXPECT_EQ(device.AddressText(), c.text);
    }
    EXPECT_EQ(device.DeviceFamilyName(), "Talvrix");
}

TEST(Device, ModulesAndTheirOrders) {
    TOxSbcDevice device(7, nullptr);
    // The modules built so far, in creation order, each in its slot with its name.
    const std::vector<std::pair<const TOxModule*, std::string>> modules = {
        {&device.System(), "System"},
        {&device.Ethernet(), "Ethernet Interface."},
        {&device.Encryption(), "Encryption Interface"},
        {&device.SysInterface(), "System Interface"},
        {&device.UserInterface(), "User Interface"},
        {&device.Io(), "I/O Interface"},
        {&device.Result(), "Result Interface"},
        {&device.Indicator(), "Indicator Interface"},
        {&device.ExtRegister(), "Extended Registers Interface"},
        {&device.RealTimeClock(), "Real time Clock Interface"},
        {&device.Weigher(), "Weigher Interface"},
    };
    ASSERT_EQ(device.Modules().size(), modules.size());
    for (size_t i = 0; i < modules.size(); ++i) {
        EXPECT_EQ(device.Modules()[i], modules[i].first) << i;
        EXPECT_EQ(device.Modules()[i]->Name(), modules[i].second);
    }
    EXPECT_EQ(device.ControllerModule(TModuleSlot::RealTimeClock), &device.RealTimeClock());
    EXPECT_EQ(device.ControllerModule(TModuleSlot::Label), nullptr);
    device.SetAddress(9);
    for (const TOxModule* m : device.Modules()) EXPECT_EQ(m->Address(), 9);

    using T = TModuleSlot;
    const std::vector<T> cancel = {
        T::SysInterface,  T::UserInterface, T::Io,          T::Result,          T::Label,        T::Link,
        T::Indicator,     T::ExtRegister,   T::Interpreter, T::Program,         T::Recipe,       T::Printer,
        T::RealTimeClock, T::Weigher,       T::Scope,       T::DisplayResource, T::DisplayImage, T::Config};
    const std::vector<T> poll = {
        T::SysInterface,  T::UserInterface, T::Io,          T::Result,     T::Label,  T::Link,
        T::Indicator,     T::ExtRegister,   T::Interpreter, T::Program,    T::Recipe, T::Printer,
        T::RealTimeClock, T::Weigher,       T::Scope,       T::Encryption, T::Config, T::DisplayResource,
        T::DisplayImage};
    EXPECT_EQ(std::vector<T>(CancelOrder.begin(), CancelOrder.end()), cancel);
    EXPECT_EQ(std::vector<T>(PollOrder.begin(), PollOrder.end()), poll);
}

TEST(DataView, ProjectFileNameTakesOnlyTheFileName) {
    TSbcDataView view;
    view.SetDataDirectory("/work/project");
    EXPECT_EQ(view.ProjectFileName("/elsewhere/Labels.xml"), "/work/project/Labels.xml");
    EXPECT_EQ(view.ProjectFileName("Names.txt"), "/work/project/Names.txt");
    view.SetOnline(true);
    EXPECT_TRUE(view.Online());
    EXPECT_EQ(view.Device(), nullptr);
}

struct Jobs : ::testing::Test {
    sim::SimController controller;
    sim::SimFaults faults;
    testing::ScriptedLink link{
        [this](int32_t, const Bytes& r) { return controller.Reply(r, faults.TakeForReply()); }};
    TOxSbcDevice device{0, link.Prot.get()};
    std::vector<uint8_t> states;
    void SetUp() override {
        device.SetOnJobStateChange([this](TOxSbcDevice& d) { states.push_back(d.JobState()); });
        device.SetOnIdentified([](TOxSbcDevice& d) { d.SetIdentifyNeeded(false); });
    }
};

TEST_F(Jobs, OneJobAtATimeAndAWatchdogThatEndsIt) {
    device.Process();  // identified
    link.Protocol->TakeRequests();
    EXPECT_TRUE(device.StartJob(5, 10000));
    EXPECT_FALSE(device.StartJob(9, 10000)) << "a job runs";
    EXPECT_EQ(device.JobState(), 5);
    EXPECT_EQ(states, std::vector<uint8_t>{5});

    // No step of the job sends anything yet; the identity and polling wait meanwhile.
    device.Encryption().GetPassphraseRequest = true;
    EXPECT_FALSE(device.Process());

    int timeouts = 0;
    int afterBoot = 0;
    device.SetOnJobTimeout([&](TOxSbcDevice& sender, int code, uint8_t state) {
        EXPECT_EQ(&sender, &device);
        EXPECT_EQ(code, 0);
        EXPECT_EQ(state, 5);
        ++timeouts;
    });
    device.SetOnAfterBoot([&](TOxSbcDevice&) { ++afterBoot; });
    device.ExpireJobWatchdog();
    device.Process();
    EXPECT_EQ(timeouts, 1);
    EXPECT_EQ(device.JobState(), 0);
    EXPECT_EQ(states, (std::vector<uint8_t>{5, 0}));
    EXPECT_EQ(afterBoot, 1) << "CancelAll clears the identity in the same cycle";
    EXPECT_EQ(device.System().IdCode(), 0);
    device.Process();
    EXPECT_EQ(timeouts, 1) << "the watchdog was stopped";
    EXPECT_TRUE(device.StartJob(9, 10000));
}

// The worker cycles the device while the main thread raises flags, reads the identity
// and resets it: every field they share is atomic or guarded (ThreadSanitizer).
TEST_F(Jobs, TheMainThreadAndAWorkerShareTheDevice) {
    // Events come on the thread that changes the state: here both threads do.
    std::atomic<int> changes{0};
    device.SetOnJobStateChange([&](TOxSbcDevice&) { ++changes; });
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        while (!stop) device.Process();
    });
    for (int i = 0; i < 200; ++i) {
        device.Encryption().GetPassphraseRequest = true;
        device.Ethernet().InformationRequest = true;
        (void)device.IdCode();
        (void)device.SerialNumber();
        (void)device.System().Status();
        (void)device.Encryption().Passphrase();
        (void)device.Ethernet().CopyOut();
        if (i % 50 == 0) device.ResetIdentity();
        if (i % 70 == 0 && device.StartJob(3, 5)) device.ExpireJobWatchdog();
        std::this_thread::yield();
    }
    stop = true;
    worker.join();
    // Whatever the interleaving, the device comes back to an identified, idle state.
    for (int cycle = 0; cycle < 3 && (device.IdentifyNeeded() || device.JobState() != 0); ++cycle)
        device.Process();
    EXPECT_EQ(device.JobState(), 0);
    EXPECT_FALSE(device.IdentifyNeeded());
    EXPECT_EQ(device.IdCode(), 0x0617);
    EXPECT_EQ(changes % 2, 0) << "every job started was ended";
}

}  // namespace
}  // namespace ryvorn
