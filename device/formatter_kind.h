// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ryvorn {

// Which formatter shows a module parameter. The enumerators carry the formatters' code
// names, so that the step editor, the cross reference and the presentation defaults can
// tell the formatters apart, and so that texts and tables can name them.
enum class TFormatterKind : uint8_t {
    None,
    dpParamLabel,
    dpParamOption,
    dpParamOnOff,
    dpParamNetGrs,
    dpParamInOut,
    dpParamSource,
    dpParamDestin,
    dpParameter,
    dpParamSetup,
    dpParamWeigher,
    dpParamOperan,
    dpParamOperanXYZ,
    dpParamResult,
    dpParamFormat,
    dpParamScale,
    dpParamIO,
    dpParamConvert,
    dpParamString,
    dpParamAbsRel,
    dpParamJump,
    dpParamBranch,
    dpParamReset,
    dpParamPhase,
    dpParamZeroAction,
    dpParamTareAction,
    dpParamStorage,
    dpFileMode,
    dpParamDirective,
    dpParamType,
    dpParamCommand,
    dpParamThreadControl,
    dpParamThreadMode,
    dpParamResultSave,
};

inline constexpr int kFormatterKindCount = static_cast<int>(TFormatterKind::dpParamResultSave) + 1;

// The code name ("dpParamIO"); empty for None.
std::string_view FormatterKindName(TFormatterKind kind);

// The kind whose code name is `name` exactly; nothing for an unknown name or the empty text.
std::optional<TFormatterKind> FormatterKindFromName(std::string_view name);

}  // namespace ryvorn
