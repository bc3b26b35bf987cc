// SPDX-License-Identifier: MIT
#include "link/encrypt.h"

#include <gtest/gtest.h>

namespace ryvorn {
namespace {

TEST(Encrypt, KeystreamOfPassphrases) {
    struct Case {
        std::string passphrase;
        uint32_t registerValue;
        std::vector<uint8_t> keystream;
        bool enabled;
    };
    const Case cases[] = {
        {"ABCDEFGH", 0x89898989, {0x89, 0x89, 0x89, 0x89, 0xFA, 0xFA, 0xFA, 0x0A}, true},
        // right-aligned: five spaces, then K E Y
        {"KEY", 0x79656B40, {0x40, 0x6B, 0x65, 0x79, 0x64, 0x0C, 0xCF, 0x59}, true},
        // only the first eight characters count
        {"zimra2024", 0xAC999FD3, {0xD3, 0x9F, 0x99, 0xAC, 0x09, 0xFE, 0xEF, 0xF1}, true},
        // an empty passphrase leaves the data as it is, but is not "disabled"
        {"", 0, {0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"        ", 0, {0, 0, 0, 0, 0, 0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        TEncrypt e(c.passphrase);
        EXPECT_EQ(e.Enabled(), c.enabled) << c.passphrase;
        EXPECT_EQ(e.Register(), c.registerValue) << c.passphrase;
        std::vector<uint8_t> stream;
        for (size_t i = 0; i < c.keystream.size(); ++i) stream.push_back(e.Process(0));
        EXPECT_EQ(stream, c.keystream) << c.passphrase;
        e.Reset();
        EXPECT_EQ(e.Process(0), c.keystream[0]) << "reset restarts the stream: " << c.passphrase;
    }
}

}  // namespace
}  // namespace ryvorn
