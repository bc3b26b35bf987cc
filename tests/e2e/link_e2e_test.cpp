// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "link/link_factory.h"
#include "link/oxc_func.h"
#include "tests/support/sim_process.h"

namespace ryvorn::testing {
namespace {

using Options = std::vector<std::string>;

Options With(Options link, std::initializer_list<std::string> rest) {
    link.insert(link.end(), rest.begin(), rest.end());
    return link;
}

// Each test runs on both links of one simulator.
struct LinkE2E : ::testing::TestWithParam<bool> {
    SimProcess sim;
    bool Serial() const { return GetParam(); }
    Options Link() const { return Serial() ? sim.SerialOptions() : sim.UdpOptions(); }
    void SetUp() override { ASSERT_TRUE(sim.Ready()) << "ryvorn-sim did not start"; }

    // How often the simulator received a request with this hex payload.
    size_t Received(const std::string& hex) {
        EXPECT_TRUE(sim.Command("clear"));  // also reads the log lines up to here
        const auto& lines = sim.Process().Lines();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.rfind("rx ", 0) == 0 && l.size() >= hex.size() && l.compare(l.size() - hex.size(), hex.size(), hex) == 0 &&
                   l[l.size() - hex.size() - 1] == ' ';
        }));
    }
};

INSTANTIATE_TEST_SUITE_P(PtyAndUdp, LinkE2E, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Pty" : "Udp"; });

TEST_P(LinkE2E, RawPrintsTheReplyPayload) {
    auto r = RunCli(With(Link(), {"raw", "5D"}));
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "5D 06 17\n");
    // Hex bytes in one or several arguments; the framing's control bytes pass unharmed.
    r = RunCli(With(Link(), {"raw", "FA 10 02", "1003", "00", "ff"}));
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "FA 10 02 10 03 00 FF\n");
}

TEST_P(LinkE2E, NotReadyRepliesAreResent) {
    ASSERT_TRUE(sim.Command("fault notready 3"));
    const auto r = RunCli(With(Link(), {"raw", "5A"}));
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "5A 02 05 11\n");
    EXPECT_EQ(Received("5A"), 4u);
}

TEST_P(LinkE2E, AFailedRequestNamesItsResult) {
    ASSERT_TRUE(sim.Command(Serial() ? "fault wrongaddr" : "fault silence"));
    const auto r = RunCli(With(Link(), {"raw", "5D"}));
    EXPECT_NE(r.ExitCode, 0);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "ryvorn-cli: raw: request failed: result 1 (no valid reply)\n");
    const auto again = RunCli(With(Link(), {"raw", "5D"}));
    EXPECT_EQ(again.ExitCode, 0) << again.Err;
}

TEST_P(LinkE2E, TwoThreadsEachReceiveTheirOwnReply) {
    LinkSettings settings;
    settings.Type = Serial() ? LinkSettings::Layer::Serial : LinkSettings::Layer::Udp;
    settings.SerialPath = sim.PtyPath();
    settings.UdpHost = sim.UdpHost();
    settings.RemotePort = static_cast<uint16_t>(std::stoi(sim.UdpPort()));
    std::string error;
    auto link = OpenLink(settings, error);
    ASSERT_TRUE(link) << error;
    std::atomic<int> bad{0};
    auto worker = [&](uint8_t tag) {
        TOXcFunc f(link->Address());
        for (int i = 0; i < 40; ++i) {
            f.SetCommand1(250);  // the simulator's echo interface
            f.AddByte(tag);
            f.AddByte(static_cast<uint8_t>(i));
            f.AddByte(0x10);
            if (f.Execute(link->Prot()) != oxOk || f.ReplyLength() != 4 || f.ByteAt(1) != tag ||
                f.ByteAt(2) != static_cast<uint8_t>(i) || f.ByteAt(3) != 0x10) {
                ++bad;
            }
        }
    };
    std::thread a(worker, 0xA1), b(worker, 0xB2);
    a.join();
    b.join();
    EXPECT_EQ(bad, 0);
}

TEST(LinkE2EPty, AGapLongerThanTheTimeoutFailsAndTheResetLineWorks) {
    SimProcess sim;
    ASSERT_TRUE(sim.Ready());
    LinkSettings settings;
    settings.SerialPath = sim.PtyPath();
    std::string error;
    auto link = OpenLink(settings, error);
    ASSERT_TRUE(link) << error;
    TOXcFunc f(link->Address());
    // 300 ms between the third and the fourth byte; the whole reply is well under a second.
    ASSERT_TRUE(sim.Command("fault gap 3 300"));
    f.SetCommand1(0x5D);
    EXPECT_EQ(f.Execute(link->Prot()), oxNoReply);
    // The line was reset (close, reopen, break, 0xFF); the next request on it works.
    f.SetCommand1(0x5D);
    ASSERT_EQ(f.Execute(link->Prot()), oxOk);
    EXPECT_EQ(f.ReplyLength(), 3);
    EXPECT_EQ(f.ByteAt(2), 0x17);
    // A gap shorter than the time-out is no failure.
    ASSERT_TRUE(sim.Command("fault gap 3 60"));
    f.SetCommand1(0x5D);
    EXPECT_EQ(f.Execute(link->Prot()), oxOk);
}

TEST(LinkE2ECli, ErrorsAreOneLineAndNonZero) {
    SimProcess sim;
    ASSERT_TRUE(sim.Ready());
    struct Case {
        Options args;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {With(sim.SerialOptions(), {"--address", "9", "raw", "5D"}), 1,
         "ryvorn-cli: raw: request failed: result 1 (no valid reply)\n"},
        {With(sim.SerialOptions(), {"raw", "5G"}), 2, "ryvorn-cli: raw: not a hexadecimal byte sequence: 5G\n"},
        {{"raw", "5D"}, 2, "ryvorn-cli: no link: give --serial PATH or --udp IPV4 before the subcommand\n"},
        {{"--serial", "/dev/ryvorn-none", "raw", "5D"}, 1, "ryvorn-cli: cannot open serial port /dev/ryvorn-none\n"},
        {{"--udp", "10.1", "raw", "5D"}, 1, "ryvorn-cli: not an IPv4 address: 10.1\n"},
    };
    for (const auto& c : cases) {
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.ExitCode, c.exitCode) << c.err;
        EXPECT_EQ(r.Err, c.err);
    }
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out.rfind("ryvorn-cli ", 0), 0u);
}

}  // namespace
}  // namespace ryvorn::testing
