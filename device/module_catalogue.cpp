// SPDX-License-Identifier: MIT
#include "device/module_catalogue.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "device/param_presentation.h"
#include "device/text_param.h"

namespace ryvorn {

namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// Builds one parameter record: the formatter brings its presentation defaults, the
// modifiers then set what a parameter has beyond them.
class P {
  public:
    constexpr P(std::string_view name, std::string_view typeLetter, int32_t minimum, int32_t maximum,
                TFormatterKind formatter = TFormatterKind::None) {
        const TParamPresentation presentation = DefaultPresentation(formatter, typeLetter);
        Info_.Name = name;
        Info_.TypeLetter = typeLetter;
        Info_.Minimum = minimum;
        Info_.Maximum = maximum;
        Info_.Formatter = formatter;
        Info_.PickList = presentation.PickList;
        Info_.Option = presentation.Option;
        Info_.Register = presentation.Register;
        Info_.TextColour = presentation.TextColour;
    }

    constexpr P Dec(uint8_t decimals) const {
        P p = *this;
        p.Info_.Decimals = decimals;
        return p;
    }
    constexpr P Slot(uint8_t slot) const {
        P p = *this;
        p.Info_.RecipeSlot = slot;
        return p;
    }
    constexpr P Key() const {
        P p = *this;
        p.Info_.Key = true;
        return p;
    }
    constexpr P Default(int32_t value) const {
        P p = *this;
        p.Info_.Default = value;
        return p;
    }
    constexpr P PickList() const {
        P p = *this;
        p.Info_.PickList = true;
        return p;
    }
    constexpr P NoPickList() const {
        P p = *this;
        p.Info_.PickList = false;
        return p;
    }
    constexpr P Option() const {
        P p = *this;
        p.Info_.Option = true;
        return p;
    }
    constexpr P NoRegister() const {
        P p = *this;
        p.Info_.Register = false;
        return p;
    }
    constexpr P Colour(TRgbColour colour) const {
        P p = *this;
        p.Info_.TextColour = colour;
        return p;
    }
    constexpr P TextWidth(uint8_t width) const {
        P p = *this;
        p.Info_.TextWidth = width;
        return p;
    }

    constexpr const TModuleParamInfo& Info() const { return Info_; }

  private:
    TModuleParamInfo Info_;
};

// The shorthands of the catalogue: the common kinds of parameter.
constexpr P In(std::string_view name) {
    return P(name, "i", -9999, 9999, TFormatterKind::dpParamIO);
}
constexpr P Out(std::string_view name) {
    return P(name, "o", 0, 1000, TFormatterKind::dpParamIO);
}
constexpr P Step(std::string_view name) {
    return P(name, "S", 0, 500, TFormatterKind::dpParamJump);
}
constexpr P Ind(std::string_view name) {
    return P(name, "I", 1, 9999);
}
constexpr P Src(std::string_view name) {
    return P(name, "", 0, 1000, TFormatterKind::dpParamSource);
}
constexpr P Dst(std::string_view name) {
    return P(name, "", 0, 1000, TFormatterKind::dpParamDestin);
}
constexpr P OnOff(std::string_view name) {
    return P(name, "", 0, 1, TFormatterKind::dpParamOnOff);
}
constexpr P Value(std::string_view name) {
    return P(name, "n", -999999, 999999).Slot(1);
}
constexpr P Par(std::string_view name) {
    return P(name, "n", 0, 999999, TFormatterKind::dpParameter);
}
// Four characters of a comment.
constexpr P Text(std::string_view name) {
    return P(name, "", kTextParamMin, kTextParamMax, TFormatterKind::dpParamString)
        .TextWidth(kTextParamWidth)
        .Default(kTextParamDefault);
}

struct TIndexedParam {
    int Index;
    P Param;
};

// Every module starts with its step's label number and its run option; a module lists
// these two only where it differs.
constexpr TModuleInfo Module(int id, std::string_view shortName, std::string_view caption, int count,
                             std::initializer_list<TIndexedParam> params) {
    if (count < 2 || count > kMaxModuleParams) throw std::logic_error("parameter count out of range");
    TModuleInfo info;
    info.ShortName = shortName;
    info.Caption = caption;
    info.ModuleId = static_cast<uint8_t>(id);
    info.ParamCount = static_cast<uint8_t>(count);
    info.Params[0] = P("Label", "", 0, 1000, TFormatterKind::dpParamLabel).Info();
    info.Params[1] = P("Option", "", 0, 1, TFormatterKind::dpParamOption).Info();
    uint32_t given = 0;
    for (const TIndexedParam& entry : params) {
        // A slip in the table below stops the build here instead of shifting parameters.
        if (entry.Index < 0 || entry.Index >= count)
            throw std::logic_error("parameter index beyond the count");
        if ((given & (1u << entry.Index)) != 0) throw std::logic_error("parameter given twice");
        given |= 1u << entry.Index;
        info.Params[static_cast<std::size_t>(entry.Index)] = entry.Param.Info();
    }
    return info;
}

// One entry per module: id, short name, caption, parameter count, then {index, parameter}
// for every parameter beyond the standard two. Captions and names are the controller's own
// texts, spelling included.
// clang-format off
constexpr std::array<TModuleInfo, kModuleCount> BuildTable() {
    using enum TFormatterKind;
    return {{
        Module(0, "END", "Stop line", 2, {}),
        Module(1, "JUMP", "Jump to step", 4, {
            {2, P("Step", "S", 1, 500, dpParamJump)},
            {3, P("Enable", "i", -9999, 9999, dpParamIO).PickList()},
        }),
        Module(2, "OUTPUT", "Set/Reset Output", 11, {
            {2, OnOff("On/Off")},
            {3, P("Output 1", "o", 0, 9999, dpParamIO)},
            {4, Out("Output 2")},
            {5, Out("Output 3")},
            {6, Out("Output 4")},
            {7, Out("Output 5")},
            {8, Out("Output 6")},
            {9, Out("Output 7")},
            {10, Out("Output 8")},
        }),
        Module(3, "TIMER", "Timer Delay On/Off", 7, {
            {2, P("Output", "o", 0, 1000, dpParamIO).Key()},
            {3, P("Delay On", "s", 0, 999999, dpParameter).Dec(2).Slot(1)},
            {4, P("Delay Off", "s", 0, 999999, dpParameter).Dec(2).Slot(2)},
            {5, In("Start")},
            {6, In("Enable")},
        }),
        Module(4, "DOSE", "General Dose", 16, {
            {2, Ind("Indicator")},
            {3, P("Net/Gross", "", 0, 1, dpParamNetGrs)},
            {4, P("In/Out", "", 0, 1, dpParamInOut)},
            {5, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1).Key()},
            {6, P("Turnover", "n", 0, 99999, dpParameter).Slot(2)},
            {7, P("Inflight", "n", -99999, 99999, dpParameter).Slot(3)},
            {8, P("Correction", "%", 0, 50, dpParameter).Slot(4)},
            {9, P("KEBT", "s", 0, 99999, dpParameter).Dec(2).Slot(5)},
            {10, P("Output Fine", "o", 0, 1000, dpParamIO).Key()},
            {11, P("Output Coarse", "o", 0, 1000, dpParamIO).Key()},
            {12, P("Delay Fine", "s", 0, 99999).Dec(2)},
            {13, P("Delay Coarse", "s", 0, 99999).Dec(2)},
            {14, In("Start")},
            {15, In("Enable")},
        }),
        Module(5, "IN NET", "Dose In Net", 11, {
            {2, Ind("Indicator")},
            {3, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1)},
            {4, P("Turnover", "n", 0, 99999, dpParameter).Slot(2)},
            {5, P("Inflight", "n", -99999, 99999, dpParameter).Slot(3)},
            {6, P("Correction", "%", 0, 50, dpParameter).Slot(4)},
            {7, Out("Output Fine")},
            {8, Out("Output Coarse")},
            {9, In("Start")},
            {10, In("Enable")},
        }),
        Module(6, "IN GROSS", "Dose In Gross", 11, {
            {2, P("Indicator", "n", 1, 9999)},
            {3, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1)},
            {4, P("Turnover", "n", 0, 99999, dpParameter).Slot(2)},
            {5, P("Inflight", "n", -99999, 99999, dpParameter).Slot(3)},
            {6, P("Correction", "%", 0, 50, dpParameter).Slot(4)},
            {7, Out("Output Fine")},
            {8, Out("Output Coarse")},
            {9, In("Start")},
            {10, In("Enable")},
        }),
        Module(7, "OUT NET", "Dose Out Net", 11, {
            {2, Ind("Indicator")},
            {3, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1)},
            {4, P("Turnover", "n", 0, 99999, dpParameter).Slot(2)},
            {5, P("Inflight", "n", -99999, 99999, dpParameter).Slot(3)},
            {6, P("Correction", "%", 0, 50, dpParameter).Slot(4)},
            {7, Out("Output Fine")},
            {8, Out("Output Coarse")},
            {9, In("Start")},
            {10, In("Enable")},
        }),
        Module(8, "OUT GROSS", "Dose Out Gross", 11, {
            {2, Ind("Indicator")},
            {3, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1)},
            {4, P("Turnover", "n", 0, 99999, dpParameter).Slot(2)},
            {5, P("Inflight", "n", -99999, 99999, dpParameter).Slot(3)},
            {6, P("Correction", "%", 0, 50, dpParameter).Slot(4)},
            {7, Out("Output Fine")},
            {8, Out("Output Coarse")},
            {9, In("Start")},
            {10, In("Enable")},
        }),
        Module(9, "AND", "Logic And", 12, {
            {2, P("Input 1", "i", -9999, 9999, dpParamIO).Key()},
            {3, P("Input 2", "i", -9999, 9999, dpParamIO).Key()},
            {4, In("Input 3")},
            {5, In("Input 4")},
            {6, In("Input 5")},
            {7, In("Input 6")},
            {8, In("Input 7")},
            {9, In("Input 8")},
            {10, Out("Output H")},
            {11, Out("Output L")},
        }),
        Module(10, "OR", "Logic Or", 12, {
            {2, P("Input 1", "i", -9999, 9999, dpParamIO).Key()},
            {3, P("Input 2", "i", -9999, 9999, dpParamIO).Key()},
            {4, In("Input 3")},
            {5, In("Input 4")},
            {6, In("Input 5")},
            {7, In("Input 6")},
            {8, In("Input 7")},
            {9, In("Input 8")},
            {10, Out("Output H")},
            {11, Out("Output L")},
        }),
        Module(11, "SETRESET", "Logic Set/Reset", 6, {
            {2, In("Input Set")},
            {3, In("Input Reset")},
            {4, Out("Output H")},
            {5, Out("Output L")},
        }),
        Module(12, "WAIT 4 AND", "Wait For Logic And", 12, {
            {2, In("Input 1")},
            {3, In("Input 2")},
            {4, In("Input 3")},
            {5, In("Input 4")},
            {6, In("Input 5")},
            {7, In("Input 6")},
            {8, In("Input 7")},
            {9, In("Input 8")},
            {10, Out("Output H")},
            {11, Out("Output L")},
        }),
        Module(13, "WAIT 4 OR", "Wait For Logic Or", 12, {
            {2, In("Input 1")},
            {3, In("Input 2")},
            {4, In("Input 3")},
            {5, In("Input 4")},
            {6, In("Input 5")},
            {7, In("Input 6")},
            {8, In("Input 7")},
            {9, In("Input 8")},
            {10, Out("Output H")},
            {11, Out("Output L")},
        }),
        Module(14, "CALCSELF", "Calc slef", 7, {
            {2, P("Result", "", 0, 1, dpParamResult).Default(1)},
            {3, Value("Value")},
            {4, Src("X")},
            {5, Dst("Y")},
            {6, P("Operation", "", 0, 22, dpParamOperan)},
        }),
        Module(15, "COMPARE", "Compare", 11, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, P("Lower", "n", -999999, 999999, dpParameter).Slot(2)},
            {5, P("Equal", "n", -999999, 999999, dpParameter).Slot(3)},
            {6, P("Higher", "n", -999999, 999999, dpParameter).Slot(4)},
            {7, Out("Low Output")},
            {8, Out("Equal Output")},
            {9, Out("High Output")},
            {10, In("Enable")},
        }),
        Module(16, "DAC", "Analog Output", 8, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, P("Channel", "c", 0, 32)},
            {5, P("Low", "n", 0, 999999, dpParameter).Slot(2)},
            {6, P("High", "n", 0, 999999, dpParameter).Slot(3)},
            {7, In("Enable")},
        }),
        Module(17, "RESULT", "Result Loging", 11, {
            {2, P("Result", "", 0, 1, dpParamResult).Default(1)},
            {3, P("Value", "n", -999999, 9999999).Slot(1)},
            {4, Src("Source")},
            {5, P("Format", "", 0, 11, dpParamFormat)},
            {6, P("Unit", "", 0, 1000, dpParamLabel).Colour(kBlack)},
            {7, P("TAG", "n", -999999, 9999999, dpParameter).Slot(2)},
            {8, OnOff("Total")},
            {9, P("Save", "", 0, 256, dpParamResultSave)},
            {10, OnOff("Print")},
        }),
        Module(18, "TOTAL", "Total", 5, {
            {2, OnOff("SubTotal")},
            {3, OnOff("BatchTotal")},
            {4, OnOff("Total")},
        }),
        Module(19, "RESTART", "Restart Line", 3, {
            {2, In("Enable")},
        }),
        Module(20, "LEVEL", "Wait 4 Level", 11, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, P("Lower", "n", -999999, 999999, dpParameter).Slot(2)},
            {5, P("Equal", "n", -999999, 999999, dpParameter).Slot(3)},
            {6, P("Higher", "n", -999999, 999999, dpParameter).Slot(4)},
            {7, Out("Low Output")},
            {8, Out("Equal Output")},
            {9, Out("High Output")},
            {10, In("Enable")},
        }),
        Module(21, "BRANCH", "Branch to offset", 4, {
            {2, P("Step Offset", "S", -500, 500, dpParamBranch)},
            {3, In("Enable")},
        }),
        Module(22, "INDICATOR", "Indicator update", 11, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, Ind("Indicator")},
            {5, P("Ref.Indicator", "I", 0, 9999, dpParameter).Slot(2)},
            {6, P("Decimal", "", 0, 9999, dpParameter)},
            {7, In("Avail")},
            {8, In("Stable")},
            {9, In("Error")},
            {10, OnOff("Reset")},
        }),
        Module(23, "FLOW", "Flow Indicator", 15, {
            {1, P("Option", "", 1, 1, dpParamOption)},
            {2, Value("Value")},
            {3, Src("Source")},
            {4, Ind("Indicator")},
            {5, P("Ref.Indicator", "I", 0, 9999)},
            {6, P("Decimal", "", 0, 5, dpParamFormat)},
            {7, P("Scale", "", 0, 8, dpParamScale)},
            {8, P("MaxTime", "s", 0, 999999).Dec(2)},
            {9, P("MaxLevel", "n", 0, 999999)},
            {10, In("Avail")},
            {11, In("Stable")},
            {12, In("Error")},
            {13, Out("Time")},
            {14, Out("Level")},
        }),
        Module(24, "RESET", "Reset Module", 4, {
            {2, P("Step", "S", 1, 500, dpParamReset)},
            {3, In("Enable")},
        }),
        Module(25, "MANUAL DOSE", "Manual Dose", 12, {
            {2, Ind("Indicator")},
            {3, P("Net/Gross", "", 0, 1, dpParamNetGrs)},
            {4, P("In/Out", "", 0, 1, dpParamInOut)},
            {5, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1)},
            {6, Out("Output Busy")},
            {7, P("Output Level", "0", 0, 1000, dpParamIO)},
            {8, Out("Output Tare")},
            {9, P("Start", "i", -9999, 99999, dpParamIO)},
            {10, In("Enable")},
            {11, In("Stop")},
        }),
        Module(26, "IO TO VALUE", "Coversion", 8, {
            {2, Value("Value")},
            {3, Dst("Destination")},
            {4, P("Input Start", "i", 0, 9999, dpParamIO)},
            {5, P("Input End", "i", 0, 9999, dpParamIO)},
            {6, P("Operation", "", 0, 2, dpParamConvert)},
            {7, In("Enable")},
        }),
        Module(27, "VALUE TO IO", "Coversion", 8, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, Out("Output Start")},
            {5, Out("Output End")},
            {6, P("Operation", "", 0, 2, dpParamConvert)},
            {7, In("Enable")},
        }),
        Module(28, "PARTITION", "Partition Manager", 7, {
            {2, P("Amount", "n", 0, 200000, dpParameter).Slot(1)},
            {3, P("Setpoint", "n", 0, 999999, dpParameter).Slot(2)},
            {4, P("Minimum", "n", 0, 999999, dpParameter).Slot(3)},
            {5, Out("Busy")},
            {6, P("ReCalculate", "o", -9999, 9999, dpParamIO).Colour(kGreen)},
        }),
        Module(29, "PARTIT.DOSE", "Parition Dose", 18, {
            {2, Ind("Indicator")},
            {3, P("Net/Gross", "", 0, 1, dpParamNetGrs)},
            {4, P("In/Out", "", 0, 1, dpParamInOut)},
            {5, P("AutoCalc", "n", 0, 99999).Slot(1)},
            {6, P("Turnover", "n", 0, 99999, dpParameter).Slot(2)},
            {7, P("Inflight", "n", -99999, 99999, dpParameter).Slot(3)},
            {8, P("Percentage", "%", 0, 10000, dpParameter).Dec(2).Slot(4)},
            {9, P("Parition", "n", -500, 500).Colour(kWhite)},
            {10, P("Correction", "%", 0, 50)},
            {11, P("KEBT", "s", 0, 99999).Dec(2)},
            {12, Out("Output Fine")},
            {13, Out("Output Coarse")},
            {14, P("Delay Fine", "s", 0, 99999).Dec(2)},
            {15, P("Delay Coarse", "s", 0, 99999).Dec(2)},
            {16, In("Start")},
            {17, In("Enable")},
        }),
        Module(30, "PULSCOUNT", "Puls Counter", 7, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, P("Counter", "n", 1, 8)},
            {5, In("Reset")},
            {6, In("Set")},
        }),
        Module(31, "STABLE", "Stable detection", 11, {
            {2, Ind("Indicator")},
            {3, P("Parts", "n", 0, 9999, dpParameter).Slot(1)},
            {4, P("Time", "s", 0, 99999, dpParameter).Dec(2).Slot(2)},
            {5, P("Timeout", "s", 0, 99999, dpParameter).Dec(2).Slot(3)},
            {6, OnOff("Ind.Stable")},
            {7, Out("Stable")},
            {8, Out("Failed")},
            {9, In("Start")},
            {10, In("Enable")},
        }),
        Module(32, "QUEUE", "Indicators Queue", 7, {
            {2, Ind("Start Ind")},
            {3, P("End Ind.", "n", 1, 9999)},
            {4, In("Next")},
            {5, In("Previous")},
            {6, OnOff("Rotate")},
        }),
        Module(33, "EDGE", "Edge detection", 10, {
            {2, In("Input 1")},
            {3, In("Input 2")},
            {4, In("Input 3")},
            {5, In("Input 4")},
            {6, Out("Output 1")},
            {7, Out("Output 2")},
            {8, Out("Output 3")},
            {9, Out("Output 4")},
        }),
        Module(34, "MESSAGE", "User Interface", 15, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, Dst("Destination")},
            {5, P("Min", "n", -99999999, 999999999, dpParameter).Slot(2).Colour(kBlack)},
            {6, P("Max", "n", -99999999, 999999999, dpParameter).Slot(3).Colour(kBlack)},
            {7, P("String", "", 0, 1000, dpParamLabel)},
            {8, P("Unit", "", 0, 1000, dpParamLabel)},
            {9, P("Format", "", 0, 11, dpParamFormat)},
            {10, OnOff("Edit")},
            {11, OnOff("List")},
            {12, In("Popup")},
            {13, Out("Output")},
            {14, In("Enable")},
        }),
        Module(35, "COMP X,Y", "Compare X,Y", 9, {
            {2, Value("Value")},
            {3, Src("X")},
            {4, Dst("Y")},
            {5, Out("Output Low")},
            {6, Out("Output Equal")},
            {7, Out("Output High")},
            {8, In("Enable")},
        }),
        Module(36, "RECSEL", "RECIPE SELECTOR", 5, {
            {2, Value("Value")},
            {3, Src("X")},
            {4, In("Enable")},
        }),
        Module(37, "INDAVAIL", "INDICATOR AVAIL", 4, {
            {2, P("Indicator", "I", 1, 9999).Slot(1).Option().Colour(kBlack)},
            {3, Out("Output")},
        }),
        Module(38, "PROPORTIONAL", "Proportional", 12, {
            {2, Value("Value")},
            {3, P("Source", "", 0, 1000, dpParamSource).NoPickList()},
            {4, P("Destination", "", 0, 1000, dpParamDestin).NoPickList()},
            {5, P("Setpoint", "n", -999999, 999999, dpParameter).Slot(2)},
            {6, P("Error", "n", -999999, 999999, dpParameter).Slot(3)},
            {7, P("Correction", "n", -999999, 999999, dpParameter).Slot(4)},
            {8, P("MaxStep", "n", -999999, 999999, dpParameter).Slot(5)},
            {9, P("Range", "n", -999999, 999999, dpParameter).Slot(6)},
            {10, Out("Output Low")},
            {11, Out("Output High")},
        }),
        Module(39, "COMMENT", "Comment", 10, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, Text("String[1-4]")},
            {3, Text("String[5-8]")},
            {4, Text("String[9-12]")},
            {5, Text("String[13-16]")},
            {6, Text("String[17-20]")},
            {7, Text("String[21-24]")},
            {8, Text("String[25-28]")},
            {9, Text("String[29-32]")},
        }),
        Module(40, "TOLERANCE", "Tolerance", 13, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, P("Mode", "", 0, 1, dpParamAbsRel)},
            {3, P("Minimum", "n", -99999, 99999, dpParameter).Slot(1).Colour(kBlack)},
            {4, P("Maximum", "n", -99999, 99999, dpParameter).Slot(2).Colour(kBlack)},
            {5, P("Min.Procent", "%", 0, 10000, dpParameter).Dec(2).Slot(3).Colour(kBlack)},
            {6, P("Max.Procent", "%", 0, 10000, dpParameter).Dec(2).Slot(4).Colour(kBlack)},
            {7, P("Interval", "s", 0, 99999, dpParameter).Dec(2).Slot(5).Colour(kBlack)},
            {8, Out("Output Low")},
            {9, Out("Output High")},
            {10, Out("Output Ready")},
            {11, In("Input Stop")},
            {12, P("Module Offset", "S", -500, 500).Colour(kWhite)},
        }),
        Module(41, "FILLEXT", "Fill Extended", 27, {
            {2, P("Indicator", "I", 1, 9999).Colour(kBlack)},
            {3, P("Net/Gross", "", 0, 1, dpParamNetGrs)},
            {4, P("In/Out", "", 0, 1, dpParamInOut)},
            {5, P("Tare Value", "n", 0, 99999, dpParameter).Slot(1).Colour(kBlack)},
            {6, P("Tare Deviation", "n", 0, 99999, dpParameter).Slot(2).Colour(kBlack)},
            {7, P("Setpoint", "n", 0, 99999, dpParameter).Slot(3).Colour(kBlack)},
            {8, P("Turnover", "n", 0, 99999, dpParameter).Slot(4).Colour(kBlack)},
            {9, P("Inflight", "n", -99999, 99999, dpParameter).Slot(5).Colour(kBlack)},
            {10, P("Correction", "%", 0, 50, dpParameter).Slot(6).Colour(kBlack)},
            {11, P("KEB Time", "s", 0, 99999).Dec(2).Colour(kBlack)},
            {12, P("KEB Mass", "n", 0, 99999).Colour(kBlack)},
            {13, P("Flow Delay", "s", 0, 99999, dpParameter).Dec(2).Slot(7).Colour(kBlack)},
            {14, P("Flow Time", "s", 0, 99999, dpParameter).Dec(2).Slot(8).Colour(kBlack)},
            {15, P("Flow Coarse", "n", 0, 99999, dpParameter).Slot(9).Colour(kBlack)},
            {16, P("Flow Fine", "n", 0, 99999, dpParameter).Slot(10).Colour(kBlack)},
            {17, P("Delay Fine", "s", 0, 99999, dpParameter).Dec(2).Slot(11).Colour(kBlack)},
            {18, Out("Output Fine")},
            {19, P("Delay Coarse", "s", 0, 99999, dpParameter).Dec(2).Slot(12).Colour(kBlack)},
            {20, Out("Output Coarse")},
            {21, In("Start Zero")},
            {22, In("Start Tare")},
            {23, In("Start Fill")},
            {24, In("Enable")},
            {25, Out("Alarm")},
            {26, Out("Ready")},
        }),
        Module(42, "SHIFT", "Shif register", 23, {
            {2, P("Offset", "S", -500, 500, dpParamReset)},
            {3, P("Position", "n", 1, 100, dpParamReset)},
            {4, In("Left")},
            {5, In("Right")},
            {6, P("Value", "n", -999999, 999999, dpParameter).Slot(1).Colour(kBlack)},
            {7, P("Index 1", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(2)},
            {8, P("Index 2", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(3)},
            {9, P("Index 3", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(4)},
            {10, P("Index 4", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(5)},
            {11, P("Index 5", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(6)},
            {12, P("Index 6", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(7)},
            {13, P("Index 7", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(8)},
            {14, P("Index 8", "n", 0, 9999, dpParameter).Colour(kBlack).Slot(9)},
            {15, Out("Output 1")},
            {16, Out("Output 2")},
            {17, Out("Output 3")},
            {18, Out("Output 4")},
            {19, Out("Output 5")},
            {20, Out("Output 6")},
            {21, Out("Output 7")},
            {22, Out("Output 8")},
        }),
        Module(43, "SAMPLE", "Sampling value", 11, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, Dst("Destination")},
            {5, P("Samples", "n", -999999, 999999, dpParameter).Slot(2)},
            {6, P("Time", "n", 0, 999999, dpParameter).Dec(2).Slot(3)},
            {7, Out("Ready")},
            {8, In("Start")},
            {9, In("Stop")},
            {10, In("Enable")},
        }),
        Module(44, "EMARK", "Emark reporting", 32, {
            {2, Value("Value")},
            {3, Src("Source")},
            {4, P("Device", "", 0, 999999).Colour(kBlack)},
            {5, P("Rule 2.5%", "n", 0, 1, dpParamOnOff).Default(1)},
            {6, P("Snapcheck", "n", 0, 1, dpParamOnOff)},
            {7, P("Emark Count", "n", 0, 10000, dpParameter).Slot(2)},
            {8, P("Product", "n", 0, 999999, dpParameter).Slot(3)},
            {9, P("Density", "n", 0, 999999, dpParameter).Dec(5).Slot(4)},
            {10, P("PTare", "n", 0, 999999, dpParameter).Slot(5)},
            {11, P("Tnominal", "n", 0, 999999, dpParameter).Slot(6)},
            {12, P("Tmax", "n", 0, 999999, dpParameter).Slot(7)},
            {13, Par("To")},
            {14, Par("Tabs")},
            {15, Par("StdDev")},
            {16, Par("Average")},
            {17, Par("Total")},
            {18, Par("Count")},
            {19, Par("Cnt Tmax")},
            {20, Par("Cnt To")},
            {21, Par("Cnt Tabs")},
            {22, In("Sample")},
            {23, In("Subtotal")},
            {24, In("Total")},
            {25, Out("> Tmax")},
            {26, Out("= Ok")},
            {27, Out("< To")},
            {28, Out("< Tabs")},
            {29, Out("Avg < Tnom")},
            {30, Out("Ack")},
            {31, Out("Report")},
        }),
        Module(45, "FL-MIKRO", "FL-MIKRO interface", 15, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, P("Factor (in)", "n", 0, 999, dpParameter).Dec(3).Slot(1)},
            {3, P("Cement (in)", "n", 0, 999, dpParameter).Slot(2)},
            {4, P("Partial(in)", "%", 0, 999, dpParameter).Slot(3)},
            {5, P("Formule(in)", "n", 0, 999, dpParameter).Slot(4)},
            {6, P("Water(out)", "n", 0, 9999, dpParameter).Dec(1).Slot(5)},
            {7, P("Added Water(out)", "n", 0, 9999, dpParameter).Dec(1).Slot(6)},
            {8, P("Temperature(out)", "n", 0, 999, dpParameter).Dec(1).Slot(7)},
            {9, P("Correction(out)", "n", 0, 999, dpParameter).Dec(1).Slot(8)},
            {10, P("Result Code(out)", "n", 0, 999999, dpParameter).Slot(9)},
            {11, Out("Ready")},
            {12, Out("Error")},
            {13, In("Start")},
            {14, In("Enable")},
        }),
        Module(46, "SHIFTCLASS", "Shift class", 32, {
            {2, P("Offset", "S", -500, 500, dpParamReset)},
            {3, P("Position", "n", 1, 100, dpParamReset)},
            {4, In("Sample")},
            {5, P("Value", "n", -999999, 999999, dpParameter).Slot(1).Colour(kBlack)},
            {6, P("Class", "n", -999999, 999999, dpParameter).Slot(2).Colour(kBlack)},
            {7, P("Result 1", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(3)},
            {8, P("Result 2", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(4)},
            {9, P("Result 3", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(5)},
            {10, P("Result 4", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(6)},
            {11, P("Result 5", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(7)},
            {12, P("Result 6", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(8)},
            {13, P("Result 7", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(9)},
            {14, P("Result 8", "n", -999999, 999999, dpParameter).Colour(kBlack).Slot(10)},
            {15, In("Shift 1")},
            {16, In("Shift 2")},
            {17, In("Shift 3")},
            {18, In("Shift 4")},
            {19, In("Shift 5")},
            {20, In("Shift 6")},
            {21, In("Shift 7")},
            {22, In("Shift 8")},
            {23, Out("Output 1")},
            {24, Out("Output 2")},
            {25, Out("Output 3")},
            {26, Out("Output 4")},
            {27, Out("Output 5")},
            {28, Out("Output 6")},
            {29, Out("Output 7")},
            {30, Out("Output 8")},
            {31, Out("DataAvail")},
        }),
        Module(47, "EMPTY&CHECK", "EMPTY & CHECK", 12, {
            {2, P("Indicator", "I", 1, 9999).Colour(kBlack)},
            {3, P("Level", "n", 0, 99999, dpParameter).Slot(1).Colour(kBlack)},
            {4, P("Time", "n", 0, 99999, dpParameter).Dec(2).Slot(2).Colour(kBlack)},
            {5, Out("Active")},
            {6, Out("Open")},
            {7, In("OpenReady")},
            {8, Out("Close")},
            {9, In("CloseReady")},
            {10, In("Start")},
            {11, In("Enable")},
        }),
        Module(48, "LOSSINWGT", "LOSS IN WEIGHT", 24, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, P("Amount", "n", 0, 200000000, dpParameter).Slot(1)},
            {3, P("Total", "n", 0, 200000000, dpParameter)},
            {4, Ind("Indicator")},
            {5, P("In/Out", "", 0, 1, dpParamInOut)},
            {6, P("KEBT", "s", 0, 99999).Dec(2)},
            {7, P("Min.Fill", "n", 0, 999999, dpParameter).Slot(2)},
            {8, P("Max.Fill", "n", 0, 999999, dpParameter).Slot(3)},
            {9, Out("Fill")},
            {10, Ind("Flow Indicator")},
            {11, P("Decimal", "", 0, 5, dpParamFormat)},
            {12, P("Scale", "", 0, 8, dpParamScale)},
            {13, P("Flow Time", "s", 0, 999999, dpParameter).Dec(2).Slot(4)},
            {14, P("Flow Level", "n", 0, 999999, dpParameter).Slot(5)},
            {15, Out("Flow Active")},
            {16, In("Flow Ok")},
            {17, Ind("DAC Indicator")},
            {18, P("DAC FillCorrection", "n", 0, 99999999, dpParameter).Slot(6)},
            {19, P("Empty Level", "n", 0, 999999, dpParameter).Slot(7)},
            {20, P("Empy Time", "s", 0, 999999, dpParameter).Dec(2).Slot(8)},
            {21, Out("Empty")},
            {22, In("Stop")},
            {23, In("Enable")},
        }),
        Module(49, "PID", "PID", 15, {
            {1, P("Option", "", 1, 1, dpParamOption)},
            {2, P("Src.Indicator", "I", 1, 100)},
            {3, P("Dst.Indicator", "I", 1, 100)},
            {4, P("Setpoint", "n", 0, 999999, dpParameter).Slot(1)},
            {5, P("Pgain", "n", 0, 999999, dpParameter).Dec(3).Slot(2)},
            {6, P("Igain", "n", 0, 999999, dpParameter).Dec(3).Slot(3)},
            {7, P("Dgain", "n", 0, 999999, dpParameter).Dec(3).Slot(4)},
            {8, P("Iminimim", "n", -9999999, 99999999, dpParameter).Dec(3).Slot(5)},
            {9, P("Imaximum", "n", -9999999, 99999999, dpParameter).Dec(3).Slot(6)},
            {10, P("Minimim", "n", -9999999, 99999999, dpParameter).Dec(3).Slot(7)},
            {11, P("Maximum", "n", -9999999, 99999999, dpParameter).Dec(3).Slot(8)},
            {12, P("PlantTime", "s", 0, 99999, dpParameter).Dec(2).Slot(9)},
            {13, In("Lock")},
            {14, In("Enable")},
        }),
        Module(50, "TIMESTAMP", "TIMESTAMP", 11, {
            {2, P("Year", "n", 0, 9999, dpParameter)},
            {3, P("Month", "n", 0, 9999, dpParameter)},
            {4, P("Day", "n", 0, 9999, dpParameter)},
            {5, P("Hour", "n", 0, 9999, dpParameter)},
            {6, P("Minute", "n", 0, 9999, dpParameter)},
            {7, P("Second", "n", 0, 9999, dpParameter)},
            {8, P("Week #", "n", 0, 9999, dpParameter)},
            {9, P("Day #", "n", 0, 9999, dpParameter)},
            {10, In("Enable")},
        }),
        Module(51, "JUMPINDEX", "Jump indirect", 20, {
            {2, P("Index", "n", -9999999, 99999999, dpParameter).Slot(1)},
            {3, Step("Step 1")},
            {4, Step("Step 2")},
            {5, Step("Step 3")},
            {6, Step("Step 4")},
            {7, Step("Step 5")},
            {8, Step("Step 6")},
            {9, Step("Step 7")},
            {10, Step("Step 8")},
            {11, Step("Step 9")},
            {12, Step("Step 10")},
            {13, Step("Step 11")},
            {14, Step("Step 12")},
            {15, Step("Step 13")},
            {16, Step("Step 14")},
            {17, Step("Step 15")},
            {18, Step("Step 16")},
            {19, P("Enable", "i", -9999, 9999, dpParamIO).PickList()},
        }),
        Module(52, "SUBROUTINE", "Subroutine", 4, {
            {2, P("Step", "S", 1, 500, dpParamJump)},
            {3, P("Enable", "i", -9999, 9999, dpParamIO).PickList()},
        }),
        Module(53, "RETURN", "Return subrouitne", 2, {}),
        Module(54, "JSRINDEX", "Subroutine indirect", 20, {
            {2, P("Index", "n", -9999999, 99999999, dpParameter).Slot(1).NoRegister()},
            {3, Step("Step 1")},
            {4, Step("Step 2")},
            {5, Step("Step 3")},
            {6, Step("Step 4")},
            {7, Step("Step 5")},
            {8, Step("Step 6")},
            {9, Step("Step 7")},
            {10, Step("Step 8")},
            {11, Step("Step 9")},
            {12, Step("Step 10")},
            {13, Step("Step 11")},
            {14, Step("Step 12")},
            {15, Step("Step 13")},
            {16, Step("Step 14")},
            {17, Step("Step 15")},
            {18, Step("Step 16")},
            {19, P("Enable", "i", -9999, 9999, dpParamIO).PickList()},
        }),
        Module(55, "INDFILTER", "Indicator Filter", 7, {
            {2, P("SampleRate", "n", 0, 255, dpParameter).Slot(1)},
            {3, P("Lowpass", "n", 0, 255, dpParameter).Slot(2)},
            {4, P("Filter", "n", 0, 255, dpParameter).Slot(3)},
            {5, P("Frequency", "n", 0, 255, dpParameter).Slot(4)},
            {6, P("Freq mov avg", "n", 0, 255, dpParameter).Slot(4)},
        }),
        Module(56, "DOSEPHASE", "Dose Phase", 14, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, Ind("Indicator")},
            {3, P("Phase", "", 0, 2, dpParamPhase)},
            {4, P("Net/Gross", "", 0, 1, dpParamNetGrs)},
            {5, P("In/Out", "", 0, 1, dpParamInOut)},
            {6, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1)},
            {7, P("Inflight", "n", -99999, 99999, dpParameter).Slot(2)},
            {8, P("Correction", "%", 0, 50)},
            {9, P("KEBT", "s", 0, 99999).Dec(2)},
            {10, Out("Output")},
            {11, P("Delay Output", "s", 0, 99999).Dec(2)},
            {12, In("Start")},
            {13, In("Enable")},
        }),
        Module(57, "CALCULATE", "Calculate", 8, {
            {2, P("Result", "", 0, 1, dpParamResult).Default(1)},
            {3, Value("Value")},
            {4, P("X", "", 0, 1000, dpParamSource).Key()},
            {5, P("Y", "", 0, 1000, dpParamSource).Key()},
            {6, P("Z", "", 0, 1000, dpParamDestin).Key()},
            {7, P("Operation", "", 0, 22, dpParamOperanXYZ).Key()},
        }),
        Module(58, "INDZERO", "Indicator Zero", 11, {
            {2, Ind("Indicator")},
            {3, P("Parts", "n", 0, 9999, dpParameter).Slot(1)},
            {4, P("Time", "s", 0, 99999, dpParameter).Dec(2).Slot(2)},
            {5, P("Timeout", "s", 0, 99999, dpParameter).Dec(2).Slot(3)},
            {6, P("Action", "", 0, 1, dpParamZeroAction)},
            {7, Out("Ready")},
            {8, Out("Failed")},
            {9, In("Start")},
            {10, In("Enable")},
        }),
        Module(59, "INDTARE", "Indicator Tare", 11, {
            {2, Ind("Indicator")},
            {3, P("Parts", "n", 0, 9999, dpParameter).Slot(1)},
            {4, P("Time", "s", 0, 99999, dpParameter).Dec(2).Slot(2)},
            {5, P("Timeout", "s", 0, 99999, dpParameter).Dec(2).Slot(3)},
            {6, P("Action", "", 0, 3, dpParamTareAction)},
            {7, Out("Ready")},
            {8, Out("Failed")},
            {9, In("Start")},
            {10, In("Enable")},
        }),
        Module(60, "CURVE", "Curve table", 27, {
            {2, P("X[1]", "n", 0, 99999999, dpParameter).Slot(1)},
            {3, P("X[2]", "n", 0, 99999999, dpParameter).Slot(2)},
            {4, P("X[3]", "n", 0, 99999999, dpParameter).Slot(3)},
            {5, P("X[4]", "n", 0, 99999999, dpParameter).Slot(4)},
            {6, P("X[5]", "n", 0, 99999999, dpParameter).Slot(5)},
            {7, P("X[6]", "n", 0, 99999999, dpParameter).Slot(6)},
            {8, P("X[7]", "n", 0, 99999999, dpParameter).Slot(7)},
            {9, P("X[8]", "n", 0, 99999999, dpParameter).Slot(8)},
            {10, P("X[9]", "n", 0, 99999999, dpParameter).Slot(9)},
            {11, P("X[10]", "n", 0, 99999999, dpParameter).Slot(10)},
            {12, P("Y[1]", "n", 0, 99999999, dpParameter).Slot(11)},
            {13, P("Y[2]", "n", 0, 99999999, dpParameter).Slot(12)},
            {14, P("Y[3]", "n", 0, 99999999, dpParameter).Slot(13)},
            {15, P("Y[4]", "n", 0, 99999999, dpParameter).Slot(14)},
            {16, P("Y[5]", "n", 0, 99999999, dpParameter).Slot(15)},
            {17, P("Y[6]", "n", 0, 99999999, dpParameter).Slot(16)},
            {18, P("Y[7]", "n", 0, 99999999, dpParameter).Slot(17)},
            {19, P("Y[8]", "n", 0, 99999999, dpParameter).Slot(18)},
            {20, P("Y[9]", "n", 0, 99999999, dpParameter).Slot(19)},
            {21, P("Y[10]", "n", 0, 99999999, dpParameter).Slot(20)},
            {22, P("X input", "n", -999999, 99999999, dpParameter).Slot(21)},
            {23, P("Y output", "n", -999999, 99999999, dpParameter).Slot(22)},
            {24, P("Xref", "n", -999999, 99999999, dpParameter).Slot(23)},
            {25, P("Yref", "n", -999999, 99999999, dpParameter).Slot(24)},
            {26, In("Enable")},
        }),
        Module(61, "LED BAR", "Led Bar", 6, {
            {2, P("Input Start", "i", 0, 9999, dpParamIO)},
            {3, P("Input End", "i", 0, 9999, dpParamIO)},
            {4, P("Start led", "O", 1, 30).Colour(kRed)},
            {5, In("Enable")},
        }),
        Module(62, "LED OPT", "Led Options", 6, {
            {2, P("Input Start", "i", 0, 9999, dpParamIO)},
            {3, P("Input End", "i", 0, 9999, dpParamIO)},
            {4, P("Start led", "O", 1, 12).Colour(kRed)},
            {5, In("Enable")},
        }),
        Module(63, "INDERR", "INDICATOR ERROR", 4, {
            {2, P("Indicator", "I", 1, 9999).Slot(1).Option().Colour(kBlack)},
            {3, Out("Output")},
        }),
        Module(64, "TIMERMS", "Precision Timer Delay On/Off", 8, {
            {2, Out("Output")},
            {3, P("Delay On", "s", 0, 999999, dpParameter).Dec(3).Slot(1)},
            {4, P("Delay Off", "s", 0, 999999, dpParameter).Dec(3).Slot(2)},
            {5, P("Result Reg", "n", -999999, 99999999, dpParamDestin).Slot(3).Option().Colour(kBlue)},
            {6, In("Start")},
            {7, In("Enable")},
        }),
        Module(65, "DOSEINT", "Dose interval", 20, {
            {2, Ind("Indicator")},
            {3, P("Net/Gross", "", 0, 1, dpParamNetGrs)},
            {4, P("In/Out", "", 0, 1, dpParamInOut)},
            {5, P("Setpoint", "n", 0, 99999, dpParameter).Slot(1)},
            {6, P("Turnover", "n", 0, 99999, dpParameter).Slot(2)},
            {7, P("Inflight", "n", -99999, 99999, dpParameter).Slot(3)},
            {8, P("Correction", "%", 0, 50, dpParameter).Slot(4)},
            {9, P("KEBT", "s", 0, 99999, dpParameter).Dec(2)},
            {10, P("Tare", "n", 0, 99999, dpParameter).Slot(5)},
            {11, Out("Output Fine")},
            {12, Out("Output Coarse")},
            {13, P("Delay Fine", "s", 0, 99999).Dec(2)},
            {14, P("Delay Coarse", "s", 0, 99999).Dec(2)},
            {15, In("Auto tare")},
            {16, In("End result")},
            {17, In("Start")},
            {18, In("Enable")},
            {19, Out("Ready")},
        }),
        Module(66, "FILEWRITE", "File write to", 9, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, P("Storage", "", 0, 1, dpParamStorage)},
            {3, P("Type", "", 0, 2, dpParamType).Dec(3)},
            {4, P("Filename", "", 0, 1000, dpParamLabel).Dec(3)},
            {5, P("Start/Select", "n", 0, 99999999)},
            {6, P("End", "n", 0, 99999999)},
            {7, P("Mode", "n", 0, 1, dpFileMode)},
            {8, In("Enable")},
        }),
        Module(67, "FILEREAD", "File read from", 8, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, P("Storage", "", 0, 1, dpParamStorage)},
            {3, P("Type", "", 0, 2, dpParamType).Dec(3)},
            {4, P("Filename", "", 0, 1000, dpParamLabel).Dec(3)},
            {5, P("Start/Select", "n", 0, 99999999)},
            {6, P("End", "n", 0, 99999999)},
            {7, In("Enable")},
        }),
        Module(68, "BAKNET", "Baknet protocl", 9, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, P("Command", "", 0, 12, dpParamCommand)},
            {3, P("Water", "n", 0, 99999, dpParameter).Slot(1)},
            {4, P("Temperature", "n", 0, 99999, dpParameter).Slot(2)},
            {5, In("Start")},
            {6, In("Enable")},
            {7, Out("Busy")},
            {8, Out("Error")},
        }),
        Module(69, "DIRECTIVE", "MID directive", 3, {
            {1, P("Option", "", 0, 0, dpParamOption)},
            {2, P("Directive", "", 0, 4, dpParamDirective)},
        }),
        Module(70, "EMARKEXT", "Emark extension", 16, {
            {2, Par("Sub.StdDev")},
            {3, Par("Sub.Average")},
            {4, Par("Sub.Total")},
            {5, Par("Sub.Count")},
            {6, Par("Sub.Cnt Tmax")},
            {7, Par("Sub.Cnt To")},
            {8, Par("Sub.Cnt Tabs")},
            {9, Par("Tot.StdDev")},
            {10, Par("Tot.Average")},
            {11, Par("Tot.Total")},
            {12, Par("Tot.Count")},
            {13, Par("Tot.Cnt Tmax")},
            {14, Par("Tot.Cnt To")},
            {15, Par("Tot.Cnt Tabs")},
        }),
        Module(71, "DOSEEXT", "Dose extension", 13, {
            {2, P("Module Offset", "S", -500, 500).Colour(kWhite)},
            {3, P("Set Fine Time", "s", 0, 999999, dpParameter).Dec(2).Slot(1)},
            {4, P("Fine Correction", "%", 0, 999999, dpParameter).Slot(2)},
            {5, P("Wait4Result Time", "s", 0, 999999, dpParameter).Dec(2).Slot(3)},
            {6, Par("Coarse Time")},
            {7, Par("Coarse Weight")},
            {8, Par("Coarse Flow")},
            {9, Par("Fine Time")},
            {10, Par("Fine Weight")},
            {11, Par("Fine Flow")},
            {12, In("Enable")},
        }),
        Module(72, "RECIPE", "Recipe entry", 8, {
            {0, P("Label", "", 0, 500, dpParamLabel)},
            {2, P("Recipe", "n", kInt32Min, kInt32Max).Slot(1)},
            {3, P("Location", "n", -999999, 999999, dpParameter).Dec(2)},
            {4, P("Decimal", "", 0, 999999, dpParameter).Colour(kBlack)},
            {5, In("Copy R -> L")},
            {6, In("Copy L -> R")},
            {7, P("Unit", "", 0, 500, dpParamLabel)},
        }),
        Module(73, "SAMPLE BELT", "Sample belt weigher", 16, {
            {0, P("Label", "", 0, 500, dpParamLabel)},
            {2, P("Ref Indicator", "I", 0, 999, dpParameter)},
            {3, P("Dest Indicator", "I", 0, 999, dpParameter)},
            {4, In("Pulse Input")},
            {5, In("Zero/Ref input")},
            {6, In("Calibrate belt")},
            {7, P("Operational", "0", -9999, 9999, dpParamIO).PickList()},
            {8, P("Alarm", "0", -9999, 9999, dpParamIO)},
            {9, P("Weight detection", "n", 0, 99999, dpParameter).Slot(1)},
            {10, P("Sample delay", "n", 0, 999999, dpParameter).Dec(2)},
            {11, P("Samples", "n", -999999, 999999, dpParameter)},
            {12, Out("Sampling")},
            {13, P("Result", "n", -999999, 999999, dpParameter)},
            {14, Out("Ready")},
            {15, In("Enable")},
        }),
        Module(74, "THREAD", "Thread Module", 6, {
            {2, P("Operation mode", "n", 0, 1, dpParamThreadMode)},
            {3, P("Control", "n", 0, 2, dpParamThreadControl)},
            {4, P("Process", "n", 0, 16)},
            {5, In("Enable")},
        }),
        Module(75, "ATOMIC BEGIN", "Start of atomic block", 3, {
            {2, In("Enable")},
        }),
        Module(76, "ATOMIC END", "End of atomic block", 2, {}),
        Module(77, "FB BEGIN", "Start of function block", 3, {
            {2, In("Enable")},
        }),
        Module(78, "FB END", "End of function block", 2, {}),
    }};
}
// clang-format on

constexpr std::array<TModuleInfo, kModuleCount> kModuleDefinitions = BuildTable();

constexpr bool IdsMatchIndexes() {
    for (int i = 0; i < kModuleCount; ++i)
        if (kModuleDefinitions[static_cast<std::size_t>(i)].ModuleId != i) return false;
    return true;
}
static_assert(IdsMatchIndexes(), "module ids must equal their table index");

}  // namespace

std::span<const TModuleInfo, kModuleCount> ModuleDefinitionTable() {
    return kModuleDefinitions;
}

const TModuleInfo* FindModuleDefinition(int moduleId) {
    if (moduleId < 0 || moduleId >= kModuleCount) return nullptr;
    return &kModuleDefinitions[static_cast<std::size_t>(moduleId)];
}

}  // namespace ryvorn
