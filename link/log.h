// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

namespace ryvorn {

// The one logging facade of the core: diagnostic lines. They go to the installed sink
// (the application routes them to its debug output) or, when the environment variable
// RYVORN_DEBUG is set, to stderr.
void LogDebug(const std::string& line);
void SetLogSink(std::function<void(const std::string&)> sink);

}  // namespace ryvorn
