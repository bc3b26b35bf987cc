// SPDX-License-Identifier: MIT
#include "device/module_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "device/module_param_counts.h"
#include "device/text_param.h"

namespace ryvorn {
namespace {

using enum TFormatterKind;

const TModuleParamInfo& Param(int moduleId, int index) {
    return FindModuleDefinition(moduleId)->Params[static_cast<std::size_t>(index)];
}

TEST(ModuleCatalogue, IdsAndLookup) {
    const auto table = ModuleDefinitionTable();
    for (int id = 0; id < kModuleCount; ++id) {
        EXPECT_EQ(table[static_cast<std::size_t>(id)].ModuleId, id);
        EXPECT_EQ(FindModuleDefinition(id), &table[static_cast<std::size_t>(id)]);
    }
    EXPECT_EQ(FindModuleDefinition(-1), nullptr);
    EXPECT_EQ(FindModuleDefinition(kModuleCount), nullptr);
    EXPECT_EQ(table[0].ShortName, "END");
    EXPECT_EQ(table[78].ShortName, "FB END");
}

// The program transfer reads a line's parameters by this count; a slip in either table would
// shift every later field of a transferred program.
TEST(ModuleCatalogue, CountsEqualTheProgramTransferCounts) {
    for (const TModuleInfo& module : ModuleDefinitionTable())
        EXPECT_EQ(module.ParamCount, kModuleParamCounts[module.ModuleId]) << module.ShortName;
}

TEST(ModuleCatalogue, EveryModuleDefinesItsParametersWithoutGaps) {
    static const std::set<std::string_view> kTypeLetters = {"",  "n", "s", "%", "i", "o",
                                                            "0", "I", "S", "c", "O"};
    for (const TModuleInfo& module : ModuleDefinitionTable()) {
        ASSERT_GE(module.ParamCount, 2) << module.ShortName;
        ASSERT_LE(module.ParamCount, kMaxModuleParams) << module.ShortName;
        EXPECT_FALSE(module.ShortName.empty());
        EXPECT_FALSE(module.Caption.empty());
        for (int i = 0; i < kMaxModuleParams; ++i) {
            const TModuleParamInfo& p = module.Params[static_cast<std::size_t>(i)];
            const std::string where = std::string(module.ShortName) + " parameter " + std::to_string(i);
            if (i >= module.ParamCount) {
                EXPECT_TRUE(p.Name.empty()) << where;
                continue;
            }
            EXPECT_FALSE(p.Name.empty()) << where;
            EXPECT_LE(p.Minimum, p.Maximum) << where;
            EXPECT_TRUE(kTypeLetters.contains(p.TypeLetter)) << where;
            EXPECT_TRUE(p.Decimals <= 3 || p.Decimals == 5) << where;
            EXPECT_LE(p.RecipeSlot, 24) << where;
            // Only the comment's characters are text, and they always come as a whole.
            const bool text = p.Formatter == dpParamString;
            EXPECT_EQ(p.TextWidth, text ? kTextParamWidth : 0) << where;
            if (text) {
                EXPECT_EQ(p.Minimum, kTextParamMin) << where;
                EXPECT_EQ(p.Maximum, kTextParamMax) << where;
                EXPECT_EQ(p.Default, kTextParamDefault) << where;
            }
        }
    }
}

TEST(ModuleCatalogue, ParametersZeroAndOneAreLabelAndOption) {
    // The modules whose label or option range differs from 0..1000 and 0..1.
    const std::map<int, int32_t> labelMaximum = {{72, 500}, {73, 500}};
    const std::map<int, std::pair<int32_t, int32_t>> optionRange = {
        {23, {1, 1}}, {39, {0, 0}}, {40, {0, 0}}, {45, {0, 0}}, {48, {0, 0}}, {49, {1, 1}},
        {56, {0, 0}}, {66, {0, 0}}, {67, {0, 0}}, {68, {0, 0}}, {69, {0, 0}},
    };
    for (const TModuleInfo& module : ModuleDefinitionTable()) {
        const TModuleParamInfo& label = module.Params[0];
        const TModuleParamInfo& option = module.Params[1];
        const auto l = labelMaximum.find(module.ModuleId);
        const auto o = optionRange.find(module.ModuleId);
        const auto [optionMin, optionMax] =
            o != optionRange.end() ? o->second : std::pair<int32_t, int32_t>{0, 1};
        EXPECT_EQ(label.Name, "Label") << module.ShortName;
        EXPECT_EQ(label.Formatter, dpParamLabel) << module.ShortName;
        EXPECT_EQ(label.Minimum, 0) << module.ShortName;
        EXPECT_EQ(label.Maximum, l != labelMaximum.end() ? l->second : 1000) << module.ShortName;
        EXPECT_TRUE(label.PickList) << module.ShortName;
        EXPECT_EQ(label.TextColour, kPurple) << module.ShortName;
        EXPECT_EQ(option.Name, "Option") << module.ShortName;
        EXPECT_EQ(option.Formatter, dpParamOption) << module.ShortName;
        EXPECT_EQ(option.Minimum, optionMin) << module.ShortName;
        EXPECT_EQ(option.Maximum, optionMax) << module.ShortName;
        EXPECT_EQ(option.TextColour, kBlack) << module.ShortName;
    }
}

// Rows checked field by field: the shorthands, the presentation defaults and each kind of
// override.
TEST(ModuleCatalogue, SelectedParametersFieldByField) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const struct {
        int module;
        int index;
        TModuleParamInfo expected;
    } cases[] = {
        // id, index, {decimals, width, type, min, max, default, name, pick, formatter, slot, option,
        // register, colour, key}
        {3, 3, {2, 0, "s", 0, 999999, 0, "Delay On", true, dpParameter, 1, true, true, kBlue, false}},
        {3, 5, {0, 0, "i", -9999, 9999, 0, "Start", false, dpParamIO, 0, false, false, kGreen, false}},
        {4, 5, {0, 0, "n", 0, 99999, 0, "Setpoint", true, dpParameter, 1, true, true, kBlue, true}},
        {4, 10, {0, 0, "o", 0, 1000, 0, "Output Fine", false, dpParamIO, 0, false, false, kRed, true}},
        {6, 2, {0, 0, "n", 1, 9999, 0, "Indicator", false, None, 0, false, false, kBlue, false}},
        {14, 2, {0, 0, "", 0, 1, 1, "Result", true, dpParamResult, 0, false, false, kBlack, false}},
        {14, 3, {0, 0, "n", -999999, 999999, 0, "Value", false, None, 1, false, false, kBlue, false}},
        {14, 4, {0, 0, "", 0, 1000, 0, "X", true, dpParamSource, 0, false, true, kBlack, false}},
        {17, 6, {0, 0, "", 0, 1000, 0, "Unit", true, dpParamLabel, 0, false, false, kBlack, false}},
        {28, 6, {0, 0, "o", -9999, 9999, 0, "ReCalculate", false, dpParamIO, 0, false, false, kGreen, false}},
        {37, 2, {0, 0, "I", 1, 9999, 0, "Indicator", false, None, 1, true, false, kBlack, false}},
        {38, 3, {0, 0, "", 0, 1000, 0, "Source", false, dpParamSource, 0, false, true, kBlack, false}},
        {39,
         9,
         {0, 4, "", kTextParamMin, kTextParamMax, kTextParamDefault, "String[29-32]", false, dpParamString, 0,
          false, false, kGreen, false}},
        {40, 12, {0, 0, "S", -500, 500, 0, "Module Offset", false, None, 0, false, false, kWhite, false}},
        {42, 14, {0, 0, "n", 0, 9999, 0, "Index 8", true, dpParameter, 9, true, true, kBlack, false}},
        {44, 5, {0, 0, "n", 0, 1, 1, "Rule 2.5%", true, dpParamOnOff, 0, false, false, kBlack, false}},
        {44, 9, {5, 0, "n", 0, 999999, 0, "Density", true, dpParameter, 4, true, true, kBlue, false}},
        {51, 3, {0, 0, "S", 0, 500, 0, "Step 1", false, dpParamJump, 0, false, false, kWhite, false}},
        {51, 19, {0, 0, "i", -9999, 9999, 0, "Enable", true, dpParamIO, 0, false, false, kGreen, false}},
        {54, 2, {0, 0, "n", -9999999, 99999999, 0, "Index", true, dpParameter, 1, true, false, kBlue, false}},
        {57, 7, {0, 0, "", 0, 22, 0, "Operation", true, dpParamOperanXYZ, 0, false, false, kBlack, true}},
        {60, 25, {0, 0, "n", -999999, 99999999, 0, "Yref", true, dpParameter, 24, true, true, kBlue, false}},
        {61, 4, {0, 0, "O", 1, 30, 0, "Start led", false, None, 0, false, false, kRed, false}},
        {64,
         5,
         {0, 0, "n", -999999, 99999999, 0, "Result Reg", true, dpParamDestin, 3, true, true, kBlue, false}},
        {66, 3, {3, 0, "", 0, 2, 0, "Type", true, dpParamType, 0, false, false, kBlue, false}},
        {66, 7, {0, 0, "n", 0, 1, 0, "Mode", true, dpFileMode, 0, false, false, kBlue, false}},
        {72, 2, {0, 0, "n", kMin, kMax, 0, "Recipe", false, None, 1, false, false, kBlue, false}},
        {73, 7, {0, 0, "0", -9999, 9999, 0, "Operational", true, dpParamIO, 0, false, false, kRed, false}},
        {74, 3, {0, 0, "n", 0, 2, 0, "Control", true, dpParamThreadControl, 0, false, false, kWhite, false}},
    };
    for (const auto& c : cases) {
        const TModuleParamInfo& p = Param(c.module, c.index);
        const TModuleParamInfo& e = c.expected;
        const std::string where =
            std::to_string(c.module) + "/" + std::to_string(c.index) + " " + std::string(e.Name);
        EXPECT_EQ(p.Name, e.Name) << where;
        EXPECT_EQ(p.Decimals, e.Decimals) << where;
        EXPECT_EQ(p.TextWidth, e.TextWidth) << where;
        EXPECT_EQ(p.TypeLetter, e.TypeLetter) << where;
        EXPECT_EQ(p.Minimum, e.Minimum) << where;
        EXPECT_EQ(p.Maximum, e.Maximum) << where;
        EXPECT_EQ(p.Default, e.Default) << where;
        EXPECT_EQ(p.PickList, e.PickList) << where;
        EXPECT_EQ(p.Formatter, e.Formatter) << where;
        EXPECT_EQ(p.RecipeSlot, e.RecipeSlot) << where;
        EXPECT_EQ(p.Option, e.Option) << where;
        EXPECT_EQ(p.Register, e.Register) << where;
        EXPECT_EQ(p.TextColour, e.TextColour) << where;
        EXPECT_EQ(p.Key, e.Key) << where;
    }
}

TEST(ModuleCatalogue, NamesAndCaptionsKeepTheirSpelling) {
    const struct {
        int module;
        std::string_view shortName;
        std::string_view caption;
    } cases[] = {
        {14, "CALCSELF", "Calc slef"},
        {26, "IO TO VALUE", "Coversion"},
        {27, "VALUE TO IO", "Coversion"},
        {29, "PARTIT.DOSE", "Parition Dose"},
        {35, "COMP X,Y", "Compare X,Y"},
        {42, "SHIFT", "Shif register"},
        {47, "EMPTY&CHECK", "EMPTY & CHECK"},
        {53, "RETURN", "Return subrouitne"},
        {64, "TIMERMS", "Precision Timer Delay On/Off"},
        {68, "BAKNET", "Baknet protocl"},
        {73, "SAMPLE BELT", "Sample belt weigher"},
        {75, "ATOMIC BEGIN", "Start of atomic block"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindModuleDefinition(c.module)->ShortName, c.shortName);
        EXPECT_EQ(FindModuleDefinition(c.module)->Caption, c.caption);
    }
    EXPECT_EQ(Param(48, 20).Name, "Empy Time");
    EXPECT_EQ(Param(49, 8).Name, "Iminimim");
}

TEST(ModuleCatalogue, IndirectJumpsDifferOnlyInTheIndexRegisterFlag) {
    const TModuleInfo& jump = *FindModuleDefinition(51);
    const TModuleInfo& call = *FindModuleDefinition(54);
    ASSERT_EQ(jump.ParamCount, call.ParamCount);
    for (int i = 0; i < jump.ParamCount; ++i) {
        TModuleParamInfo a = jump.Params[static_cast<std::size_t>(i)];
        TModuleParamInfo b = call.Params[static_cast<std::size_t>(i)];
        if (i == 2) {
            EXPECT_TRUE(a.Register);
            EXPECT_FALSE(b.Register);
            a.Register = b.Register;
        }
        EXPECT_TRUE(a.Name == b.Name && a.TypeLetter == b.TypeLetter && a.Minimum == b.Minimum &&
                    a.Maximum == b.Maximum && a.Formatter == b.Formatter && a.RecipeSlot == b.RecipeSlot &&
                    a.PickList == b.PickList && a.Option == b.Option && a.Register == b.Register &&
                    a.TextColour == b.TextColour && a.Key == b.Key && a.Decimals == b.Decimals)
            << "parameter " << i;
    }
}

TEST(ModuleCatalogue, SharedRecipeSlotOfTheIndicatorFilter) {
    EXPECT_EQ(Param(55, 5).RecipeSlot, 4);
    EXPECT_EQ(Param(55, 6).RecipeSlot, 4);
}

}  // namespace
}  // namespace ryvorn
