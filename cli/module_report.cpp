// SPDX-License-Identifier: MIT
#include "cli/module_report.h"

#include "cli/cli_context.h"
#include "device/presence_module.h"

namespace ryvorn::cli {

bool RunOperation(CliContext& ctx, const std::string& command, TOxModule& module,
                  const std::function<bool()>& operation) {
    // The function code comes with OnUpdate, as it does to the main window.
    uint8_t function = 0;
    module.OnUpdate = [&function](TOxModule&, uint8_t code) { function = code; };
    operation();
    module.OnUpdate = nullptr;
    if (module.Status() == TOxModuleStatus::Ok) return true;
    ctx.Fail(command + ": " + FailureReport(module.Name(), function, module.Status()));
    return false;
}

bool RequirePresent(CliContext& ctx, const std::string& command, TOxPresenceModule& module,
                    const std::string& interfaceName) {
    if (!RunOperation(ctx, command, module, &TOxPresenceModule::Presence)) return false;
    if (module.Present()) return true;
    ctx.Fail(command + ": the controller has no " + interfaceName + " interface");
    return false;
}

}  // namespace ryvorn::cli
