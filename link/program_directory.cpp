// SPDX-License-Identifier: MIT
#include "link/program_directory.h"

#include <cstdlib>
#include <filesystem>

namespace ryvorn {

std::string ExecutableDirectory() {
    if (const char* home = std::getenv("RYVORN_HOME"); home && *home) return home;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

}  // namespace ryvorn
