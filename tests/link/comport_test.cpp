// SPDX-License-Identifier: MIT
#include "link/comport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace ryvorn {
namespace {

// A pty pair: the port opens the slave, the test plays the line through the master.
struct PtyFixture : ::testing::Test {
    int master = -1;
    std::string slave;
    TComport port;

    void SetUp() override {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        slave = ::ptsname(master);
        port.SetDevicePath(slave);
        port.SetBaudrate(57600);
        ASSERT_TRUE(port.Open(512, 512));
    }
    void TearDown() override {
        port.Close();
        ::close(master);
    }
    void Send(std::initializer_list<uint8_t> bytes) {
        const std::vector<uint8_t> b(bytes);
        ASSERT_EQ(::write(master, b.data(), b.size()), static_cast<ssize_t>(b.size()));
    }
};

TEST_F(PtyFixture, ReadsNeverWaitAndNeverTakeMoreThanAsked) {
    uint8_t buffer[16] = {};
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);  // nothing queued: at once
    // Raw mode: the control bytes of the framing pass untouched.
    Send({0x10, 0x02, 0x03, 0x11, 0x13, 0x0D, 0x15});
    ASSERT_TRUE(port.WaitForData(std::chrono::milliseconds(1000)));
    EXPECT_EQ(port.GetRxdQue(), 7u);
    EXPECT_EQ(port.Read(buffer, 3), 3u);
    EXPECT_EQ(buffer[2], 0x03);
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(buffer[0], 0x11);
    EXPECT_EQ(buffer[3], 0x15);
    EXPECT_FALSE(port.WaitForData(std::chrono::milliseconds(20)));
}

TEST_F(PtyFixture, WritesReachTheLineAndPurgeDropsWhatIsQueued) {
    const uint8_t out[] = {0x10, 0x02, 0x05};
    EXPECT_EQ(port.Write(out, 3), 3u);
    uint8_t in[8] = {};
    EXPECT_EQ(::read(master, in, sizeof in), 3);
    EXPECT_EQ(in[2], 0x05);
    Send({1, 2, 3});
    ASSERT_TRUE(port.WaitForData(std::chrono::milliseconds(1000)));
    port.Purge();
    EXPECT_EQ(port.GetRxdQue(), 0u);
}

TEST_F(PtyFixture, LineSettingsApplyAtOnceOnAnOpenPort) {
    ASSERT_TRUE(port.SetParitybits(cpbEven));
    ASSERT_TRUE(port.SetStopbits(csbTwo));
    ASSERT_TRUE(port.SetBaudrate(9600));
    termios t{};
    const int fd = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B9600));
    ::close(fd);
    // What the platform or the device cannot do is reported, and the port keeps
    // working: a pty carries 8 data bits only.
    EXPECT_FALSE(port.SetDatabits(cdbSeven));
    EXPECT_FALSE(port.SetDatabits(cdbFour));
    EXPECT_FALSE(port.SetStopbits(csbOnePointFive));
    EXPECT_FALSE(port.SetBaudrate(12345));
    EXPECT_TRUE(port.IsOpen());
    Send({0x42});
    ASSERT_TRUE(port.WaitForData(std::chrono::milliseconds(1000)));
}

TEST_F(PtyFixture, ModemLinesAreNotSupportedOnAPtyButHarmless) {
    EXPECT_FALSE(port.EscapeFunction(EscSetDtr));
    EXPECT_FALSE(port.EscapeFunction(1234));
    EXPECT_EQ(port.ClearErrors(), 0u);
    port.SetBreak(true);
    port.SetBreak(false);
    Send({0x42});
    ASSERT_TRUE(port.WaitForData(std::chrono::milliseconds(1000)));
    uint8_t b = 0;
    EXPECT_EQ(port.Read(&b, 1), 1u);
    EXPECT_EQ(b, 0x42);
}

TEST_F(PtyFixture, ClosesAndReopens) {
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    uint8_t b = 0;
    EXPECT_EQ(port.Read(&b, 1), 0u);
    EXPECT_EQ(port.Write(&b, 1), 0u);
    EXPECT_FALSE(port.WaitForData(std::chrono::milliseconds(1)));
    ASSERT_TRUE(port.Open(512, 512));  // exclusive mode must not lock ourselves out
    EXPECT_EQ(port.OpenedPath(), slave);
}

TEST(Comport, OpeningAMissingPortFails) {
    TComport port;
    port.SetDevicePath("/dev/ryvorn-no-such-port");
    int failed = 0;
    port.OnOpenFailed = [&](TComMedium&) { ++failed; };
    EXPECT_FALSE(port.Open(512, 512));
    EXPECT_EQ(failed, 1);
    EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace ryvorn
