// SPDX-License-Identifier: MIT
#include "device/formatter_kind.h"

#include <array>

namespace ryvorn {

namespace {

// In enumerator order.
constexpr std::array<std::string_view, kFormatterKindCount> kNames = {
    "",
    "dpParamLabel",
    "dpParamOption",
    "dpParamOnOff",
    "dpParamNetGrs",
    "dpParamInOut",
    "dpParamSource",
    "dpParamDestin",
    "dpParameter",
    "dpParamSetup",
    "dpParamWeigher",
    "dpParamOperan",
    "dpParamOperanXYZ",
    "dpParamResult",
    "dpParamFormat",
    "dpParamScale",
    "dpParamIO",
    "dpParamConvert",
    "dpParamString",
    "dpParamAbsRel",
    "dpParamJump",
    "dpParamBranch",
    "dpParamReset",
    "dpParamPhase",
    "dpParamZeroAction",
    "dpParamTareAction",
    "dpParamStorage",
    "dpFileMode",
    "dpParamDirective",
    "dpParamType",
    "dpParamCommand",
    "dpParamThreadControl",
    "dpParamThreadMode",
    "dpParamResultSave",
};

}  // namespace

std::string_view FormatterKindName(TFormatterKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kNames.size() ? kNames[index] : std::string_view{};
}

std::optional<TFormatterKind> FormatterKindFromName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (std::size_t i = 1; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<TFormatterKind>(i);
    return std::nullopt;
}

}  // namespace ryvorn
