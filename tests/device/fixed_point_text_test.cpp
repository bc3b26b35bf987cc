// SPDX-License-Identifier: MIT
#include "device/fixed_point_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace ryvorn {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(StrToVal, ConvertsFixedPointText) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"12", 12},
        {"-12", -12},
        {"12.34", 1234},  // the separator goes, whatever the decimals
        {"12,34", 1234},
        {"-0,5", -5},
        {"0.000", 0},
        {"1.", 1},
        {".5", 5},
        {"+7", 7},
        {" 12", 12},     // leading blanks, as ValToStr pads
        {"- 0.05", -5},  // ValToStr's own form of a negative value
        {"2147483647", kMax},
        {"-2147483648", kMin},
        {"-21474836.48", kMin},
        {"00000000000000000000042", 42},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToVal(c.text), c.value) << "'" << c.text << "'";
}

TEST(StrToVal, RejectsTextThatIsNoNumberOrOutOfRange) {
    const char* const cases[] = {
        "1.2.3",  // only the first separator goes
        "1,5.3",  // a comma wins over a point, the point stays
        "abc",
        "12a",
        "12 ",
        "-",
        ".",
        ",",
        "1e3",
        "0x10",
        "--",
        "2147483648",
        "-2147483649",
        "4294967296",
        "99999999999999999999999999",
    };
    for (const char* text : cases) EXPECT_THROW(StrToVal(text), TConversionError) << "'" << text << "'";
}

TEST(StrToVal, ConversionErrorIsARuntimeErrorNamingTheText) {
    try {
        StrToVal("1.2.3");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "'1.2.3' is not a valid integer value");
    }
}

TEST(ValToStr, FormatsFixedPoint) {
    const struct {
        int32_t value;
        int decimals;
        int width;
        const char* text;
    } cases[] = {
        {7, 3, 0, "0.007"},
        {1234, 0, 6, "  1234"},
        {-5, 2, 6, "- 0.05"},
        {0, 0, 0, "0"},
        {0, 2, 0, "0.00"},
        {100, 2, 0, "1.00"},
        {123, 2, 0, "1.23"},
        {1, 5, 0, "0.00001"},
        {-1234, 1, 0, "-123.4"},
        {12, 0, 4, "  12"},
        {123456, 0, 3, "123456"},  // width never cuts
        {-5, 0, 2, "-5"},
        {-5, 0, 3, "- 5"},
        {kMax, 0, 0, "2147483647"},
        {kMin, 0, 0, "-2147483648"},
        {kMin, 2, 14, "-  21474836.48"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValToStr(c.value, c.decimals, c.width), c.text)
            << c.value << " " << c.decimals << " " << c.width;
}

TEST(ValToStr, UsesTheGivenSeparator) {
    EXPECT_EQ(ValToStr(1234, 2, 0, ','), "12,34");
    EXPECT_EQ(ValToStr(-5, 2, 6, ','), "- 0,05");
    EXPECT_EQ(ValToStr(1234, 0, 0, ','), "1234");
}

TEST(FixedPointText, ValToStrReadsBackThroughStrToVal) {
    const int32_t values[] = {0, 1, -1, 5, -5, 99, 1000, -123456, 2000000000, kMax, kMin};
    for (const int32_t value : values)
        for (int decimals = 0; decimals <= 5; ++decimals)
            for (const int width : {0, 12})
                EXPECT_EQ(StrToVal(ValToStr(value, decimals, width)), value)
                    << value << " " << decimals << " " << width;
}

}  // namespace
}  // namespace ryvorn
