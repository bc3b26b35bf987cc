// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace ryvorn {

// The directory of the running program, where the error log and the settings live;
// the environment variable RYVORN_HOME replaces it (tests, read-only installations).
std::string ExecutableDirectory();

}  // namespace ryvorn
