// SPDX-License-Identifier: MIT
// ryvorn-cli io, indicators, registers, results and clock against ryvorn-sim over a pty
// and UDP; the simulator's own answers confirm what the tool changed.
#include <gtest/gtest.h>

#include "tests/support/sim_process.h"

namespace ryvorn::testing {
namespace {

struct DataE2E : ::testing::TestWithParam<bool> {
    SimProcess sim;
    void SetUp() override { ASSERT_TRUE(sim.Ready()) << "ryvorn-sim did not start"; }
    RunResult Cli(std::initializer_list<std::string> arguments) {
        std::vector<std::string> all = GetParam() ? sim.SerialOptions() : sim.UdpOptions();
        all.insert(all.end(), arguments.begin(), arguments.end());
        return RunCli(all);
    }
    // The line of the output that starts with the label.
    static std::string Line(const RunResult& r, const std::string& label) {
        const auto at = r.Out.find(label + ": ");
        if (at == std::string::npos) return "<no " + label + ">";
        return r.Out.substr(at, r.Out.find('\n', at) - at);
    }
};

INSTANTIATE_TEST_SUITE_P(PtyAndUdp, DataE2E, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Pty" : "Udp"; });

TEST_P(DataE2E, IoIsReadAndSwitchedByNumber) {
    const std::string zeros = "00000000 00000000 00000000 00000000 00000000 00000000";
    auto r = Cli({"io"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "Input size: 16\nFirst input: 0\nOutput size: 16\nFirst output: 16\nMarker size: 64\nFirst "
              "marker: 32\n"
              "Inputs 1-16: 10100000 00000000\nOutputs 17-32: 00000000 00000000\nMarkers 33-96: 00001000 "
              "00000000 " +
                  zeros + "\n");

    r = Cli({"io", "--set", "40,17", "--reset", "1"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Line(r, "Inputs 1-16"), "Inputs 1-16: 00100000 00000000");
    EXPECT_EQ(Line(r, "Outputs 17-32"), "Outputs 17-32: 10000000 00000000");
    EXPECT_EQ(Line(r, "Markers 33-96"), "Markers 33-96: 00001001 00000000 " + zeros);
    EXPECT_EQ(sim.Query("io get 40"), "io 40 1");
    EXPECT_EQ(sim.Query("io get 17"), "io 17 1");
    EXPECT_EQ(sim.Query("io get 1"), "io 1 0");
    r = Cli({"io", "--reset", "40"});
    EXPECT_EQ(sim.Query("io get 40"), "io 40 0");

    // An input the controller sees change shows in the next read.
    ASSERT_TRUE(sim.Command("io input 16 1"));
    r = Cli({"io", "--json"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out.find("\"inputs\": [0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1], \"outputs\": [1, 0"),
              std::string::npos)
        << r.Out;

    r = Cli({"io", "--set", "97"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err,
              "ryvorn-cli: io: 97 is no I/O number of the controller (inputs 1-16, outputs 17-32, markers "
              "33-96)\n");
    ASSERT_TRUE(sim.Command("fault silence *"));
    r = Cli({"io"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, "ryvorn-cli: io: I/O Interface Info Function Failed, Communication error\n");
}

TEST_P(DataE2E, IndicatorsShowTheirReadingsAndWhatCame) {
    ASSERT_TRUE(sim.Command("indicator 3 -12345 2 0x90"));
    ASSERT_TRUE(sim.Command("indicator 4 5 0 0"));
    ASSERT_TRUE(sim.Command("indicator 5 -7 7 0xC0"));
    auto r = Cli({"indicators"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Line(r, "Indicators"), "Indicators: 20");
    EXPECT_EQ(Line(r, "Indicator 1"), "Indicator 1: 100 (value 1000, decimals 0, flags 90)");
    EXPECT_EQ(Line(r, "Indicator 3"), "Indicator 3: -12.35 (value -12345, decimals 2, flags 90)");
    EXPECT_EQ(Line(r, "Indicator 4"), "Indicator 4: NOT AVAIL (value 5, decimals 0, flags 00)");
    EXPECT_EQ(Line(r, "Indicator 5"), "Indicator 5: uuuuuuuu (value -7, decimals 7, flags C0)");
    EXPECT_EQ(Line(r, "Indicator 20"), "Indicator 20: 2.000 (value 20000, decimals 3, flags 90)")
        << "the last of twenty";
    r = Cli({"indicators", "--json"});
    EXPECT_NE(
        r.Out.find(
            "{\"number\": 3, \"reading\": \"-12.35\", \"value\": -12345, \"decimals\": 2, \"flags\": 144}"),
        std::string::npos)
        << r.Out;
}

TEST_P(DataE2E, RegistersAreWrittenAndFloatRegistersShownAsFloats) {
    auto r = Cli({"registers", "--write", "5=77", "--write", "105=2.5", "--write", "200=-1"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Line(r, "Registers"), "Registers: 200");
    EXPECT_EQ(Line(r, "Float registers"), "Float registers: 101-120");
    EXPECT_EQ(Line(r, "Register 5"), "Register 5: 77");
    EXPECT_EQ(Line(r, "Register 101"), "Register 101: 50.5");
    EXPECT_EQ(Line(r, "Register 105"), "Register 105: 2.5");
    EXPECT_EQ(Line(r, "Register 200"), "Register 200: -1");
    EXPECT_EQ(sim.Query("register get 5"), "register 5 77");
    EXPECT_EQ(sim.Query("register get 105"), "register 105 1075838976") << "the single-precision bits of 2.5";

    // Without a float range every register is an integer.
    ASSERT_TRUE(sim.Command("register shortinfo 1"));
    r = Cli({"registers", "--json"});
    EXPECT_NE(r.Out.find("\"floats\": null"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("{\"number\": 105, \"value\": 1075838976}"), std::string::npos);

    r = Cli({"registers", "--write", "5=2.5"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Err, "ryvorn-cli: registers: register 5 takes a 32-bit integer: 5=2.5\n");
    r = Cli({"registers", "--write", "201=1"});
    EXPECT_EQ(r.Err, "ryvorn-cli: registers: --write takes N=VALUE with a register number 1-200: 201=1\n");
    EXPECT_EQ(sim.Query("register get 5"), "register 5 77") << "nothing written by a refused command";
}

TEST_P(DataE2E, MarkingResultsEmptiesThePendingSlots) {
    auto r = Cli({"results"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Line(r, "Slots"), "Slots: 16");
    EXPECT_EQ(Line(r, "Pending"), "Pending: 2");
    EXPECT_NE(Line(r, "Result 1").find(", tag 7, value 1250.0, unit 0"), std::string::npos) << r.Out;
    EXPECT_NE(Line(r, "Result 2").find(", tag 8, value -2.50, unit 1"), std::string::npos) << r.Out;
    EXPECT_EQ(sim.Query("result pending"), "pending 3 marked 0") << "reading alone marks nothing";

    r = Cli({"results", "--mark"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(Line(r, "Marked"), "Marked: 2");
    EXPECT_EQ(sim.Query("result pending"), "pending 0 marked 2");
    r = Cli({"results", "--mark"});
    EXPECT_EQ(r.Out, "Slots: 16\nPending: 0\nMarked: 0\n");

    ASSERT_TRUE(sim.Command("result 9 -5 1 3"));
    r = Cli({"results", "--json"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out.find("\"pending\": 1, \"results\": [{\"slot\": 1, \"index\": 3, \"time\": \"20"),
              std::string::npos)
        << r.Out;
    EXPECT_NE(r.Out.find("\"tag\": 9, \"value\": \"-0.5\", \"raw_value\": -5, \"format\": 1, \"unit\": 3}]"),
              std::string::npos)
        << r.Out;
}

TEST_P(DataE2E, TheClockIsReadAndSet) {
    auto r = Cli({"clock", "--set", "2030-05-06 07:08:09"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out.substr(0, 23), "Clock: 2030-05-06 07:08") << r.Out;
    const auto simClock = sim.Query("clock get");
    ASSERT_TRUE(simClock);
    EXPECT_EQ(simClock->substr(0, 22), "clock 2030-05-06 07:08");
    r = Cli({"clock", "--json"});
    EXPECT_EQ(r.Out.substr(0, 27), "{\"clock\": \"2030-05-06 07:08") << r.Out;

    ASSERT_TRUE(sim.Command("clock broken 1"));
    r = Cli({"clock"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Clock: no valid date\n");
    r = Cli({"clock", "--set", "now"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out, "Clock: no valid date\n") << "setting it mends it";

    r = Cli({"clock", "--set", "2060-01-01 00:00:00"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(
        r.Err,
        "ryvorn-cli: clock: the controller's clock holds the years 1950 to 2049: 2060-01-01 00:00:00\n");
    r = Cli({"clock", "--set", "2030-02-30 00:00:00"});
    EXPECT_EQ(r.ExitCode, 2);
}

}  // namespace
}  // namespace ryvorn::testing
