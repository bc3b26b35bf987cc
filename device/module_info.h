// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "device/formatter_kind.h"

namespace ryvorn {

inline constexpr int kModuleCount = 79;      // module ids 0 to 78
inline constexpr int kMaxModuleParams = 32;  // the parameters a program step can carry

struct TRgbColour {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    friend constexpr bool operator==(const TRgbColour&, const TRgbColour&) = default;
};

inline constexpr TRgbColour kBlack{0, 0, 0};
inline constexpr TRgbColour kWhite{255, 255, 255};
inline constexpr TRgbColour kRed{255, 0, 0};
inline constexpr TRgbColour kGreen{0, 128, 0};
inline constexpr TRgbColour kBlue{0, 0, 255};
inline constexpr TRgbColour kPurple{128, 0, 128};

// One parameter of a module: a signed 32-bit value in every program step of that module.
struct TModuleParamInfo {
    uint8_t Decimals = 0;         // the stored integer is the shown value x 10^Decimals
    uint8_t TextWidth = 0;        // 4 for a text parameter (four characters in the value)
    std::string_view TypeLetter;  // unit text beside a recipe value; "S" step, "i"/"o" I/O number
    int32_t Minimum = 0;
    int32_t Maximum = 0;
    int32_t Default = 0;
    std::string_view Name;  // empty only for the entries beyond the module's count
    bool PickList = false;  // the step editor offers the formatter's value list
    TFormatterKind Formatter = TFormatterKind::None;
    uint8_t RecipeSlot = 0;  // 0: none; else bit (1 << slot) of a step's recipe mask
    bool Option = false;     // may hold an operand reference instead of a number
    bool Register = false;   // the value can name a register or an extended register
    TRgbColour TextColour;
    bool Key = false;
};

struct TModuleInfo {
    std::string_view ShortName;
    std::string_view Caption;
    uint8_t ModuleId = 0;                                     // equals the record's index in the table
    uint8_t ParamCount = 0;                                   // 2 to 32
    std::array<TModuleParamInfo, kMaxModuleParams> Params{};  // 0 .. ParamCount - 1 defined
};

}  // namespace ryvorn
