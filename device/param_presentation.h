// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "device/formatter_kind.h"
#include "device/module_info.h"

namespace ryvorn {

// How the step editor presents a parameter unless the catalogue says otherwise for it.
struct TParamPresentation {
    bool PickList = false;
    bool Option = false;
    bool Register = false;
    TRgbColour TextColour;
};

// The presentation that follows from a parameter's formatter; I/O numbers are coloured by
// direction (type letter "i" for inputs).
constexpr TParamPresentation DefaultPresentation(TFormatterKind kind, std::string_view typeLetter) {
    using enum TFormatterKind;
    switch (kind) {
        case dpParamLabel:
            return {true, false, false, kPurple};
        case dpParamOption:
            return {true, false, false, kBlack};
        case dpParamJump:
        case dpParamBranch:
        case dpParamReset:
            return {false, false, false, kWhite};
        case dpParamIO:
            return {false, false, false, typeLetter == "i" ? kGreen : kRed};
        case dpParameter:
            return {true, true, true, kBlue};
        case dpParamSource:
        case dpParamDestin:
            return {true, false, true, kBlack};
        case dpParamString:
            return {false, false, false, kGreen};
        case dpParamOnOff:
        case dpParamNetGrs:
        case dpParamInOut:
        case dpParamResult:
        case dpParamOperan:
        case dpParamOperanXYZ:
        case dpParamFormat:
        case dpParamResultSave:
        case dpParamScale:
        case dpParamConvert:
        case dpParamAbsRel:
        case dpParamPhase:
        case dpParamZeroAction:
        case dpParamTareAction:
            return {true, false, false, kBlack};
        case dpParamStorage:
        case dpParamType:
        case dpFileMode:
        case dpParamCommand:
        case dpParamDirective:
            return {true, false, false, kBlue};
        case dpParamThreadMode:
        case dpParamThreadControl:
            return {true, false, false, kWhite};
        case dpParamSetup:
        case dpParamWeigher:
            // No catalogue parameter uses these two on its own; they serve the step
            // editor's sub-menus, so they present like the other value lists.
            return {true, false, false, kBlack};
        case None:
            break;
    }
    return {false, false, false, kBlue};
}

}  // namespace ryvorn
