// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "link/ip_address.h"
#include "link/serial_port_map.h"
#include "link/socket_inf.h"

namespace ryvorn {
namespace {

TEST(Address, TextAndNumberBothWays) {
    struct Case {
        const char* text;
        uint32_t number;
    };
    const Case cases[] = {
        {"192.168.0.1", 0xC0A80001}, {"0.0.0.0", 0}, {"255.255.255.255", 0xFFFFFFFF},
        {"127.0.0.2", 0x7F000002},  {"10.1.2.4", 0x0A010204},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StringToAddress(c.text), c.number) << c.text;
        EXPECT_EQ(AddressToString(c.number), c.text) << c.text;
    }
}

TEST(Address, ParsingIsLenientPartByPart) {
    struct Case {
        const char* text;
        uint32_t number;
    };
    const Case cases[] = {
        {"10.1", 0x0A010000},          // missing parts count 0 (not 10.0.0.1)
        {"a.b.c.d", 0},                // a part that is not a number counts 0
        {"192.x.0.7", 0xC0000007},
        {"", 0},
        {"1.2.3.4.5", 0x01020300},     // the rest after the third dot is one part
    };
    for (const auto& c : cases) EXPECT_EQ(StringToAddress(c.text), c.number) << c.text;
    EXPECT_EQ(htondw(0x01020304), 0x04030201u);
}

TEST(Address, BroadcastOfTheMatchingInterface) {
    const TSocketInf interfaces(std::vector<TSocket>{{0x7F000001, 0xFF000000}, {0xC0A80105, 0xFFFFFF00}});
    EXPECT_EQ(BroadCastAddress(0xC0A80114, interfaces), 0xC0A801FFu);  // 192.168.1.20 -> 192.168.1.255
    EXPECT_EQ(BroadCastAddress(0x7F000002, interfaces), 0x7FFFFFFFu);
    EXPECT_EQ(BroadCastAddress(0x0A000001, interfaces), 0x7FFFFFFFu);  // no match: the first interface
    EXPECT_EQ(BroadCastAddress(0x0A000001, TSocketInf(std::vector<TSocket>{})), 0xFFFFu);
}

TEST(Address, LocalInterfacesIncludeLoopbackAndSkipZero) {
    const TSocketInf interfaces(true);
    bool loopback = false;
    for (int i = 0; i < interfaces.Count(); ++i) {
        EXPECT_NE(interfaces.Item(i).Address, 0u);
        if (i > 0) {
            EXPECT_LE(interfaces.Item(i - 1).Address, interfaces.Item(i).Address);
        }
        loopback = loopback || interfaces.Item(i).Address == 0x7F000001;
    }
    EXPECT_TRUE(loopback);
}

TEST(SerialPortMap, DefaultNumberingAndOverrides) {
    const auto map = SerialPortMap::FromText("7=/dev/pts/3, 8 = /dev/ttyUSB4,bad,0=/dev/x,300=/dev/y");
    struct Case {
        int port;
        const char* path;
    };
    const Case cases[] = {
        {1, "/dev/ttyS0"}, {99, "/dev/ttyS98"}, {100, "/dev/ttyUSB0"}, {105, "/dev/ttyUSB5"},
        {200, "/dev/ttyACM0"}, {7, "/dev/pts/3"}, {8, "/dev/ttyUSB4"}, {0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(map.DevicePath(c.port), c.path) << c.port;
    EXPECT_EQ(map.PortNumber("/dev/pts/3"), 7);
    EXPECT_EQ(map.PortNumber("/dev/ttyUSB1"), 101);
    EXPECT_EQ(map.PortNumber("/dev/ttyACM2"), 202);
    EXPECT_EQ(map.PortNumber("/dev/null"), 0);
    EXPECT_EQ(SerialPortMap::PortName(12), "COM12");
}

}  // namespace
}  // namespace ryvorn
