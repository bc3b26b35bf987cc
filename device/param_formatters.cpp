// SPDX-License-Identifier: MIT
#include "device/param_formatters.h"

#include <array>
#include <initializer_list>

#include "device/fixed_point_text.h"
#include "device/operand_names.h"
#include "device/text_param.h"

namespace ryvorn {

namespace {

using TTexts = std::initializer_list<std::string_view>;

std::string FromTable(TTexts texts, int32_t value) {
    if (value < 0 || static_cast<std::size_t>(value) >= texts.size()) return std::string(kNoValueText);
    return std::string(texts.begin()[value]);
}

// Formatters that look only at bit 0 never answer "?".
std::string FromBit0(std::string_view clear, std::string_view set, int32_t value) {
    return std::string((value & 1) != 0 ? set : clear);
}

std::string LabelText(int32_t value, const TSbcNameLists& names) {
    if (value < 1 || !names.Labels) return {};
    const auto& labels = *names.Labels;
    if (static_cast<std::size_t>(value) <= labels.size()) return labels[static_cast<std::size_t>(value) - 1];
    return "Label #" + ValToStr(value, 0, 4);
}

std::string IoText(int32_t value, const TSbcNameLists& names) {
    // 64 bits: the magnitude of the most negative value does not fit 32 bits.
    const int64_t number = value < 0 ? -int64_t{value} : int64_t{value};
    const std::string prefix = value < 0 ? "NOT " : "";
    std::optional<std::string> named;
    if (names.IoNames)
        for (const auto& entry : *names.IoNames)
            if (entry.Number == number) named = prefix + entry.Name;  // the last match wins
    if (named) return *named;
    return prefix + std::to_string(number);
}

std::string DirectiveText(int32_t value) {
    // The controller treats unknown directives as the first one, so the list shows that.
    if (value > 4) value = 0;
    return FromTable({"MID-R51", "MID-R61", "MID-R106", "MID-R107", "END"}, value);
}

std::string ResultSaveText(int32_t value) {
    // 2 .. 127 address the alibi memory from 1, anything above the event memory from 1.
    if (value < 2) return FromTable({"OFF", "ON"}, value);
    if (value <= 127) return "ALIBI[" + std::to_string(value - 1) + "]";
    return "EVENT[" + std::to_string(value - 127) + "]";
}

}  // namespace

std::string FormatParam(TFormatterKind kind, int32_t value) {
    return FormatParam(kind, value, *SbcModule_InstalledLists());
}

std::string FormatParam(TFormatterKind kind, int32_t value, const TSbcNameLists& names) {
    using enum TFormatterKind;
    switch (kind) {
        case None:
            return std::to_string(value);
        case dpParamLabel:
            return LabelText(value, names);
        case dpParamOption:
            return FromBit0("NORMAL", "BACKGROUND", value);
        case dpParamOnOff:
            return FromTable({"OFF", "ON"}, value);
        case dpParamNetGrs:
            return FromTable({"NET", "GROSS"}, value);
        case dpParamInOut:
            return FromTable({"IN", "OUT"}, value);
        case dpParamSource:
            return SourceOperandText(value, names);
        case dpParamDestin:
            return DestinOperandText(value, names);
        case dpParameter:
            return ParameterOperandText(value, names);
        case dpParamSetup:
            return SetupValueText(value);
        case dpParamWeigher:
            return WeigherValueText(value);
        case dpParamOperan:
            return FromTable({"Y=X",
                              "Y=Y+X",
                              "Y=Y-X",
                              "Y=Y*X",
                              "Y=Y DIV X",
                              "Y=Y MOD X",
                              "Y=Y/X",
                              "Y=Y%X",
                              "Y=X%Y",
                              "Y=-X",
                              "Y=ABSOLUTE(X)",
                              "Y=NOT X",
                              "Y=Y AND X",
                              "Y=Y OR X",
                              "Y=Y XOR X",
                              "Y=STAT.CLEAR",
                              "Y=STAT.ADD",
                              "Y=STAT.SUB",
                              "Y=STAT.COUNT",
                              "Y=STAT.TOTAL",
                              "Y=STAT.AVERAGE",
                              "Y=STAT.STDDEV (n-1) ",
                              "Z=STAT.STDDEV (n)"},
                             value);
        case dpParamOperanXYZ:
            return FromTable({"Z=X",
                              "Z=X+Y",
                              "Z=X-Y",
                              "Z=X*Y",
                              "Z=X DIV Y",
                              "Z=X MOD Y",
                              "Z=X/Y",
                              "Z=X%Y",
                              "Z=X%Y",
                              "Z=-X",
                              "Z=ABSOLUTE(X)",
                              "Z=NOT X",
                              "Z=X AND Y",
                              "Z=X OR Y",
                              "Z=X XOR Y",
                              "Z=STAT.CLEAR",
                              "Z=STAT.ADD",
                              "Z=STAT.SUB",
                              "Z=STAT.COUNT",
                              "Z=STAT.TOTAL",
                              "Z=STAT.AVERAGE",
                              "Z=STAT.STDDEV (n-1) ",
                              "Z=STAT.STDDEV (n)"},
                             value);
        case dpParamResult:
            return FromTable({"RESULT", "ALWAYS"}, value);
        case dpParamFormat:
            // Six zero-filled formats with 0 to 5 decimals, then the same blank-filled.
            return FromTable({" 0000000", " 000000.0", " 00000.00", " 0000.000", " 000.0000", " 00.00000",
                              "       0", "      0.0", "     0.00", "    0.000", "   0.0000", "  0.00000"},
                             value);
        case dpParamScale:
            return FromTable({"d/s", "d/min", "d/hour", "1.000d/s", "1.000d/min", "1.000/hour", "1.000.000/s",
                              "1.000.000/min", "1.000.000/hour"},
                             value);
        case dpParamIO:
            return IoText(value, names);
        case dpParamConvert:
            return FromTable({"HEX", "BCD"}, value);
        case dpParamString:
            return UnpackTextParam(value);
        case dpParamAbsRel:
            return FromTable({"Absolute", "Relative"}, value);
        case dpParamJump:
            return value < 1 ? std::string(kNoValueText) : std::to_string(value);
        case dpParamBranch:
        case dpParamReset:
            return std::to_string(value);
        case dpParamPhase:
            return FromTable({"Start Phase", "Internal Phase", "End Phase"}, value);
        case dpParamZeroAction:
            return FromTable({"Zero Set", "Zero Reset"}, value);
        case dpParamTareAction:
            return FromTable({"Tare Set", "Tare Reset", "Tare Auto", "Tare Get", "pTare Set"}, value);
        case dpParamStorage:
            return FromBit0("USB Stick", "Internal Flash", value);
        case dpFileMode:
            return FromBit0("Append", "Truncate", value);
        case dpParamDirective:
            return DirectiveText(value);
        case dpParamType:
            return FromTable({"Recipe", "External Registers", "Labels"}, value);
        case dpParamCommand:
            return FromTable(
                {"Test", "Water + Temperature", "Start", "Pause", "Stop", "Reset alarm", "Get Actuals",
                 "Dosing off", "Dosing on", "On Line", "Off Line", "Write", "Read"},
                value);
        case dpParamThreadControl:
            return FromTable({"Stop", "Start", "Pauze"}, value);
        case dpParamThreadMode:
            return FromTable({"Task", "Plc"}, value);
        case dpParamResultSave:
            return ResultSaveText(value);
    }
    return std::string(kNoValueText);
}

std::optional<std::string> FormatByKindName(std::string_view kindName, int32_t value) {
    const auto kind = FormatterKindFromName(kindName);
    if (!kind) return std::nullopt;
    return FormatParam(*kind, value);
}

// One function per kind, so that a record's formatter can also be handed on as a callable.
#define RYVORN_DEFINE_FORMATTER(kind)                    \
    std::string kind(int32_t value) {                    \
        return FormatParam(TFormatterKind::kind, value); \
    }

RYVORN_DEFINE_FORMATTER(dpParamLabel)
RYVORN_DEFINE_FORMATTER(dpParamOption)
RYVORN_DEFINE_FORMATTER(dpParamOnOff)
RYVORN_DEFINE_FORMATTER(dpParamNetGrs)
RYVORN_DEFINE_FORMATTER(dpParamInOut)
RYVORN_DEFINE_FORMATTER(dpParamSource)
RYVORN_DEFINE_FORMATTER(dpParamDestin)
RYVORN_DEFINE_FORMATTER(dpParameter)
RYVORN_DEFINE_FORMATTER(dpParamSetup)
RYVORN_DEFINE_FORMATTER(dpParamWeigher)
RYVORN_DEFINE_FORMATTER(dpParamOperan)
RYVORN_DEFINE_FORMATTER(dpParamOperanXYZ)
RYVORN_DEFINE_FORMATTER(dpParamResult)
RYVORN_DEFINE_FORMATTER(dpParamFormat)
RYVORN_DEFINE_FORMATTER(dpParamScale)
RYVORN_DEFINE_FORMATTER(dpParamIO)
RYVORN_DEFINE_FORMATTER(dpParamConvert)
RYVORN_DEFINE_FORMATTER(dpParamString)
RYVORN_DEFINE_FORMATTER(dpParamAbsRel)
RYVORN_DEFINE_FORMATTER(dpParamJump)
RYVORN_DEFINE_FORMATTER(dpParamBranch)
RYVORN_DEFINE_FORMATTER(dpParamReset)
RYVORN_DEFINE_FORMATTER(dpParamPhase)
RYVORN_DEFINE_FORMATTER(dpParamZeroAction)
RYVORN_DEFINE_FORMATTER(dpParamTareAction)
RYVORN_DEFINE_FORMATTER(dpParamStorage)
RYVORN_DEFINE_FORMATTER(dpFileMode)
RYVORN_DEFINE_FORMATTER(dpParamDirective)
RYVORN_DEFINE_FORMATTER(dpParamType)
RYVORN_DEFINE_FORMATTER(dpParamCommand)
RYVORN_DEFINE_FORMATTER(dpParamThreadControl)
RYVORN_DEFINE_FORMATTER(dpParamThreadMode)
RYVORN_DEFINE_FORMATTER(dpParamResultSave)

#undef RYVORN_DEFINE_FORMATTER

TParamFormatter FormatterFunction(TFormatterKind kind) {
    using K = TFormatterKind;
    static constexpr std::array<TParamFormatter, kFormatterKindCount> kFunctions = {
        nullptr,
        &dpParamLabel,
        &dpParamOption,
        &dpParamOnOff,
        &dpParamNetGrs,
        &dpParamInOut,
        &dpParamSource,
        &dpParamDestin,
        &dpParameter,
        &dpParamSetup,
        &dpParamWeigher,
        &dpParamOperan,
        &dpParamOperanXYZ,
        &dpParamResult,
        &dpParamFormat,
        &dpParamScale,
        &dpParamIO,
        &dpParamConvert,
        &dpParamString,
        &dpParamAbsRel,
        &dpParamJump,
        &dpParamBranch,
        &dpParamReset,
        &dpParamPhase,
        &dpParamZeroAction,
        &dpParamTareAction,
        &dpParamStorage,
        &dpFileMode,
        &dpParamDirective,
        &dpParamType,
        &dpParamCommand,
        &dpParamThreadControl,
        &dpParamThreadMode,
        &dpParamResultSave,
    };
    static_assert(static_cast<int>(K::dpParamResultSave) == kFormatterKindCount - 1);
    const auto index = static_cast<std::size_t>(kind);
    return index < kFunctions.size() ? kFunctions[index] : nullptr;
}

}  // namespace ryvorn
