// SPDX-License-Identifier: MIT
#include "device/module_availability.h"

namespace ryvorn {

const char* AvailabilityEntryName(size_t entry) {
    static constexpr const char* Names[AvailabilityEntryCount] = {
        "front-panel",      "interpreter", "tasks",   "interpreter-fourth", "weigher", "display-image",
        "results",          "clock",       "scope",   "printer",            "printer-first", "labels",
        "configuration",    "io",          "indicators", "extended-registers",
    };
    return entry < AvailabilityEntryCount ? Names[entry] : "?";
}

}  // namespace ryvorn
