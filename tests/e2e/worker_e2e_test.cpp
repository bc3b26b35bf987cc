// SPDX-License-Identifier: MIT
// The worker thread's commands against ryvorn-sim: discover and monitor.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/sim_process.h"

namespace ryvorn::testing {
namespace {

using namespace std::chrono_literals;
using Options = std::vector<std::string>;

Options With(Options link, std::initializer_list<std::string> rest) {
    link.insert(link.end(), rest.begin(), rest.end());
    return link;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct WorkerE2E : ::testing::TestWithParam<bool> {
    SimProcess sim;
    Options Link() const { return GetParam() ? sim.SerialOptions() : sim.UdpOptions(); }
    void SetUp() override { ASSERT_TRUE(sim.Ready()); }
};

INSTANTIATE_TEST_SUITE_P(PtyAndUdp, WorkerE2E, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Pty" : "Udp"; });

TEST_P(WorkerE2E, DiscoverPrintsTheAvailabilityTable) {
    auto r = RunCli(With(Link(), {"discover"}));
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    for (const char* line : {"front-panel: yes\n", "weigher: yes\n", "io: yes\n", "indicators: yes\n",
                             "extended-registers: yes\n", "results: yes\n", "clock: yes\n", "scope: no\n",
                             "interpreter: no\n"}) {
        EXPECT_TRUE(Contains(r.Out, line)) << line << r.Out;
    }
    ASSERT_TRUE(sim.Command("weigher present 0"));
    r = RunCli(With(Link(), {"discover", "--json"}));
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(Contains(r.Out, "\"weigher\": false")) << r.Out;
    EXPECT_TRUE(Contains(r.Out, "\"io\": true")) << r.Out;
}

TEST_P(WorkerE2E, MonitorSeesAnOutputSwitchedFromAnotherTool) {
    Options argv{CliProgram()};
    for (const auto& o : With(Link(), {"monitor", "io", "indicators", "--seconds", "4"})) argv.push_back(o);
    ChildProcess monitor(argv);
    ASSERT_TRUE(monitor.Started());
    const auto before = monitor.WaitFor("io: I/O Interface Query ok: ", 5s);
    ASSERT_TRUE(before);
    EXPECT_TRUE(Contains(*before, "outputs 00 00")) << *before;
    // Switch the first output (I/O number 17) with a second tool; on the pty the monitor
    // owns the line, so the second tool goes through the same controller's UDP side.
    const auto set = RunCli(With(sim.UdpOptions(), {"io", "--set", "17"}));
    ASSERT_EQ(set.ExitCode, 0) << set.Err;
    std::optional<std::string> after;
    while ((after = monitor.WaitFor("io: I/O Interface Query ok: ", 5s))) {
        if (Contains(*after, "outputs 01 00")) break;
    }
    ASSERT_TRUE(after) << "the monitor never saw output 17 on";
    const auto indicators = monitor.WaitFor("indicators: Indicator Interface Query ok: ", 5s);
    ASSERT_TRUE(indicators) << monitor.Lines().back();
    EXPECT_EQ(indicators->rfind("1=1000 2=200.0 3=30.00 ", 0), 0u) << *indicators;
    const auto summary = monitor.WaitFor("cycles: ", 10s);
    ASSERT_TRUE(summary);
    // A loaded test machine may stall the simulator past the 200 ms byte gap now and
    // then; a monitor whose requests fail in earnest fails most of them.
    unsigned long requests = 0, failures = 0;
    ASSERT_EQ(std::sscanf(summary->c_str(), "%*u requests: %lu failures: %lu", &requests, &failures), 2)
        << *summary;
    EXPECT_GT(requests, 100u) << *summary;
    EXPECT_LE(failures * 100, requests) << *summary;
}

TEST(WorkerE2ECli, MonitorWithoutKindsOnlyIdentifiesAndProbes) {
    SimProcess sim;
    ASSERT_TRUE(sim.Ready());
    const auto r = RunCli(With(sim.UdpOptions(), {"monitor", "--seconds", "2.5"}));
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_TRUE(Contains(r.Out, "identified: id code 0617 at 127.0.0.2\n")) << r.Out;
    EXPECT_TRUE(Contains(r.Out, "system: System Interface Info ok: resets 3")) << r.Out;
    // Identification (5 requests) and two System probes 2 s apart, nothing else.
    EXPECT_TRUE(Contains(r.Out, "requests: 7 failures: 0\n")) << r.Out;
}

TEST(WorkerE2ECli, ErrorsOfTheWorkerCommands) {
    SimProcess sim;
    ASSERT_TRUE(sim.Ready());
    auto r = RunCli(With(sim.UdpOptions(), {"monitor", "scope"}));
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_TRUE(Contains(r.Err, "monitor: unknown kind 'scope'")) << r.Err;
    r = RunCli(With(sim.SerialOptions(), {"--address", "9", "discover"}));
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, "ryvorn-cli: discover: the controller did not identify itself\n");
}

}  // namespace
}  // namespace ryvorn::testing
