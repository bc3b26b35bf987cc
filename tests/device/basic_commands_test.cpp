// SPDX-License-Identifier: MIT
#include "device/basic_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/device/scripted_protocol.h"

namespace ryvorn {
namespace {

using testing::Bytes;
using testing::ScriptedProtocol;

// Every basic command against exact bytes: the request it sends, a reply, whether it
// succeeds and what it reads. "-" in the reply column is no reply.
TEST(BasicCommands, RequestsAndReplies) {
    std::optional<Bytes> reply;
    ScriptedProtocol protocol([&](int32_t, const Bytes&) { return reply; });

    uint16_t word = 0;
    bool flag = false;
    TFlashInfo info;
    const Bytes block{0xAA, 0xBB, 0xCC};
    const auto version = [&] { return OxVersion(protocol, word); };
    const auto id = [&] { return OxId(protocol, word); };
    const auto product = [&] { return OxProductCode(protocol, word); };
    const auto swad = [&] { return OxSwadAvail(protocol, flag); };
    const auto erase = [&] { return OxFlashErase(protocol, 0x00010000); };
    const auto flashInfo = [&](uint32_t address) { return [&, address] { return OxFlashInfo(protocol, address, info); }; };
    const auto isWord = [&](uint16_t expected) { return [&, expected] { EXPECT_EQ(word, expected); }; };
    const auto isFlag = [&](bool expected) { return [&, expected] { EXPECT_EQ(flag, expected); }; };
    const Bytes eraseRequest{0x5E, 0x02, 0x00, 0x01, 0x00, 0x00};
    const Bytes infoRequest{0x5E, 0x07, 0x00, 0x00, 0x01, 0x00};
    const struct {
        const char* name;
        std::function<bool()> command;
        Bytes request;
        std::optional<Bytes> reply;
        bool ok;
        std::function<void()> check;
    } cases[] = {
        // clang-format off
        {"version", version, {0x5A}, Bytes{0x5A, 0x02, 0x05, 0x11}, true, isWord(0x0205)},
        {"version of 3 bytes", version, {0x5A}, Bytes{0x5A, 0x01, 0x07}, true, isWord(0x0107)},
        {"version too short", version, {0x5A}, Bytes{0x5A, 0x01}, false, isWord(0xEEEE)},
        {"version, other echo", version, {0x5A}, Bytes{0x58, 0x01, 0x07}, false, isWord(0xEEEE)},
        {"version, no reply", version, {0x5A}, std::nullopt, false, isWord(0xEEEE)},
        {"id", id, {0x5D}, Bytes{0x5D, 0x06, 0x17}, true, isWord(0x0617)},
        {"id too long", id, {0x5D}, Bytes{0x5D, 0x06, 0x17, 0x00}, false, isWord(0xEEEE)},
        {"id, other echo", id, {0x5D}, Bytes{0x5E, 0x06, 0x17}, false, isWord(0xEEEE)},
        {"product code", product, {0xC9, 0xFF}, Bytes{0xC9, 0xFF, 0x01, 0x02}, true, isWord(0x0102)},
        {"no product code", product, {0xC9, 0xFF}, Bytes{'X'}, true, isWord(0)},
        {"product code of 3 bytes", product, {0xC9, 0xFF}, Bytes{0xC9, 0xFF, 0x01}, false, isWord(0xEEEE)},
        {"swad", swad, {0x60, 0x00}, Bytes{'U'}, true, isFlag(true)},
        {"no swad", swad, {0x60, 0x00}, Bytes{'X'}, true, isFlag(false)},
        {"swad of 2 bytes", swad, {0x60, 0x00}, Bytes{'U', 'U'}, false, nullptr},
        {"flash available", [&] { return OxFlashAvail(protocol, flag); }, {0x5E, 0x00}, Bytes{'U'}, true, isFlag(true)},
        {"boot loader started", [&] { return OxFlashFBoot(protocol, flag); }, {0x5E, 0x01}, Bytes{'U'}, true,
         isFlag(true)},
        {"boot loader refused", [&] { return OxFlashFBoot(protocol, flag); }, {0x5E, 0x01}, Bytes{'X'}, true,
         isFlag(false)},
        {"target", [&] { return OxFlashTarget(protocol, flag); }, {0x5E, 0x05}, Bytes{'U'}, true, isFlag(true)},
        {"erase", erase, eraseRequest, Bytes{'U'}, true, nullptr},
        {"erase refused", erase, eraseRequest, Bytes{'X'}, false, nullptr},
        {"write", [&] { return OxFlashWrite(protocol, 0x12345678, block); },
         {0x5E, 0x03, 0x12, 0x34, 0x56, 0x78, 0x03, 0xAA, 0xBB, 0xCC}, Bytes{'U'}, true, nullptr},
        {"flash info", flashInfo(0x100), infoRequest,
         Bytes{0x5E, 0x07, 0x00, 0x00, 0x10, 0x00, 0x00, 0x01, 0x00, 0x20, 0x00, 0x02, 0x00, 0x00,
               0x00, 0x02, 0x00, 0x00, 0x40, 0x00, 0x00, 0x01, 0xC0, 0x00},
         true, [&] { EXPECT_EQ(info, (TFlashInfo{0x1000, 1, 32, 0x20000, {0x4000, 0x1C000}})); }},
        // Two sectors announced, one sent: not a zero-sized second sector.
        {"flash info, sectors missing", flashInfo(0x100), infoRequest,
         Bytes{0x5E, 0x07, 0, 0, 0, 0, 0, 1, 0, 32, 0, 2, 0, 0, 0, 2, 0, 0, 0x40, 0}, false,
         [&] { EXPECT_EQ(info, TFlashInfo{}); }},
        {"flash info, no sector", flashInfo(0x100), infoRequest,
         Bytes{0x5E, 0x07, 0, 0, 0, 0, 0, 1, 0, 32, 0, 2, 0, 0, 0, 0}, false, nullptr},
        {"flash info, other echo", flashInfo(0x100), infoRequest,
         Bytes{0x5E, 0x08, 0, 0, 0, 0, 0, 1, 0, 32, 0, 2, 0, 0, 0, 1, 0, 0, 0x40, 0}, false, nullptr},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        word = 0xEEEE;
        flag = false;
        info = {};
        reply = c.reply;
        const int flushes = protocol.LogFlushes();
        EXPECT_EQ(c.command(), c.ok);
        EXPECT_EQ(protocol.TakeRequests(), std::vector<Bytes>{c.request});
        if (c.check) c.check();
        const bool flashFailure = !c.ok && c.request[0] == 0x5E;
        EXPECT_EQ(protocol.LogFlushes(), flushes + (flashFailure ? 1 : 0)) << "flash failures flush the log";
    }
}

TEST(BasicCommands, EraseWaitsLongerAndRestoresTheTimeout) {
    ScriptedProtocol protocol([](int32_t, const Bytes&) { return Bytes{'U'}; });
    protocol.SetTimeout(200);
    EXPECT_TRUE(OxFlashErase(protocol, 0));
    EXPECT_EQ(protocol.TakeTimeouts(), std::vector<uint16_t>{FlashEraseTimeout});
    EXPECT_EQ(protocol.Timeout(), 200);
}

TEST(BasicCommands, AWriteOfMoreThan255BytesIsNotSent) {
    ScriptedProtocol protocol([](int32_t, const Bytes&) { return Bytes{'U'}; });
    const Bytes data(256, 0x11);
    EXPECT_FALSE(OxFlashWrite(protocol, 0, data));
    EXPECT_TRUE(protocol.TakeRequests().empty());
}

}  // namespace
}  // namespace ryvorn
