// SPDX-License-Identifier: MIT
// The worker thread against a scripted controller: when it sends, when it waits, the
// pause handshake and the hand-over to the main thread.
#include "device/sbc_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <set>
#include <thread>

#include "device/sbc_device.h"
#include "sim/sim_controller.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const Bytes SystemInfo{120, 1};

// The controller answers as the simulator does; a test may slow every reply down or
// hold the line until it lets a reply go.
struct WorkerFixture : ::testing::Test {
    sim::SimController controller;
    std::atomic<int> delayMs{0};
    std::atomic<bool> silent{false};
    std::set<Bytes> unanswered;  // requests the controller ignores; set before the worker runs
    std::mutex mutex;
    std::vector<Bytes> seen;         // every request, in order, as the controller got it
    std::vector<int32_t> addresses;  // and the address it went to

    std::atomic<size_t> arrived{0};  // requests the controller has begun to answer

    testing::ScriptedLink link{[this](int32_t address, const Bytes& request) -> std::optional<Bytes> {
        ++arrived;
        invoker.Wake();
        if (delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delayMs.load()));
        {
            std::lock_guard lock(mutex);
            seen.push_back(request);
            addresses.push_back(address);
        }
        invoker.Wake();
        if (silent || unanswered.count(request)) return std::nullopt;
        return controller.Handle(request);
    }};
    TQueueInvoker invoker;
    TOxSbcDevice device{0, link.Prot.get()};
    std::unique_ptr<TSbcThread> worker = std::make_unique<TSbcThread>(invoker);

    void SetUp() override {
        device.SetOnIdentified([](TOxSbcDevice& d) { d.SetIdentifyNeeded(false); });
        worker->SetDevice(&device);
    }
    void TearDown() override { worker.reset(); }

    size_t Count(const Bytes& request) {
        std::lock_guard lock(mutex);
        return static_cast<size_t>(std::count(seen.begin(), seen.end(), request));
    }
    size_t CountAt(int32_t address) {
        std::lock_guard lock(mutex);
        return static_cast<size_t>(std::count(addresses.begin(), addresses.end(), address));
    }
    size_t Total() {
        std::lock_guard lock(mutex);
        return seen.size();
    }
    // Waits (serving the main-thread queue) until the controller got `n` of a request.
    bool AwaitCount(const Bytes& request, size_t n, std::chrono::milliseconds timeout = 5s) {
        return invoker.WaitServing([&] { return Count(request) >= n; }, Clock::now() + timeout) ||
               Count(request) >= n;
    }
    void Identified() {
        device.SetActive(true);
        ASSERT_TRUE(worker->Pause(false));
        ASSERT_TRUE(invoker.WaitServing([&] { return !device.IdentifyNeeded(); }, Clock::now() + 5s));
    }
};

TEST_F(WorkerFixture, AnInactiveDeviceGetsNoTrafficUntilActivated) {
    ASSERT_TRUE(worker->Pause(false));
    invoker.WaitServing([] { return false; }, Clock::now() + 200ms);
    EXPECT_EQ(Total(), 0u);
    device.SetActive(true);
    EXPECT_TRUE(AwaitCount({0x5D}, 1));
}

TEST_F(WorkerFixture, WithNothingToDoTheWorkerWaitsForTheSystemPoll) {
    // The main window clears the System flag after a good Info; so does this handler.
    auto* sys = device.ControllerModule(TModuleSlot::SysInterface);
    ASSERT_NE(sys, nullptr);
    sys->OnUpdate = [](TOxModule& m, uint8_t) {
        if (m.Status() == TOxModuleStatus::Ok) static_cast<TOxSbcModule&>(m).CancelRequests();
    };
    Identified();
    ASSERT_TRUE(AwaitCount(SystemInfo, 1));
    const uint64_t cycles = worker->Cycles();
    const auto t0 = Clock::now();
    ASSERT_TRUE(AwaitCount(SystemInfo, 2, 4s));
    const auto period = Clock::now() - t0;
    // One poll every 2 s, and between the polls the worker slept instead of cycling.
    EXPECT_GT(period, 1500ms);
    EXPECT_LT(worker->Cycles() - cycles, 10u);
}

TEST_F(WorkerFixture, ARaisedFlagWakesTheWaitingWorkerAtOnce) {
    auto* sys = device.ControllerModule(TModuleSlot::SysInterface);
    sys->OnUpdate = [](TOxModule& m, uint8_t) { static_cast<TOxSbcModule&>(m).CancelRequests(); };
    Identified();
    ASSERT_TRUE(AwaitCount(SystemInfo, 1));
    // Raise the flag again from this thread: the worker must not sleep until the next poll.
    device.ResetIdentity();
    EXPECT_TRUE(AwaitCount({0x5D}, 2, 1s));
}

TEST_F(WorkerFixture, PausesOnlyBetweenCyclesAndLosesNoRequest) {
    // A controller that never finishes the identification: traffic without end.
    controller.Identity().SerialNumber = 0;
    delayMs = 5;
    device.SetActive(true);
    ASSERT_TRUE(worker->Pause(false));
    ASSERT_TRUE(AwaitCount({0x5D}, 1));
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(worker->Pause(true));
        const size_t before = Total();
        // While paused the line is ours: nothing is sent, and the protocol is idle.
        std::this_thread::sleep_for(10ms);
        EXPECT_EQ(Total(), before);
        EXPECT_EQ(link.Prot->State(), 0);
        ASSERT_TRUE(worker->Pause(false));
        ASSERT_TRUE(invoker.WaitServing([&] { return Total() > before; }, Clock::now() + 5s));
    }
    // Every request the worker made reached the controller exactly once.
    ASSERT_TRUE(worker->Pause(true));
    EXPECT_EQ(link.Protocol->TakeRequests().size(), Total());
}

TEST_F(WorkerFixture, ASynchronizedHandlerDoesNotDeadlockAgainstPause) {
    std::atomic<int> found{0};
    worker->SetOnDeviceFound([&](TSbcThread&) {
        EXPECT_TRUE(invoker.IsMainThread());
        ++found;
    });
    device.SetActive(true);
    ASSERT_TRUE(worker->Pause(false));
    // The worker hands OnDeviceFound to the main thread while the main thread sits in
    // Pause waiting for the worker: Pause must serve the hand-over.
    ASSERT_TRUE(invoker.WaitServing([&] { return Count({0x5D}) >= 1; }, Clock::now() + 5s));
    EXPECT_TRUE(worker->Pause(true));
    EXPECT_EQ(found, 1);
}

TEST_F(WorkerFixture, APauseThatIsNotHonouredInTimeReportsFailure) {
    controller.Identity().SerialNumber = 0;  // identification never ends: traffic
    device.SetActive(true);
    ASSERT_TRUE(worker->Pause(false));
    ASSERT_TRUE(AwaitCount({0x5D}, 1));
    delayMs = 400;  // each request now holds the worker longer than the watchdog
    worker->SetPauseWatchdog(100ms);
    // Once a request has reached the controller the worker is held inside the cycle.
    const size_t before = arrived;
    ASSERT_TRUE(invoker.WaitServing([&] { return arrived > before; }, Clock::now() + 5s));
    EXPECT_FALSE(worker->Pause(true));
    worker->SetPauseWatchdog(5s);
    EXPECT_TRUE(worker->Pause(true));
}

TEST_F(WorkerFixture, TheIdCodeIsReportedOncePerReturn) {
    std::atomic<int> found{0};
    worker->SetOnDeviceFound([&](TSbcThread&) { ++found; });
    Identified();
    ASSERT_TRUE(invoker.WaitServing([&] { return found == 1; }, Clock::now() + 5s));
    // The controller falls silent and the identity is cleared: cycles see id code 0,
    // which is never reported.
    ASSERT_TRUE(worker->Pause(true));
    silent = true;
    device.ResetIdentity();
    ASSERT_TRUE(worker->Pause(false));
    ASSERT_TRUE(AwaitCount({0x5D}, Count({0x5D}) + 2));
    EXPECT_EQ(found, 1);
    // It answers again: the id code returns, and is reported once more.
    silent = false;
    ASSERT_TRUE(invoker.WaitServing([&] { return found == 2; }, Clock::now() + 5s));
    invoker.WaitServing([] { return false; }, Clock::now() + 100ms);
    EXPECT_EQ(found, 2);
}

TEST_F(WorkerFixture, AnAlternateDeviceTakesEveryCycle) {
    TOxSbcDevice other(7, link.Prot.get());
    other.SetActive(true);
    worker->SetAlternateDevice(&other);
    device.SetActive(true);
    ASSERT_TRUE(worker->Pause(false));
    ASSERT_TRUE(AwaitCount({0x5D}, 1));
    ASSERT_TRUE(worker->Pause(true));
    // Only the alternate device (address 7) was served; the main device never.
    EXPECT_EQ(CountAt(0), 0u);
    EXPECT_GT(CountAt(7), 0u);
    worker->SetAlternateDevice(nullptr);
    EXPECT_EQ(device.IdCode(), 0);
    // Counted before the worker runs again: it may identify the main device at once.
    const size_t identifications = Count({0x5D});
    ASSERT_TRUE(worker->Pause(false));
    EXPECT_TRUE(AwaitCount({0x5D}, identifications + 1));
    EXPECT_TRUE(invoker.WaitServing([&] { return CountAt(0) > 0; }, Clock::now() + 5s));
}

TEST_F(WorkerFixture, StopEndsTheThreadWithinTheGraceTime) {
    controller.Identity().SerialNumber = 0;
    delayMs = 20;
    device.SetActive(true);
    ASSERT_TRUE(worker->Pause(false));
    ASSERT_TRUE(AwaitCount({0x5D}, 1));
    const auto t0 = Clock::now();
    worker->Stop();
    EXPECT_LT(Clock::now() - t0, 1s);
}

using Table = std::vector<size_t>;

Table TrueEntries(const TModuleAvailability& t) {
    Table entries;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i]) entries.push_back(i);
    }
    return entries;
}

const Bytes UiInfo{120, 10}, WeigherPresence{10, 0}, WeigherInfo{10, 4, 0, 5}, IoInfo{120, 20}, IndicatorInfo{120, 40},
    ExtRegInfo{120, 30}, ResultInfo{120, 100}, ClockRead{1, 1};

TEST_F(WorkerFixture, DiscoveryOfAFullController) {
    int before = 0;
    worker->SetOnBeforeDeviceScan([&](TSbcThread&) { ++before; });
    const auto table = worker->Discover(device);
    EXPECT_EQ(link.Protocol->TakeRequests(),
              (std::vector<Bytes>{UiInfo, WeigherPresence, WeigherInfo, IoInfo, IndicatorInfo, ExtRegInfo, ResultInfo,
                                  ClockRead}));
    EXPECT_EQ(TrueEntries(table), (Table{avFrontPanel, avWeigher, avResults, avClock, avIo, avIndicators, avExtRegisters}));
    EXPECT_EQ(before, 1);
}

TEST_F(WorkerFixture, DiscoveryGivesUpAfterThreePassesAtTheFirstSilentModule) {
    unanswered = {IndicatorInfo};
    std::optional<TModuleAvailability> after;
    worker->SetOnAfterDeviceScan([&](TSbcThread&, const TModuleAvailability& t) { after = t; });
    const auto table = worker->Discover(device);
    std::vector<Bytes> pass{UiInfo, WeigherPresence, WeigherInfo, IoInfo, IndicatorInfo};
    std::vector<Bytes> expected;
    for (int i = 0; i < 3; ++i) expected.insert(expected.end(), pass.begin(), pass.end());
    EXPECT_EQ(link.Protocol->TakeRequests(), expected);
    // What the passes found before the silent module stays in the table.
    EXPECT_EQ(TrueEntries(table), (Table{avFrontPanel, avWeigher, avIo}));
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, table);
}

TEST_F(WorkerFixture, DiscoveryOfAControllerWithoutWeigherOrClockDate) {
    controller.Command({"weigher", "present", "0"});
    controller.Command({"clock", "broken", "1"});
    controller.Command({"register", "shortinfo", "1"});
    const auto table = worker->Discover(device);
    // An absent weigher answers its presence request and nothing more is asked.
    EXPECT_EQ(link.Protocol->TakeRequests(),
              (std::vector<Bytes>{UiInfo, WeigherPresence, IoInfo, IndicatorInfo, ExtRegInfo, ResultInfo, ClockRead}));
    EXPECT_EQ(TrueEntries(table), (Table{avFrontPanel, avResults, avIo, avIndicators, avExtRegisters}));
}

TEST_F(WorkerFixture, TheMainWindowsDiscoveryRunsOnTheWorkerAndReportsOnTheMainThread) {
    std::atomic<bool> scanned{false};
    worker->SetOnDeviceFound([](TSbcThread& w) { w.RequestDiscovery(true); });
    worker->SetOnAfterDeviceScan([&](TSbcThread& w, const TModuleAvailability& t) {
        EXPECT_TRUE(invoker.IsMainThread());
        EXPECT_TRUE(t[avIo]);
        EXPECT_EQ(w.LastAvailability(), t);
        scanned = true;
    });
    Identified();
    EXPECT_TRUE(invoker.WaitServing([&] { return scanned.load(); }, Clock::now() + 5s));
}

}  // namespace
}  // namespace ryvorn
