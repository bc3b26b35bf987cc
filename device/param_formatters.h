// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/formatter_kind.h"
#include "device/installed_name_lists.h"

namespace ryvorn {

// The texts a module parameter's stored value is shown as. Every formatter with a table of
// texts answers "?" outside that table: the step editor builds a value list by formatting
// 0, 1, 2, ... and stops at the first "?". No formatter fails.
inline constexpr std::string_view kNoValueText = "?";

// The text of `value` for the formatter `kind`, reading the installed name lists (or the
// given ones). A parameter without a formatter shows the decimal value.
std::string FormatParam(TFormatterKind kind, int32_t value);
std::string FormatParam(TFormatterKind kind, int32_t value, const TSbcNameLists& names);

// FormatParam for a kind given by its code name ("dpParamIO"); nothing for an unknown name.
std::optional<std::string> FormatByKindName(std::string_view kindName, int32_t value);

using TParamFormatter = std::string (*)(int32_t value);

// The formatter function of a kind; null for None.
TParamFormatter FormatterFunction(TFormatterKind kind);

// The formatters, one per kind; those that show names read the installed name lists.
std::string dpParamLabel(int32_t value);
std::string dpParamOption(int32_t value);
std::string dpParamOnOff(int32_t value);
std::string dpParamNetGrs(int32_t value);
std::string dpParamInOut(int32_t value);
std::string dpParamSource(int32_t value);
std::string dpParamDestin(int32_t value);
std::string dpParameter(int32_t value);
std::string dpParamSetup(int32_t value);
std::string dpParamWeigher(int32_t value);
std::string dpParamOperan(int32_t value);
std::string dpParamOperanXYZ(int32_t value);
std::string dpParamResult(int32_t value);
std::string dpParamFormat(int32_t value);
std::string dpParamScale(int32_t value);
std::string dpParamIO(int32_t value);
std::string dpParamConvert(int32_t value);
std::string dpParamString(int32_t value);
std::string dpParamAbsRel(int32_t value);
std::string dpParamJump(int32_t value);
std::string dpParamBranch(int32_t value);
std::string dpParamReset(int32_t value);
std::string dpParamPhase(int32_t value);
std::string dpParamZeroAction(int32_t value);
std::string dpParamTareAction(int32_t value);
std::string dpParamStorage(int32_t value);
std::string dpFileMode(int32_t value);
std::string dpParamDirective(int32_t value);
std::string dpParamType(int32_t value);
std::string dpParamCommand(int32_t value);
std::string dpParamThreadControl(int32_t value);
std::string dpParamThreadMode(int32_t value);
std::string dpParamResultSave(int32_t value);

}  // namespace ryvorn
