// SPDX-License-Identifier: MIT
#include "link/ox_udp.h"

#include <gtest/gtest.h>

#include "link/ox_prot.h"
#include "link/oxc_func.h"
#include "sim/sim_udp.h"

namespace ryvorn {
namespace {

using Bytes = std::vector<uint8_t>;

// The protocol thread on UDP against the simulator's UDP front end, in process.
struct UdpFixture : ::testing::Test {
    sim::SimController controller;
    sim::SimFaults faults;
    sim::SimUdp peer{controller, faults};
    TComUdp udp;
    std::unique_ptr<TOXProt> prot;
    TOXcFunc f{static_cast<int32_t>(0x7F000002)};

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(peer.Open("127.0.0.2", 0, error)) << error;
        peer.Start();
        udp.SetLocalPort(0);
        udp.SetRemotePort(peer.Port());
        prot = std::make_unique<TOXProt>(std::make_unique<TOxUdp>(&udp));
        prot->SetDefaultTimeout(300);
        ASSERT_TRUE(prot->Running());
    }
    void TearDown() override {
        prot.reset();
        peer.Stop();
    }
    void Fault(const std::string& text) {
        std::string error;
        faults.Add(*sim::ParseFault(text, error));
    }
    Bytes Reply() const { return Bytes(f.Payload().begin(), f.Payload().begin() + f.ReplyLength()); }
};

TEST_F(UdpFixture, RequestAndReply) {
    f.SetCommand1(0x5A);
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    EXPECT_EQ(Reply(), (Bytes{0x5A, 0x02, 0x05, 0x11}));
}

TEST_F(UdpFixture, MalformedRepliesFail) {
    const char* faultsToTry[] = {"short 1", "short 3", "oversize 507", "oversize 600", "silence"};
    for (const char* fault : faultsToTry) {
        Fault(fault);
        f.SetCommand1(0x5D);
        EXPECT_EQ(f.Execute(prot.get()), oxNoReply) << fault;
        EXPECT_EQ(f.ReplyLength(), 0) << fault;
    }
    // 506 payload bytes make a 510-byte datagram: the longest reply.
    Fault("oversize 506");
    f.SetCommand1(0x5D);
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    EXPECT_EQ(f.ReplyLength(), 506);
}

TEST_F(UdpFixture, AForeignDatagramDoesNotEndTheWait) {
    Fault("foreign");
    f.SetCommand1(0x5D);
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    EXPECT_EQ(Reply(), (Bytes{0x5D, 0x06, 0x17}));
}

TEST_F(UdpFixture, NotReadyIsResentOnTheThreadPath) {
    Fault("notready 2");
    f.SetCommand1(0x5D);
    ASSERT_EQ(f.Execute(prot.get()), oxOk);
    EXPECT_EQ(f.NotReadyResends(), 2);
    EXPECT_EQ(peer.Requests(), 3u);
}

TEST(OxUdp, TransactRetriesAfterNotReadyAndBuildsTheHeader) {
    sim::SimController controller;
    sim::SimFaults faults;
    sim::SimUdp peer(controller, faults);
    std::string error;
    ASSERT_TRUE(peer.Open("127.0.0.2", 0, error));
    peer.Start();
    TComUdp udp;
    udp.SetLocalPort(0);
    udp.SetRemotePort(peer.Port());
    TOxUdp protocol(&udp);
    ASSERT_TRUE(protocol.Open());
    protocol.SetAddress(static_cast<int32_t>(0x7F000002));
    protocol.SetTimeout(500);
    protocol.SetRetries(3);
    faults.Add(*sim::ParseFault("notready 2", error));
    const uint8_t request[] = {0x5D};
    ASSERT_TRUE(protocol.BuildFrame(request, 1));
    ASSERT_TRUE(protocol.Transact());
    uint8_t reply[MaxPayload];
    uint16_t n = 0;
    protocol.GetReply(reply, n);
    EXPECT_EQ(Bytes(reply, reply + n), (Bytes{0x5D, 0x06, 0x17}));
    EXPECT_EQ(peer.Requests(), 3u);
    EXPECT_FALSE(udp.Broadcast());
    EXPECT_EQ(udp.RemoteHost(), "127.0.0.2");
    // A destination ending in .255 is sent as a broadcast.
    protocol.SetAddress(static_cast<int32_t>(0x7F0000FF));
    protocol.SendFrame();
    EXPECT_TRUE(udp.Broadcast());
    peer.Stop();
}

}  // namespace
}  // namespace ryvorn
