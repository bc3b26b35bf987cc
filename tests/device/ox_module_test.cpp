// SPDX-License-Identifier: MIT
// The operation pattern, the alive counter and the request-flag rule every module follows.
#include "device/ox_module.h"

#include <gtest/gtest.h>

#include <deque>

#include "device/sbc_device.h"
#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using S = TOxModuleStatus;

// A module with one operation of a configurable reply rule; its parser keeps the first
// word after the header and, for the variable form, checks the count it announces.
class Probe : public TOxSbcModule {
  public:
    using TOxSbcModule::TOxSbcModule;
    void AssignData(TSbcDeviceData&) override { SetName("Probe"); }
    void CancelRequests() override {}

    bool Run(const TOxExchange& exchange) {
        return Perform(
            exchange, [](TOXcFunc& r) { r.SetCommand(250, 7); },
            [this](TOXcFunc& r) {
                Word = r.GetWord();
                return Word == 0 || r.ReplyLength() >= 4 + Word;  // the announced bytes must follow
            });
    }
    uint16_t Word = 0;
};

struct Pattern : ::testing::Test {
    std::deque<std::optional<Bytes>> replies;
    testing::ScriptedLink link{[this](int32_t, const Bytes&) {
        std::optional<Bytes> r = replies.empty() ? std::nullopt : replies.front();
        if (!replies.empty()) replies.pop_front();
        return r;
    }};
    Probe probe{0, link.Prot.get()};
};

TEST_F(Pattern, StatusFromTheReplyAndParseOnlyOnOk) {
    const auto exactly4 = TOxExchange{ofRead, ReplyExactly(4)};
    const auto fourOrSix = TOxExchange{ofRead, ReplyExactly(4, 6)};
    const auto atLeast4 = TOxExchange{ofRead, ReplyAtLeast(4)};
    const auto ack = TOxExchange{ofWrite, ReplyAcknowledge()};
    const struct {
        const char* name;
        TOxExchange exchange;
        std::optional<Bytes> reply;
        S status;
        uint16_t word;  // 0xEEEE: not parsed
    } cases[] = {
        {"expected length", exactly4, Bytes{250, 7, 0, 0}, S::Ok, 0},
        {"too short", exactly4, Bytes{250, 7, 0}, S::DataError, 0xEEEE},
        {"too long", exactly4, Bytes{250, 7, 0, 0, 0}, S::DataError, 0xEEEE},
        {"second length", fourOrSix, Bytes{250, 7, 0, 2, 1, 2}, S::Ok, 2},
        {"neither length", fourOrSix, Bytes{250, 7, 0, 0, 0}, S::DataError, 0xEEEE},
        {"at least", atLeast4, Bytes{250, 7, 0, 1, 9}, S::Ok, 1},
        {"announces more than came", atLeast4, Bytes{250, 7, 0, 2, 9}, S::DataError, 2},
        {"no reply", exactly4, std::nullopt, S::CommunicationError, 0xEEEE},
        {"busy where busy is accepted", ack, Bytes{'S'}, S::Busy, 0xEEEE},
        {"busy where it is not", exactly4, Bytes{'S'}, S::DataError, 0xEEEE},
        {"acknowledged", ack, Bytes{'U'}, S::Ok, 0},
        {"not acknowledged", ack, Bytes{'X'}, S::DataError, 0xEEEE},
        {"U of two bytes", ack, Bytes{'U', 'U'}, S::DataError, 0xEEEE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> updates;
        probe.OnUpdate = [&](TOxModule&, uint8_t function) {
            EXPECT_EQ(probe.Status(), c.status) << "the status is set before OnUpdate";
            updates.push_back(function);
        };
        probe.Word = 0xEEEE;
        replies = {c.reply};
        EXPECT_EQ(probe.Run(c.exchange), c.reply.has_value());
        EXPECT_EQ(probe.Status(), c.status);
        EXPECT_EQ(probe.Word, c.word);
        EXPECT_EQ(updates, std::vector<uint8_t>{c.exchange.Function});
    }
}

TEST_F(Pattern, AliveCounter) {
    const TOxExchange read{ofRead, ReplyExactly(4)};
    EXPECT_FALSE(probe.IsAlive()) << "a module that never answered";
    replies = {Bytes{250, 7, 0, 0}};
    probe.Run(read);
    EXPECT_EQ(probe.AliveCounter(), 5);
    for (int failure = 1; failure <= 5; ++failure) {
        EXPECT_TRUE(probe.IsAlive()) << failure;
        probe.Run(read);  // no reply
    }
    EXPECT_FALSE(probe.IsAlive());
    probe.Run(read);
    EXPECT_EQ(probe.AliveCounter(), 0) << "never below 0";
    // Any reply is a sign of life, also one of the wrong form...
    replies = {Bytes{1}};
    probe.Run(read);
    EXPECT_EQ(probe.AliveCounter(), 5);
    // ...except where only the expected form counts, as in identification.
    replies = {Bytes{1}};
    probe.Run({ofRead, ReplyExactly(4), 0, true});
    EXPECT_EQ(probe.AliveCounter(), 4);
}

// A flagged get passphrase answered only at the fourth attempt.
struct FlagRule : ::testing::Test {
    int failuresLeft = 3;
    testing::ScriptedLink link{[this](int32_t, const Bytes& r) -> std::optional<Bytes> {
        if (r == Bytes{0x62, 0x00}) return Bytes{'U'};
        if (failuresLeft > 0) {
            --failuresLeft;
            return std::nullopt;
        }
        return Bytes{0x62, 0x01, '1', '2', '3', '4', '5', '6', '7', '8'};
    }};
    TOxSbcDevice device{0, link.Prot.get()};
    TOxEncryption& encryption = device.Encryption();

    size_t Gets() {
        size_t n = 0;
        for (const auto& r : link.Protocol->TakeRequests()) n += r == Bytes{0x62, 0x01};
        return n;
    }
};

TEST_F(FlagRule, WithoutAHandlerTheFlagIsClearedByTheFirstAnswer) {
    encryption.GetPassphraseRequest = true;
    for (int cycle = 1; cycle <= 4; ++cycle) {
        EXPECT_TRUE(encryption.GetPassphraseRequest) << cycle;
        encryption.Process();
        EXPECT_EQ(Gets(), 1u) << cycle;
    }
    EXPECT_FALSE(encryption.GetPassphraseRequest);
    encryption.Process();
    EXPECT_EQ(Gets(), 0u);
}

TEST_F(FlagRule, WithAHandlerTheFlagStaysUntilItsOwnerClearsIt) {
    int updates = 0;
    encryption.OnUpdate = [&](TOxModule&, uint8_t) { ++updates; };
    encryption.GetPassphraseRequest = true;
    for (int cycle = 1; cycle <= 6; ++cycle) {
        encryption.Process();
        EXPECT_EQ(Gets(), 1u) << cycle;
    }
    EXPECT_EQ(updates, 7) << "the presence request and six reads";
    EXPECT_TRUE(encryption.GetPassphraseRequest);
    encryption.GetPassphraseRequest = false;
    encryption.Process();
    EXPECT_EQ(Gets(), 0u);
}

}  // namespace
}  // namespace ryvorn
