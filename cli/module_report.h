// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

namespace ryvorn {
class TOxModule;
class TOxPresenceModule;
}  // namespace ryvorn

namespace ryvorn::cli {

struct CliContext;

// Runs one operation of a module. When it ends with any status but ok, fails the command
// with the report line the main window would show ("<module> <failure text><status>")
// and returns false.
bool RunOperation(CliContext& ctx, const std::string& command, TOxModule& module,
                  const std::function<bool()>& operation);

template <class Module>
bool RunOperation(CliContext& ctx, const std::string& command, Module& module, bool (Module::*operation)()) {
    return RunOperation(ctx, command, module, [&] { return (module.*operation)(); });
}

// The presence request; fails the command unless the controller has the interface.
bool RequirePresent(CliContext& ctx, const std::string& command, TOxPresenceModule& module,
                    const std::string& interfaceName);

}  // namespace ryvorn::cli
