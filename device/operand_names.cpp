// SPDX-License-Identifier: MIT
#include "device/operand_names.h"

#include <array>
#include <string_view>

namespace ryvorn {

namespace {

constexpr std::string_view kUnknown = "?";

// First extended register operand and the last operand value of all.
constexpr int32_t kFirstExtRegOperand = 101;
constexpr int32_t kLastExtRegOperand = 1000;

// 0 .. 14, shared by the source and parameter operands; destinations stop after the registers.
constexpr std::array<std::string_view, 15> kCommonOperands = {
    "VALUE",  "RESULT", "REG. 1", "REG. 2", "REG. 3",   "REG. 4",     "REG. 5", "REG. 6",
    "REG. 7", "REG. 8", "REG. 9", "REG.10", "SUBTOTAL", "BATCHTOTAL", "TOTAL",
};
constexpr int32_t kLastRegisterOperand = 11;

// Sources 15 .. 20.
constexpr std::array<std::string_view, 6> kSourceOnlyOperands = {
    "INDICATOR", "RECIPE ABSOLUTE", "RECIPE OFFSET", "COUNTER", "EXTENDED REGISTER", "EXT[EXT(VALUE)]",
};

// Destinations 12 .. 15: a destination cannot be a total, so these take the totals' places.
constexpr std::array<std::string_view, 4> kDestinOnlyOperands = {
    "RECIPE ABSOLUTE",
    "RECIPE OFFSET",
    "EXTENDED REGISTER",
    "EXT[EXT(VALUE)]",
};

constexpr int32_t kFirstSetupValue = 50;
constexpr std::array<std::string_view, 4> kSetupValues = {
    "BUSLINK ADDRESS",
    "STEP SIZE",
    "DECIMAL POINT",
    "MAXLOAD",
};

constexpr int32_t kFirstWeigherValue = 75;
constexpr std::array<std::string_view, 17> kWeigherValues = {
    "STATUS",           "GROSS*10",    "GROSS", "FILTERED GROSS*10",
    "FILTERED GROSS",   "NET*10",      "NET",   "FILTERED NET*10",
    "FILTERED NET",     "TARE*10",     "TARE",  "MRANGE WEIGHT*10",
    "MRANGE WEIGHT",    "MRANGE STEP", "ADC",   "MVOLT",
    "TRANSDUCER MVOLT",
};

template <std::size_t N>
bool Lookup(const std::array<std::string_view, N>& table, int32_t first, int32_t value, std::string& text) {
    const int64_t index = int64_t{value} - first;
    if (index < 0 || index >= static_cast<int64_t>(N)) return false;
    text = table[static_cast<std::size_t>(index)];
    return true;
}

bool IsExtRegOperand(int32_t value) {
    return value >= kFirstExtRegOperand && value <= kLastExtRegOperand;
}

}  // namespace

std::string SourceOperandText(int32_t value, const TSbcNameLists& names) {
    std::string text;
    if (Lookup(kCommonOperands, 0, value, text)) return text;
    if (Lookup(kSourceOnlyOperands, static_cast<int32_t>(kCommonOperands.size()), value, text)) return text;
    if (Lookup(kSetupValues, kFirstSetupValue, value, text)) return text;
    if (Lookup(kWeigherValues, kFirstWeigherValue, value, text)) return text;
    if (IsExtRegOperand(value)) return ExtRegToLabel(value, names);
    return std::string(kUnknown);
}

std::string DestinOperandText(int32_t value, const TSbcNameLists& names) {
    std::string text;
    if (value >= 0 && value <= kLastRegisterOperand)
        return std::string(kCommonOperands[static_cast<std::size_t>(value)]);
    if (Lookup(kDestinOnlyOperands, kLastRegisterOperand + 1, value, text)) return text;
    if (IsExtRegOperand(value)) return ExtRegToLabel(value, names);
    return std::string(kUnknown);
}

std::string ParameterOperandText(int32_t value, const TSbcNameLists& names) {
    std::string text;
    if (Lookup(kCommonOperands, 0, value, text)) return text;
    if (IsExtRegOperand(value)) return ExtRegToLabel(value, names);
    return std::string(kUnknown);
}

std::string SetupValueText(int32_t value) {
    std::string text;
    return Lookup(kSetupValues, kFirstSetupValue, value, text) ? text : std::string(kUnknown);
}

std::string WeigherValueText(int32_t value) {
    std::string text;
    return Lookup(kWeigherValues, kFirstWeigherValue, value, text) ? text : std::string(kUnknown);
}

std::string ExtRegToLabel(int32_t value) {
    return ExtRegToLabel(value, *SbcModule_InstalledLists());
}

std::string ExtRegToLabel(int32_t value, const TSbcNameLists& names) {
    if (names.ExtRegNames)
        for (const auto& entry : *names.ExtRegNames)
            if (entry.Item == value) return entry.Name;
    return "EXT[" + std::to_string(int64_t{value} - 100) + "]";
}

}  // namespace ryvorn
