// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "device/installed_name_lists.h"

namespace ryvorn {

// Operand values: 0 VALUE, 1 RESULT, 2..11 the registers 1 to 10, then per kind of operand
// further fixed operands, and 101..1000 the extended registers 1 to 900. A value with no
// operand gives "?". These read the given name lists for extended-register names.
std::string SourceOperandText(int32_t value, const TSbcNameLists& names);
std::string DestinOperandText(int32_t value, const TSbcNameLists& names);
std::string ParameterOperandText(int32_t value, const TSbcNameLists& names);

// The controller's setup values 50..53 and weigher values 75..91; "?" otherwise.
std::string SetupValueText(int32_t value);
std::string WeigherValueText(int32_t value);

// The name of extended-register operand `value` (item number = register + 100): the
// installed name when there is one, else "EXT[<register>]".
std::string ExtRegToLabel(int32_t value);
std::string ExtRegToLabel(int32_t value, const TSbcNameLists& names);

}  // namespace ryvorn
