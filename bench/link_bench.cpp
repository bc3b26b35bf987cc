// SPDX-License-Identifier: MIT
// Link benchmark against ryvorn-sim on loopback. Prints, measured in this one run:
//  - the median round trip of TOXcFunc::Execute over UDP against a bare UDP request
//    and reply to the same simulator (target: at most 1.3 times the bare figure);
//  - the CPU time per transaction;
//  - the CPU an open, idle link uses over 5 s (target: under 1 % of a core);
//  - on a pty with the simulator pacing 57600 baud, the elapsed time of 500 requests
//    of 100 payload bytes against their computed wire time (target: at most 1.15 times).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "link/dle_frame.h"
#include "link/link_factory.h"
#include "link/oxc_func.h"
#include "tests/support/sim_process.h"

using namespace ryvorn;
using Clock = std::chrono::steady_clock;

namespace {

using bench::BareUdpRoundTrips;
using bench::CpuSeconds;
using bench::Median;

}  // namespace

int main() {
    testing::SimProcess sim({}, false);
    if (!sim.Ready()) {
        std::fprintf(stderr, "ryvorn-sim did not start\n");
        return 1;
    }
    const uint16_t port = static_cast<uint16_t>(std::stoi(sim.UdpPort()));
    constexpr int Count = 3000;

    auto link = bench::OpenUdpLink(sim);
    if (!link) return 1;

    // Warm up both paths, then measure them interleaved in blocks so that drift of the
    // machine affects both alike.
    BareUdpRoundTrips(sim.UdpHost(), port, 200);
    TOXcFunc f(link->Address());
    std::vector<double> bare, execute;
    double cpu = 0;
    for (int block = 0; block < 10; ++block) {
        auto b = BareUdpRoundTrips(sim.UdpHost(), port, Count / 10);
        bare.insert(bare.end(), b.begin(), b.end());
        const double c0 = CpuSeconds();
        for (int i = 0; i < Count / 10; ++i) {
            const auto t0 = Clock::now();
            f.SetCommand1(0x5D);
            if (f.Execute(link->Prot()) != oxOk) {
                std::fprintf(stderr, "Execute failed: %d after %d\n", static_cast<int>(f.LastResult()), i);
                return 1;
            }
            execute.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
        }
        cpu += CpuSeconds() - c0;
    }
    const double medianBare = Median(bare);
    const double medianExecute = Median(execute);
    std::printf("UDP round trip, median: Execute %.1f us, bare request/reply %.1f us, ratio %.2f (target <= 1.3)\n",
                medianExecute, medianBare, medianExecute / medianBare);
    std::printf("CPU per transaction (this process, both threads): %.1f us\n", cpu / Count * 1e6);

    const double idle0 = CpuSeconds();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double idle = CpuSeconds() - idle0;
    std::printf("Idle open UDP link over 5 s: %.3f %% of a core (target < 1 %%)\n", idle / 5.0 * 100.0);
    link.reset();

    // Serial timing on a pty with the simulator pacing the line.
    constexpr uint32_t Baud = 57600;
    testing::SimProcess paced({"--baud", std::to_string(Baud)}, false);
    if (!paced.Ready()) return 1;
    LinkSettings serial;
    serial.SerialPath = paced.PtyPath();
    serial.Baudrate = Baud;
    auto line = bench::OpenBenchLink(serial);
    if (!line) return 1;
    std::vector<uint8_t> payload(100);
    payload[0] = 250;  // echo: the reply is as long as the request
    for (size_t i = 1; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(0x20 + i % 64);
    const size_t frameBytes = dle::EncodeFrame(0, payload, true).size();
    constexpr int Requests = 500;
    TOXcFunc s(line->Address());
    const auto t0 = Clock::now();
    for (int i = 0; i < Requests; ++i) {
        s.SetCommand1(payload[0]);
        s.AddBytes(payload.data() + 1, payload.size() - 1);
        if (s.Execute(line->Prot()) != oxOk || s.ReplyLength() != payload.size()) {
            std::fprintf(stderr, "serial request %d failed\n", i);
            return 1;
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
    const double wire = Requests * 2.0 * static_cast<double>(frameBytes) * 10.0 / Baud;
    std::printf("Pty at %u baud: %d requests of %zu payload bytes in %.2f s, wire time %.2f s, ratio %.3f "
                "(target <= 1.15)\n",
                Baud, Requests, payload.size(), elapsed, wire, elapsed / wire);
    return 0;
}
