// SPDX-License-Identifier: MIT
#pragma once

#include <span>

#include "device/module_info.h"

namespace ryvorn {

// The module definition table: the 79 step types of a controller task program, indexed by
// module id, with every parameter's name, range, scaling, recipe slot and presentation.
std::span<const TModuleInfo, kModuleCount> ModuleDefinitionTable();

// The definition of a module id; null for an id outside 0 .. 78.
const TModuleInfo* FindModuleDefinition(int moduleId);

}  // namespace ryvorn
