// SPDX-License-Identifier: MIT
#include "device/text_param.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ryvorn {
namespace {

TEST(TextParam, PacksTheFirstCharacterIntoTheMostSignificantByte) {
    EXPECT_EQ(PackTextParam("ABCD"), 0x41424344);
    EXPECT_EQ(PackTextParam("AB"), 0x41422020);
    EXPECT_EQ(PackTextParam(""), kTextParamDefault);
    EXPECT_EQ(PackTextParam("ABCDEF"), 0x41424344);
    EXPECT_EQ(UnpackTextParam(0x41424344), "ABCD");
    EXPECT_EQ(UnpackTextParam(kTextParamDefault), "    ");
}

TEST(TextParam, Latin1CharactersKeepTheirByte) {
    // A high first byte makes the value negative; the bytes must survive both ways.
    const std::string text = "\xE9t\xE9!";
    const int32_t packed = PackTextParam(text);
    EXPECT_EQ(static_cast<uint32_t>(packed), 0xE974E921u);
    EXPECT_EQ(UnpackTextParam(packed), text);
}

TEST(TextParam, SplitsAndRejoinsAComment) {
    const std::string comment = "Fill silo 3 to level";
    const std::vector<int32_t> values = PackTextParams(comment, 8);
    ASSERT_EQ(values.size(), 8u);
    std::string joined;
    for (const int32_t value : values) joined += UnpackTextParam(value);
    EXPECT_EQ(joined, comment + std::string(32 - comment.size(), ' '));
    EXPECT_EQ(values[5], kTextParamDefault);

    // Characters beyond the parameters are dropped.
    const std::vector<int32_t> cut = PackTextParams(std::string(40, 'x'), 8);
    EXPECT_EQ(cut.back(), PackTextParam("xxxx"));
}

}  // namespace
}  // namespace ryvorn
