// SPDX-License-Identifier: MIT
#include "link/dle_frame.h"

#include <gtest/gtest.h>

namespace ryvorn {
namespace {

using Bytes = std::vector<uint8_t>;
using Fault = DleFrameDecoder::Fault;

struct EncodeCase {
    const char* what;
    uint8_t address;
    Bytes payload;
    bool seedWithAddress;
    Bytes wire;
};

TEST(DleFrame, EncodesFramesByteForByte) {
    const EncodeCase cases[] = {
        {"identity request to node 5", 5, {0x5D}, true, {0x10, 0x02, 0x05, 0x5D, 0x9D, 0x10, 0x03}},
        {"handshake mode seeds the checksum with 0", 5, {0x5D}, false, {0x10, 0x02, 0x05, 0x5D, 0xA2, 0x10, 0x03}},
        {"payload 0x10 doubled", 0, {0x10}, true, {0x10, 0x02, 0x00, 0x10, 0x10, 0xEF, 0x10, 0x03}},
        {"payload 10 10 becomes four bytes", 1, {0x10, 0x10}, true,
         {0x10, 0x02, 0x01, 0x10, 0x10, 0x10, 0x10, 0xDE, 0x10, 0x03}},
        {"address 0x10 doubled", 0x10, {0x5A}, true, {0x10, 0x02, 0x10, 0x10, 0x5A, 0x95, 0x10, 0x03}},
        {"checksum 0x10 doubled", 0, {0xEF}, true, {0x10, 0x02, 0x00, 0xEF, 0x10, 0x10, 0x10, 0x03}},
        {"checksum wraps modulo 256", 0xFF, {0x01, 0x02}, true, {0x10, 0x02, 0xFF, 0x01, 0x02, 0xFD, 0x10, 0x03}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dle::EncodeFrame(c.address, c.payload, c.seedWithAddress), c.wire) << c.what;
    }
}

DleFrameDecoder::Result FeedAll(DleFrameDecoder& d, const Bytes& bytes) {
    auto r = DleFrameDecoder::Result::NeedMore;
    for (uint8_t b : bytes) {
        r = d.Feed(b);
        if (r != DleFrameDecoder::Result::NeedMore) break;
    }
    return r;
}

TEST(DleFrame, ReceiverAcceptanceRules) {
    struct Case {
        const char* what;
        Bytes wire;
        std::optional<uint8_t> expected;
        DleFrameDecoder::Result result;
        Fault fault;
    };
    using R = DleFrameDecoder::Result;
    const Bytes good = dle::EncodeFrame(5, Bytes{0x5D, 0x06, 0x17}, true);
    Bytes badSum = good;
    badSum[badSum.size() - 3] ^= 0x01;
    const Case cases[] = {
        {"good frame", good, 5, R::Complete, Fault::None},
        {"reply from another address", good, 6, R::Invalid, Fault::WrongAddress},
        {"bad checksum", badSum, 5, R::Invalid, Fault::Checksum},
        {"empty body", {0x10, 0x02, 0x05, 0x10, 0x03}, 5, R::Invalid, Fault::Empty},
        {"empty body at address 255 (whose sum alone is 0xFF)", {0x10, 0x02, 0xFF, 0x10, 0x03}, 0xFF, R::Invalid,
         Fault::Empty},
        {"address 0x10 accepted doubled", dle::EncodeFrame(0x10, Bytes{0x01}, true), 0x10, R::Complete, Fault::None},
        {"address 0x10 not doubled", {0x10, 0x02, 0x10, 0x01, 0xDE, 0x10, 0x03}, 0x10, R::Invalid,
         Fault::BadAddressEscape},
        {"DLE followed by another byte", {0x10, 0x02, 0x05, 0x10, 0x41, 0x10, 0x03}, 5, R::Invalid, Fault::BadEscape},
        {"no DLE STX at the start", {0xFF, 0x10, 0x02}, 5, R::Invalid, Fault::BadStart},
        {"DLE without STX", {0x10, 0x03}, 5, R::Invalid, Fault::BadStart},
    };
    for (const auto& c : cases) {
        DleFrameDecoder d({.Hunt = false, .ExpectedAddress = c.expected, .SeedWithAddress = true});
        EXPECT_EQ(FeedAll(d, c.wire), c.result) << c.what;
        EXPECT_EQ(d.LastFault(), c.fault) << c.what;
    }
}

TEST(DleFrame, BodyLimitIs511Bytes) {
    for (size_t payload : {size_t{509}, size_t{510}, size_t{511}}) {
        // 0x11 bytes, so that nothing is doubled and the body is exactly payload + 1.
        const Bytes wire = dle::EncodeFrame(3, Bytes(payload, 0x11), true);
        DleFrameDecoder d({.Hunt = false, .ExpectedAddress = 3, .SeedWithAddress = true});
        const auto r = FeedAll(d, wire);
        if (payload <= dle::MaxPayload) {
            ASSERT_EQ(r, DleFrameDecoder::Result::Complete) << payload;
            EXPECT_EQ(d.Payload().size(), payload);
        } else {
            EXPECT_EQ(r, DleFrameDecoder::Result::Invalid) << payload;
            EXPECT_EQ(d.LastFault(), Fault::Oversize);
        }
    }
}

TEST(DleFrame, DoubledBytesCountOnceTowardsTheLimit) {
    // 510 payload bytes of 0x10 are 1020 bytes on the line, but still a good frame.
    const Bytes wire = dle::EncodeFrame(0, Bytes(510, 0x10), true);
    DleFrameDecoder d({.Hunt = false, .ExpectedAddress = 0, .SeedWithAddress = true});
    ASSERT_EQ(FeedAll(d, wire), DleFrameDecoder::Result::Complete);
    EXPECT_EQ(d.Payload().size(), 510u);
    EXPECT_EQ(d.Payload()[509], 0x10);
}

TEST(DleFrame, HuntingSkipsNoiseAndFindsTheNextFrame) {
    // The line reset's 0xFF, a broken frame and stray DLEs come before a good frame.
    Bytes wire = {0xFF, 0x10, 0x10, 0x33};
    const Bytes good = dle::EncodeFrame(7, Bytes{0x5A}, true);
    wire.insert(wire.end(), good.begin(), good.end());
    DleFrameDecoder d({.Hunt = true, .ExpectedAddress = std::nullopt, .SeedWithAddress = true});
    ASSERT_EQ(FeedAll(d, wire), DleFrameDecoder::Result::Complete);
    EXPECT_EQ(d.Address(), 7);
    EXPECT_EQ(Bytes(d.Payload().begin(), d.Payload().end()), Bytes{0x5A});
}

}  // namespace
}  // namespace ryvorn
