// SPDX-License-Identifier: MIT
#include "link/com_udp.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace ryvorn {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(ComUdp, SenderFilterAndBroadcastSwitch) {
    TComUdp udp;  // not opened: datagrams are handed in as the receive thread would
    udp.SetRemoteHost("127.0.0.2");
    const Bytes d{1, 2, 3};
    udp.ReceiveDatagram(d.data(), d.size(), "127.0.0.9");
    EXPECT_TRUE(udp.DataEvent.Wait(std::chrono::milliseconds(0))) << "a dropped datagram still signals";
    EXPECT_EQ(udp.GetRxdQue(), 0u);

    udp.SetBroadcast(true);
    udp.ReceiveDatagram(d.data(), d.size(), "127.0.0.9");
    EXPECT_EQ(udp.GetRxdQue(), 3u) << "with Broadcast set and no hook, any host is queued";

    int hooked = 0;
    udp.SetDatagramHook([&](TComUdp&, std::span<const uint8_t> data, const std::string& sender) {
        EXPECT_EQ(data.size(), 3u);
        EXPECT_EQ(sender, "127.0.0.7");
        ++hooked;
    });
    udp.ReceiveDatagram(d.data(), d.size(), "127.0.0.7");
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(udp.GetRxdQue(), 3u) << "the hook takes the datagram instead of the queue";
    udp.SetBroadcast(false);
    udp.ReceiveDatagram(d.data(), d.size(), "127.0.0.2");
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(udp.GetRxdQue(), 6u);

    // Two datagrams queued back to back read as one block.
    uint8_t out[16];
    EXPECT_EQ(udp.Read(out, sizeof out), 6u);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(udp.GetTxdQue(), 10u);
    EXPECT_EQ(udp.ClearErrors(), 0u);
}

struct LoopbackPeer {
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    uint16_t port = 0;
    LoopbackPeer() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(0x7F000001);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
    }
    ~LoopbackPeer() { ::close(fd); }
    void SendTo(uint16_t to, const Bytes& data) const {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(0x7F000001);
        a.sin_port = htons(to);
        ::sendto(fd, data.data(), data.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
};

TEST(ComUdp, SendsAndReceivesOnLoopback) {
    LoopbackPeer peer;
    TComUdp udp;
    udp.SetLocalPort(0);
    udp.SetRemoteHost("127.0.0.1");
    udp.SetRemotePort(peer.port);
    ASSERT_TRUE(udp.Open(512, 512));
    EXPECT_THROW(udp.SetLocalPort(1234), std::runtime_error);
    const Bytes request{0, 0, 0, 0, 0x5D};
    EXPECT_EQ(udp.Write(request.data(), static_cast<uint32_t>(request.size())), request.size());
    uint8_t got[16];
    EXPECT_EQ(::recv(peer.fd, got, sizeof got, 0), 5);

    peer.SendTo(udp.BoundPort(), Bytes(600, 0x11));  // longer than a datagram may be
    peer.SendTo(udp.BoundPort(), {0, 0, 0, 0, 0x5D, 6, 0x17});
    ASSERT_TRUE(udp.WaitForData(std::chrono::seconds(2)));
    EXPECT_EQ(udp.GetRxdQue(), 7u);
    EXPECT_TRUE(udp.DataEvent.Wait(std::chrono::milliseconds(0)));
    EXPECT_EQ(udp.OversizeDropped(), 1u);
    udp.Close();
    EXPECT_FALSE(udp.IsOpen());
    udp.SetLocalPort(1234);
}

// The wait blocks in the read with the socket's receive time-out, which is kept between
// waits: a shorter one left from before must not end a longer wait early, a longer one
// must not stretch a short wait, and a datagram from another host does not end it.
TEST(ComUdp, EachWaitLastsItsOwnTimeOut) {
    using namespace std::chrono;
    using Clock = steady_clock;
    LoopbackPeer peer;
    TComUdp udp;
    udp.SetLocalPort(0);
    udp.SetRemoteHost("127.0.0.2");  // the peer on 127.0.0.1 is another host
    udp.SetRemotePort(peer.port);
    ASSERT_TRUE(udp.Open(512, 512));
    for (const int ms : {40, 300, 20, 20, 150}) {
        if (ms == 150) peer.SendTo(udp.BoundPort(), {0, 0, 0, 0, 0x5D});
        const auto t0 = Clock::now();
        EXPECT_FALSE(udp.WaitForData(milliseconds(ms))) << ms;
        const auto waited = duration_cast<milliseconds>(Clock::now() - t0).count();
        EXPECT_GE(waited, ms - 1) << ms;
        EXPECT_LT(waited, ms + 200) << ms;  // a kept 300 ms would show in the 20 ms waits
    }
    EXPECT_EQ(udp.QueuedBytes(), 0u);
}

TEST(ComUdp, ABusyLocalPortIsReportedAndTheSocketStillWorks) {
    LoopbackPeer taken;
    TComUdp udp;
    udp.SetLocalPort(taken.port);
    std::string message;
    udp.SetPortInUseHandler([&](const std::string& m) { message = m; });
    EXPECT_TRUE(udp.Open(512, 512));
    EXPECT_EQ(message, "Local Port " + std::to_string(taken.port) +
                           ", is used more than once, please change these port settings!! [ Miscellaneous->Communication ] ");
}

}  // namespace
}  // namespace ryvorn
