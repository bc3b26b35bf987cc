// SPDX-License-Identifier: MIT
#include "device/param_formatters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "device/formatter_kind.h"
#include "device/installed_name_lists.h"
#include "device/operand_names.h"

namespace ryvorn {
namespace {

using enum TFormatterKind;

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

struct TFormatCase {
    TFormatterKind kind;
    int32_t value;
    std::string text;
};

std::string Describe(const TFormatCase& c) {
    return std::string(FormatterKindName(c.kind)) + "(" + std::to_string(c.value) + ")";
}

// The ends of every table and the values just outside it, with no name lists at all.
TEST(ParamFormatters, TableTextsAndTheirEnds) {
    const TFormatCase cases[] = {
        {None, 42, "42"},
        {None, -7, "-7"},
        {dpParamLabel, 1, ""},
        {dpParamOption, 0, "NORMAL"},
        {dpParamOption, 1, "BACKGROUND"},
        {dpParamOption, 2, "NORMAL"},
        {dpParamOption, -1, "BACKGROUND"},
        {dpParamOnOff, -1, "?"},
        {dpParamOnOff, 0, "OFF"},
        {dpParamOnOff, 1, "ON"},
        {dpParamOnOff, 2, "?"},
        {dpParamNetGrs, 0, "NET"},
        {dpParamNetGrs, 1, "GROSS"},
        {dpParamNetGrs, 2, "?"},
        {dpParamInOut, 0, "IN"},
        {dpParamInOut, 1, "OUT"},
        {dpParamInOut, -1, "?"},
        {dpParamSource, -1, "?"},
        {dpParamSource, 0, "VALUE"},
        {dpParamSource, 1, "RESULT"},
        {dpParamSource, 2, "REG. 1"},
        {dpParamSource, 10, "REG. 9"},
        {dpParamSource, 11, "REG.10"},
        {dpParamSource, 12, "SUBTOTAL"},
        {dpParamSource, 14, "TOTAL"},
        {dpParamSource, 15, "INDICATOR"},
        {dpParamSource, 18, "COUNTER"},
        {dpParamSource, 20, "EXT[EXT(VALUE)]"},
        {dpParamSource, 21, "?"},
        {dpParamSource, 49, "?"},
        {dpParamSource, 50, "BUSLINK ADDRESS"},
        {dpParamSource, 53, "MAXLOAD"},
        {dpParamSource, 54, "?"},
        {dpParamSource, 74, "?"},
        {dpParamSource, 75, "STATUS"},
        {dpParamSource, 91, "TRANSDUCER MVOLT"},
        {dpParamSource, 92, "?"},
        {dpParamSource, 100, "?"},
        {dpParamSource, 101, "EXT[1]"},
        {dpParamSource, 105, "EXT[5]"},
        {dpParamSource, 1000, "EXT[900]"},
        {dpParamSource, 1001, "?"},
        {dpParamSource, kMin, "?"},
        {dpParamDestin, -1, "?"},
        {dpParamDestin, 0, "VALUE"},
        {dpParamDestin, 11, "REG.10"},
        {dpParamDestin, 12, "RECIPE ABSOLUTE"},
        {dpParamDestin, 13, "RECIPE OFFSET"},
        {dpParamDestin, 14, "EXTENDED REGISTER"},
        {dpParamDestin, 15, "EXT[EXT(VALUE)]"},
        {dpParamDestin, 16, "?"},
        {dpParamDestin, 50, "?"},
        {dpParamDestin, 75, "?"},
        {dpParamDestin, 100, "?"},
        {dpParamDestin, 101, "EXT[1]"},
        {dpParamDestin, 1000, "EXT[900]"},
        {dpParamDestin, 1001, "?"},
        {dpParameter, 0, "VALUE"},
        {dpParameter, 13, "BATCHTOTAL"},
        {dpParameter, 14, "TOTAL"},
        {dpParameter, 15, "?"},
        {dpParameter, 50, "?"},
        {dpParameter, 100, "?"},
        {dpParameter, 101, "EXT[1]"},
        {dpParameter, 1000, "EXT[900]"},
        {dpParameter, 1001, "?"},
        {dpParamSetup, 0, "?"},
        {dpParamSetup, 49, "?"},
        {dpParamSetup, 50, "BUSLINK ADDRESS"},
        {dpParamSetup, 51, "STEP SIZE"},
        {dpParamSetup, 52, "DECIMAL POINT"},
        {dpParamSetup, 53, "MAXLOAD"},
        {dpParamSetup, 54, "?"},
        {dpParamWeigher, 74, "?"},
        {dpParamWeigher, 75, "STATUS"},
        {dpParamWeigher, 80, "NET*10"},
        {dpParamWeigher, 83, "FILTERED NET"},
        {dpParamWeigher, 88, "MRANGE STEP"},
        {dpParamWeigher, 91, "TRANSDUCER MVOLT"},
        {dpParamWeigher, 92, "?"},
        {dpParamOperan, -1, "?"},
        {dpParamOperan, 0, "Y=X"},
        {dpParamOperan, 8, "Y=X%Y"},
        {dpParamOperan, 21, "Y=STAT.STDDEV (n-1) "},
        {dpParamOperan, 22, "Z=STAT.STDDEV (n)"},
        {dpParamOperan, 23, "?"},
        {dpParamOperanXYZ, 0, "Z=X"},
        {dpParamOperanXYZ, 7, "Z=X%Y"},
        {dpParamOperanXYZ, 8, "Z=X%Y"},
        {dpParamOperanXYZ, 9, "Z=-X"},
        {dpParamOperanXYZ, 21, "Z=STAT.STDDEV (n-1) "},
        {dpParamOperanXYZ, 22, "Z=STAT.STDDEV (n)"},
        {dpParamOperanXYZ, 23, "?"},
        {dpParamResult, 0, "RESULT"},
        {dpParamResult, 1, "ALWAYS"},
        {dpParamResult, 2, "?"},
        {dpParamFormat, 0, " 0000000"},
        {dpParamFormat, 5, " 00.00000"},
        {dpParamFormat, 6, "       0"},
        {dpParamFormat, 11, "  0.00000"},
        {dpParamFormat, 12, "?"},
        {dpParamScale, 0, "d/s"},
        {dpParamScale, 5, "1.000/hour"},
        {dpParamScale, 8, "1.000.000/hour"},
        {dpParamScale, 9, "?"},
        {dpParamIO, 12, "12"},
        {dpParamIO, -12, "NOT 12"},
        {dpParamIO, 0, "0"},
        {dpParamIO, kMax, "2147483647"},
        {dpParamIO, kMin, "NOT 2147483648"},
        {dpParamConvert, 0, "HEX"},
        {dpParamConvert, 1, "BCD"},
        {dpParamConvert, 2, "?"},
        {dpParamString, 0x41424344, "ABCD"},
        {dpParamString, 0x20202020, "    "},
        {dpParamString, 0x7F7F7F7F, "\x7F\x7F\x7F\x7F"},
        {dpParamAbsRel, 0, "Absolute"},
        {dpParamAbsRel, 1, "Relative"},
        {dpParamAbsRel, 2, "?"},
        {dpParamJump, -1, "?"},
        {dpParamJump, 0, "?"},
        {dpParamJump, 1, "1"},
        {dpParamJump, 500, "500"},
        {dpParamBranch, -3, "-3"},
        {dpParamBranch, 0, "0"},
        {dpParamReset, -500, "-500"},
        {dpParamReset, 7, "7"},
        {dpParamPhase, 0, "Start Phase"},
        {dpParamPhase, 1, "Internal Phase"},
        {dpParamPhase, 2, "End Phase"},
        {dpParamPhase, 3, "?"},
        {dpParamZeroAction, 0, "Zero Set"},
        {dpParamZeroAction, 1, "Zero Reset"},
        {dpParamZeroAction, 2, "?"},
        {dpParamTareAction, 0, "Tare Set"},
        {dpParamTareAction, 3, "Tare Get"},
        {dpParamTareAction, 4, "pTare Set"},
        {dpParamTareAction, 5, "?"},
        {dpParamStorage, 0, "USB Stick"},
        {dpParamStorage, 1, "Internal Flash"},
        {dpParamStorage, 2, "USB Stick"},
        {dpParamStorage, -1, "Internal Flash"},
        {dpFileMode, 0, "Append"},
        {dpFileMode, 1, "Truncate"},
        {dpFileMode, 3, "Truncate"},
        {dpParamDirective, -1, "?"},
        {dpParamDirective, 0, "MID-R51"},
        {dpParamDirective, 2, "MID-R106"},
        {dpParamDirective, 3, "MID-R107"},
        {dpParamDirective, 4, "END"},
        {dpParamDirective, 5, "MID-R51"},
        {dpParamDirective, 7, "MID-R51"},
        {dpParamType, 0, "Recipe"},
        {dpParamType, 1, "External Registers"},
        {dpParamType, 2, "Labels"},
        {dpParamType, 3, "?"},
        {dpParamCommand, 0, "Test"},
        {dpParamCommand, 1, "Water + Temperature"},
        {dpParamCommand, 12, "Read"},
        {dpParamCommand, 13, "?"},
        {dpParamThreadControl, 0, "Stop"},
        {dpParamThreadControl, 2, "Pauze"},
        {dpParamThreadControl, 3, "?"},
        {dpParamThreadMode, 0, "Task"},
        {dpParamThreadMode, 1, "Plc"},
        {dpParamThreadMode, 2, "?"},
        {dpParamResultSave, -1, "?"},
        {dpParamResultSave, 0, "OFF"},
        {dpParamResultSave, 1, "ON"},
        {dpParamResultSave, 2, "ALIBI[1]"},
        {dpParamResultSave, 127, "ALIBI[126]"},
        {dpParamResultSave, 128, "EVENT[1]"},
        {dpParamResultSave, 256, "EVENT[129]"},
    };
    const TSbcNameLists none;
    for (const auto& c : cases) EXPECT_EQ(FormatParam(c.kind, c.value, none), c.text) << Describe(c);
}

// The step editor lists 0, 1, 2, ... up to the first "?": a missing or extra entry in a
// table shows up as a list of the wrong length.
TEST(ParamFormatters, ValueListsEndWithTheirTables) {
    const struct {
        TFormatterKind kind;
        int entries;
    } cases[] = {
        {dpParamOnOff, 2},   {dpParamNetGrs, 2},   {dpParamInOut, 2},         {dpParamSource, 21},
        {dpParamDestin, 16}, {dpParameter, 15},    {dpParamOperan, 23},       {dpParamOperanXYZ, 23},
        {dpParamResult, 2},  {dpParamFormat, 12},  {dpParamScale, 9},         {dpParamConvert, 2},
        {dpParamAbsRel, 2},  {dpParamPhase, 3},    {dpParamZeroAction, 2},    {dpParamTareAction, 5},
        {dpParamType, 3},    {dpParamCommand, 13}, {dpParamThreadControl, 3}, {dpParamThreadMode, 2},
        {dpParamJump, 0},
    };
    const TSbcNameLists none;
    for (const auto& c : cases) {
        int entries = 0;
        while (entries < 2000 && FormatParam(c.kind, entries, none) != kNoValueText) ++entries;
        EXPECT_EQ(entries, c.entries) << FormatterKindName(c.kind);
    }
}

TEST(ParamFormatters, LabelsFromTheLabelList) {
    TSbcNameLists names;
    names.Labels = std::vector<std::string>{"Fill", "Dose", "Empty"};
    const TFormatCase cases[] = {
        {dpParamLabel, -1, ""},
        {dpParamLabel, 0, ""},
        {dpParamLabel, 1, "Fill"},
        {dpParamLabel, 3, "Empty"},
        {dpParamLabel, 4, "Label #   4"},
        {dpParamLabel, 12, "Label #  12"},
        {dpParamLabel, 12345, "Label #12345"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatParam(c.kind, c.value, names), c.text) << Describe(c);

    // An installed but empty list is a list: every label lies beyond it.
    names.Labels = std::vector<std::string>{};
    EXPECT_EQ(FormatParam(dpParamLabel, 1, names), "Label #   1");
}

TEST(ParamFormatters, IoNamesFromTheIoList) {
    TSbcNameLists names;
    names.IoNames = std::vector<TIoName>{{"Valve", 12}, {"Pump", 3}, {"Valve bis", 12}};
    const TFormatCase cases[] = {
        {dpParamIO, 12, "Valve bis"},  // the last entry with the number wins
        {dpParamIO, -12, "NOT Valve bis"}, {dpParamIO, 3, "Pump"},
        {dpParamIO, -3, "NOT Pump"},       {dpParamIO, 4, "4"},
        {dpParamIO, -4, "NOT 4"},          {dpParamIO, 0, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatParam(c.kind, c.value, names), c.text) << Describe(c);

    names.IoNames = std::vector<TIoName>{{"Valve", 12}};
    EXPECT_EQ(FormatParam(dpParamIO, -12, names), "NOT Valve");
}

TEST(ParamFormatters, ExtendedRegisterNamesFromTheirList) {
    TSbcNameLists names;
    names.ExtRegNames = std::vector<TExtRegName>{{"Speed", 105}, {"Level", 1000}, {"Other speed", 105}};
    const TFormatCase cases[] = {
        {dpParamSource, 105, "Speed"}, {dpParamDestin, 1000, "Level"}, {dpParameter, 105, "Speed"},
        {dpParameter, 101, "EXT[1]"},  {dpParamSource, 100, "?"},  // names never reach values outside the
                                                                   // operand range
        {dpParamSource, 5, "REG. 4"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatParam(c.kind, c.value, names), c.text) << Describe(c);
    EXPECT_EQ(ExtRegToLabel(105, names), "Speed");
    EXPECT_EQ(ExtRegToLabel(106, names), "EXT[6]");
    EXPECT_EQ(ExtRegToLabel(kMin, TSbcNameLists{}), "EXT[-2147483748]");
}

// The installed lists drive the plain formatter functions; uninstalling brings back the
// numbers and the empty label text.
class InstalledListsTest : public ::testing::Test {
  protected:
    void SetUp() override { SbcModule_UnInstall(); }
    void TearDown() override { SbcModule_UnInstall(); }
};

TEST_F(InstalledListsTest, FormattersReadTheInstalledLists) {
    EXPECT_EQ(ryvorn::dpParamLabel(1), "");
    EXPECT_EQ(ryvorn::dpParamIO(-12), "NOT 12");
    EXPECT_EQ(ryvorn::dpParamSource(105), "EXT[5]");

    SbcModule_Install(std::vector<std::string>{"Fill"}, std::vector<TIoName>{{"Valve", 12}},
                      std::vector<TExtRegName>{{"Speed", 105}});
    EXPECT_EQ(ryvorn::dpParamLabel(1), "Fill");
    EXPECT_EQ(ryvorn::dpParamLabel(2), "Label #   2");
    EXPECT_EQ(ryvorn::dpParamIO(-12), "NOT Valve");
    EXPECT_EQ(ryvorn::dpParamSource(105), "Speed");
    EXPECT_EQ(ExtRegToLabel(105), "Speed");
    EXPECT_EQ(FormatByKindName("dpParamIO", 12), "Valve");

    // Installing only some lists leaves the others absent.
    SbcModule_Install(std::nullopt, std::vector<TIoName>{{"Pump", 12}}, std::nullopt);
    EXPECT_EQ(ryvorn::dpParamLabel(2), "");
    EXPECT_EQ(ryvorn::dpParamIO(12), "Pump");
    EXPECT_EQ(ryvorn::dpParamDestin(105), "EXT[5]");

    SbcModule_UnInstall();
    EXPECT_EQ(ryvorn::dpParamLabel(1), "");
    EXPECT_EQ(ryvorn::dpParamIO(12), "12");
}

TEST(ParamFormatters, EveryKindHasItsFunctionAndCodeName) {
    EXPECT_EQ(FormatterFunction(None), nullptr);
    EXPECT_EQ(FormatterKindName(None), "");
    EXPECT_FALSE(FormatterKindFromName("").has_value());
    EXPECT_FALSE(FormatterKindFromName("IO").has_value());
    EXPECT_FALSE(FormatByKindName("dpParamNothing", 1).has_value());
    const int32_t probes[] = {-12, 0, 1, 2, 7, 21, 53, 91, 105, 128, 0x41424344};
    for (int k = 1; k < kFormatterKindCount; ++k) {
        const auto kind = static_cast<TFormatterKind>(k);
        const std::string_view name = FormatterKindName(kind);
        ASSERT_FALSE(name.empty()) << k;
        EXPECT_EQ(FormatterKindFromName(name), kind) << name;
        const TParamFormatter function = FormatterFunction(kind);
        ASSERT_NE(function, nullptr) << name;
        for (const int32_t value : probes) {
            EXPECT_EQ(function(value), FormatParam(kind, value)) << name << " " << value;
            EXPECT_EQ(FormatByKindName(name, value), FormatParam(kind, value)) << name << " " << value;
        }
    }
    EXPECT_EQ(FormatterKindName(dpParamIO), "dpParamIO");
    EXPECT_EQ(FormatterKindName(dpFileMode), "dpFileMode");
    EXPECT_EQ(FormatterKindName(dpParameter), "dpParameter");
}

}  // namespace
}  // namespace ryvorn
