// SPDX-License-Identifier: MIT
// The operations of the System, Ethernet and Encryption modules against exact bytes.
#include <gtest/gtest.h>

#include <functional>

#include "device/sbc_device.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using testing::Join;

Bytes Text(const std::string& text, size_t length) {
    Bytes b(text.begin(), text.end());
    b.resize(length, 0);
    return b;
}

// 10.1.2.3/24 via 10.1.2.254, ports 6768 1 2 3, data 256 0 0 65535: as the wire has it.
const Bytes IpFields{0x0A, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0x00, 0x0A, 0x01, 0x02, 0xFE, 0x1A, 0x70,
                     0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF};
const Bytes MacBytes{0x02, 0x00, 0x5E, 0x10, 0x20, 0x30};

TEthernetData Record() {
    TEthernetData d;
    d.IpAddress = 0x0A010203;
    d.SubnetMask = 0xFFFFFF00;
    d.Gateway = 0x0A0102FE;
    d.PortParameters = {6768, 1, 2, 3};
    d.DataParameters = {256, 0, 0, 65535};
    d.MacAddress = {0x02, 0x00, 0x5E, 0x10, 0x20, 0x30};
    d.Name = "NODE-7";
    return d;
}

struct IdentityModules : ::testing::Test {
    std::optional<Bytes> reply;
    testing::ScriptedLink link{[this](int32_t, const Bytes&) { return reply; }};
    TOxSbcDevice device{0, link.Prot.get()};
};

TEST_F(IdentityModules, RequestsRepliesStatusesAndFunctionCodes) {
    using D = TOxSbcDevice;
    using S = TOxModuleStatus;
    const auto sys = [](D& d) -> TOxModule& { return d.System(); };
    const auto eth = [](D& d) -> TOxModule& { return d.Ethernet(); };
    const auto enc = [](D& d) -> TOxModule& { return d.Encryption(); };
    const auto ethernet = [](D& d) { return d.Ethernet().CopyOut(); };
    // The operations; a write sends what the data area holds.
    const auto id = [](D& d) { return d.System().ReadIdCode(); };
    const auto serial = [](D& d) { return d.System().ReadSerialNumber(); };
    const auto version = [](D& d) { return d.System().ReadVersion(); };
    const auto ethPresence = [](D& d) { return d.Ethernet().Presence(); };
    const auto info = [](D& d) { return d.Ethernet().Information(); };
    const auto readIp = [](D& d) { return d.Ethernet().ReadIpSettings(); };
    const auto readMac = [](D& d) { return d.Ethernet().ReadMacAddress(); };
    const auto readName = [](D& d) { return d.Ethernet().ReadName(); };
    const auto writing = [](bool (TOxEthernet::*write)(), TEthernetData record = Record()) {
        return [=](D& d) {
            d.Ethernet().CopyIn(record);
            return (d.Ethernet().*write)();
        };
    };
    TEthernetData longName = Record();
    longName.Name = std::string(40, 'L');
    const auto encPresence = [](D& d) { return d.Encryption().Presence(); };
    const auto getPass = [](D& d) { return d.Encryption().GetPassphrase(); };
    const auto setAbc = [](D& d) {
        d.Encryption().StorePassphrase(PassphraseFromText("abc"));
        return d.Encryption().SetPassphrase();
    };
    const Bytes U{'U'}, Busy{'S'}, X{'X'};
    // Reads echo the header before the fields, writes send them after it.
    const Bytes ipRecord = Join({{0x61, 0x02}, IpFields});
    const Bytes macRecord = Join({{0x61, 0x03}, MacBytes});
    const Bytes abcRequest{0x62, 0x01, ' ', ' ', ' ', ' ', ' ', 'a', 'b', 'c'};
    const struct {
        const char* name;
        std::function<TOxModule&(D&)> module;
        std::function<bool(D&)> operation;
        Bytes request;
        uint16_t timeout;  // 0: the protocol thread's default (200 here)
        std::optional<Bytes> reply;
        S status;
        uint8_t function;
        std::function<void(D&)> check;
    } cases[] = {
        // clang-format off
        {"id code", sys, id, {0x5D}, 500, Bytes{0x5D, 0x06, 0x22}, S::Ok, 2,
         [](D& d) { EXPECT_EQ(d.System().IdCode(), 0x0622); }},
        {"id code short", sys, id, {0x5D}, 500, Bytes{0x5D, 0x06}, S::DataError, 2,
         [](D& d) { EXPECT_EQ(d.System().IdCode(), 0); }},
        {"id code long", sys, id, {0x5D}, 500, Bytes{0x5D, 0x06, 0x22, 0}, S::DataError, 2,
         [](D& d) { EXPECT_EQ(d.System().IdCode(), 0); }},
        {"id code, no reply", sys, id, {0x5D}, 500, std::nullopt, S::CommunicationError, 2, nullptr},
        {"serial number", sys, serial, {0x5E, 0x08}, 500, Bytes{0x5E, 0x08, 0x89, 0xAB, 0xCD, 0xEF}, S::Ok, 2,
         [](D& d) { EXPECT_EQ(d.System().SerialNumber(), 0x89ABCDEFu); }},
        {"serial number short", sys, serial, {0x5E, 0x08}, 500, Bytes{0x5E, 0x08, 0x89, 0xAB, 0xCD}, S::DataError, 2,
         [](D& d) { EXPECT_EQ(d.System().SerialNumber(), 0u); }},
        {"version", sys, version, {0x5A}, 500, Bytes{0x5A, 0x03, 0x0C, 0x2B}, S::Ok, 2,
         [](D& d) { EXPECT_EQ(d.System().Version(), 0x030C); EXPECT_EQ(d.System().Build(), 0x2B); }},
        {"version short", sys, version, {0x5A}, 500, Bytes{0x5A, 0x03, 0x0C}, S::DataError, 2,
         [](D& d) { EXPECT_EQ(d.System().Version(), 0); }},

        {"ethernet presence", eth, ethPresence, {0x61, 0x00}, 0, U, S::Ok, 1,
         [](D& d) { EXPECT_TRUE(d.Ethernet().Present()); }},
        {"ethernet absent", eth, ethPresence, {0x61, 0x00}, 0, X, S::Ok, 1,
         [](D& d) { EXPECT_FALSE(d.Ethernet().Present()); }},
        {"ethernet presence of 2 bytes", eth, ethPresence, {0x61, 0x00}, 0, Bytes{'U', 'U'}, S::DataError, 1,
         [](D& d) { EXPECT_FALSE(d.Ethernet().Present()); }},
        {"ethernet information", eth, info, {0x61, 0x01}, 0, Bytes{0x61, 0x01, 0x00, 0x07, 0x01, 0x02}, S::Ok, 2,
         [&](D& d) { EXPECT_EQ(ethernet(d).ApplicationId, 7); EXPECT_EQ(ethernet(d).ApplicationVersion, 0x0102); }},
        {"ethernet information short", eth, info, {0x61, 0x01}, 0, Bytes{0x61, 0x01, 0x00, 0x07, 0x01}, S::DataError, 2,
         [&](D& d) { EXPECT_EQ(ethernet(d).ApplicationId, 0); }},
        {"read IP settings", eth, readIp, {0x61, 0x02}, 0, ipRecord, S::Ok, 4,
         [&](D& d) {
             TEthernetData expected = Record();
             expected.MacAddress = {};
             expected.Name.clear();
             EXPECT_EQ(ethernet(d), expected);
         }},
        {"read IP settings short", eth, readIp, {0x61, 0x02}, 0, Bytes(ipRecord.begin(), ipRecord.end() - 1),
         S::DataError, 4, [&](D& d) { EXPECT_EQ(ethernet(d), TEthernetData{}); }},
        {"write IP settings", eth, writing(&TOxEthernet::WriteIpSettings), ipRecord, 1000, U, S::Ok, 3, nullptr},
        {"write IP settings, busy", eth, writing(&TOxEthernet::WriteIpSettings), ipRecord, 1000, Busy, S::Busy, 3,
         nullptr},
        {"read MAC address", eth, readMac, {0x61, 0x03}, 0, macRecord, S::Ok, 8,
         [&](D& d) { EXPECT_EQ(ethernet(d).MacAddress, Record().MacAddress); }},
        {"read MAC address long", eth, readMac, {0x61, 0x03}, 0, Join({macRecord, {0}}), S::DataError, 8,
         [&](D& d) { EXPECT_EQ(ethernet(d).MacAddress, TEthernetData{}.MacAddress); }},
        {"write MAC address", eth, writing(&TOxEthernet::WriteMacAddress), macRecord, 0, U, S::Ok, 9, nullptr},
        {"write MAC address refused", eth, writing(&TOxEthernet::WriteMacAddress), macRecord, 0, X, S::DataError, 9,
         nullptr},
        {"read name", eth, readName, {0x61, 0x04}, 1000, Join({{0x61, 0x04}, Text("NODE-7", 32)}), S::Ok, 8,
         [&](D& d) { EXPECT_EQ(ethernet(d).Name, "NODE-7"); }},
        {"read name of 32 characters", eth, readName, {0x61, 0x04}, 1000,
         Join({{0x61, 0x04}, Text(std::string(32, 'N'), 32)}), S::Ok, 8,
         [&](D& d) { EXPECT_EQ(ethernet(d).Name, std::string(32, 'N')); }},
        {"read name short", eth, readName, {0x61, 0x04}, 1000, Join({{0x61, 0x04}, Text("NODE-7", 31)}),
         S::DataError, 8, [&](D& d) { EXPECT_EQ(ethernet(d).Name, ""); }},
        {"write name", eth, writing(&TOxEthernet::WriteName), Join({{0x61, 0x04}, Text("NODE-7", 32)}), 1000, U,
         S::Ok, 9, nullptr},
        {"write name too long", eth, writing(&TOxEthernet::WriteName, longName),
         Join({{0x61, 0x04}, Text(std::string(32, 'L'), 32)}), 1000, U, S::Ok, 9, nullptr},

        {"encryption presence", enc, encPresence, {0x62, 0x00}, 0, U, S::Ok, 1,
         [](D& d) { EXPECT_TRUE(d.Encryption().Present()); }},
        {"get passphrase", enc, getPass, {0x62, 0x01}, 0, Bytes{0x62, 0x01, 's', 'e', 'c', 'r', 'e', 't', '4', '2'},
         S::Ok, 22, [](D& d) { EXPECT_EQ(PassphraseText(d.Encryption().Passphrase()), "secret42"); }},
        {"get passphrase short", enc, getPass, {0x62, 0x01}, 0, Bytes{0x62, 0x01, 's', 'e', 'c', 'r', 'e', 't', '4'},
         S::DataError, 22, [](D& d) { EXPECT_EQ(d.Encryption().Passphrase(), TPassphrase{}); }},
        {"set passphrase", enc, setAbc, abcRequest, 2000, U, S::Ok, 23, nullptr},
        {"set passphrase, busy", enc, setAbc, abcRequest, 2000, Busy, S::Busy, 23,
         [](D& d) {
             EXPECT_EQ(FailureReport(d.Encryption().Name(), ofSetPassphrase, d.Encryption().Status()),
                       "Encryption Interface Set Encryption passphrase failed, Busy");
         }},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOxSbcDevice fresh(0, link.Prot.get());
        TOxModule& module = c.module(fresh);
        std::vector<uint8_t> updates;
        module.OnUpdate = [&](TOxModule& m, uint8_t function) {
            EXPECT_EQ(&m, &module);
            updates.push_back(function);
        };
        reply = c.reply;
        EXPECT_EQ(c.operation(fresh), c.reply.has_value());
        EXPECT_EQ(link.Protocol->TakeRequests(), std::vector<Bytes>{c.request});
        EXPECT_EQ(link.Protocol->TakeTimeouts(),
                  std::vector<uint16_t>{c.timeout ? c.timeout : uint16_t{200}});
        EXPECT_EQ(module.Status(), c.status);
        EXPECT_EQ(updates, std::vector<uint8_t>{c.function}) << "one OnUpdate, whatever the status";
        if (c.check) c.check(fresh);
    }
}

TEST(Passphrase, TextIsFormedAsTheScramblerTakesIt) {
    EXPECT_EQ(PassphraseText(PassphraseFromText("")), "        ");
    EXPECT_EQ(PassphraseText(PassphraseFromText("abc")), "     abc");
    EXPECT_EQ(PassphraseText(PassphraseFromText("123456789")), "12345678");
}

}  // namespace
}  // namespace ryvorn
