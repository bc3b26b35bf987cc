// SPDX-License-Identifier: MIT
#include "sim/sim_module_base.h"

#include <cerrno>
#include <cstdlib>

namespace ryvorn::sim {

bool ParseNumber(const std::string& text, int64_t& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 0);
    if (*end != '\0' || errno != 0) return false;
    out = v;
    return true;
}

}  // namespace ryvorn::sim
