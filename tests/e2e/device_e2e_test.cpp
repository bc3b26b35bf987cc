// SPDX-License-Identifier: MIT
// ryvorn-cli identify, ethernet and passphrase against ryvorn-sim over a pty and UDP.
#include <gtest/gtest.h>

#include "tests/support/sim_process.h"

namespace ryvorn::testing {
namespace {

using Options = std::vector<std::string>;

struct DeviceE2E : ::testing::TestWithParam<bool> {
    SimProcess sim;
    bool Serial() const { return GetParam(); }
    void SetUp() override { ASSERT_TRUE(sim.Ready()) << "ryvorn-sim did not start"; }
    RunResult Cli(std::initializer_list<std::string> arguments) {
        Options all = Serial() ? sim.SerialOptions() : sim.UdpOptions();
        all.insert(all.end(), arguments.begin(), arguments.end());
        return RunCli(all);
    }
    std::string AddressText() const { return Serial() ? "0" : sim.UdpHost(); }
};

INSTANTIATE_TEST_SUITE_P(PtyAndUdp, DeviceE2E, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Pty" : "Udp"; });

// One simulator whose identity changes between the runs, as a controller exchanged on
// the line would: every run identifies what is there now.
TEST_P(DeviceE2E, IdentifyPrintsTheIdentityInTheCaptionsForms) {
    const struct {
        const char* identity;
        const char* family;
        const char *id, *version, *build, *serial;
    } cases[] = {
        {"id=0503 version=0102 build=7 serial=1", "Quend", "0503", "01.02", "07", "00000001"},
        {"id=0617 version=0205 build=11 serial=123456", "Kest 3600", "0617", "02.05", "11", "00123456"},
        {"id=0622 version=0A1F build=FE serial=DEADBEEF", "Indicator 5150", "0622", "0A.1F", "FE",
         "DEADBEEF"},
        {"id=0624 version=0300 build=0 serial=10", "HVR 300/400 series", "0624", "03.00", "00", "00000010"},
        {"id=1234 version=0001 build=1 serial=FFFFFFFF", "IdCode: 1234", "1234", "00.01", "01", "FFFFFFFF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.identity);
        ASSERT_TRUE(sim.Command(std::string("identity ") + c.identity));
        const auto r = Cli({"identify"});
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        EXPECT_EQ(r.Out, std::string("Id code: ") + c.id + "\nFamily: " + c.family +
                             "\nVersion: " + c.version + "\nBuild: " + c.build + "\nSerial: " + c.serial +
                             "\nAddress: " + AddressText() + "\n");
        EXPECT_EQ(r.Err, "");
    }
    const auto json = Cli({"identify", "--json"});
    EXPECT_EQ(json.ExitCode, 0) << json.Err;
    EXPECT_EQ(json.Out,
              "{\"id_code\": \"1234\", \"family\": \"IdCode: 1234\", \"version\": \"00.01\", \"build\": "
              "\"01\", \"serial\": \"FFFFFFFF\", \"address\": \"" +
                  AddressText() + "\"}\n");
}

TEST_P(DeviceE2E, AControllerThatDoesNotAnswerFailsInOneLine) {
    ASSERT_TRUE(sim.Command("fault silence *"));
    const auto silent = Cli({"identify"});
    EXPECT_EQ(silent.ExitCode, 1) << "ended by itself, with a failure";
    EXPECT_EQ(silent.Out, "");
    EXPECT_EQ(silent.Err,
              "ryvorn-cli: identify: no reply to the id code request (System Info Function Failed, "
              "Communication error)\n");

    ASSERT_TRUE(sim.Command("clear"));
    ASSERT_TRUE(sim.Command("fault length +1 *"));
    const auto wrong = Cli({"identify"});
    EXPECT_EQ(wrong.ExitCode, 1);
    EXPECT_EQ(
        wrong.Err,
        "ryvorn-cli: identify: the reply to the id code request has the wrong length (System Info Function "
        "Failed, Data error)\n");

    ASSERT_TRUE(sim.Command("clear"));
    const auto again = Cli({"identify"});
    EXPECT_EQ(again.ExitCode, 0) << again.Err;
}

TEST_P(DeviceE2E, EthernetSettingsAreReadAndWritten) {
    const auto before = Cli({"ethernet"});
    EXPECT_EQ(before.ExitCode, 0) << before.Err;
    EXPECT_EQ(before.Out,
              "Application id: 0001\nApplication version: 01.02\nIP address: 192.168.0.100\n"
              "Subnet mask: 255.255.255.0\nGateway: 192.168.0.1\nPort parameters: 6768 0 0 0\n"
              "Data parameters: 0 0 0 0\nMAC address: 00:1A:2B:3C:4D:5E\nName: RYVORN-SIM\n");

    const auto written = Cli({"ethernet", "--ip", "10.20.30.40", "--data", "1,2,3,65535", "--mac",
                              "02-00-5e-10-20-ff", "--name", "Line 4 \"north\"", "--json"});
    EXPECT_EQ(written.ExitCode, 0) << written.Err;
    EXPECT_EQ(
        written.Out,
        "{\"application_id\": \"0001\", \"application_version\": \"01.02\", \"ip_address\": \"10.20.30.40\", "
        "\"subnet_mask\": \"255.255.255.0\", \"gateway\": \"192.168.0.1\", \"port_parameters\": [6768, 0, 0, "
        "0], "
        "\"data_parameters\": [1, 2, 3, 65535], \"mac_address\": \"02:00:5E:10:20:FF\", "
        "\"name\": \"Line 4 \\\"north\\\"\"}\n");

    const auto bad = Cli({"ethernet", "--ip", "10.20.30"});
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_EQ(bad.Err, "ryvorn-cli: ethernet: not an IPv4 address for --ip: 10.20.30\n");

    ASSERT_TRUE(sim.Command("ethernet off"));
    const auto absent = Cli({"ethernet"});
    EXPECT_NE(absent.ExitCode, 0);
    EXPECT_EQ(absent.Out, "");
    EXPECT_EQ(absent.Err,
              "ryvorn-cli: ethernet: Ethernet Interface. Unknown Command Failed, Communication error\n");
}

TEST_P(DeviceE2E, PassphraseIsReadAndSet) {
    auto r = Cli({"passphrase"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Passphrase: \"        \"\n");
    r = Cli({"passphrase", "k3y"});
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "Passphrase: \"     k3y\"\n");
    r = Cli({"passphrase", "--json"});
    EXPECT_EQ(r.Out, "{\"passphrase\": \"     k3y\"}\n");
    r = Cli({"passphrase", ""});
    EXPECT_EQ(r.Out, "Passphrase: \"        \"\n");
    r = Cli({"passphrase", "123456789"});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_EQ(r.Err, "ryvorn-cli: passphrase: more than eight characters\n");
}

}  // namespace
}  // namespace ryvorn::testing
