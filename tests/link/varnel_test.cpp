// SPDX-License-Identifier: MIT
#include "link/varnel.h"

#include <gtest/gtest.h>

#include <deque>

#include "sim/sim_line_medium.h"

namespace ryvorn {
namespace {

using Bytes = std::vector<uint8_t>;

// A serial protocol in the application's set-up against the in-process controller.
struct VarnelFixture : ::testing::Test {
    sim::SimController controller;
    sim::SimFaults faults;
    sim::SimLineMedium line{controller, faults, {0, 5}};
    TVArnel protocol{&line};

    void SetUp() override {
        protocol.SetNoHandshake(true);
        protocol.SetRetries(1);
        protocol.SetTimeout(200);
        ASSERT_TRUE(protocol.Open());
    }

    std::optional<Bytes> Transact(const Bytes& payload, int32_t address = 5) {
        protocol.SetAddress(address);
        if (!protocol.BuildFrame(payload.data(), static_cast<uint16_t>(payload.size()))) return std::nullopt;
        if (!protocol.Transact()) return std::nullopt;
        Bytes reply(MaxPayload);
        uint16_t n = 0;
        protocol.GetReply(reply.data(), n);
        reply.resize(n);
        return reply;
    }
};

TEST_F(VarnelFixture, SendsTheFrameAndReadsTheReply) {
    EXPECT_EQ(Transact({0x5D}), (Bytes{0x5D, 0x06, 0x17}));
    EXPECT_EQ(line.Written(), (Bytes{0x10, 0x02, 0x05, 0x5D, 0x9D, 0x10, 0x03}));
}

TEST_F(VarnelFixture, LongestReplyPasses_LongerFails) {
    const Bytes request = [] {
        Bytes b(510, 0x10);  // every byte doubled on the line both ways
        b[0] = sim::SimEcho::Interface;
        return b;
    }();
    EXPECT_EQ(Transact(request), request);
    Bytes tooLong = request;
    tooLong.push_back(0x42);  // echoed as a 512-byte body
    EXPECT_EQ(Transact(tooLong), std::nullopt);
    EXPECT_EQ(protocol.LastFault(), DleFrameDecoder::Fault::Oversize);
}

TEST_F(VarnelFixture, PayloadLongerThan512IsRefused) {
    const Bytes tooLong(513, 0x01);
    EXPECT_FALSE(protocol.BuildFrame(tooLong.data(), static_cast<uint16_t>(tooLong.size())));
    EXPECT_TRUE(protocol.BuildFrame(tooLong.data(), 512));
}

TEST_F(VarnelFixture, FailedFramesResetTheLine) {
    struct Case {
        const char* fault;
        DleFrameDecoder::Fault expected;
        bool timedOut;
    };
    const Case cases[] = {
        {"badsum", DleFrameDecoder::Fault::Checksum, false},
        {"wrongaddr", DleFrameDecoder::Fault::WrongAddress, false},
        {"empty", DleFrameDecoder::Fault::Empty, false},
        {"badescape", DleFrameDecoder::Fault::BadEscape, false},
        {"silence", DleFrameDecoder::Fault::None, true},
    };
    for (const auto& c : cases) {
        std::string error;
        faults.Add(*sim::ParseFault(c.fault, error));
        const int opensBefore = line.Opens();
        const int breaksBefore = line.Breaks();
        const size_t writtenBefore = line.Written().size();
        EXPECT_EQ(Transact({0x5D}), std::nullopt) << c.fault;
        EXPECT_EQ(protocol.LastFault(), c.expected) << c.fault;
        EXPECT_EQ(protocol.LastTimedOut(), c.timedOut) << c.fault;
        // close, reopen, break, then the single 0xFF
        EXPECT_EQ(line.Opens(), opensBefore + 1) << c.fault;
        EXPECT_EQ(line.Breaks(), breaksBefore + 1) << c.fault;
        EXPECT_EQ(line.Written().back(), 0xFF) << c.fault;
        EXPECT_EQ(line.Written().size(), writtenBefore + 7 + 1) << c.fault;
        // and the next request works on the reset line
        EXPECT_EQ(Transact({0x5D}), (Bytes{0x5D, 0x06, 0x17})) << c.fault;
    }
}

TEST_F(VarnelFixture, TimeoutBoundsTheGapBetweenBytesNotTheFrame) {
    std::string error;
    // 150 ms before each of two bytes: 300 ms in all, yet no gap reaches 200 ms.
    faults.Add(*sim::ParseFault("gap 4 150", error));
    faults.Add(*sim::ParseFault("delay 150", error));
    EXPECT_EQ(Transact({0x5D}), (Bytes{0x5D, 0x06, 0x17}));
    // One gap of 300 ms fails.
    faults.Add(*sim::ParseFault("gap 4 300", error));
    EXPECT_EQ(Transact({0x5D}), std::nullopt);
    EXPECT_TRUE(protocol.LastTimedOut());
}

TEST_F(VarnelFixture, RetriesAreAttemptsOfTheWholeTransaction) {
    std::string error;
    faults.Add(*sim::ParseFault("silence", error));
    protocol.SetRetries(2);
    EXPECT_EQ(Transact({0x5D}), (Bytes{0x5D, 0x06, 0x17}));
    EXPECT_EQ(line.Line().FramesReceived(), 2u);
}

// A controller in the handshake mode, scripted: it acknowledges the request header
// and frame with DLE ACK, then sends its reply frame (checksum seeded with 0).
class HandshakeMedium : public TComMedium {
public:
    Bytes Reply;
    int BadRepliesFirst = 0;
    Bytes Written;

    bool Open(uint16_t rx, uint16_t tx) override {
        Open_ = true;
        TComMedium::Open(rx, tx);
        return true;
    }
    bool IsOpen() const override { return Open_; }
    void Close() override { Open_ = false; }
    uint32_t Write(const uint8_t* b, uint32_t n) override {
        Written.insert(Written.end(), b, b + n);
        const Bytes chunk(b, b + n);
        if (chunk.size() >= 3 && chunk[0] == dle::DLE && chunk[1] == dle::STX) {
            Queue({dle::DLE, dle::ACK});  // header acknowledged
        } else if (chunk.size() >= 2 && chunk[chunk.size() - 2] == dle::DLE && chunk.back() == dle::ETX) {
            Queue({dle::DLE, dle::ACK});  // frame acknowledged, then the reply
            SendReply();
        } else if (chunk == Bytes{dle::DLE, dle::NAK}) {
            SendReply();  // asked again
        }
        return n;
    }
    uint32_t Read(uint8_t* b, uint32_t n) override {
        const uint32_t k = std::min<uint32_t>(n, static_cast<uint32_t>(Rx_.size()));
        for (uint32_t i = 0; i < k; ++i) b[i] = Rx_[i];
        Rx_.erase(Rx_.begin(), Rx_.begin() + k);
        return k;
    }
    uint32_t GetRxdQue() override { return static_cast<uint32_t>(Rx_.size()); }
    bool WaitForData(std::chrono::milliseconds) override { return !Rx_.empty(); }

private:
    void Queue(const Bytes& b) { Rx_.insert(Rx_.end(), b.begin(), b.end()); }
    void SendReply() {
        Bytes frame = dle::EncodeFrame(9, Reply, false);
        if (BadRepliesFirst > 0) {
            --BadRepliesFirst;
            frame[frame.size() - 3] ^= 0x55;
        }
        Queue(frame);
    }
    bool Open_ = false;
    std::deque<uint8_t> Rx_;
};

TEST(VarnelHandshake, AcknowledgesHeaderAndFrameAndAsksAgainOnABadFrame) {
    HandshakeMedium medium;
    medium.Reply = {0x5A, 0x01, 0x02, 0x03};
    medium.BadRepliesFirst = 1;
    TVArnel protocol(&medium);
    protocol.SetRetries(3);
    ASSERT_TRUE(protocol.Open());
    protocol.SetAddress(9);
    const Bytes request{0x5A};
    ASSERT_TRUE(protocol.BuildFrame(request.data(), 1));
    ASSERT_TRUE(protocol.Transact());
    Bytes reply(MaxPayload);
    uint16_t n = 0;
    protocol.GetReply(reply.data(), n);
    reply.resize(n);
    EXPECT_EQ(reply, medium.Reply);
    const Bytes expected = {
        0x10, 0x02, 0x09,              // request header, then the controller's ACK
        0x5A, 0xA5, 0x10, 0x03,        // payload, checksum seeded with 0, trailer
        0x10, 0x06,                    // ACK of the reply's header
        0x10, 0x15,                    // NAK of the broken reply
        0x10, 0x06,                    // ACK of the repeated reply's header
        0x10, 0x06,                    // ACK of the good reply
    };
    EXPECT_EQ(medium.Written, expected);
}

}  // namespace
}  // namespace ryvorn
