// SPDX-License-Identifier: MIT
// Worker benchmark against ryvorn-sim on loopback UDP. Prints, measured in this one run:
//  - I/O polling cycles per second (Query updates with its flag raised) against the bare
//    request and reply rate to the same simulator (target: at least 0.8 of it);
//  - the CPU the worker uses over 10 s with nothing to poll (target: under 1 % of a core).
#include <atomic>
#include <chrono>
#include <cstdio>

#include "bench/bench_support.h"
#include "device/io_module.h"
#include "device/main_thread_invoker.h"
#include "device/module_status.h"
#include "device/sbc_device.h"
#include "device/sbc_thread.h"
#include "device/system_interface_module.h"
#include "link/link_factory.h"
#include "tests/support/sim_process.h"

using namespace ryvorn;
using Clock = std::chrono::steady_clock;

int main() {
    testing::SimProcess sim({}, false);
    if (!sim.Ready()) {
        std::fprintf(stderr, "ryvorn-sim did not start\n");
        return 1;
    }
    const uint16_t port = static_cast<uint16_t>(std::stoi(sim.UdpPort()));
    auto link = bench::OpenUdpLink(sim);
    if (!link) return 1;

    TQueueInvoker invoker;
    TOxSbcDevice device(link->Address(), link->Prot());
    auto& io = static_cast<TOxSbcIoModule&>(*device.ControllerModule(TModuleSlot::Io));
    auto& sys = static_cast<TOxSbcSysModule&>(*device.ControllerModule(TModuleSlot::SysInterface));
    std::atomic<bool> identified{false};
    std::atomic<uint64_t> queries{0};
    device.SetOnIdentified([&](TOxSbcDevice& d) {
        d.SetIdentifyNeeded(false);
        identified = true;
    });
    // As the main window: the System probe is cleared after a good Info; the I/O page
    // sets up its groups after the Info and then keeps the Query flag raised.
    sys.OnUpdate = [&](TOxModule& m, uint8_t) {
        if (m.Status() == TOxModuleStatus::Ok) sys.InfoRequest = false;
    };
    io.OnUpdate = [&](TOxModule& m, uint8_t function) {
        if (m.Status() != TOxModuleStatus::Ok) return;
        if (function == ofInfo) {
            io.SetKindGroups();
            io.InfoRequest = false;
            io.QueryRequest = true;
        } else if (function == ofQuery) {
            ++queries;
        }
    };
    TSbcThread worker(invoker);
    worker.SetDevice(&device);
    device.SetActive(true);
    worker.Pause(false);
    if (!invoker.WaitServing([&] { return identified.load(); }, Clock::now() + std::chrono::seconds(5))) {
        std::fprintf(stderr, "not identified\n");
        return 1;
    }
    io.InfoRequest = true;
    invoker.WaitServing([&] { return queries > 100; }, Clock::now() + std::chrono::seconds(5));

    // Blocks of polling and of bare round trips take turns, so that drift of the machine
    // affects both alike.
    double pollSeconds = 0, bareMicros = 0;
    uint64_t polled = 0, bareCount = 0;
    constexpr auto Block = std::chrono::milliseconds(100);
    for (int block = 0; block < 30; ++block) {
        worker.Pause(false);
        const auto t0 = Clock::now();
        const uint64_t q0 = queries;
        invoker.WaitServing([] { return false; }, t0 + Block);
        worker.Pause(true);
        pollSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
        polled += queries - q0;
        const auto b0 = Clock::now();
        while (Clock::now() - b0 < Block) {
            const auto bare = bench::BareUdpRoundTrips(sim.UdpHost(), port, 50);
            for (double t : bare) bareMicros += t;
            bareCount += bare.size();
        }
    }
    const double pollRate = static_cast<double>(polled) / pollSeconds;
    const double bareRate = 1e6 * static_cast<double>(bareCount) / bareMicros;
    std::printf("I/O polling: %.0f cycles/s, bare request/reply %.0f/s, ratio %.2f (target >= 0.8)\n", pollRate,
                bareRate, pollRate / bareRate);

    io.CancelRequests();
    worker.Pause(false);
    const double c0 = bench::CpuSeconds();
    invoker.WaitServing([] { return false; }, Clock::now() + std::chrono::seconds(10));
    const double idle = bench::CpuSeconds() - c0;
    std::printf("Worker with nothing to poll over 10 s: %.3f %% of a core (target < 1 %%), %llu cycles\n",
                idle / 10.0 * 100.0, static_cast<unsigned long long>(worker.Cycles()));
    worker.Stop();
    return 0;
}
