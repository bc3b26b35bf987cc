// SPDX-License-Identifier: MIT
#include "link/oxc_func.h"

#include <gtest/gtest.h>

#include "link/encrypt.h"
#include "link/ox_prot.h"
#include "link/varnel.h"
#include "sim/sim_line_medium.h"

namespace ryvorn {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Request(const TOXcFunc& f) { return Bytes(f.Payload().begin(), f.Payload().begin() + f.RequestLength()); }

TEST(OXcFunc, BuildsPayloadsBigEndian) {
    TOXcFunc f;
    f.SetCommand(120, 30);
    f.AddByte(0x7F);
    f.AddWord(-2);
    f.AddWord(0x1234);
    f.AddLong(-1);
    f.AddLong(0x01020304);
    f.AddString("AB");
    f.AddString("");
    EXPECT_EQ(Request(f), (Bytes{120, 30, 0x7F, 0xFF, 0xFE, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 'A', 'B',
                                 0, 0}));
    EXPECT_EQ(f.ReadPosition(), 2);
    f.SetCommand1(0x5D);
    EXPECT_EQ(Request(f), Bytes{0x5D});
    EXPECT_EQ(f.ReadPosition(), 1);
}

// Parsing goes through a real reply: the echo interface returns the request.
struct EchoFixture : ::testing::Test {
    sim::SimController controller;
    sim::SimFaults faults;
    sim::SimLineMedium line{controller, faults, {0}};
    std::unique_ptr<TOXProt> prot;
    void SetUp() override {
        auto p = std::make_unique<TVArnel>(&line);
        p->SetNoHandshake(true);
        prot = std::make_unique<TOXProt>(std::move(p));
    }
};

TEST_F(EchoFixture, ParsesTheReplyFromAfterTheHeader) {
    TOXcFunc f;
    f.SetCommand(sim::SimEcho::Interface, 1);
    f.AddByte(0x80);
    f.AddWord(0xFFFE);
    f.AddLong(0x80000001);
    f.AddString("Hello");
    f.AddByte('Z');
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    EXPECT_EQ(f.ReplyLength(), 16);
    EXPECT_EQ(f.GetSignedByte(), -128);
    EXPECT_EQ(f.GetSignedWord(), -2);
    f.SetReadPosition(3);
    EXPECT_EQ(f.GetWord(), 0xFFFE);
    EXPECT_EQ(f.GetSignedLong(), static_cast<int32_t>(0x80000001));
    f.SetReadPosition(5);
    EXPECT_EQ(f.GetLong(), 0x80000001u);
    EXPECT_EQ(f.GetString(), "Hello");
    EXPECT_EQ(f.GetByte(), 'Z');
    // Beyond the reply everything reads 0, and a string stops there.
    EXPECT_EQ(f.GetByte(), 0);
    EXPECT_EQ(f.GetLong(), 0u);
    EXPECT_EQ(f.GetString(), "");
}

TEST_F(EchoFixture, BytesBeyond255ReadTheirRealValue) {
    TOXcFunc f;
    f.SetCommand1(sim::SimEcho::Interface);
    for (int i = 1; i < 510; ++i) f.AddByte(static_cast<uint8_t>(i));
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    ASSERT_EQ(f.ReplyLength(), 510);
    EXPECT_EQ(f.ByteAt(300), static_cast<uint8_t>(300));
    EXPECT_EQ(f.ByteAt(509), static_cast<uint8_t>(509));
    EXPECT_EQ(f.ByteAt(510), 0);
    f.SetReadPosition(508);
    EXPECT_EQ(f.GetWord(), (static_cast<uint8_t>(508) << 8) | static_cast<uint8_t>(509));
}

TEST_F(EchoFixture, AStringWithoutTerminatorStopsAtTheEndOfTheReply) {
    TOXcFunc f;
    f.SetCommand1(sim::SimEcho::Interface);
    f.AddByte('x');
    f.AddByte('y');
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    EXPECT_EQ(f.GetString(), "xy");
    EXPECT_EQ(f.ReadPosition(), 3);
}

TEST(OXcFunc, ScramblesFromByteTwoAndIsItsOwnInverse) {
    TOXcFunc f;
    f.SetCommand(120, 81);
    for (uint8_t b : {0x00, 0x00, 0x00, 0x00, 0x41, 0x42}) f.AddByte(b);
    TEncrypt key("ABCDEFGH");
    f.EncryptRequest(&key);
    // Keystream of "ABCDEFGH": 89 89 89 89 FA FA ...
    EXPECT_EQ(Request(f), (Bytes{120, 81, 0x89, 0x89, 0x89, 0x89, 0x41 ^ 0xFA, 0x42 ^ 0xFA}));
    f.EncryptRequest(&key);
    EXPECT_EQ(Request(f), (Bytes{120, 81, 0, 0, 0, 0, 0x41, 0x42}));
    TEncrypt off("        ");
    f.EncryptRequest(&off);
    EXPECT_EQ(Request(f), (Bytes{120, 81, 0, 0, 0, 0, 0x41, 0x42}));
    f.EncryptRequest(nullptr);
    EXPECT_EQ(Request(f), (Bytes{120, 81, 0, 0, 0, 0, 0x41, 0x42}));
}

}  // namespace
}  // namespace ryvorn
